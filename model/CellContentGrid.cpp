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
