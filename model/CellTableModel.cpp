#include "model/CellTableModel.h"

#include <QColor>

#include <algorithm>

bool CellTableModel::sizeAllowed(qint64 rows, qint64 columns)
{
    return Document::gridSizeAllowed(rows, columns);
}

CellTableModel::CellTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int CellTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cells.rowCount();
}

int CellTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cells.columnCount();
}

QVariant CellTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_cells.contains(index.row(), index.column()))
        return QVariant();
    const CellContent &cell = m_cells(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cell.displayText();
    case Qt::ForegroundRole: {
        const QString color = cell.colorName();
        return color.isEmpty() ? QVariant() : QVariant(QColor(color));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case contentRole:
        return QVariant::fromValue(cell);
    default:
        return QVariant();
    }
}

// Cells are selected and dropped on, never edited in place.
Qt::ItemFlags CellTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
}

const CellContent &CellTableModel::content(int row, int column) const
{
    static const CellContent none;
    const CellContent *found = m_cells.contentAt(row, column);
    return found ? *found : none;
}

bool CellTableModel::reset(const CellContentGrid &cells, const QList<int> &rowHeights,
                           const QList<int> &columnWidths)
{
    if (!sizeAllowed(cells.rowCount(), cells.columnCount()))
        return false;
    beginResetModel();
    m_cells = cells;
    m_rowHeights = boundedSizes(rowHeights, cells.rowCount(), Qt::Vertical);
    m_columnWidths = boundedSizes(columnWidths, cells.columnCount(), Qt::Horizontal);
    endResetModel();
    emit lineSizesReset();
    emit contentChanged();
    return true;
}

bool CellTableModel::reset(int rows, int columns)
{
    if (!sizeAllowed(rows, columns))
        return false;
    return reset(CellContentGrid(rows, columns));
}

// A size a file leaves out (or gives as 0 or less) is the default one: a row
// of no height could not be seen, let alone resized back.
QList<int> CellTableModel::boundedSizes(const QList<int> &given, int count,
                                        Qt::Orientation orientation) const
{
    QList<int> bounded(count, defaultLineSize(orientation));
    for (int line = 0; line < qMin(count, int(given.size())); ++line) {
        if (given.at(line) > 0)
            bounded[line] = qMin(given.at(line), maximumLineSize);
    }
    return bounded;
}

void CellTableModel::setContents(const QList<CellEdit> &edits, EditKind kind)
{
    int top = m_cells.rowCount(), left = m_cells.columnCount(), bottom = -1, right = -1;
    for (const CellEdit &edit : edits) {
        if (!m_cells.setContent(edit.row, edit.column, edit.content))
            continue;
        top = qMin(top, edit.row);
        bottom = qMax(bottom, edit.row);
        left = qMin(left, edit.column);
        right = qMax(right, edit.column);
    }
    if (bottom < 0)
        return;
    emit dataChanged(index(top, left), index(bottom, right));
    if (kind == EditKind::Content)
        emit contentChanged();
}

bool CellTableModel::insertLines(Qt::Orientation orientation, int position, int count)
{
    const bool rows = orientation == Qt::Vertical;
    const int lineCount = rows ? m_cells.rowCount() : m_cells.columnCount();
    if (position < 0 || position > lineCount || count < 1)
        return true;
    if (!sizeAllowed(m_cells.rowCount() + (rows ? count : 0),
                     m_cells.columnCount() + (rows ? 0 : count)))
        return false;
    if (rows)
        beginInsertRows(QModelIndex(), position, position + count - 1);
    else
        beginInsertColumns(QModelIndex(), position, position + count - 1);
    m_cells.insertLines(orientation, position, count);
    sizes(orientation).insert(position, count, defaultLineSize(orientation));
    if (rows)
        endInsertRows();
    else
        endInsertColumns();
    emit contentChanged();
    return true;
}

// One run goes as one removal, which views and selections follow; several
// runs are removed in one pass and the model reset, which is far cheaper
// than a removal per run on a large grid.
void CellTableModel::removeLines(Qt::Orientation orientation, const QList<int> &lines)
{
    const bool rows = orientation == Qt::Vertical;
    const int lineCount = rows ? m_cells.rowCount() : m_cells.columnCount();
    QList<int> sorted;
    for (int line : lines) {
        if (line >= 0 && line < lineCount)
            sorted.append(line);
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.isEmpty())
        return;
    QList<int> &lineSizes = sizes(orientation);
    auto removeSizes = [&] {
        for (auto line = sorted.crbegin(); line != sorted.crend(); ++line)
            lineSizes.removeAt(*line);
    };
    const int first = sorted.first();
    const int last = sorted.last();
    if (last - first + 1 == sorted.size()) {
        if (rows)
            beginRemoveRows(QModelIndex(), first, last);
        else
            beginRemoveColumns(QModelIndex(), first, last);
        m_cells.removeLines(orientation, sorted);
        removeSizes();
        if (rows)
            endRemoveRows();
        else
            endRemoveColumns();
    } else {
        beginResetModel();
        m_cells.removeLines(orientation, sorted);
        removeSizes();
        endResetModel();
        emit lineSizesReset();
    }
    emit contentChanged();
}

int CellTableModel::lineSize(Qt::Orientation orientation, int line) const
{
    return lineSizes(orientation).value(line, defaultLineSize(orientation));
}

const QList<int> &CellTableModel::lineSizes(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? m_rowHeights : m_columnWidths;
}

QList<int> &CellTableModel::sizes(Qt::Orientation orientation)
{
    return orientation == Qt::Vertical ? m_rowHeights : m_columnWidths;
}

void CellTableModel::setLineSize(Qt::Orientation orientation, int line, int size)
{
    QList<int> &lineSizes = sizes(orientation);
    size = qBound(1, size, maximumLineSize);
    if (line < 0 || line >= lineSizes.size() || lineSizes.at(line) == size)
        return;
    lineSizes[line] = size;
    emit lineSizeChanged(orientation, line, size);
    emit contentChanged();
}

int CellTableModel::defaultLineSize(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? m_defaultRowHeight : m_defaultColumnWidth;
}

// Lines that still have the old default take the new one: they were never
// sized by anyone.
void CellTableModel::setDefaultLineSize(Qt::Orientation orientation, int size)
{
    int &current = orientation == Qt::Vertical ? m_defaultRowHeight : m_defaultColumnWidth;
    if (size <= 0 || size == current)
        return;
    for (int &lineSize : sizes(orientation)) {
        if (lineSize == current)
            lineSize = size;
    }
    current = size;
    emit lineSizesReset();
}
