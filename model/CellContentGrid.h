#pragma once

#include "model/CellContent.h"
#include "model/CellGrid.h"

#include <QList>
#include <Qt>

// A grid of cell contents held as plain values, one per position, row by row.
// A document keeps its cells in one; tests and benchmarks compose do-files
// from one without any widget.
class CellContentGrid : public CellGrid
{
public:
    CellContentGrid() = default;
    // A grid of void cells; negative sizes count as 0.
    CellContentGrid(int rowCount, int columnCount);

    int rowCount() const override { return m_rowCount; }
    int columnCount() const override { return m_columnCount; }
    const CellContent *contentAt(int row, int column) const override;

    // Replaces the content at a position inside the grid; outside it nothing
    // happens and false is returned.
    bool setContent(int row, int column, const CellContent &content);
    // Direct access to a position inside the grid.
    CellContent &operator()(int row, int column);
    const CellContent &operator()(int row, int column) const;

    bool contains(int row, int column) const;

    // Void cells inserted before position (clamped to the grid), and the
    // lines from position on removed; counts of 0 or less change nothing.
    void insertLines(Qt::Orientation orientation, int position, int count);
    void removeLines(Qt::Orientation orientation, int position, int count);
    // Removes the listed rows (or columns) in one pass; the list is sorted
    // ascending and holds each line once.
    void removeLines(Qt::Orientation orientation, const QList<int> &lines);

private:
    qsizetype index(int row, int column) const { return qsizetype(row) * m_columnCount + column; }

    int m_rowCount = 0;
    int m_columnCount = 0;
    QList<CellContent> m_contents;
};
