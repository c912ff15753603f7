#include "table/TableWidget.h"

#include "model/CellContent.h"
#include "model/CellContentGrid.h"
#include "model/Document.h"
#include "model/XmlAttributes.h"
#include "stata/DoFileComposer.h"
#include "table/Cell.h"
#include "table/CellStore.h"
#include "table/EditSimpleTextDialog.h"
#include "table/InsertRowsColumnsDialog.h"
#include "table/MicroConditionListMimeData.h"
#include "table/SelectionSummary.h"
#include "table/SetSimpleTextDialog.h"
#include "table/StatisticMimeData.h"
#include "table/TableContextMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDomElement>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

namespace {

// The contents a "cells" element gives each position of a grid of that size.
QList<CellContent> readCellContents(const QDomElement &element, int rows, int columns)
{
    QList<CellContent> contents(qsizetype(rows) * columns);
    const QDomNodeList cells = element.elementsByTagName(QStringLiteral("cell"));
    for (int i = 0; i < cells.size(); ++i) {
        const QDomElement cell = cells.at(i).toElement();
        const int row = XmlAttributes::integer(cell, QStringLiteral("row"));
        const int column = XmlAttributes::integer(cell, QStringLiteral("col"));
        if (row < 0 || row >= rows || column < 0 || column >= columns)
            continue;
        contents[qsizetype(row) * columns + column] = CellContent(cell);
    }
    return contents;
}

// How Qt's selection model follows the insertion of count rows (or columns)
// at position: ranges beyond it move on, a range across it splits in two and
// both halves go to the end of the list.
QList<QTableWidgetSelectionRange>
rangesAfterInsertion(const QList<QTableWidgetSelectionRange> &ranges, Qt::Orientation orientation,
                     int position, int count)
{
    const bool rows = orientation == Qt::Vertical;
    QList<QTableWidgetSelectionRange> kept;
    QList<QTableWidgetSelectionRange> split;
    for (const QTableWidgetSelectionRange &range : ranges) {
        const int first = rows ? range.topRow() : range.leftColumn();
        const int last = rows ? range.bottomRow() : range.rightColumn();
        auto make = [&](int from, int to) {
            return rows ? QTableWidgetSelectionRange(from, range.leftColumn(), to,
                                                     range.rightColumn())
                        : QTableWidgetSelectionRange(range.topRow(), from, range.bottomRow(), to);
        };
        if (last < position) {
            kept.append(range);
        } else if (first >= position) {
            kept.append(make(first + count, last + count));
        } else {
            split.append(make(first, position - 1));
            split.append(make(position + count, last + count));
        }
    }
    return kept + split;
}

// After count sections were added at the end of the header for an insertion
// at position: the sizes from position on move count places on, and the
// inserted sections get the default size, as if Qt had inserted them there.
void shiftSectionSizes(QHeaderView *header, int position, int count)
{
    for (int section = header->count() - 1; section >= position + count; --section) {
        const int size = header->sectionSize(section - count);
        if (header->sectionSize(section) != size)
            header->resizeSection(section, size);
    }
    const int defaultSize = header->defaultSectionSize();
    for (int section = position; section < position + count; ++section) {
        if (header->sectionSize(section) != defaultSize)
            header->resizeSection(section, defaultSize);
    }
}

// Where a row (or column) ends up when the marked ones are removed; for a
// removed one, where Qt moves the current cell: to the nearest remaining one
// before it, else to the nearest after it; -1 when none remains.
int positionAfterRemoval(int position, const QList<bool> &removed)
{
    if (position < 0 || position >= removed.size())
        return -1;
    auto shifted = [&removed](int kept) {
        return kept - int(std::count(removed.cbegin(), removed.cbegin() + kept, true));
    };
    if (!removed.at(position))
        return shifted(position);
    for (int before = position - 1; before >= 0; --before) {
        if (!removed.at(before))
            return shifted(before);
    }
    for (int after = position + 1; after < removed.size(); ++after) {
        if (!removed.at(after))
            return shifted(after);
    }
    return -1;
}

} // namespace

// A document file that declares a larger grid is refused while it is read.
static_assert(TableWidget::maximumCellCount == Document::maximumCellCount,
              "documents and the grid must agree on the largest grid");

