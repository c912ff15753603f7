#include "MissingValue.h"

#include <cmath>

namespace {
const double systemMissing = std::ldexp(1.0, 1023);
const double step = std::ldexp(1.0, 1011);
} // namespace

double MissingValue::value(int code)
{
    return systemMissing + step * code;
}

bool MissingValue::isMissing(double number)
{
    return !(number < systemMissing); // NaN counts as missing too
}

int MissingValue::code(double number)
{
    if (!isMissing(number) || std::isnan(number) || std::isinf(number))
        return 0;
    const int code = int((number - systemMissing) / step);
    return code >= 0 && code <= 26 ? code : 0;
}

QString MissingValue::text(double number)
{
    const int letter = code(number);
    return letter == 0 ? QStringLiteral(".") : QStringLiteral(".") + QChar('a' + letter - 1);
}

double MissingValue::normalized(double number)
{
    return std::isfinite(number) ? number : systemMissing;
}
