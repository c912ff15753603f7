#include "undo/DocumentPartsCommand.h"

#include "model/DocumentModel.h"

DocumentPartsCommand::DocumentPartsCommand(DocumentEditor *editor, const QString &text,
                                           const DocumentParts &before, const DocumentParts &after)
    : DocumentCommand(editor, text)
    , m_before(before)
    , m_after(after)
{}

void DocumentPartsCommand::undoEdit()
{
    m_before.apply(*document());
}

void DocumentPartsCommand::redoEdit()
{
    m_after.apply(*document());
}
