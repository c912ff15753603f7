#include "undo/DocumentPartsCommand.h"

#include "model/DocumentModel.h"

DocumentPartsCommand::DocumentPartsCommand(DocumentEditor *editor, const QString &text,
                                           const DocumentParts &before, const DocumentParts &after)
    : DocumentCommand(editor, text)
    , m_before(before)
    , m_after(after)
{}

void DocumentPartsCommand::setGrids(const GridSnapshot &before, const GridSnapshot &after)
{
    m_gridBefore = before;
    m_gridAfter = after;
}

void DocumentPartsCommand::undoEdit()
{
    if (m_gridBefore)
        m_gridBefore->restore(*document()->table());
    m_before.apply(*document());
}

// The parts are set only where they differ, so only the grid needs telling
// whether this is the first time.
void DocumentPartsCommand::redoEdit()
{
    m_after.apply(*document());
    if (m_gridAfter && m_done)
        m_gridAfter->restore(*document()->table());
    m_done = true;
}