bool TableWidget::canHold(int rows, int columns)
{
    return rows >= 0 && columns >= 0 && qint64(rows) * columns <= maximumCellCount &&
           rows <= maximumCellCount && columns <= maximumCellCount;
}

QString TableWidget::tooLargeMessage(int rows, int columns)
{
    return tr("A table of %1 rows and %2 columns is too large: Quorin holds at most %L3 cells.")
        .arg(rows)
        .arg(columns)
        .arg(maximumCellCount);
}

TableWidget::TableWidget(StatisticCatalogue *statisticCatalogue, AreaCollection *areas)
    : QTableWidget(nullptr)
    , m_statisticCatalogue(statisticCatalogue)
    , m_areas(areas)
{
    setObjectName(QStringLiteral("tableWidget"));
    m_cells = new CellStore(this, [this](Cell *cell) {
        connect(cell, &Cell::dropInCell, this, &TableWidget::dropInCell);
        connect(cell, &Cell::contentChanged, this, &TableWidget::contentChanged);
    });
    newTable(50, 15);
    connectContentChanges();
    m_contextMenu = new TableContextMenu(this);
    // The selection colour lives in the palette: as the style sheet
    // "selection-background-color: rgb(216, 238, 252)" it would give every
    // cell widget a style sheet style of its own, which takes five times the
    // memory and twice the time to build a large grid, for the same look.
    QPalette selectionPalette = palette();
    selectionPalette.setColor(QPalette::Highlight, QColor(216, 238, 252));
    setPalette(selectionPalette);
    connect(this, &QTableWidget::itemSelectionChanged, this, &TableWidget::onItemSelectionChanged);
}

// Cells report their own changes; the shape and the sizes are the model's and
// the headers'.
void TableWidget::connectContentChanges()
{
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                        &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(model(), signal, this, &TableWidget::contentChanged);
    for (QHeaderView *header : {verticalHeader(), horizontalHeader()})
        connect(header, &QHeaderView::sectionResized, this, &TableWidget::contentChanged);
}

TableWidget::~TableWidget()
{
    // The model resets itself while it is destroyed; the cells go with the
    // viewport and must not be put back.
    m_cells->detach();
}

Cell *TableWidget::cell(int row, int column) const
{
    return m_cells->cell(row, column);
}

const CellGrid &TableWidget::cellGrid() const
{
    return *m_cells;
}

void TableWidget::setStataDatasetFileName(const QString &fileName)
{
    if (fileName == m_stataDatasetFileName)
        return;
    m_stataDatasetFileName = fileName;
    emit contentChanged();
}

void TableWidget::setOutputFileName(const QString &fileName)
{
    if (fileName == m_outputFileName)
        return;
    m_outputFileName = fileName;
    emit contentChanged();
}

const StatisticCatalogue &TableWidget::catalogue() const
{
    static const StatisticCatalogue none;
    return m_statisticCatalogue ? *m_statisticCatalogue : none;
}

const AreaCollection &TableWidget::areas() const
{
    static const AreaCollection none;
    return m_areas ? *m_areas : none;
}

// ---- Whole-grid operations ----

void TableWidget::restructure(const std::function<void()> &change)
{
    changeCellsOutOfView([this, &change] { m_cells->restructure(change); });
}

// Installing a cell shows it; with the viewport hidden meanwhile, thousands
// of cells appearing and changing cost no painting, and only the ones in view
// come back.
void TableWidget::changeCellsOutOfView(const std::function<void()> &change)
{
    // Large grids take a moment.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool viewportShown = !viewport()->isHidden();
    viewport()->hide();
    change();
    updateEditorGeometries();
    if (viewportShown)
        viewport()->show();
    QApplication::restoreOverrideCursor();
}

bool TableWidget::newTable(int rows, int columns)
{
    if (!canHold(rows, columns))
        return false;
    if (rows != rowCount() || columns != columnCount()) {
        // Emptying the grid drops the selection; the toolbars hear of it
        // before the cells change.
        selectionModel()->clear();
        restructure([this, rows, columns] {
            setRowCount(0);
            setColumnCount(0);
            setRowCount(rows);
            setColumnCount(columns);
        });
    }
    clear();
    return true;
}

