#pragma once

#include "model/AreaCollection.h"
#include "model/CellContentGrid.h"
#include "model/Command.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"

#include <QList>
#include <QString>
#include <QStringList>

// Everything a document file holds, as plain values. The main window fills
// one from its widgets to save and hands the one read from a file back to
// them; DocumentWriter and DocumentReader turn it into XML and back.
struct Document
{
    // The largest grid a document may declare: as many rows and as many
    // columns as this. A file that asks for more is refused before anything
    // is built, so a damaged or hostile file cannot freeze Quorin or exhaust
    // its memory.
    static constexpr int maximumLineCount = 999;

    static bool gridSizeAllowed(qint64 rowCount, qint64 columnCount);

    QString stataDatasetFileName;
    QString outputFileName;
    // The statistic definitions in the user's order; a name may occur twice.
    QList<Command> commands;
    QList<Variable> variables;
    // Heights of the rows from the top and widths of the columns from the
    // left, in pixels; a file may hold fewer than the grid has.
    QList<int> rowHeights;
    QList<int> columnWidths;
    AreaCollection areas;
    // One content per grid position; positions a file leaves out are void.
    CellContentGrid cells;

    // The catalogue by name (a later definition of a name wins) and the
    // names in the user's order.
    StatisticCatalogue catalogue() const;
    QStringList commandNames() const;
};
