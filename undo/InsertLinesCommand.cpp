#include "undo/InsertLinesCommand.h"

#include "model/DocumentModel.h"

InsertLinesCommand::InsertLinesCommand(DocumentEditor *editor, const QString &text,
                                       Qt::Orientation orientation, int position, int count)
    : DocumentCommand(editor, text)
    , m_orientation(orientation)
    , m_position(position)
    , m_count(count)
{}

void InsertLinesCommand::undoEdit()
{
    QList<int> lines;
    for (int line = m_position; line < m_position + m_count; ++line)
        lines.append(line);
    document()->table()->removeLines(m_orientation, lines);
}

void InsertLinesCommand::redoEdit()
{
    document()->table()->insertLines(m_orientation, m_position, m_count);
}