// The cells of the same shape become new void cells, rows and columns get
// their default sizes, and nothing is selected, as if the grid had been
// emptied and filled again; the cell widgets are reused.
void TableWidget::clear()
{
    selectionModel()->clear();
    m_cells->setContents({});
    restoreDefaultSizes();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

bool TableWidget::loadCells(const QDomElement &element)
{
    const int rows = XmlAttributes::integer(element, QStringLiteral("rowCount"));
    const int columns = XmlAttributes::integer(element, QStringLiteral("columnCount"));
    if (!canHold(rows, columns))
        return false;
    const QList<CellContent> contents = readCellContents(element, rows, columns);
    newTable(rows, columns);
    m_cells->setContents(contents);
    return true;
}

bool TableWidget::loadCells(const CellContentGrid &cells)
{
    const int rows = cells.rowCount();
    const int columns = cells.columnCount();
    if (!canHold(rows, columns))
        return false;
    QList<CellContent> contents;
    contents.reserve(qsizetype(rows) * columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            contents.append(cells(row, column));
    }
    newTable(rows, columns);
    m_cells->setContents(contents);
    return true;
}

void TableWidget::restoreDefaultSizes()
{
    for (QHeaderView *header : {verticalHeader(), horizontalHeader()}) {
        const int size = header->defaultSectionSize();
        for (int section = 0; section < header->count(); ++section) {
            if (header->isSectionHidden(section))
                header->showSection(section);
            if (header->sectionSize(section) != size)
                header->resizeSection(section, size);
        }
    }
}

void TableWidget::removeStatistics(const QString &commandName)
{
    forEachCell([&commandName](Cell *cell, int, int) {
        if (cell->content().dataType() == T::Statistic &&
            cell->content().statistic().statisticName == commandName)
            cell->clearContent();
    });
}

void TableWidget::removeAreaFromCells(const QString &areaName)
{
    forEachCell([&areaName](Cell *cell, int, int) {
        if (cell->content().area() == areaName)
            cell->setArea(QString());
    });
}

void TableWidget::selectArea(const QString &areaName)
{
    QItemSelection selection;
    forEachCell([&](Cell *cell, int row, int column) {
        if (cell->content().area() == areaName) {
            const QModelIndex index = model()->index(row, column);
            selection.append(QItemSelectionRange(index, index));
        }
    });
    // Two steps, as a user would: first nothing, then the area's cells, each
    // analysed once.
    clearSelection();
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// ---- Selection-wide operations ----

void TableWidget::setAreaForCurrentSelection(const QString &areaName)
{
    forEachSelectedCell([&areaName](Cell *cell, int, int) { cell->setArea(areaName); });
}

void TableWidget::setFormatInSelectedStatisticsCells(const QString &format)
{
    forEachSelectedCell([&format](Cell *cell, int, int) {
        if (cell->content().dataType() == T::Statistic)
            cell->setStatisticFormat(format);
    });
}

void TableWidget::setStatisticFormatView(T::StatisticFormatView formatView)
{
    forEachSelectedCell(
        [formatView](Cell *cell, int, int) { cell->setStatisticFormatView(formatView); });
}

void TableWidget::setStatisticFormatViewOnlyStatisticName()
{
    setStatisticFormatView(T::OnlyStatisticName);
}

void TableWidget::setStatisticFormatViewOnlyStatisticVariableName()
{
    setStatisticFormatView(T::OnlyStatisticVariableName);
}

void TableWidget::setStatisticFormatViewOnlyStatisticVariableLabel()
{
    setStatisticFormatView(T::OnlyStatisticVariableLabel);
}

void TableWidget::setStatisticFormatViewStatisticNameVariableName()
{
    setStatisticFormatView(T::StatisticNameVariableName);
}

void TableWidget::setStatisticFormatViewStatisticNameVariableLabel()
{
    setStatisticFormatView(T::StatisticNameVariableLabel);
}

void TableWidget::setConditionFormatView(T::ConditionFormatView formatView)
{
    forEachSelectedCell(
        [formatView](Cell *cell, int, int) { cell->setConditionFormatView(formatView); });
}

void TableWidget::setConditionFormatViewOnlyModalityLabel()
{
    setConditionFormatView(T::OnlyModalityLabel);
}

void TableWidget::setConditionFormatViewOnlyModalityValue()
{
    setConditionFormatView(T::OnlyModalityValue);
}

void TableWidget::setConditionFormatViewVariableNameEqualModalityValue()
{
    setConditionFormatView(T::VariableNameEqualModalityValue);
}

void TableWidget::setConditionFormatViewVariableNameEqualModalityValueLabel()
{
    setConditionFormatView(T::VariableNameEqualModalityValueLabel);
}

void TableWidget::setConditionFormatViewVariableLabelEqualModalityValue()
{
    setConditionFormatView(T::VariableLabelEqualModalityValue);
}

void TableWidget::setConditionFormatViewVariableLabelEqualModalityValueLabel()
{
    setConditionFormatView(T::VariableLabelEqualModalityValueLabel);
}

void TableWidget::clearSelectedCells()
{
    forEachSelectedCell([](Cell *cell, int, int) { cell->clearContent(); });
}

void TableWidget::setStatisticInSelectedCells(const Statistic &statistic)
{
    forEachSelectedCell([&statistic](Cell *cell, int, int) { cell->setStatistic(statistic); });
}

void TableWidget::setMicroConditionsInSelection(const QList<MicroCondition> &microConditions)
{
    if (microConditions.isEmpty())
        return;
    for (const QTableWidgetSelectionRange &range : selectedRanges()) {
        const bool strip = (range.rowCount() == 1 && range.columnCount() >= 2) ||
                           (range.columnCount() == 1 && range.rowCount() >= 2);
        qsizetype next = 0;
        forEachCellIn({range}, [&](Cell *cell, int, int) {
            if (!strip) {
                cell->addMicroCondition(microConditions.first());
                return;
            }
            cell->addMicroCondition(microConditions.at(next));
            next = (next + 1) % microConditions.size();
        });
    }
}

bool TableWidget::isCellSelected(const Cell *cell) const
{
    if (!cell)
        return false;
    for (const QTableWidgetSelectionRange &range : selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
                if (this->cell(row, column) == cell)
                    return true;
            }
        }
    }
    return false;
}

