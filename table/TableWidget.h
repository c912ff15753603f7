#pragma once

#include "model/AreaCollection.h"
#include "model/CellEnums.h"
#include "model/StatisticCatalogue.h"
#include "stata/DoFileModel.h"
#include "stata/StataRun.h"

#include <QList>
#include <QString>
#include <QTableWidget>

#include <functional>

class Cell;
class CellContentGrid;
class CellGrid;
class CellStore;
class MicroCondition;
class QDomElement;
class QDropEvent;
class QMimeData;
class SelectionSummary;
class TableContextMenu;
struct Statistic;

// The grid on which the user lays out the table Stata fills. Every position
// holds one Cell widget, which carries the content; the grid's items stay
// empty. Besides the operations on the grid it analyses every selection change
// and tells the toolbars, through its signals, what the selected cells share.
//
// Every cell is a widget, so a grid's size is bounded: see canHold().
class TableWidget : public QTableWidget
{
    Q_OBJECT

public:
    // The largest grid Quorin holds, in cells. Every cell is a widget, and
    // Qt 6.4 files each under a hash key that collides once a grid is wider
    // than 16 columns, so building a grid costs about the square of its cell
    // count: on two cores 999 x 30 builds in about two seconds, 999 x 40 in
    // three, 500 x 80 in ten, and 999 x 999 would take hours and gigabytes.
    // 999 x 30 is the largest size that must work; wider grids of that many
    // cells take up to five seconds.
    static constexpr int maximumCellCount = 30000;
    static bool canHold(int rows, int columns);
    // The message for a grid canHold() refuses.
    static QString tooLargeMessage(int rows, int columns);

    // Neither pointer is owned; both must outlive the grid. A new grid has 50
    // rows and 15 columns of void cells.
    TableWidget(StatisticCatalogue *statisticCatalogue, AreaCollection *areas);
    ~TableWidget() override;

    // The cell at a position, or nullptr outside the grid.
    Cell *cell(int row, int column) const;
    // The grid's contents, for composing the do-file.
    const CellGrid &cellGrid() const;

    const QString &stataDatasetFileName() const { return m_stataDatasetFileName; }
    void setStataDatasetFileName(const QString &fileName);
    const QString &outputFileName() const { return m_outputFileName; }
    void setOutputFileName(const QString &fileName);

    // A grid of void cells with default row heights and column widths; false,
    // with the grid unchanged, for a size canHold() refuses.
    bool newTable(int rows, int columns);
    // Replaces the grid by the "cells" element of a document: its declared
    // size, void cells where the element names no cell, "cell" elements
    // outside the size ignored (a later one for the same position wins).
    // False, with the grid unchanged, when canHold() refuses the size.
    bool loadCells(const QDomElement &element);
    // Replaces the grid by one of the same size and contents (format views
    // included). False, with the grid unchanged, when canHold() refuses the
    // size.
    bool loadCells(const CellContentGrid &cells);
    void removeAreaFromCells(const QString &areaName);
    void clearSelectedCells();
    void setStatisticInSelectedCells(const Statistic &statistic);
    // Appends micro-conditions range by range: cyclically along a strip of one
    // row or one column, the first one to every cell of any other range.
    void setMicroConditionsInSelection(const QList<MicroCondition> &microConditions);
    bool isCellSelected(const Cell *cell) const;
    // What a drop on a cell does, given the drag's payload and the object name
    // of its source; then the selection is analysed again.
    void dropPayload(Cell *cellWidget, const QMimeData *payload, const QString &sourceName);

