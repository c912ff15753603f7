#pragma once

#include "model/CellContent.h"
#include "model/CellTableModel.h"
#include "undo/DocumentEditor.h"
#include "undo/GridSelection.h"

#include <QItemSelection>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTableView>

#include <functional>
#include <optional>

class DocumentModel;
class MicroCondition;
class QMimeData;
class SelectionSummary;
class TableContextMenu;
struct Statistic;

// The grid on which the user lays out the table Stata fills: a view of the
// document's CellTableModel, every cell painted as centred text in its
// content's colour. It turns the user's commands, drops and keys into edits
// of the model, each one undoable step, and analyses every selection change to tell the toolbars,
// through its signals, what the selected cells share.
class TableWidget : public QTableView
{
    Q_OBJECT

public:
    // The message for an insertion that would make the grid too large.
    static QString tooLargeMessage(int rows, int columns);
    // Drags are accepted only from the variables panel's two lists; a drag
    // from elsewhere, or from outside the program, has another source or none.
    static bool acceptsDragFrom(const QObject *source);

    // The document is not owned and must outlive the grid.
    explicit TableWidget(DocumentModel *document, QWidget *parent = nullptr);
    ~TableWidget() override;

    CellTableModel *cells() const { return m_cells; }
    // Where the grid's edits go as undoable steps. The grid starts with an
    // editor and undo stack of its own; the main window gives it the one it
    // shares with the other windows. Not owned; it must outlive the grid.
    DocumentEditor *editor() const { return m_editor; }
    void setEditor(DocumentEditor *editor);
    GridSelection gridSelection() const;
    // Selects the blocks that lie inside the grid and makes the position the
    // current cell.
    void setGridSelection(const GridSelection &selection);
    int rowCount() const;
    int columnCount() const;
    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int column);
    // The content at a position; void outside the grid.
    const CellContent &content(int row, int column) const;

    // A grid of void cells with default sizes; false, with the grid
    // unchanged, for a size beyond 999 x 999.
    bool newTable(int rows, int columns);
    void removeAreaFromCells(const QString &areaName);
    void clearSelectedCells();
    void setStatisticInSelectedCells(const Statistic &statistic);
    // Adds micro-conditions range by range: cyclically along a strip of one
    // row or one column, the first one to every cell of any other range.
    void setMicroConditionsInSelection(const QList<MicroCondition> &microConditions);
    bool isCellSelected(int row, int column) const;
    // What a drop on a cell does, given the drag's payload and the object name
    // of its source; then the selection is analysed again.
    void dropPayload(int row, int column, const QMimeData *payload, const QString &sourceName);

    // The Stata command of a statistic cell, and its if-condition.
    QString finalCommand(int row, int column) const;
    QString ifCondition(int row, int column) const;

public slots:
    void clear();
    // The bounding block of the selection goes to the clipboard; Cut then
    // empties the selected cells as one step.
    void copy();
    void cut();
    // Writes the clipboard's block down and to the right of the current cell,
    // as far as the grid reaches, and says so when part of it did not fit.
    void paste();
    void setStatisticFormatView(CellContent::StatisticFormatView formatView);
    void setStatisticFormatViewOnlyStatisticName();
    void setStatisticFormatViewOnlyStatisticVariableName();
    void setStatisticFormatViewOnlyStatisticVariableLabel();
    void setStatisticFormatViewStatisticNameVariableName();
    void setStatisticFormatViewStatisticNameVariableLabel();
    void setConditionFormatView(CellContent::ConditionFormatView formatView);
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
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    using CellEditor = std::function<void(CellContent &content, qsizetype range)>;
    using CellVisitor = std::function<void(const CellContent &content, int row, int column)>;
    // Walks ranges as listed, rows top to bottom, columns left to right; a
    // cell in two overlapping ranges is met twice (and sees its first edit).
    // The edits go to the model as one change.
    // The edits are one step named by step.
    void editCells(const QString &step, const QItemSelection &ranges, const CellEditor &edit,
                   CellTableModel::EditKind kind = CellTableModel::EditKind::Content);
    void editSelectedCells(const QString &step, const CellEditor &edit,
                           CellTableModel::EditKind kind = CellTableModel::EditKind::Content);
    void setContents(const QString &step, const QList<CellTableModel::CellEdit> &edits);
    void forEachCellIn(const QItemSelection &ranges, const CellVisitor &visit) const;
    QItemSelection wholeGrid() const;
    // The smallest block holding every selected cell; empty for no selection.
    QRect selectedBlock() const;

    void insertLines(Qt::Orientation orientation, int position, int count);
    void askAndInsertLines(Qt::Orientation orientation, bool after);
    QList<int> selectedLines(Qt::Orientation orientation) const;
    void removeLines(Qt::Orientation orientation);

    void applyLineSizes();
    void applyLineSize(Qt::Orientation orientation, int line, int size);
    void storeLineSize(Qt::Orientation orientation, int line, int size);

    void analyseSelection();
    void emitSingleCellSignal(int row, int column);
    void emitGroupSignals(const SelectionSummary &summary);

    DocumentModel *m_document = nullptr;
    CellTableModel *m_cells = nullptr;
    TableContextMenu *m_contextMenu = nullptr;
    QPointer<DocumentEditor> m_editor;
    // The selection a step started from, when the grid changes the selection
    // before it makes the step.
    std::optional<GridSelection> m_stepSelection;
    // Set while the sizes of the model are given to the headers, which then
    // report them back.
    bool m_applyingSizes = false;
    // Set while the shape changes under a selection that follows its cells:
    // the toolbars already show what it holds.
    bool m_analysisSuspended = false;
};
