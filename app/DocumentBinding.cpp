#include "app/DocumentBinding.h"

#include "model/DocumentModel.h"
#include "panel/VariablesWidget.h"

DocumentBinding::DocumentBinding(DocumentModel *document, VariablesWidget *variables)
    : m_document(document)
    , m_variables(variables)
{}

// A name the panel lists twice is stored twice, each time with the one
// definition the catalogue keeps for it, so that the file shows the user's
// list as it was.
Document DocumentBinding::gather() const
{
    Document document = m_document->toDocument();
    for (const QString &name : m_variables->statisticNames())
        document.commands.append(m_document->catalogue().value(name));
    document.variables = m_variables->variables();
    return document;
}

bool DocumentBinding::apply(const Document &document)
{
    if (!m_document->setDocument(document))
        return false;
    m_variables->loadStatistics(document.commands);
    m_variables->setVariables(document.variables);
    return true;
}
