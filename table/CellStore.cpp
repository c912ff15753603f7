#include "table/CellStore.h"

#include "model/CellContent.h"
#include "table/Cell.h"
#include "table/CellDelegate.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QScopedValueRollback>
#include <QTableWidget>

#include <algorithm>

CellStore::CellStore(QTableWidget *table, std::function<void(Cell *)> prepareCell)
    : QObject(table)
    , m_table(table)
    , m_prepareCell(std::move(prepareCell))
{
    m_table->setItemDelegate(new CellDelegate(m_table));
    QAbstractItemModel *model = m_table->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &CellStore::onRowsInserted);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &CellStore::onRowsRemoved);
    connect(model, &QAbstractItemModel::columnsInserted, this, &CellStore::onColumnsInserted);
    connect(model, &QAbstractItemModel::columnsRemoved, this, &CellStore::onColumnsRemoved);
    connect(model, &QAbstractItemModel::modelReset, this, &CellStore::onModelReset);
    matchModelShape();
    fillAndInstall(false);
}

CellStore::~CellStore() = default;

void CellStore::detach()
{
    disconnect(m_table->model(), nullptr, this, nullptr);
}

Cell *CellStore::cell(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
        return nullptr;
    return m_cells.at(qsizetype(row) * m_columnCount + column).data();
}

const CellContent *CellStore::contentAt(int row, int column) const
{
    const Cell *found = cell(row, column);
    return found ? &found->content() : nullptr;
}

void CellStore::restructure(const std::function<void()> &change)
{
    QScopedValueRollback<bool> restructuring(m_restructuring, true);
    // One reset forgets every persistent index at once; the view lets go of
    // all cells, which CellDelegate keeps alive.
    m_table->clearContents();
    change();
    fillAndInstall(true);
    dropSpareCells();
}

void CellStore::insertRowsAt(int position, int count)
{
    m_table->model()->insertRows(m_rowCount, count);
    for (int row = m_rowCount - 1; row >= position + count; --row) {
        for (int column = 0; column < m_columnCount; ++column)
            moveContent(row - count, column, row, column);
    }
    for (int row = position; row < position + count; ++row) {
        for (int column = 0; column < m_columnCount; ++column)
            clearToNew(row, column);
    }
}

void CellStore::insertColumnsAt(int position, int count)
{
    m_table->model()->insertColumns(m_columnCount, count);
    for (int row = 0; row < m_rowCount; ++row) {
        for (int column = m_columnCount - 1; column >= position + count; --column)
            moveContent(row, column - count, row, column);
        for (int column = position; column < position + count; ++column)
            clearToNew(row, column);
    }
}

void CellStore::moveContent(int fromRow, int fromColumn, int toRow, int toColumn)
{
    const Cell *from = cell(fromRow, fromColumn);
    Cell *to = cell(toRow, toColumn);
    if (to)
        to->setContent(from ? from->content() : CellContent());
}

void CellStore::clearToNew(int row, int column)
{
    if (Cell *target = cell(row, column))
        target->setContent(CellContent());
}

void CellStore::setContents(const QList<CellContent> &contents)
{
    for (qsizetype i = 0; i < m_cells.size(); ++i) {
        if (Cell *cell = m_cells.at(i))
            cell->setContent(i < contents.size() ? contents.at(i) : CellContent());
    }
}

void CellStore::onRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    insertRows(first, last - first + 1);
    if (!m_restructuring)
        fillAndInstall(false);
}

void CellStore::onRowsRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    const QList<Cell *> removed = removeRows(first, last - first + 1);
    if (m_restructuring)
        m_spareCells += removed;
    else
        deleteCells(removed);
}

void CellStore::onColumnsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    insertColumns(first, last - first + 1);
    if (!m_restructuring)
        fillAndInstall(false);
}

void CellStore::onColumnsRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    const QList<Cell *> removed = removeColumns(first, last - first + 1);
    if (m_restructuring)
        m_spareCells += removed;
    else
        deleteCells(removed);
}

// A reset made by other code (QTableWidget::clear(), clearContents()) took
// every cell out of the view; the shape is unchanged, so they all go back.
void CellStore::onModelReset()
{
    if (m_restructuring)
        return;
    QScopedValueRollback<bool> restructuring(m_restructuring, true);
    matchModelShape();
    fillAndInstall(true);
    dropSpareCells();
}

void CellStore::insertRows(int first, int count)
{
    const qsizetype at = qsizetype(first) * m_columnCount;
    m_cells.insert(at, qsizetype(count) * m_columnCount, QPointer<Cell>());
    m_rowCount += count;
}

