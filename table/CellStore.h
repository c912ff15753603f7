#pragma once

#include "model/CellGrid.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class Cell;
class CellContent;
class QModelIndex;
class QTableWidget;

// Keeps exactly one Cell widget at every position of a QTableWidget, and finds
// the cell of a position in constant time. It is also the table's contents as
// a CellGrid, which the do-file is composed from.
//
// Why this much care: every cell widget holds a persistent model index, and
// Qt 6.4 hashes model indexes by row * 16 + column. On grids wider than 16
// columns the keys crowd into one long run of the model's hash table, so a
// lookup walks along that run and removing one entry re-examines every entry
// after it. cellWidget() then costs a walk, and Qt's own insertion or removal
// of rows and columns, which moves every persistent index below or to the
// right, grows quadratic or worse (dropping a 100 x 50 grid row by row took
// seconds). Hence:
// - a position's cell is read from a list kept here, never through cellWidget();
// - a change of shape first takes every cell out of the view with a single
//   model reset, which forgets all persistent indexes at once; the model then
//   changes shape with no widgets installed, and the cells go back in;
// - cells survive being taken out (see CellDelegate), are children of the
//   viewport from birth (making a parentless widget a child is slow) and are
//   deleted in the order of the viewport's child list, which spares the list
//   search that makes deleting many children in random order quadratic.
//
// Rows and columns that other code inserts or removes with QTableWidget's own
// functions are followed too (new positions get void cells), only more slowly.
class CellStore : public QObject, public CellGrid
{
    Q_OBJECT

public:
    // prepareCell runs once on every new cell, before it is installed.
    CellStore(QTableWidget *table, std::function<void(Cell *)> prepareCell);
    ~CellStore() override;

    // The cell at a position, or nullptr outside the grid.
    Cell *cell(int row, int column) const;

    int rowCount() const override { return m_rowCount; }
    int columnCount() const override { return m_columnCount; }
    const CellContent *contentAt(int row, int column) const override;

    // Runs a change of the table's shape made with QTableWidget's or the
    // model's own functions (insertion, removal, new counts), then puts a cell
    // at every position: cells keep their content when their row or column
    // moves, new positions get void cells. Selection and current cell are
    // lost on the way; the caller restores what it wants kept.
    void restructure(const std::function<void()> &change);

    // Inserts count rows (or columns) of void cells at position. The model
    // grows at its end, where Qt has no persistent index to move, and the
    // contents from position on move count places on. Cells stay where they
    // are installed; their contents travel.
    void insertRowsAt(int position, int count);
    void insertColumnsAt(int position, int count);

    // Gives the cells the contents, row by row; cells beyond the list become
    // new void cells (default content, no area).
    void setContents(const QList<CellContent> &contents);

    // True while a cell is being put into the view.
    bool isInstalling() const { return m_installing; }
    // True while the shape changes, and the cells are not all in place.
    bool isRestructuring() const { return m_restructuring; }

    // Stops following the model; the table calls it before it is destroyed.
    void detach();

private:
    void onRowsInserted(const QModelIndex &parent, int first, int last);
    void onRowsRemoved(const QModelIndex &parent, int first, int last);
    void onColumnsInserted(const QModelIndex &parent, int first, int last);
    void onColumnsRemoved(const QModelIndex &parent, int first, int last);
    void onModelReset();

    void insertRows(int first, int count);
    QList<Cell *> removeRows(int first, int count);
    void insertColumns(int first, int count);
    QList<Cell *> removeColumns(int first, int count);
    void matchModelShape();
    void moveContent(int fromRow, int fromColumn, int toRow, int toColumn);
    // Gives the cell the content of a new cell: void, no area, default views.
    void clearToNew(int row, int column);

    // Puts a cell at every empty position, reusing cells taken out of the grid
    // earlier; with installAll, also puts every other cell back into the view.
    void fillAndInstall(bool installAll);
    Cell *newOrReusedCell();
    void install(int row, int column, Cell *cell);
    void sortInChildOrder(QList<Cell *> &cells) const;
    void deleteCells(QList<Cell *> cells);
    void dropSpareCells();

    QTableWidget *m_table;
    std::function<void(Cell *)> m_prepareCell;
    // The cells row by row; null marks a position not filled yet, or one whose
    // cell other code replaced or deleted.
    QList<QPointer<Cell>> m_cells;
    int m_rowCount = 0;
    int m_columnCount = 0;
    // Cells taken out of the grid during a restructuring, reused or deleted at its end.
    QList<Cell *> m_spareCells;
    bool m_restructuring = false;
    bool m_installing = false;
};
