#include "undo/DocumentParts.h"

#include "model/DocumentModel.h"

#include <algorithm>

namespace {

bool sameCommand(const Command &a, const Command &b)
{
    return a.name() == b.name() && a.format() == b.format() && a.result() == b.result() &&
           a.resultType() == b.resultType() && a.resultMatrixRow() == b.resultMatrixRow() &&
           a.resultMatrixColumn() == b.resultMatrixColumn();
}

bool sameCatalogue(const StatisticCatalogue &a, const StatisticCatalogue &b)
{
    return a.keys() == b.keys() && std::equal(a.cbegin(), a.cend(), b.cbegin(), sameCommand);
}

} // namespace

DocumentParts DocumentParts::of(const DocumentModel &document)
{
    return {document.catalogue(), document.areas(), document.stataDatasetFileName(),
            document.outputFileName()};
}

void DocumentParts::apply(DocumentModel &document) const
{
    if (!sameCatalogue(catalogue, document.catalogue())) {
        *document.mutableCatalogue() = catalogue;
        emit document.catalogueChanged();
    }
    if (areas != document.areas()) {
        *document.mutableAreas() = areas;
        emit document.areasChanged();
    }
    document.setStataDatasetFileName(stataDatasetFileName);
    document.setOutputFileName(outputFileName);
}
