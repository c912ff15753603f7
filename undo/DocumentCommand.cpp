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
    m_editor->beginApplying();
    undoEdit();
    m_editor->endApplying();
    m_editor->restoreSelection(m_selection);
}

void DocumentCommand::redo()
{
    m_editor->beginApplying();
    redoEdit();
    m_editor->endApplying();
    if (m_doneOnce)
        m_editor->restoreSelection(m_selection);
    m_doneOnce = true;
}
