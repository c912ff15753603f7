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

    void setStatistic(const Statistic &s)
    {
        change([&](CellContent &c) { c.setStatistic(s); });
    }
    void addMicroCondition(const MicroCondition &term)
    {
        change([&](CellContent &c) { c.addMicroCondition(term); });
    }
    void setSimpleText(const QString &t)
    {
        change([&](CellContent &c) { c.setSimpleText(t); });
    }
    void setContent(const CellContent &content) { put(*m_cells, m_row, m_column, content); }
    void clearContent()
    {
        change([](CellContent &c) { c.clearContent(); });
    }
    void setArea(const QString &area)
    {
        change([&](CellContent &c) { c.setArea(area); });
    }
    void setStatisticFormatView(CellContent::StatisticFormatView view)
    {
        change([&](CellContent &c) { c.setStatisticFormatView(view); }, EditKind::View);
    }
    void setConditionFormatView(CellContent::ConditionFormatView view)
    {
        change([&](CellContent &c) { c.setConditionFormatView(view); }, EditKind::View);
    }

private:
    using EditKind = CellTableModel::EditKind;
    void change(const std::function<void(CellContent &)> &edit, EditKind kind = EditKind::Content)
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

    QItemSelectionRange of(const CellTableModel &cells) const
    {
        return QItemSelectionRange(cells.index(top, left), cells.index(bottom < 0 ? top : bottom,
                                                                       right < 0 ? left : right));
    }
};

// All ranges as one selection change.
inline void selectAtOnce(TableWidget &table, const QList<Range> &ranges)
{
    QItemSelection selection;
    for (const Range &one : ranges)
        selection.append(one.of(*table.cells()));
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
