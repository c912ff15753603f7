#include "undo/GridCommand.h"

#include "model/DocumentModel.h"

GridCommand::GridCommand(DocumentEditor *editor, const QString &text, const GridEdit &edit)
    : DocumentCommand(editor, text)
    , m_before(GridSnapshot::of(*document()->table()))
    , m_edit(edit)
{}

void GridCommand::undoEdit()
{
    m_before.restore(*document()->table());
}

void GridCommand::redoEdit()
{
    m_edit(*document()->table());
}