// ---- Walks ----

void TableWidget::forEachCell(const CellVisitor &visit) const
{
    for (int row = 0; row < m_cells->rowCount(); ++row) {
        for (int column = 0; column < m_cells->columnCount(); ++column) {
            if (Cell *found = cell(row, column))
                visit(found, row, column);
        }
    }
}

// Ranges as listed, rows top to bottom, columns left to right; a cell in two
// overlapping ranges is visited twice.
void TableWidget::forEachCellIn(const QList<QTableWidgetSelectionRange> &ranges,
                                const CellVisitor &visit) const
{
    for (const QTableWidgetSelectionRange &range : ranges) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
                if (Cell *found = cell(row, column))
                    visit(found, row, column);
            }
        }
    }
}

void TableWidget::forEachSelectedCell(const CellVisitor &visit) const
{
    forEachCellIn(selectedRanges(), visit);
}

// ---- Insertion and removal ----

void TableWidget::insertRowUp()
{
    insertRows(currentRow(), 1);
}

void TableWidget::insertRowDown()
{
    insertRows(currentRow() + 1, 1);
}

void TableWidget::insertColumnLeft()
{
    insertColumns(currentColumn(), 1);
}

void TableWidget::insertColumnRight()
{
    insertColumns(currentColumn() + 1, 1);
}

// Inserting count rows at once puts them where inserting one row count times
// would: the current cell keeps its content, so the rows end up above it
// (position = current row) or below it (position = current row + 1).
void TableWidget::insertRows(int position, int count)
{
    if (position < 0 || position > rowCount() || count < 1)
        return;
    if (!confirmSize(rowCount() + count, columnCount()))
        return;
    const QList<QTableWidgetSelectionRange> ranges =
        rangesAfterInsertion(selectedRanges(), Qt::Vertical, position, count);
    const int current = currentRow() >= position ? currentRow() + count : currentRow();
    const int column = currentColumn();
    changeCellsOutOfView([this, position, count] { m_cells->insertRowsAt(position, count); });
    shiftSectionSizes(verticalHeader(), position, count);
    restoreSelection(ranges, current, column);
}

