#pragma once

#include "model/AreaCollection.h"
#include "model/CellGrid.h"
#include "model/StatisticCatalogue.h"
#include "stata/DoFileModel.h"

#include <QHash>
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
    // A condition cell that restricts something, with the column it stands
    // in (in a row's list) or the row (in a column's list).
    struct ConditionCell
    {
        int position = 0;
        const QString *area = nullptr;
        QString expression;
    };
    // The condition cells of one row or column, by ascending position.
    using ConditionCells = QList<ConditionCell>;

    QString composeIfCondition(const CellContent &cell, int row, int column,
                               const ConditionCells &ofRow, const ConditionCells &ofColumn) const;
    ConditionCells conditionCellsOfRow(int row) const;
    ConditionCells conditionCellsOfColumn(int column) const;
    // Whether the position holds a condition cell with terms; it then gives
    // the cell's entry at that position.
    bool conditionCellAt(int row, int column, int position, ConditionCell *conditionCell) const;

    QString substitutePlaceholders(const CellContent &cell, const QString &ifCondition) const;
    DoFileEntry textEntry(int row, int column, const QString &text) const;
    // Whether a statistic's displayed result may be text rather than a number.
    bool mayDisplayText(Command::ResultType resultType, const QString &format) const;
    // The line that quotes the macro's value for the output file in Stata.
    static QString runTimeQuoting(const QString &macro);
    DoFileEntry statisticEntry(const CellContent &cell, int row, int column,
                               const QString &ifCondition) const;

    const CellGrid &m_grid;
    const StatisticCatalogue &m_catalogue;
    const AreaCollection &m_areas;
    mutable QHash<QString, bool> m_formatMayShowText;
};
