#pragma once

#include "ContentBuilders.h"
#include "table/Cell.h"
#include "table/TableWidget.h"

#include <QSet>
#include <QTableWidgetSelectionRange>

// Selections and checks shared by the grid's tests.
namespace TableTest {

// Selects the ranges one after the other, as a user adding ranges with Ctrl.
inline void select(TableWidget &table, const QList<QTableWidgetSelectionRange> &ranges)
{
    for (const QTableWidgetSelectionRange &range : ranges)
        table.setRangeSelected(range, true);
}

inline QTableWidgetSelectionRange cellRange(int row, int column)
{
    return QTableWidgetSelectionRange(row, column, row, column);
}

// Every position holds its own Cell, installed in the view as the widget of
// that position, a child of the viewport.
inline bool everyPositionHoldsItsCell(const TableWidget &table, QString *problem = nullptr)
{
    QSet<const Cell *> seen;
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const Cell *cell = table.cell(row, column);
            QString fault;
            if (!cell)
                fault = QStringLiteral("no cell");
            else if (table.cellWidget(row, column) != cell)
                fault = QStringLiteral("not installed");
            else if (cell->parentWidget() != table.viewport())
                fault = QStringLiteral("not in the viewport");
            else if (seen.contains(cell))
                fault = QStringLiteral("cell at two positions");
            if (!fault.isEmpty()) {
                if (problem)
                    *problem = QStringLiteral("(%1, %2): %3").arg(row).arg(column).arg(fault);
                return false;
            }
            seen.insert(cell);
        }
    }
    return true;
}

// The display texts of a row, left to right.
inline QStringList rowTexts(const TableWidget &table, int row)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column)
        texts.append(table.cell(row, column)->text());
    return texts;
}

inline QStringList columnTexts(const TableWidget &table, int column)
{
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts.append(table.cell(row, column)->text());
    return texts;
}

} // namespace TableTest
