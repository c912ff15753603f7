#include "table/TableWidget.h"

#include "model/CellClipboard.h"
#include "model/DocumentModel.h"
#include "stata/DoFileComposer.h"
#include "table/CellDelegate.h"
#include "table/EditSimpleTextDialog.h"
#include "table/InsertRowsColumnsDialog.h"
#include "table/MicroConditionListMimeData.h"
#include "table/SelectionSummary.h"
#include "table/SetSimpleTextDialog.h"
#include "table/StatisticMimeData.h"
#include "table/TableContextMenu.h"
#include "undo/DocumentEditor.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QUndoStack>

#include <algorithm>

namespace {

// Where a row (or column) ends up when the marked ones are removed; for a
// removed one, the nearest remaining one before it, else the nearest after
// it, as Qt moves a current cell whose row goes; -1 when none remains.
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

qint64 positionKey(int row, int column)
{
    return (qint64(row) << 32) | quint32(column);
}

} // namespace

QString TableWidget::tooLargeMessage(int rows, int columns)
{
    return tr("A table of %1 rows and %2 columns is too large: Quorin holds at most %3 × %3 "
              "cells.")
        .arg(rows)
        .arg(columns)
        .arg(CellTableModel::maximumLineCount);
}

bool TableWidget::acceptsDragFrom(const QObject *source)
{
    if (!source)
        return false;
    const QString name = source->objectName();
    return name == QLatin1String("variableListWidget") ||
           name == QLatin1String("modalityListWidget");
}

TableWidget::TableWidget(DocumentModel *document, QWidget *parent)
    : QTableView(parent)
    , m_document(document)
    , m_cells(document->table())
{
    setObjectName(QStringLiteral("tableWidget"));
    setItemDelegate(new CellDelegate(this));
    setModel(m_cells);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_contextMenu = new TableContextMenu(this);
    // The selection colour; the delegate keeps each cell's text colour on it.
    QPalette selectionPalette = palette();
    selectionPalette.setColor(QPalette::Highlight, QColor(216, 238, 252));
    setPalette(selectionPalette);

    m_cells->setDefaultLineSize(Qt::Vertical, verticalHeader()->defaultSectionSize());
    m_cells->setDefaultLineSize(Qt::Horizontal, horizontalHeader()->defaultSectionSize());
    applyLineSizes();
    connect(m_cells, &CellTableModel::lineSizesReset, this, &TableWidget::applyLineSizes);
    connect(m_cells, &CellTableModel::lineSizeChanged, this, &TableWidget::applyLineSize);
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int line, int, int size) { storeLineSize(Qt::Vertical, line, size); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int line, int, int size) { storeLineSize(Qt::Horizontal, line, size); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TableWidget::analyseSelection);
    setEditor(new DocumentEditor(document, new QUndoStack(this), this));
}

// The main window's editor may go before the grid.
TableWidget::~TableWidget()
{
    if (m_editor)
        m_editor->setSelectionSource({});
}

// The grid's own editor and stack go when it is given another: they would
// otherwise go on recording the document's changes for nobody.
void TableWidget::setEditor(DocumentEditor *editor)
{
    if (m_editor && m_editor->parent() == this) {
        QUndoStack *ownStack = m_editor->undoStack();
        delete m_editor;
        delete ownStack;
    } else if (m_editor) {
        m_editor->setSelectionSource({});
        disconnect(m_editor, nullptr, this, nullptr);
    }
    m_editor = editor;
    m_editor->setSelectionSource(
        [this] { return m_stepSelection ? *m_stepSelection : gridSelection(); });
    connect(m_editor, &DocumentEditor::selectionRestored, this, &TableWidget::setGridSelection);
}

GridSelection TableWidget::gridSelection() const
{
    GridSelection selection;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        selection.ranges.append(QRect(range.left(), range.top(), range.width(), range.height()));
    selection.currentRow = currentRow();
    selection.currentColumn = currentColumn();
    return selection;
}

