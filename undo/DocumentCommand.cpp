#include "undo/DocumentCommand.h"

#include "undo/DocumentEditor.h"

DocumentCommand::DocumentCommand(DocumentEditor *editor, const QString &text)
    : QUndoCommand(text)
    , m_editor(editor)
    , m_selection(editor->currentSelection())
{}

DocumentModel *DocumentCommand::document() const
{
    return m_editor->document();
}

void DocumentCommand::undo()
{
    undoEdit();
    m_editor->restoreSelection(m_selection);
}

void DocumentCommand::redo()
{
    redoEdit();
    if (m_doneOnce)
        m_editor->restoreSelection(m_selection);
    m_doneOnce = true;
}
