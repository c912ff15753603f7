#pragma once

#include "model/AreaCollection.h"
#include "model/Command.h"
#include "model/Variable.h"

#include <QList>
#include <QString>

class DocumentModel;

// What a document holds besides its grid: the variables with their
// modalities, the statistic definitions in the user's order, the areas and
// the names of the run's dataset and output file. They are small and their
// lists are shared until changed, so a step keeps them whole, before and
// after.
struct DocumentParts
{
    QList<Variable> variables;
    QList<Command> statistics;
    AreaCollection areas;
    QString stataDatasetFileName;
    QString outputFileName;

    static DocumentParts of(const DocumentModel &document);
    // Gives the document these parts; only the parts that differ are set,
    // each reported by the document's own signal.
    void apply(DocumentModel &document) const;
    // What the user did to go from these parts to the other ones, as the
    // name of an undo step ("Add variable", "Remove area").
    QString changeTo(const DocumentParts &after) const;

    bool operator==(const DocumentParts &other) const;
    bool operator!=(const DocumentParts &other) const { return !(*this == other); }
};
