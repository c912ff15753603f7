#pragma once

#include "undo/DocumentCommand.h"
#include "undo/DocumentParts.h"

// A change of what the document holds besides its grid: variables,
// statistics, areas, names.
class DocumentPartsCommand : public DocumentCommand
{
public:
    DocumentPartsCommand(DocumentEditor *editor, const QString &text, const DocumentParts &before,
                         const DocumentParts &after);

protected:
    void undoEdit() override;
    void redoEdit() override;

private:
    DocumentParts m_before;
    DocumentParts m_after;
};
