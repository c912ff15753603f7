#pragma once

#include "model/Variable.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class QIODevice;

// Reads the variables of a Stata dataset of any release from 104 (Stata 1) to
// 119 (Stata 15 and later): names, labels, storage types and the value labels
// as modalities. ReadStat does the parsing; the observations are never read,
// so a large dataset costs no more than a small one.
//
// Datasets come from colleagues, archives and e-mail, so a file that is cut
// short or whose structure cannot be true is refused as a whole: a
// statistician must not build tables on a silently shortened list of labels.
class StataDatasetReader
{
    Q_DECLARE_TR_FUNCTIONS(StataDatasetReader)

public:
    // The first three keep the numbers callers have always known.
    enum Result {
        CannotOpen = 0,    // the file cannot be opened or read
        NotReadable = 1,   // not a Stata dataset, or one of a kind ReadStat cannot read
        Success = 2,       // the variables were read
        NotComplete = 3,   // a Stata dataset, but cut short or damaged
        TooManyLabels = 4, // more modalities than Quorin imports at once
    };

    // Bound on the modalities of one import. Variables that share a value-label
    // set each get their own copy, so a small hostile file could otherwise ask
    // for billions of them; real datasets stay far below.
    static constexpr qint64 maximumModalities = 2000000;

    // Reads from an open, random-access device, from its start. The variables
    // are appended to the list only when the whole file was read (Success);
    // otherwise the list is left as it was.
    static Result read(QIODevice &device, QList<Variable> &variables);

    // The text to show the user for a result other than Success.
    static QString message(Result result);
};

// Reads the variables of the dataset in fileName and appends them to
// variables (see StataDatasetReader::read).
StataDatasetReader::Result readStataDataset(QList<Variable> &variables, const QString &fileName);
