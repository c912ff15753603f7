#include "model/CellContentGrid.h"

#include <QtGlobal>

CellContentGrid::CellContentGrid(int rowCount, int columnCount)
    : m_rowCount(qMax(0, rowCount))
    , m_columnCount(qMax(0, columnCount))
    , m_contents(qsizetype(m_rowCount) * m_columnCount)
{}

const CellContent *CellContentGrid::contentAt(int row, int column) const
{
    return contains(row, column) ? &m_contents.at(index(row, column)) : nullptr;
}

bool CellContentGrid::setContent(int row, int column, const CellContent &content)
{
    if (!contains(row, column))
        return false;
    m_contents[index(row, column)] = content;
    return true;
}

CellContent &CellContentGrid::operator()(int row, int column)
{
    Q_ASSERT(contains(row, column));
    return m_contents[index(row, column)];
}

const CellContent &CellContentGrid::operator()(int row, int column) const
{
    Q_ASSERT(contains(row, column));
    return m_contents.at(index(row, column));
}

bool CellContentGrid::contains(int row, int column) const
{
    return row >= 0 && row < m_rowCount && column >= 0 && column < m_columnCount;
}

// Rows are runs of the list and move as a block; a column touches every row,
// so the grid is rebuilt in one pass rather than shifted row by row.
void CellContentGrid::insertLines(Qt::Orientation orientation, int position, int count)
{
    if (count <= 0)
        return;
    if (orientation == Qt::Vertical) {
        position = qBound(0, position, m_rowCount);
        m_contents.insert(index(position, 0), qsizetype(count) * m_columnCount, CellContent());
        m_rowCount += count;
        return;
    }
    position = qBound(0, position, m_columnCount);
    QList<CellContent> contents;
    contents.reserve(qsizetype(m_rowCount) * (m_columnCount + count));
    for (int row = 0; row < m_rowCount; ++row) {
        for (int column = 0; column < m_columnCount; ++column) {
            if (column == position)
                contents.insert(contents.size(), count, CellContent());
            contents.append(std::move(m_contents[index(row, column)]));
        }
        if (position == m_columnCount)
            contents.insert(contents.size(), count, CellContent());
    }
    m_columnCount += count;
    m_contents = std::move(contents);
}

void CellContentGrid::removeLines(Qt::Orientation orientation, int position, int count)
{
    const int lineCount = orientation == Qt::Vertical ? m_rowCount : m_columnCount;
    position = qMax(0, position);
    count = qMin(count, lineCount - position);
    if (count <= 0)
        return;
    QList<int> lines;
    lines.reserve(count);
    for (int line = position; line < position + count; ++line)
        lines.append(line);
    removeLines(orientation, lines);
}

void CellContentGrid::removeLines(Qt::Orientation orientation, const QList<int> &lines)
{
    const bool rows = orientation == Qt::Vertical;
    QList<bool> removed(rows ? m_rowCount : m_columnCount, false);
    int removedCount = 0;
    for (int line : lines) {
        if (line >= 0 && line < removed.size() && !removed.at(line)) {
            removed[line] = true;
            ++removedCount;
        }
    }
    if (removedCount == 0)
        return;
    QList<CellContent> contents;
    contents.reserve(m_contents.size() -
                     qsizetype(removedCount) * (rows ? m_columnCount : m_rowCount));
    for (int row = 0; row < m_rowCount; ++row) {
        if (rows && removed.at(row))
            continue;
        for (int column = 0; column < m_columnCount; ++column) {
            if (!rows && removed.at(column))
                continue;
            contents.append(std::move(m_contents[index(row, column)]));
        }
    }
    (rows ? m_rowCount : m_columnCount) -= removedCount;
    m_contents = std::move(contents);
}
