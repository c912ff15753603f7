#pragma once

#include "model/Document.h"

class DocumentModel;
class VariablesWidget;

// Moves a document between its plain form, which is what a file holds, and
// the document model with the variables panel, which lists the variables and
// the catalogue's order. Neither pointer is owned.
class DocumentBinding
{
public:
    DocumentBinding(DocumentModel *document, VariablesWidget *variables);

    Document gather() const;
    // Replaces the whole document by the given one; nothing of the previous
    // one is kept. False, with nothing changed, for a grid too large.
    bool apply(const Document &document);

private:
    DocumentModel *m_document;
    VariablesWidget *m_variables;
};