void TableWidget::insertColumns(int position, int count)
{
    if (position < 0 || position > columnCount() || count < 1)
        return;
    if (!confirmSize(rowCount(), columnCount() + count))
        return;
    const QList<QTableWidgetSelectionRange> ranges =
        rangesAfterInsertion(selectedRanges(), Qt::Horizontal, position, count);
    const int row = currentRow();
    const int current = currentColumn() >= position ? currentColumn() + count : currentColumn();
    changeCellsOutOfView([this, position, count] { m_cells->insertColumnsAt(position, count); });
    shiftSectionSizes(horizontalHeader(), position, count);
    restoreSelection(ranges, row, current);
}

bool TableWidget::confirmSize(int rows, int columns)
{
    if (canHold(rows, columns))
        return true;
    QMessageBox::warning(this, tr("Quorin"), tooLargeMessage(rows, columns));
    return false;
}

void TableWidget::removeRowsOfSelectedCells()
{
    removeLines(Qt::Vertical);
}

void TableWidget::removeColumnsOfSelectedCells()
{
    removeLines(Qt::Horizontal);
}

// Every row (or column) holding a selected cell goes, once, whatever the order
// and overlap of the ranges; the selection goes with them.
void TableWidget::removeLines(Qt::Orientation orientation)
{
    const bool rows = orientation == Qt::Vertical;
    const QList<int> doomed = selectedLines(orientation);
    if (doomed.isEmpty())
        return;
    QList<bool> removed(rows ? rowCount() : columnCount(), false);
    for (int line : doomed)
        removed[line] = true;
    const int currentLine = rows ? currentRow() : currentColumn();
    const int otherLine = rows ? currentColumn() : currentRow();

    clearSelection();
    restructure([this, rows, &doomed] {
        // From the last run backwards, so the earlier runs keep their numbers.
        for (qsizetype end = doomed.size(); end > 0;) {
            qsizetype start = end - 1;
            while (start > 0 && doomed.at(start - 1) == doomed.at(start) - 1)
                --start;
            const int first = doomed.at(start);
            const int count = int(end - start);
            if (rows)
                model()->removeRows(first, count);
            else
                model()->removeColumns(first, count);
            end = start;
        }
    });
    const int line = positionAfterRemoval(currentLine, removed);
    restoreSelection({}, rows ? line : otherLine, rows ? otherLine : line);
}

// The rows (or columns) that hold a selected cell, in ascending order.
QList<int> TableWidget::selectedLines(Qt::Orientation orientation) const
{
    const bool rows = orientation == Qt::Vertical;
    QList<bool> marked(rows ? rowCount() : columnCount(), false);
    for (const QTableWidgetSelectionRange &range : selectedRanges()) {
        const int first = rows ? range.topRow() : range.leftColumn();
        const int last = rows ? range.bottomRow() : range.rightColumn();
        for (int line = qMax(first, 0); line <= last && line < marked.size(); ++line)
            marked[line] = true;
    }
    QList<int> lines;
    for (int line = 0; line < marked.size(); ++line) {
        if (marked.at(line))
            lines.append(line);
    }
    return lines;
}

