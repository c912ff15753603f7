#pragma once

#include "model/CellContentGrid.h"

#include <QList>

class CellTableModel;

// The whole grid with its row heights and column widths. Cell contents and
// lists are shared with the model until either changes, so taking one costs
// little until the grid is edited.
struct GridSnapshot
{
    CellContentGrid cells;
    QList<int> rowHeights;
    QList<int> columnWidths;

    static GridSnapshot of(const CellTableModel &table);
    void restore(CellTableModel &table) const;
};
