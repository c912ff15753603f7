#pragma once

#include "undo/DocumentCommand.h"

#include <Qt>

// Void rows (or columns) inserted before a position; undone by removing them.
class InsertLinesCommand : public DocumentCommand
{
public:
    InsertLinesCommand(DocumentEditor *editor, const QString &text, Qt::Orientation orientation,
                       int position, int count);

protected:
    void undoEdit() override;
    void redoEdit() override;

private:
    Qt::Orientation m_orientation;
    int m_position;
    int m_count;
};