// Puts the current cell and the selection where a change of shape moved them,
// without a new analysis: the selected contents are the ones the toolbars show.
void TableWidget::restoreSelection(const QList<QTableWidgetSelectionRange> &ranges, int currentRow,
                                   int currentColumn)
{
    QScopedValueRollback<bool> suspended(m_analysisSuspended, true);
    const QModelIndex current = model()->index(currentRow, currentColumn);
    if (current.isValid())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    QItemSelection selection;
    for (const QTableWidgetSelectionRange &range : ranges) {
        selection.append(
            QItemSelectionRange(model()->index(range.topRow(), range.leftColumn()),
                                model()->index(range.bottomRow(), range.rightColumn())));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// ---- Context-menu commands ----

void TableWidget::onInsertRowsUp()
{
    InsertRowsColumnsDialog dialog(InsertRowsColumnsDialog::Rows, InsertRowsColumnsDialog::Up,
                                   this);
    if (dialog.exec() == QDialog::Accepted)
        insertRows(currentRow(), dialog.count());
}

void TableWidget::onInsertRowsDown()
{
    InsertRowsColumnsDialog dialog(InsertRowsColumnsDialog::Rows, InsertRowsColumnsDialog::Down,
                                   this);
    if (dialog.exec() == QDialog::Accepted)
        insertRows(currentRow() + 1, dialog.count());
}

void TableWidget::onInsertColumnsLeft()
{
    InsertRowsColumnsDialog dialog(InsertRowsColumnsDialog::Columns, InsertRowsColumnsDialog::Left,
                                   this);
    if (dialog.exec() == QDialog::Accepted)
        insertColumns(currentColumn(), dialog.count());
}

void TableWidget::onInsertColumnsRight()
{
    InsertRowsColumnsDialog dialog(InsertRowsColumnsDialog::Columns, InsertRowsColumnsDialog::Right,
                                   this);
    if (dialog.exec() == QDialog::Accepted)
        insertColumns(currentColumn() + 1, dialog.count());
}

void TableWidget::onSetSimpleText()
{
    if (selectedRanges().isEmpty())
        return;
    SetSimpleTextDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString text = dialog.text();
    if (text.isEmpty())
        return;
    forEachSelectedCell([&text](Cell *cell, int, int) { cell->setSimpleText(text); });
}

void TableWidget::onEditSimpleText()
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.size() != 1)
        return;
    QPointer<Cell> target = cell(ranges.first().topRow(), ranges.first().leftColumn());
    if (!target || target->content().dataType() != T::SimpleText)
        return;
    EditSimpleTextDialog dialog(this, target->content().simpleText());
    if (dialog.exec() == QDialog::Accepted && target)
        target->setSimpleText(dialog.text());
}

// ---- Events ----

void TableWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete)
        clearSelectedCells();
    QTableWidget::keyPressEvent(event);
}

void TableWidget::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    m_contextMenu->exec(QCursor::pos());
}

// Only the cells in view are placed and shown; the others are hidden. Qt
// would place and show every cell at each layout, and every shown cell takes
// part in repainting: each repaint checks a changed widget against all its
// siblings, so changing the text of thousands of shown cells (clearing,
// loading, a format over a large selection) would cost seconds of painting.
void TableWidget::updateEditorGeometries()
{
    // In the middle of a change of shape the cells are not all in place; the
    // change places them when it is done.
    if (!m_cells || m_cells->isRestructuring() || m_cells->rowCount() != rowCount() ||
        m_cells->columnCount() != columnCount())
        return;
    const QRect area = viewport()->rect();
    int top = rowAt(area.top());
    int bottom = rowAt(area.bottom());
    int left = columnAt(area.left());
    int right = columnAt(area.right());
    if (bottom < 0)
        bottom = rowCount() - 1;
    if (right < 0)
        right = columnCount() - 1;
    if (top < 0 || left < 0)
        top = left = 0, bottom = right = -1;
    forEachCell([&](Cell *cell, int row, int column) {
        const bool inView = row >= top && row <= bottom && column >= left && column <= right;
        if (!inView) {
            if (!cell->isHidden())
                cell->hide();
            return;
        }
        const QRect rect = visualRect(model()->index(row, column));
        if (!rect.isValid()) {
            cell->hide();
            return;
        }
        cell->setGeometry(rect);
        cell->show();
    });
}

// Installing a cell widget reports its position as changed, and the base
// class would look the widget up once more in the model's crowded index hash
// only to leave it alone; nothing of the model changed.
void TableWidget::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                              const QList<int> &roles)
{
    if (m_cells && m_cells->isInstalling())
        return;
    QTableWidget::dataChanged(topLeft, bottomRight, roles);
}

void TableWidget::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    updateEditorGeometries();
}

// ---- Drops ----

void TableWidget::dropInCell(Cell *cellWidget, QDropEvent *event)
{
    const QObject *source = event ? event->source() : nullptr;
    dropPayload(cellWidget, event ? event->mimeData() : nullptr,
                source ? source->objectName() : QString());
}

