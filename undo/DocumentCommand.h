#pragma once

#include "undo/GridSelection.h"

#include <QUndoCommand>

class DocumentEditor;
class DocumentModel;

// One undoable step on the document. It keeps the selection the user's
// action started from and asks the editor to bring it back whenever the step
// is undone or done again, so the user sees what changed. The first time the
// step is done the view's selection is left as the edit moved it.
class DocumentCommand : public QUndoCommand
{
public:
    DocumentCommand(DocumentEditor *editor, const QString &text);

    void undo() final;
    void redo() final;

    // Whether the step changes what a document file keeps; the format views
    // only change how cells are labelled.
    virtual bool changesFile() const { return true; }

protected:
    DocumentModel *document() const;

    virtual void undoEdit() = 0;
    virtual void redoEdit() = 0;

private:
    DocumentEditor *m_editor;
    GridSelection m_selection;
    bool m_doneOnce = false;
};
