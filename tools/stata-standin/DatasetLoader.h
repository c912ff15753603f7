#pragma once

#include "Dataset.h"

#include <QString>

// Reads the observations of a Stata dataset of any release from 104 to 119,
// in either byte order, through ReadStat, the library Quorin itself reads
// datasets with.
class DatasetLoader
{
public:
    // Throws StataError: 601 when the file cannot be opened, 610 when it is
    // not a Stata dataset ReadStat can read or is cut short.
    static Dataset load(const QString &fileName);
};
