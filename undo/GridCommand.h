#pragma once

#include "undo/DocumentCommand.h"
#include "undo/GridSnapshot.h"

#include <QList>
#include <Qt>

#include <functional>

// A change of the grid's shape (rows or columns removed, the grid cleared or
// made anew), undone by putting back the grid as it was, with its contents
// and sizes. The snapshot shares its cells with the model until the change
// is made, so it costs a list of pointers, not a copy of every cell.
class GridCommand : public DocumentCommand
{
public:
    using GridEdit = std::function<void(CellTableModel &table)>;

    GridCommand(DocumentEditor *editor, const QString &text, const GridEdit &edit);

protected:
    void undoEdit() override;
    void redoEdit() override;

private:
    GridSnapshot m_before;
    GridEdit m_edit;
};
