#include "undo/CellContentsCommand.h"

#include "model/DocumentModel.h"

CellContentsCommand::CellContentsCommand(DocumentEditor *editor, const QString &text,
                                         const QList<CellTableModel::CellEdit> &edits,
                                         CellTableModel::EditKind kind)
    : DocumentCommand(editor, text)
    , m_after(edits)
    , m_kind(kind)
{
    // A position edited twice gets its first content back either way, since
    // both old contents are read before anything changes.
    const CellTableModel *table = document()->table();
    m_before.reserve(edits.size());
    for (const CellTableModel::CellEdit &edit : edits)
        m_before.append({edit.row, edit.column, table->content(edit.row, edit.column)});
}

void CellContentsCommand::undoEdit()
{
    document()->table()->setContents(m_before, m_kind);
}

void CellContentsCommand::redoEdit()
{
    document()->table()->setContents(m_after, m_kind);
}
