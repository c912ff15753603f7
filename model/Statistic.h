#pragma once

#include <QString>

// A statistic placed in a cell: the catalogue entry named statisticName,
// computed on the variable varName, shown with the Stata display format.
struct Statistic
{
    QString varName;
    QString varLabel;
    QString statisticName;
    QString format;
};
