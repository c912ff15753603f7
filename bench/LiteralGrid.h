#pragma once

#include <QTableWidget>

class QDomElement;

// The grid operations as a plain reading of the design gives them, for
// comparison in TableBench: one parentless label per cell installed with
// setCellWidget, colours and the selection colour as style sheets, removal
// through Qt one row at a time, and every cell created anew by clear().
class LiteralGrid : public QTableWidget
{
    Q_OBJECT

public:
    LiteralGrid();

    void newTable(int rows, int columns);
    void clearGrid();
    void fill();
    void removeRowsOfSelectedCells();
    void loadCells(const QDomElement &element);

private:
    void installLabel(int row, int column, const QString &text, const QString &styleSheet);
};