void TableWidget::setGridSelection(const GridSelection &selection)
{
    const QRect grid(0, 0, columnCount(), rowCount());
    QItemSelection ranges;
    for (const QRect &range : selection.ranges) {
        const QRect inside = range.intersected(grid);
        if (!inside.isEmpty()) {
            ranges.select(m_cells->index(inside.top(), inside.left()),
                          m_cells->index(inside.bottom(), inside.right()));
        }
    }
    selectionModel()->select(ranges, QItemSelectionModel::ClearAndSelect);
    const QModelIndex current = m_cells->index(selection.currentRow, selection.currentColumn);
    if (current.isValid())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

int TableWidget::rowCount() const
{
    return m_cells->rowCount();
}

int TableWidget::columnCount() const
{
    return m_cells->columnCount();
}

int TableWidget::currentRow() const
{
    return currentIndex().row();
}

int TableWidget::currentColumn() const
{
    return currentIndex().column();
}

void TableWidget::setCurrentCell(int row, int column)
{
    setCurrentIndex(m_cells->index(row, column));
}

const CellContent &TableWidget::content(int row, int column) const
{
    return m_cells->content(row, column);
}

// ---- Sizes ----

// The model keeps the sizes a document file holds; the headers show them.
void TableWidget::applyLineSizes()
{
    QScopedValueRollback<bool> applying(m_applyingSizes, true);
    for (Qt::Orientation orientation : {Qt::Vertical, Qt::Horizontal}) {
        QHeaderView *header = orientation == Qt::Vertical ? verticalHeader() : horizontalHeader();
        const QList<int> &sizes = m_cells->lineSizes(orientation);
        for (int line = 0; line < qMin(header->count(), int(sizes.size())); ++line) {
            if (header->sectionSize(line) != sizes.at(line))
                header->resizeSection(line, sizes.at(line));
        }
    }
}

void TableWidget::applyLineSize(Qt::Orientation orientation, int line, int size)
{
    QScopedValueRollback<bool> applying(m_applyingSizes, true);
    QHeaderView *header = orientation == Qt::Vertical ? verticalHeader() : horizontalHeader();
    if (line < header->count() && header->sectionSize(line) != size)
        header->resizeSection(line, size);
}

// A size of 0 is a hidden section, which the grid never makes itself.
void TableWidget::storeLineSize(Qt::Orientation orientation, int line, int size)
{
    if (!m_applyingSizes && size > 0)
        m_cells->setLineSize(orientation, line, size);
}

// ---- Whole-grid operations ----

// Emptying the grid drops the selection; the toolbars hear of it before the
// cells change (a model reset drops it without a word).
bool TableWidget::newTable(int rows, int columns)
{
    if (!CellTableModel::sizeAllowed(rows, columns))
        return false;
    selectionModel()->clear();
    m_cells->reset(rows, columns);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    return true;
}

// Every cell void, default sizes, nothing selected; the shape stays.
void TableWidget::clear()
{
    QScopedValueRollback<std::optional<GridSelection>> started(m_stepSelection, gridSelection());
    selectionModel()->clear();
    m_editor->resetGrid(tr("Clear all"), rowCount(), columnCount());
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

QItemSelection TableWidget::wholeGrid() const
{
    if (rowCount() == 0 || columnCount() == 0)
        return QItemSelection();
    return QItemSelection(m_cells->index(0, 0), m_cells->index(rowCount() - 1, columnCount() - 1));
}

void TableWidget::removeStatistics(const QString &commandName)
{
    QList<CellTableModel::CellEdit> edits;
    forEachCellIn(wholeGrid(), [&](const CellContent &content, int row, int column) {
        if (content.dataType() == CellContent::Kind::Statistic &&
            content.statistic().statisticName == commandName) {
            CellContent cleared = content;
            cleared.clearContent();
            edits.append({row, column, cleared});
        }
    });
    setContents(tr("Remove statistic"), edits);
}

void TableWidget::removeAreaFromCells(const QString &areaName)
{
    QList<CellTableModel::CellEdit> edits;
    forEachCellIn(wholeGrid(), [&](const CellContent &content, int row, int column) {
        if (content.area() == areaName) {
            CellContent freed = content;
            freed.setArea(QString());
            edits.append({row, column, freed});
        }
    });
    setContents(tr("Remove area"), edits);
}

void TableWidget::selectArea(const QString &areaName)
{
    QItemSelection selection;
    forEachCellIn(wholeGrid(), [&](const CellContent &content, int row, int column) {
        if (content.area() == areaName) {
            const QModelIndex index = m_cells->index(row, column);
            selection.append(QItemSelectionRange(index, index));
        }
    });
    // Two steps, as a user would: first nothing, then the area's cells, each
    // analysed once.
    clearSelection();
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// ---- Selection-wide operations ----

void TableWidget::forEachCellIn(const QItemSelection &ranges, const CellVisitor &visit) const
{
    for (const QItemSelectionRange &range : ranges) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            for (int column = range.left(); column <= range.right(); ++column)
                visit(m_cells->content(row, column), row, column);
        }
    }
}

void TableWidget::editCells(const QString &step, const QItemSelection &ranges,
                            const CellEditor &edit, CellTableModel::EditKind kind)
{
    QList<CellTableModel::CellEdit> edits;
    QHash<qint64, qsizetype> editOf;
    for (qsizetype range = 0; range < ranges.size(); ++range) {
        QItemSelection single;
        single.append(ranges.at(range));
        forEachCellIn(single, [&](const CellContent &content, int row, int column) {
            const qint64 key = positionKey(row, column);
            const auto earlier = editOf.constFind(key);
            if (earlier != editOf.cend()) {
                edit(edits[*earlier].content, range);
                return;
            }
            editOf.insert(key, edits.size());
            edits.append({row, column, content});
            edit(edits.last().content, range);
        });
    }
    m_editor->setContents(step, edits, kind);
}

void TableWidget::editSelectedCells(const QString &step, const CellEditor &edit,
                                    CellTableModel::EditKind kind)
{
    editCells(step, selectionModel()->selection(), edit, kind);
}

void TableWidget::setContents(const QString &step, const QList<CellTableModel::CellEdit> &edits)
{
    m_editor->setContents(step, edits);
}

void TableWidget::setAreaForCurrentSelection(const QString &areaName)
{
    editSelectedCells(tr("Assign area"),
                      [&areaName](CellContent &content, qsizetype) { content.setArea(areaName); });
}

void TableWidget::setFormatInSelectedStatisticsCells(const QString &format)
{
    editSelectedCells(tr("Set format"), [&format](CellContent &content, qsizetype) {
        if (content.dataType() == CellContent::Kind::Statistic)
            content.setStatisticFormat(format);
    });
}

void TableWidget::setStatisticFormatView(CellContent::StatisticFormatView formatView)
{
    editSelectedCells(
        tr("Format statistic view"),
        [formatView](CellContent &content, qsizetype) {
            content.setStatisticFormatView(formatView);
        },
        CellTableModel::EditKind::View);
}

void TableWidget::setStatisticFormatViewOnlyStatisticName()
{
    setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticName);
}