QList<Cell *> CellStore::removeRows(int first, int count)
{
    const qsizetype at = qsizetype(first) * m_columnCount;
    const qsizetype length = qsizetype(count) * m_columnCount;
    QList<Cell *> removed;
    removed.reserve(length);
    for (qsizetype i = at; i < at + length; ++i)
        removed.append(m_cells.at(i).data());
    m_cells.remove(at, length);
    m_rowCount -= count;
    return removed;
}

void CellStore::insertColumns(int first, int count)
{
    QList<QPointer<Cell>> cells;
    cells.reserve(qsizetype(m_rowCount) * (m_columnCount + count));
    for (int row = 0; row < m_rowCount; ++row) {
        for (int column = 0; column < m_columnCount; ++column) {
            if (column == first)
                cells.insert(cells.size(), count, QPointer<Cell>());
            cells.append(m_cells.at(qsizetype(row) * m_columnCount + column));
        }
        if (first >= m_columnCount)
            cells.insert(cells.size(), count, QPointer<Cell>());
    }
    m_cells = cells;
    m_columnCount += count;
}

QList<Cell *> CellStore::removeColumns(int first, int count)
{
    QList<QPointer<Cell>> kept;
    QList<Cell *> removed;
    kept.reserve(qsizetype(m_rowCount) * (m_columnCount - count));
    for (int row = 0; row < m_rowCount; ++row) {
        for (int column = 0; column < m_columnCount; ++column) {
            const QPointer<Cell> &cell = m_cells.at(qsizetype(row) * m_columnCount + column);
            if (column >= first && column < first + count)
                removed.append(cell.data());
            else
                kept.append(cell);
        }
    }
    m_cells = kept;
    m_columnCount -= count;
    return removed;
}

// Brings the list to the model's shape when the two disagree, which only a
// reset by other code can cause; the cells are then placed anew.
void CellStore::matchModelShape()
{
    const int rows = m_table->rowCount();
    const int columns = m_table->columnCount();
    if (rows == m_rowCount && columns == m_columnCount)
        return;
    for (const QPointer<Cell> &cell : std::as_const(m_cells)) {
        if (cell)
            m_spareCells.append(cell.data());
    }
    m_cells = QList<QPointer<Cell>>(qsizetype(rows) * columns);
    m_rowCount = rows;
    m_columnCount = columns;
}

void CellStore::fillAndInstall(bool installAll)
{
    // Reused cells come from the end of the viewport's child list, so the
    // ones left over are deleted from its front.
    sortInChildOrder(m_spareCells);
    for (int row = 0; row < m_rowCount; ++row) {
        for (int column = 0; column < m_columnCount; ++column) {
            QPointer<Cell> &cell = m_cells[qsizetype(row) * m_columnCount + column];
            if (cell && !installAll)
                continue;
            if (!cell)
                cell = newOrReusedCell();
            install(row, column, cell);
        }
    }
}

Cell *CellStore::newOrReusedCell()
{
    if (!m_spareCells.isEmpty()) {
        Cell *cell = m_spareCells.takeLast();
        cell->setContent(CellContent());
        return cell;
    }
    Cell *cell = new Cell(m_table->viewport());
    if (m_prepareCell)
        m_prepareCell(cell);
    return cell;
}

void CellStore::install(int row, int column, Cell *cell)
{
    // Making the persistent index first saves the view two insertions into,
    // and two removals from, the model's crowded index hash while it checks
    // for a widget already at that position.
    const QPersistentModelIndex position(m_table->model()->index(row, column));
    QScopedValueRollback<bool> installing(m_installing, true);
    m_table->setCellWidget(row, column, cell);
}

void CellStore::sortInChildOrder(QList<Cell *> &cells) const
{
    if (cells.size() < 2)
        return;
    const QObjectList &children = m_table->viewport()->children();
    QHash<const QObject *, qsizetype> order;
    order.reserve(children.size());
    for (qsizetype i = 0; i < children.size(); ++i)
        order.insert(children.at(i), i);
    std::sort(cells.begin(), cells.end(),
              [&order](const Cell *a, const Cell *b) { return order.value(a) < order.value(b); });
}

void CellStore::deleteCells(QList<Cell *> cells)
{
    cells.removeAll(nullptr);
    sortInChildOrder(cells);
    qDeleteAll(cells);
}

void CellStore::dropSpareCells()
{
    deleteCells(m_spareCells);
    m_spareCells.clear();
}
