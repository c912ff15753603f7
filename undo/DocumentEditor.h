#pragma once

#include "model/CellTableModel.h"
#include "undo/DocumentParts.h"
#include "undo/GridSelection.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class DocumentCommand;
class DocumentModel;
class QUndoStack;

// Makes every edit of the document one step of an undo stack, named by the
// user's command ("Delete", "Insert rows"), so that it can be taken back and
// done again. The grid sends its edits through here. Edits of the variables,
// statistics, areas and names that windows make on the document directly are
// recorded as steps when the document reports them, named by what changed
// ("Add variable", "Remove area").
//
// Each step keeps the selection the action started from, which it asks for
// through the selection source and hands back through selectionRestored()
// when the step is undone or redone.
class DocumentEditor : public QObject
{
    Q_OBJECT

public:
    using SelectionSource = std::function<GridSelection()>;

    // Neither the document nor the stack is owned; both must outlive the editor.
    DocumentEditor(DocumentModel *document, QUndoStack *undoStack, QObject *parent = nullptr);

    DocumentModel *document() const { return m_document; }
    QUndoStack *undoStack() const { return m_undoStack; }

    void setSelectionSource(const SelectionSource &source) { m_selectionSource = source; }
    GridSelection currentSelection() const;
    // A step was undone or done again: its selection goes back to the view.
    void restoreSelection(const GridSelection &selection);

    // Each call is one step, unless it falls between beginStep() and
    // endStep(). A call that would change nothing makes no step.
    void setContents(const QString &text, const QList<CellTableModel::CellEdit> &edits,
                     CellTableModel::EditKind kind = CellTableModel::EditKind::Content);
    // False, with no step made, when the grid would grow beyond its largest size.
    bool insertLines(const QString &text, Qt::Orientation orientation, int position, int count);
    void removeLines(const QString &text, Qt::Orientation orientation, const QList<int> &lines);
    // A grid of void cells of that size; false, with no step made, for a
    // size beyond the largest.
    bool resetGrid(const QString &text, int rows, int columns);
    void setParts(const QString &text, const DocumentParts &parts);

    // Runs a change that a window makes on the document itself, cells
    // included, and makes it one step.
    void record(const QString &text, const std::function<void()> &change);

    // The steps made in between are undone and redone as one, named by text;
    // when none is made, nothing is.
    void beginStep(const QString &text);
    void endStep();

    // Whether the steps between the clean state and now change what the
    // document file keeps; true when the clean state can no longer be reached.
    bool differsFromClean() const;

    // Forgets every step; the document as it is now is the clean state. For
    // a document that was just made or read.
    void clearHistory();

    // Set while a step changes the document, so that what the document
    // reports then is not recorded again.
    void beginApplying() { ++m_applying; }
    void endApplying();
    // Whether the document's changes now are part of a step: made by one,
    // or recorded as one.
    bool isMakingStep() const { return m_applying > 0 || m_recording; }

signals:
    void selectionRestored(const GridSelection &selection);
    // After a step was undone or done again, for the windows that show the
    // document's parts in lists of their own.
    void stepReplayed();

private:
    void push(DocumentCommand *command);
    void recordOutsideChange();

    DocumentModel *m_document;
    QUndoStack *m_undoStack;
    SelectionSource m_selectionSource;
    // The parts as the last step left them; a change outside a step is
    // recorded against them.
    DocumentParts m_known;
    int m_applying = 0;
    bool m_recording = false;
    // The step begun by beginStep() opens on the stack with its first edit.
    int m_stepDepth = 0;
    QString m_stepText;
    bool m_stepOpened = false;
};