void TableWidget::setStatisticFormatViewOnlyStatisticVariableName()
{
    setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticVariableName);
}

void TableWidget::setStatisticFormatViewOnlyStatisticVariableLabel()
{
    setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticVariableLabel);
}

void TableWidget::setStatisticFormatViewStatisticNameVariableName()
{
    setStatisticFormatView(CellContent::StatisticFormatView::StatisticNameVariableName);
}

void TableWidget::setStatisticFormatViewStatisticNameVariableLabel()
{
    setStatisticFormatView(CellContent::StatisticFormatView::StatisticNameVariableLabel);
}

void TableWidget::setConditionFormatView(CellContent::ConditionFormatView formatView)
{
    editSelectedCells(
        tr("Format condition view"),
        [formatView](CellContent &content, qsizetype) {
            content.setConditionFormatView(formatView);
        },
        CellTableModel::EditKind::View);
}

void TableWidget::setConditionFormatViewOnlyModalityLabel()
{
    setConditionFormatView(CellContent::ConditionFormatView::OnlyModalityLabel);
}

void TableWidget::setConditionFormatViewOnlyModalityValue()
{
    setConditionFormatView(CellContent::ConditionFormatView::OnlyModalityValue);
}

void TableWidget::setConditionFormatViewVariableNameEqualModalityValue()
{
    setConditionFormatView(CellContent::ConditionFormatView::VariableNameEqualModalityValue);
}

