#pragma once

#include <QList>
#include <QMetaType>
#include <QRect>

// A selection of the grid as plain positions: the selected blocks (x is the
// column, y the row) and the current cell. Kept by an undo step, it survives
// the removal and re-insertion of the lines it covers, which model indexes
// would not.
struct GridSelection
{
    QList<QRect> ranges;
    int currentRow = -1;
    int currentColumn = -1;

    bool operator==(const GridSelection &other) const
    {
        return ranges == other.ranges && currentRow == other.currentRow &&
               currentColumn == other.currentColumn;
    }
};

Q_DECLARE_METATYPE(GridSelection)