void TableWidget::dropPayload(Cell *cellWidget, const QMimeData *payload, const QString &sourceName)
{
    if (!cellWidget)
        return;
    if (sourceName == QLatin1String("variableListWidget")) {
        const auto *dropped = qobject_cast<const StatisticMimeData *>(payload);
        // No statistic chosen in the panel: the drop places nothing.
        if (!dropped || dropped->statisticName().isEmpty())
            return;
        Statistic statistic;
        statistic.statisticName = dropped->statisticName();
        statistic.varName = dropped->variableName();
        statistic.varLabel = dropped->variableLabel();
        if (isCellSelected(cellWidget))
            setStatisticInSelectedCells(statistic);
        else
            cellWidget->setStatistic(statistic);
    } else if (sourceName == QLatin1String("modalityListWidget")) {
        const auto *dropped = qobject_cast<const MicroConditionListMimeData *>(payload);
        if (dropped && !dropped->microConditions().isEmpty()) {
            if (isCellSelected(cellWidget))
                setMicroConditionsInSelection(dropped->microConditions());
            else
                cellWidget->addMicroCondition(dropped->microConditions().first());
        }
    }
    onItemSelectionChanged();
}

// ---- Do-file pieces ----

QString TableWidget::finalCommand(int row, int column) const
{
    return DoFileComposer(cellGrid(), catalogue(), areas()).finalCommand(row, column);
}

QString TableWidget::ifCondition(int row, int column) const
{
    return DoFileComposer(cellGrid(), catalogue(), areas()).ifCondition(row, column);
}

DoFileModel TableWidget::buildDoFileModel() const
{
    return DoFileComposer(cellGrid(), catalogue(), areas()).buildModel(m_stataDatasetFileName);
}

// ---- Running Stata ----

StataRun::Result TableWidget::runStata(const QString &executable, bool showStataMessage)
{
    StataRun run(window());
    if (!run.writeDoFile(buildDoFileModel().toString(true, true, m_outputFileName)))
        return {StataRun::Outcome::DoFileNotWritten, run.errorString()};
    return run.run(executable, StataRun::batchArguments(showStataMessage));
}

// ---- Selection analysis ----

// Emits, for a non-empty selection: at most one signal about a single cell,
// then exactly one each about the statistic, the format and the area.
void TableWidget::onItemSelectionChanged()
{
    if (m_analysisSuspended)
        return;
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        emit nothingSelected();
        return;
    }
    SelectionSummary summary;
    forEachCellIn(ranges, [&summary](Cell *cell, int, int) { summary.add(cell->content()); });
    const QTableWidgetSelectionRange &first = ranges.first();
    if (ranges.size() == 1 && first.rowCount() == 1 && first.columnCount() == 1)
        emitSingleCellSignal(first.topRow(), first.leftColumn());
    emitGroupSignals(summary);
}

void TableWidget::emitSingleCellSignal(int row, int column)
{
    const Cell *selected = cell(row, column);
    if (!selected)
        return;
    const CellContent &content = selected->content();
    switch (content.dataType()) {
    case T::Condition:
        emit singleCellWithConditionSelected(content.conditionLabel());
        break;
    case T::Statistic:
        emit singleCellWithStatisticSelected(finalCommand(row, column));
        break;
    case T::SimpleText:
        emit singleCellWithSimpleTextSelected(content.simpleText());
        break;
    case T::Void:
        emit notSingleCellWithStatisticOrConditionSelected();
        break;
    }
}

void TableWidget::emitGroupSignals(const SelectionSummary &summary)
{
    if (summary.allSameStatistic()) {
        const auto entry = catalogue().constFind(summary.firstStatisticName());
        emit allCellsWithSameStatisticSelected(entry != catalogue().cend() ? entry->result()
                                                                           : QString());
    } else {
        emit notAllCellsWithSameStatisticSelected();
    }

    if (summary.sameFormat())
        emit cellsWithSameFormatSelected(summary.firstFormat());
    else if (summary.differentFormat())
        emit cellsWithDifferentFormatSelected();
    else
        emit allNotStatisticCellsSelected();

    if (summary.sameArea())
        emit allCellsWithSameAndNotVoidAreaSelected(summary.firstArea());
    else
        emit cellsWithDifferentOrVoidAreaSelected();
}
