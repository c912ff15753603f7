#pragma once

#include "model/CellTableModel.h"
#include "undo/DocumentParts.h"
#include "undo/GridSelection.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class DocumentModel;
class QUndoStack;

// Makes every edit of the document as one step of an undo stack, named by
// the user's command ("Delete", "Insert rows"), so that it can be taken back
// and done again. Each step keeps the selection the action started from,
// which it asks for through the selection source and hands back through
// selectionRestored() when the step is undone or redone.
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
    void setAreas(const QString &text, const AreaCollection &areas);
    void setStataDatasetFileName(const QString &text, const QString &fileName);
    void setOutputFileName(const QString &text, const QString &fileName);

    // The steps made in between are undone and redone as one, named by text.
    void beginStep(const QString &text);
    void endStep();

signals:
    void selectionRestored(const GridSelection &selection);

private:
    DocumentModel *m_document;
    QUndoStack *m_undoStack;
    SelectionSource m_selectionSource;
};
