#pragma once

#include <QString>

// Stata's missing values held in doubles the way Stata holds them: the system
// missing value "." is 2^1023 and the extended ones ".a" to ".z" follow it at
// steps of 2^1011 ([U] 12.2.1 Missing values; the double encodings are those of
// the dta format description). Every number is smaller than ".", and
// . < .a < ... < .z, so plain double comparisons order them as Stata does.
class MissingValue
{
public:
    // 0 for ".", 1 to 26 for ".a" to ".z".
    static double value(int code = 0);
    static bool isMissing(double number);
    static int code(double number);
    static QString text(double number);
    // Results that are not finite (overflow, 0/0) are missing in Stata.
    static double normalized(double number);
};