void TableWidget::setConditionFormatViewVariableNameEqualModalityValueLabel()
{
    setConditionFormatView(CellContent::ConditionFormatView::VariableNameEqualModalityValueLabel);
}

void TableWidget::setConditionFormatViewVariableLabelEqualModalityValue()
{
    setConditionFormatView(CellContent::ConditionFormatView::VariableLabelEqualModalityValue);
}

void TableWidget::setConditionFormatViewVariableLabelEqualModalityValueLabel()
{
    setConditionFormatView(CellContent::ConditionFormatView::VariableLabelEqualModalityValueLabel);
}

void TableWidget::clearSelectedCells()
{
    editSelectedCells(tr("Delete"),
                      [](CellContent &content, qsizetype) { content.clearContent(); });
}

void TableWidget::setStatisticInSelectedCells(const Statistic &statistic)
{
    editSelectedCells(tr("Drop statistic"), [&statistic](CellContent &content, qsizetype) {
        content.setStatistic(statistic);
    });
}

void TableWidget::setMicroConditionsInSelection(const QList<MicroCondition> &microConditions)
{
    if (microConditions.isEmpty())
        return;
    const QItemSelection ranges = selectionModel()->selection();
    qsizetype currentRange = -1;
    bool strip = false;
    qsizetype next = 0;
    editCells(tr("Drop modalities"), ranges, [&](CellContent &content, qsizetype range) {
        if (range != currentRange) {
            currentRange = range;
            const QItemSelectionRange &cells = ranges.at(range);
            strip = (cells.height() == 1 && cells.width() >= 2) ||
                    (cells.width() == 1 && cells.height() >= 2);
            next = 0;
        }
        content.addMicroCondition(microConditions.at(strip ? next : 0));
        next = (next + 1) % microConditions.size();
    });
}

bool TableWidget::isCellSelected(int row, int column) const
{
    return selectionModel()->isSelected(m_cells->index(row, column));
}

// ---- Insertion and removal ----

