#pragma once

#include "Dataset.h"

#include <QByteArray>
#include <QString>

// Reads the observations of a release-114 Stata dataset (Stata 10 to 12), in
// either byte order, as documented in Stata's "dta" file-format description.
// Refuses other releases and files whose counts do not fit their size, so a
// corrupt header never makes it allocate without bound.
class DatasetLoader
{
public:
    // Throws StataError: 601 when the file cannot be read, 610 when it is not
    // a release-114 dataset or is cut short.
    static Dataset load(const QString &fileName);
    static Dataset fromBytes(const QByteArray &bytes, const QString &fileName);
};
