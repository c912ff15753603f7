#pragma once

#include <QString>

// Copies a Stata dataset into another release through ReadStat: variables,
// labels, value-label sets and observations (the extended missing values
// become the system missing value). Tests use it to run the same data in
// every release.
class DtaReleaseCopy
{
public:
    static bool write(const QString &source, const QString &target, int release,
                      QString *error = nullptr);
};