void TableWidget::askAndInsertLines(Qt::Orientation orientation, bool after)
{
    const bool rows = orientation == Qt::Vertical;
    const auto kind = rows ? InsertRowsColumnsDialog::Rows : InsertRowsColumnsDialog::Columns;
    const auto direction =
        rows ? (after ? InsertRowsColumnsDialog::Down : InsertRowsColumnsDialog::Up)
             : (after ? InsertRowsColumnsDialog::Right : InsertRowsColumnsDialog::Left);
    InsertRowsColumnsDialog dialog(kind, direction, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int current = rows ? currentRow() : currentColumn();
    insertLines(orientation, after ? current + 1 : current, dialog.count());
}

// Inserting count rows at once puts them where inserting one row count times
// would: the current cell keeps its content, so the rows end up above it
// (position = current row) or below it (position = current row + 1). The
// selection and the current cell move with their contents.
void TableWidget::insertLines(Qt::Orientation orientation, int position, int count)
{
    const bool rows = orientation == Qt::Vertical;
    if (position < 0 || position > (rows ? rowCount() : columnCount()) || count < 1)
        return;
    // The selection moves with its cells, which stay what they were.
    QScopedValueRollback<bool> suspended(m_analysisSuspended, true);
    if (!m_editor->insertLines(rows ? tr("Insert rows") : tr("Insert columns"), orientation,
                               position, count)) {
        QMessageBox::warning(
            this, tr("Quorin"),
            tooLargeMessage(rowCount() + (rows ? count : 0), columnCount() + (rows ? 0 : count)));
    }
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
// and overlap of the ranges; the selection goes with them and the current
// cell stays on its content, or moves to the nearest line left.
void TableWidget::removeLines(Qt::Orientation orientation)
{
    const bool rows = orientation == Qt::Vertical;
    const QList<int> doomed = selectedLines(orientation);
    if (doomed.isEmpty())
        return;
    QList<bool> removed(rows ? rowCount() : columnCount(), false);
    for (int line : doomed)
        removed[line] = true;
    const int line = positionAfterRemoval(rows ? currentRow() : currentColumn(), removed);
    const int otherLine = rows ? currentColumn() : currentRow();
    QScopedValueRollback<std::optional<GridSelection>> started(m_stepSelection, gridSelection());
    clearSelection();
    m_editor->removeLines(rows ? tr("Remove rows") : tr("Remove columns"), orientation, doomed);
    const QModelIndex current = m_cells->index(rows ? line : otherLine, rows ? otherLine : line);
    if (current.isValid())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

// The rows (or columns) that hold a selected cell, in ascending order.
QList<int> TableWidget::selectedLines(Qt::Orientation orientation) const
{
    const bool rows = orientation == Qt::Vertical;
    QList<bool> marked(rows ? rowCount() : columnCount(), false);
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        const int first = rows ? range.top() : range.left();
        const int last = rows ? range.bottom() : range.right();
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

// ---- Context-menu commands ----

void TableWidget::onInsertRowsUp()
{
    askAndInsertLines(Qt::Vertical, false);
}

void TableWidget::onInsertRowsDown()
{
    askAndInsertLines(Qt::Vertical, true);
}

void TableWidget::onInsertColumnsLeft()
{
    askAndInsertLines(Qt::Horizontal, false);
}

void TableWidget::onInsertColumnsRight()
{
    askAndInsertLines(Qt::Horizontal, true);
}

void TableWidget::onSetSimpleText()
{
    if (selectionModel()->selection().isEmpty())
        return;
    SetSimpleTextDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString text = dialog.text();
    if (text.isEmpty())
        return;
    editSelectedCells(tr("Set simple text"),
                      [&text](CellContent &content, qsizetype) { content.setSimpleText(text); });
}

// The grid may change while the dialog is open; the text goes to the cell
// only if it still holds a simple text.
void TableWidget::onEditSimpleText()
{
    const QItemSelection ranges = selectionModel()->selection();
    if (ranges.size() != 1)
        return;
    const int row = ranges.first().top();
    const int column = ranges.first().left();
    if (content(row, column).dataType() != CellContent::Kind::SimpleText)
        return;
    EditSimpleTextDialog dialog(this, content(row, column).simpleText());
    if (dialog.exec() != QDialog::Accepted ||
        content(row, column).dataType() != CellContent::Kind::SimpleText)
        return;
    CellContent edited = content(row, column);
    edited.setSimpleText(dialog.text());
    setContents(tr("Edit simple text"), {{row, column, edited}});
}

// ---- Clipboard ----

QRect TableWidget::selectedBlock() const
{
    QRect block;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        block |= QRect(range.left(), range.top(), range.width(), range.height());
    return block;
}

void TableWidget::copy()
{
    const QRect block = selectedBlock();
    if (block.isEmpty())
        return;
    CellContentGrid cells(block.height(), block.width());
    for (int row = 0; row < block.height(); ++row) {
        for (int column = 0; column < block.width(); ++column)
            cells(row, column) = content(block.top() + row, block.left() + column);
    }
    QGuiApplication::clipboard()->setMimeData(CellClipboard::mimeData(cells));
}

void TableWidget::cut()
{
    if (selectedBlock().isEmpty())
        return;
    copy();
    editSelectedCells(tr("Cut"), [](CellContent &content, qsizetype) { content.clearContent(); });
}

// The pasted block is selected afterwards, as spreadsheets do, so that the
// user sees where it went.
void TableWidget::paste()
{
    const int row = currentRow();
    const int column = currentColumn();
    const CellClipboard::Block block =
        CellClipboard::block(QGuiApplication::clipboard()->mimeData());
    if (block.isEmpty() || row < 0 || column < 0)
        return;
    setContents(tr("Paste"), CellClipboard::pasteEdits(m_cells->cells(), row, column, block));
    const int bottom = qMin(rowCount(), row + block.cells.rowCount()) - 1;
    const int right = qMin(columnCount(), column + block.cells.columnCount()) - 1;
    selectionModel()->select(
        QItemSelection(m_cells->index(row, column), m_cells->index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
    if (!CellClipboard::fits(m_cells->cells(), row, column, block)) {
        QMessageBox::information(
            this, tr("Quorin"),
            tr("The copied block of %1 × %2 cells reaches beyond the edge of the table; the "
               "cells that did not fit were left out.")
                .arg(block.cells.rowCount())
                .arg(block.cells.columnCount()));
    }
}

// ---- Events ----

// Backspace empties cells as Delete does, as in spreadsheets; it goes no
// further, where the view would take it for a keyboard search.
void TableWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) {
        clearSelectedCells();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete)
        clearSelectedCells();
    QTableView::keyPressEvent(event);
}

void TableWidget::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    m_contextMenu->exec(QCursor::pos());
}

// ---- Drops ----

void TableWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDragFrom(event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TableWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptsDragFrom(event->source()) && indexAt(event->position().toPoint()).isValid())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TableWidget::dropEvent(QDropEvent *event)
{
    const QModelIndex target = indexAt(event->position().toPoint());
    if (!target.isValid()) {
        event->ignore();
        return;
    }
    const QObject *source = event->source();
    dropPayload(target.row(), target.column(), event->mimeData(),
                source ? source->objectName() : QString());
    event->acceptProposedAction();
}

void TableWidget::dropPayload(int row, int column, const QMimeData *payload,
                              const QString &sourceName)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
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
        if (isCellSelected(row, column)) {
            setStatisticInSelectedCells(statistic);
        } else {
            CellContent changed = content(row, column);
            changed.setStatistic(statistic);
            setContents(tr("Drop statistic"), {{row, column, changed}});
        }
    } else if (sourceName == QLatin1String("modalityListWidget")) {
        const auto *dropped = qobject_cast<const MicroConditionListMimeData *>(payload);
        if (dropped && !dropped->microConditions().isEmpty()) {
            if (isCellSelected(row, column)) {
                setMicroConditionsInSelection(dropped->microConditions());
            } else {
                CellContent changed = content(row, column);
                changed.addMicroCondition(dropped->microConditions().first());
                setContents(tr("Drop modalities"), {{row, column, changed}});
            }
        }
    }
    analyseSelection();
}

// ---- Do-file pieces ----

QString TableWidget::finalCommand(int row, int column) const
{
    return DoFileComposer(m_cells->cells(), m_document->catalogue(), m_document->areas())
        .finalCommand(row, column);
}

QString TableWidget::ifCondition(int row, int column) const
{
    return DoFileComposer(m_cells->cells(), m_document->catalogue(), m_document->areas())
        .ifCondition(row, column);
}

// ---- Selection analysis ----

// Emits, for a non-empty selection: at most one signal about a single cell,
// then exactly one each about the statistic, the format and the area.
void TableWidget::analyseSelection()
{
    if (m_analysisSuspended)
        return;
    const QItemSelection ranges = selectionModel()->selection();
    if (ranges.isEmpty()) {
        emit nothingSelected();
        return;
    }
    SelectionSummary summary;
    forEachCellIn(ranges,
                  [&summary](const CellContent &content, int, int) { summary.add(content); });
    const QItemSelectionRange &first = ranges.first();
    if (ranges.size() == 1 && first.height() == 1 && first.width() == 1)
        emitSingleCellSignal(first.top(), first.left());
    emitGroupSignals(summary);
}

void TableWidget::emitSingleCellSignal(int row, int column)
{
    const CellContent &selected = content(row, column);
    switch (selected.dataType()) {
    case CellContent::Kind::Condition:
        emit singleCellWithConditionSelected(selected.conditionLabel());
        break;
    case CellContent::Kind::Statistic:
        emit singleCellWithStatisticSelected(finalCommand(row, column));
        break;
    case CellContent::Kind::SimpleText:
        emit singleCellWithSimpleTextSelected(selected.simpleText());
        break;
    case CellContent::Kind::Void:
        emit notSingleCellWithStatisticOrConditionSelected();
        break;
    }
}

void TableWidget::emitGroupSignals(const SelectionSummary &summary)
{
    const StatisticCatalogue &catalogue = m_document->catalogue();
    if (summary.allSameStatistic()) {
        const auto entry = catalogue.constFind(summary.firstStatisticName());
        emit allCellsWithSameStatisticSelected(entry != catalogue.cend() ? entry->result()
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
