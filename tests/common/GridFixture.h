#pragma once

#include "CellBuilders.h"
#include "model/CellTableModel.h"
#include "table/TableWidget.h"

#include <QItemSelectionModel>
#include <QList>
#include <QStringList>

#include <functional>

// Edits and reads of the grid for the tests that drive it.
namespace GridFixture {

inline void edit(CellTableModel &cells, int row, int column,
                 const std::function<void(CellContent &)> &change)
{
    CellContent content = cells.content(row, column);
    change(content);
    cells.setContents({{row, column, content}});
}

inline void put(CellTableModel &cells, int row, int column, const CellContent &content)
{
    cells.setContents({{row, column, content}});
}

inline QString text(const CellTableModel &cells, int row, int column)
{
    return cells.data(cells.index(row, column)).toString();
}

// One position of a grid, edited through the model as a user's command would.
class At
{
public:
    At(CellTableModel *cells, int row, int column)
        : m_cells(cells)
        , m_row(row)
        , m_column(column)
    {}

    const CellContent &content() const { return m_cells->content(m_row, m_column); }
    QString text() const { return GridFixture::text(*m_cells, m_row, m_column); }

    void setStatistic(const Statistic &statistic)
    {
        change([&](CellContent &content) { content.setStatistic(statistic); });
    }
    void addMicroCondition(const MicroCondition &term)
    {
        change([&](CellContent &content) { content.addMicroCondition(term); });
    }
    void setSimpleText(const QString &text)
    {
        change([&](CellContent &content) { content.setSimpleText(text); });
    }
    void setContent(const CellContent &content)
    {
        m_cells->setContents({{m_row, m_column, content}});
    }
    void clearContent()
    {
        change([](CellContent &content) { content.clearContent(); });
    }
    void setArea(const QString &area)
    {
        change([&](CellContent &content) { content.setArea(area); });
    }
    void setStatisticFormatView(CellContent::StatisticFormatView view)
    {
        change([&](CellContent &content) { content.setStatisticFormatView(view); },
               CellTableModel::EditKind::View);
    }
    void setConditionFormatView(CellContent::ConditionFormatView view)
    {
        change([&](CellContent &content) { content.setConditionFormatView(view); },
               CellTableModel::EditKind::View);
    }

private:
    void change(const std::function<void(CellContent &)> &edit,
                CellTableModel::EditKind kind = CellTableModel::EditKind::Content)
    {
        CellContent content = m_cells->content(m_row, m_column);
        edit(content);
        m_cells->setContents({{m_row, m_column, content}}, kind);
    }

    CellTableModel *m_cells;
    int m_row;
    int m_column;
};

inline At at(TableWidget *table, int row, int column)
{
    return At(table->cells(), row, column);
}

// Every cell a simple text "row,column".
inline void markPositions(CellTableModel &cells)
{
    QList<CellTableModel::CellEdit> edits;
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column)
            edits.append({row, column,
                          CellBuilders::textCell(QStringLiteral("%1,%2").arg(row).arg(column))});
    }
    cells.setContents(edits);
}

inline QStringList rowTexts(const CellTableModel &cells, int row)
{
    QStringList texts;
    for (int column = 0; column < cells.columnCount(); ++column)
        texts.append(text(cells, row, column));
    return texts;
}

inline QStringList columnTexts(const CellTableModel &cells, int column)
{
    QStringList texts;
    for (int row = 0; row < cells.rowCount(); ++row)
        texts.append(text(cells, row, column));
    return texts;
}

// A range from (top, left) to (bottom, right), by default one cell.
struct Range
{
    int top = 0;
    int left = 0;
    int bottom = -1;
    int right = -1;
};

inline QItemSelectionRange range(const TableWidget &table, const Range &r)
{
    const CellTableModel &cells = *table.cells();
    return QItemSelectionRange(
        cells.index(r.top, r.left),
        cells.index(r.bottom < 0 ? r.top : r.bottom, r.right < 0 ? r.left : r.right));
}

// Adds the ranges one after the other, as a user does with Ctrl.
inline void select(TableWidget &table, const QList<Range> &ranges)
{
    for (const Range &one : ranges)
        table.selectionModel()->select(
            QItemSelection(range(table, one).topLeft(), range(table, one).bottomRight()),
            QItemSelectionModel::Select);
}

// All ranges as one selection change.
inline void selectAtOnce(TableWidget &table, const QList<Range> &ranges)
{
    QItemSelection selection;
    for (const Range &one : ranges)
        selection.append(range(table, one));
    table.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// The selected ranges as "first text-last text" of their corner cells.
inline QStringList selectedCorners(const TableWidget &table)
{
    QStringList corners;
    for (const QItemSelectionRange &one : table.selectionModel()->selection()) {
        corners.append(text(*table.cells(), one.top(), one.left()) + QLatin1Char('-') +
                       text(*table.cells(), one.bottom(), one.right()));
    }
    return corners;
}

inline void setCurrent(TableWidget &table, int row, int column)
{
    table.selectionModel()->setCurrentIndex(table.cells()->index(row, column),
                                            QItemSelectionModel::NoUpdate);
}

} // namespace GridFixture
