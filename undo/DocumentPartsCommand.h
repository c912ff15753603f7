#pragma once

#include "undo/DocumentCommand.h"
#include "undo/DocumentParts.h"
#include "undo/GridSnapshot.h"

#include <optional>

// A change of what the document holds besides its grid: variables,
// statistics, areas, names; with the grid before and after when the change
// also emptied cells (a statistic or an area removed). It is made once the
// change is done, so doing it the first time changes nothing.
class DocumentPartsCommand : public DocumentCommand
{
public:
    DocumentPartsCommand(DocumentEditor *editor, const QString &text, const DocumentParts &before,
                         const DocumentParts &after);
    void setGrids(const GridSnapshot &before, const GridSnapshot &after);

protected:
    void undoEdit() override;
    void redoEdit() override;

private:
    DocumentParts m_before;
    DocumentParts m_after;
    std::optional<GridSnapshot> m_gridBefore;
    std::optional<GridSnapshot> m_gridAfter;
    bool m_done = false;
};
