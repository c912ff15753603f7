#pragma once

#include "model/CellTableModel.h"
#include "undo/DocumentCommand.h"

#include <QList>

// New contents for any number of positions as one step: a drop on 500 cells
// is taken back at once. The old contents are read when the step is made.
class CellContentsCommand : public DocumentCommand
{
public:
    CellContentsCommand(DocumentEditor *editor, const QString &text,
                        const QList<CellTableModel::CellEdit> &edits,
                        CellTableModel::EditKind kind);

    bool changesFile() const override { return m_kind == CellTableModel::EditKind::Content; }

protected:
    void undoEdit() override;
    void redoEdit() override;

private:
    QList<CellTableModel::CellEdit> m_before;
    QList<CellTableModel::CellEdit> m_after;
    CellTableModel::EditKind m_kind;
};
