#include "app/DocumentBinding.h"

#include "model/CellContent.h"
#include "panel/VariablesWidget.h"
#include "table/TableWidget.h"

DocumentBinding::DocumentBinding(TableWidget *table, VariablesWidget *variables,
                                 StatisticCatalogue *catalogue, AreaCollection *areas)
    : m_table(table)
    , m_variables(variables)
    , m_catalogue(catalogue)
    , m_areas(areas)
{}

// A name the panel lists twice is stored twice, each time with the one
// definition the catalogue keeps for it, so that the file shows the user's
// list as it was.
Document DocumentBinding::gather() const
{
    Document document;
    document.stataDatasetFileName = m_table->stataDatasetFileName();
    document.outputFileName = m_table->outputFileName();
    for (const QString &name : m_variables->statisticNames())
        document.commands.append(m_catalogue->value(name));
    document.variables = m_variables->variables();
    for (int row = 0; row < m_table->rowCount(); ++row)
        document.rowHeights.append(m_table->rowHeight(row));
    for (int column = 0; column < m_table->columnCount(); ++column)
        document.columnWidths.append(m_table->columnWidth(column));
    document.areas = *m_areas;
    document.cells = gatherCells();
    return document;
}

CellContentGrid DocumentBinding::gatherCells() const
{
    const CellGrid &grid = m_table->cellGrid();
    CellContentGrid cells(grid.rowCount(), grid.columnCount());
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) {
            if (const CellContent *content = grid.contentAt(row, column))
                cells(row, column) = *content;
        }
    }
    return cells;
}

bool DocumentBinding::apply(const Document &document)
{
    if (!TableWidget::canHold(document.cells.rowCount(), document.cells.columnCount()))
        return false;
    m_table->setStataDatasetFileName(document.stataDatasetFileName);
    m_table->setOutputFileName(document.outputFileName);
    m_variables->loadStatistics(document.commands);
    m_variables->setVariables(document.variables);
    m_table->loadCells(document.cells);
    applySizes(document);
    *m_areas = document.areas;
    if (m_table->rowCount() > 0 && m_table->columnCount() > 0)
        m_table->setCurrentCell(0, 0);
    return true;
}

// A size a file leaves out (or gives as 0 or less) keeps the default one: a
// row of no height could not be seen, let alone resized back.
void DocumentBinding::applySizes(const Document &document)
{
    const int rows = qMin(m_table->rowCount(), int(document.rowHeights.size()));
    for (int row = 0; row < rows; ++row) {
        const int height = document.rowHeights.at(row);
        if (height > 0)
            m_table->setRowHeight(row, qMin(height, maximumSectionSize));
    }
    const int columns = qMin(m_table->columnCount(), int(document.columnWidths.size()));
    for (int column = 0; column < columns; ++column) {
        const int width = document.columnWidths.at(column);
        if (width > 0)
            m_table->setColumnWidth(column, qMin(width, maximumSectionSize));
    }
}
