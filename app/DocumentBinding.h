#pragma once

#include "model/AreaCollection.h"
#include "model/Document.h"
#include "model/StatisticCatalogue.h"

class TableWidget;
class VariablesWidget;

// Moves a document between its plain form, which is what a file holds, and
// the widgets that hold it while the user works: the grid (cells, row heights,
// column widths, the dataset and output file names), the variables panel
// (variables, and the statistic catalogue in the order the user sees it) and
// the areas. None of the pointers is owned.
class DocumentBinding
{
public:
    // Row heights and column widths from a file are kept within this, so that
    // a damaged file cannot make the grid's length overflow; no screen comes
    // near it.
    static constexpr int maximumSectionSize = 10000;

    DocumentBinding(TableWidget *table, VariablesWidget *variables, StatisticCatalogue *catalogue,
                    AreaCollection *areas);

    Document gather() const;
    // Replaces the whole document by the given one; nothing of the previous
    // one is kept. The grid's current cell becomes the top left one. False,
    // with nothing changed, for a grid the table cannot hold.
    bool apply(const Document &document);

private:
    CellContentGrid gatherCells() const;
    void applySizes(const Document &document);

    TableWidget *m_table;
    VariablesWidget *m_variables;
    StatisticCatalogue *m_catalogue;
    AreaCollection *m_areas;
};
