#pragma once

#include "model/AreaCollection.h"
#include "model/CellGrid.h"
#include "model/StatisticCatalogue.h"
#include "stata/DoFileModel.h"

#include <QList>
#include <QString>

class CellContent;

// Composes the Stata text of a grid from plain values: the grid's contents,
// the statistic catalogue and the areas. The grid widget only gathers them.
class DoFileComposer
{
public:
    DoFileComposer(const CellGrid &grid, const StatisticCatalogue &catalogue,
                   const AreaCollection &areas);
    // The composer keeps references: temporaries would dangle.
    DoFileComposer(const CellGrid &&, const StatisticCatalogue &, const AreaCollection &) = delete;
    DoFileComposer(const CellGrid &, const StatisticCatalogue &&, const AreaCollection &) = delete;
    DoFileComposer(const CellGrid &, const StatisticCatalogue &, const AreaCollection &&) = delete;

    // The statistic cell's command template with #var replaced by its
    // variable and #if by its if-condition; empty where there is no cell.
    QString finalCommand(int row, int column) const;

    // "if " and the condition of a statistic cell: its area's condition, then
    // the condition cells of its area to its left (right to left) and above
    // it (top to bottom); empty when nothing restricts the cell.
    QString ifCondition(int row, int column) const;

    // The do-file of the whole grid: one entry per non-void cell, row by row.
    // A position without a cell is skipped.
    DoFileModel buildModel(const QString &stataDatasetFileName) const;

private:
    // Where the condition cells stand: for one row the columns, for one
    // column the rows, each list ascending.
    using Positions = QList<int>;

    QString composeIfCondition(const CellContent &cell, int row, int column,
                               const Positions &conditionColumns,
                               const Positions &conditionRows) const;
    void appendConditionCell(const CellContent *candidate, const QString &area,
                             QString &expression) const;
    Positions conditionColumnsOfRow(int row) const;
    Positions conditionRowsOfColumn(int column) const;
    bool isConditionCell(int row, int column) const;

    QString substitutePlaceholders(const CellContent &cell, const QString &ifCondition) const;
    DoFileEntry textEntry(int row, int column, const QString &text) const;
    DoFileEntry statisticEntry(const CellContent &cell, int row, int column,
                               const QString &ifCondition) const;

    const CellGrid &m_grid;
    const StatisticCatalogue &m_catalogue;
    const AreaCollection &m_areas;
};
