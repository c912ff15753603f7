#pragma once

#include "model/AreaCollection.h"
#include "model/StatisticCatalogue.h"

#include <QString>

class DocumentModel;

// What a document holds besides its grid: the statistic catalogue, the
// areas and the names of the run's dataset and output file. They are small,
// so a step that edits them keeps them whole, before and after.
struct DocumentParts
{
    StatisticCatalogue catalogue;
    AreaCollection areas;
    QString stataDatasetFileName;
    QString outputFileName;

    static DocumentParts of(const DocumentModel &document);
    // Gives the document these parts; each part that changes is reported by
    // the document's own signal.
    void apply(DocumentModel &document) const;
};
