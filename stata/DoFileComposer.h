#pragma once

#include "model/AreaCollection.h"
#include "model/CellGrid.h"
#include "model/StatisticCatalogue.h"

#include <QString>

// Composes the Stata text of a grid from plain values: the grid's contents,
// the statistic catalogue and the areas. The grid widget only gathers them.
class DoFileComposer
{
public:
    DoFileComposer(const CellGrid &grid, const StatisticCatalogue &catalogue,
                   const AreaCollection &areas);

    // The statistic cell's command template with #var replaced by its
    // variable and #if by its if-condition; empty where there is no cell.
    QString finalCommand(int row, int column) const;

    // "if " and the condition of a statistic cell: its area's condition, then
    // the condition cells of its area to its left (right to left) and above
    // it (top to bottom); empty when nothing restricts the cell.
    QString ifCondition(int row, int column) const;

private:
    void appendConditionCell(int row, int column, const QString &area, QString &expression) const;

    const CellGrid &m_grid;
    const StatisticCatalogue &m_catalogue;
    const AreaCollection &m_areas;
};
