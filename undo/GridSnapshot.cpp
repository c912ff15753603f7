#include "undo/GridSnapshot.h"

#include "model/CellTableModel.h"

GridSnapshot GridSnapshot::of(const CellTableModel &table)
{
    return {table.cells(), table.lineSizes(Qt::Vertical), table.lineSizes(Qt::Horizontal)};
}

void GridSnapshot::restore(CellTableModel &table) const
{
    table.reset(cells, rowHeights, columnWidths);
}