    // The Stata command of a statistic cell, and its if-condition.
    QString finalCommand(int row, int column) const;
    QString ifCondition(int row, int column) const;
    // The do-file of the whole grid as it is now, on the grid's dataset.
    DoFileModel buildDoFileModel() const;
    // Writes temp.do for the grid and its output file, then runs the Stata
    // executable on it in batch mode; returns once Stata has ended, could not
    // start or was stopped by the user. A do-file that cannot be written is
    // not run.
    StataRun::Result runStata(const QString &executable, bool showStataMessage);

public slots:
    void clear();
    void setStatisticFormatView(T::StatisticFormatView formatView);
    void setStatisticFormatViewOnlyStatisticName();
    void setStatisticFormatViewOnlyStatisticVariableName();
    void setStatisticFormatViewOnlyStatisticVariableLabel();
    void setStatisticFormatViewStatisticNameVariableName();
    void setStatisticFormatViewStatisticNameVariableLabel();
    void setConditionFormatView(T::ConditionFormatView formatView);
    void setConditionFormatViewOnlyModalityLabel();
    void setConditionFormatViewOnlyModalityValue();
    void setConditionFormatViewVariableNameEqualModalityValue();
    void setConditionFormatViewVariableNameEqualModalityValueLabel();
    void setConditionFormatViewVariableLabelEqualModalityValue();
    void setConditionFormatViewVariableLabelEqualModalityValueLabel();
    void removeStatistics(const QString &commandName);
    void setFormatInSelectedStatisticsCells(const QString &format);
    void selectArea(const QString &areaName);
    void setAreaForCurrentSelection(const QString &areaName);
    void removeRowsOfSelectedCells();
    void removeColumnsOfSelectedCells();
    void onInsertRowsUp();
    void onInsertRowsDown();
    void onInsertColumnsLeft();
    void onInsertColumnsRight();
    void onSetSimpleText();
    void onEditSimpleText();

signals:
    // Anything a document file keeps changed: a cell's content or area, rows
    // or columns added or removed, a row height or column width, the dataset
    // or output file name. Emitted once per cell for changes of many cells.
    void contentChanged();

    void nothingSelected();
    void cellsWithSameFormatSelected(const QString &formatString);
    void cellsWithDifferentFormatSelected();
    void allNotStatisticCellsSelected();
    // The parameter carries the area name.
    void allCellsWithSameAndNotVoidAreaSelected(const QString &formatString);
    void cellsWithDifferentOrVoidAreaSelected();
    void allCellsWithSameStatisticSelected(const QString &resultFinalString);
    void notAllCellsWithSameStatisticSelected();
    void notSingleCellWithStatisticOrConditionSelected();
    void singleCellWithStatisticSelected(const QString &finalCommandString);
    void singleCellWithConditionSelected(const QString &conditionLabelString);
    void singleCellWithSimpleTextSelected(const QString &simpleTextString);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void updateEditorGeometries() override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void scrollContentsBy(int dx, int dy) override;

private slots:
    void dropInCell(Cell *cellWidget, QDropEvent *event);
    void insertRowUp();
    void insertRowDown();
    void insertColumnLeft();
    void insertColumnRight();
    void onItemSelectionChanged();

private:
    using CellVisitor = std::function<void(Cell *cell, int row, int column)>;
    void forEachCell(const CellVisitor &visit) const;
    void forEachCellIn(const QList<QTableWidgetSelectionRange> &ranges,
                       const CellVisitor &visit) const;
    void forEachSelectedCell(const CellVisitor &visit) const;

    void restructure(const std::function<void()> &change);
    void changeCellsOutOfView(const std::function<void()> &change);
    void insertRows(int position, int count);
    void insertColumns(int position, int count);
    bool confirmSize(int rows, int columns);
    QList<int> selectedLines(Qt::Orientation orientation) const;
    void removeLines(Qt::Orientation orientation);
    void restoreSelection(const QList<QTableWidgetSelectionRange> &ranges, int currentRow,
                          int currentColumn);
    void restoreDefaultSizes();
    void connectContentChanges();

    void emitSingleCellSignal(int row, int column);
    void emitGroupSignals(const SelectionSummary &summary);

    const StatisticCatalogue &catalogue() const;
    const AreaCollection &areas() const;

    StatisticCatalogue *m_statisticCatalogue = nullptr;
    TableContextMenu *m_contextMenu = nullptr;
    QString m_stataDatasetFileName;
    QString m_outputFileName;
    AreaCollection *m_areas = nullptr;
    CellStore *m_cells = nullptr;
    // Set while the grid puts back a selection a change of shape took away:
    // the toolbars already show it.
    bool m_analysisSuspended = false;
};
