#pragma once

class CellContent;

// Read access to the contents of a grid, row by row. The do-file is composed
// from it, so it can be computed from plain values as well as from the
// grid's widgets.
class CellGrid
{
public:
    virtual ~CellGrid() = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // The content at a position, or nullptr where the position holds no cell.
    virtual const CellContent *contentAt(int row, int column) const = 0;
};
