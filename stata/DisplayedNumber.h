#pragma once

#include "model/DisplayFormat.h"

#include <QString>

// A statistic's result as Stata's display wrote it, read back as a number,
// and the spreadsheet number format that shows it the same way.
class DisplayedNumber
{
public:
    // The number a text shows under a numeric display format (an empty
    // format is Stata's default, a general one): the format's blanks,
    // thousands separators and European decimal comma are read as display
    // writes them. False for anything else: "." and the other missing
    // values, texts, and results under date, time and string formats.
    static bool read(const QString &text, const QString &format, double *value);

    // The number format of a spreadsheet cell for a numeric display format:
    // %9.0f gives "0", %9.2f "0.00", %9.1fc "#,##0.0", %10.3e "0.000E+00";
    // a general format (and anything else) gives "General".
    static QString spreadsheetFormat(const QString &format);

    // For a text whose display format is not known: a plain decimal number
    // (with or without thousands commas) or one in exponential notation,
    // with the format that shows it with as many decimals. Numbers written
    // with superfluous leading zeros, such as codes like 007, stay texts.
    static bool guess(const QString &text, double *value, QString *spreadsheetFormat);

private:
    static QString decimals(int count);
};
