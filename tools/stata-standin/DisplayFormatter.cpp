#include "DisplayFormatter.h"

#include "MissingValue.h"
#include "StataError.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdio>

namespace {

// Stata's widths stop at 244 characters, the longest str# it stores.
const int maximumWidth = 244;
// A double carries 15 to 17 significant digits; Stata's %g shows at most 16
// so that 0.1 stays ".1" instead of ".10000000000000001".
const int maximumSignificantDigits = 16;

QString printf(const char *format, int precision, double number)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, precision, number);
    return QString::fromLatin1(buffer);
}

// Stata's general format drops the zero before the decimal point: 0.5 shows
// as ".5" ([D] format, the %9.0g examples), unlike its fixed format ("0.50").
QString withoutLeadingZero(QString text)
{
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    return text;
}

// C's %.*g: the number rounded to that many significant digits, written in
// fixed notation when its exponent lies in [-4, digits), else in exponential
// notation, trailing zeros dropped. Stata's %g makes the same choice.
QString significant(double magnitude, int digits)
{
    return withoutLeadingZero(printf("%.*g", digits, magnitude));
}

} // namespace

DisplayFormatter DisplayFormatter::parse(const QString &text)
{
    static const QRegularExpression numeric(
        QStringLiteral("^%(-)?(0)?([0-9]{1,3})(?:([.,])([0-9]{1,3}))?([fge])(c)?$"));
    static const QRegularExpression string(QStringLiteral("^%(-)?([0-9]{1,3})s$"));
    const StataError invalid(120, QStringLiteral("invalid %format: %1").arg(text));

    DisplayFormatter formatter;
    if (const auto match = string.match(text); match.hasMatch()) {
        formatter.m_kind = Kind::String;
        formatter.m_leftJustified = match.capturedLength(1) > 0;
        formatter.m_width = match.captured(2).toInt();
        if (formatter.m_width < 1 || formatter.m_width > maximumWidth)
            throw invalid;
        return formatter;
    }
    const auto match = numeric.match(text);
    if (!match.hasMatch())
        throw invalid;
    const QChar letter = match.captured(6).at(0);
    formatter.m_kind = letter == 'f'   ? Kind::Fixed
                       : letter == 'g' ? Kind::General
                                       : Kind::Exponential;
    formatter.m_leftJustified = match.capturedLength(1) > 0;
    formatter.m_leadingZeros = match.capturedLength(2) > 0;
    formatter.m_width = match.captured(3).toInt();
    formatter.m_european = match.captured(4) == QLatin1String(",");
    formatter.m_decimals = match.captured(5).toInt();
    formatter.m_commas = match.capturedLength(7) > 0;
    // [D] format: the width must exceed the digits after the decimal point;
    // comma groups exist for %f and %g only; leading zeros are offered for the
    // fixed format (and accepted for the exponential one), not for %g.
    if (formatter.m_width < 1 || formatter.m_width > maximumWidth ||
        formatter.m_decimals >= formatter.m_width ||
        (formatter.m_commas && formatter.m_kind == Kind::Exponential) ||
        (formatter.m_leadingZeros && formatter.m_kind == Kind::General))
        throw invalid;
    return formatter;
}

QString DisplayFormatter::format(const StataValue &value) const
{
    if (value.isString != (m_kind == Kind::String))
        throw StataError(109, QStringLiteral("type mismatch"));
    return value.isString ? formatText(value.text) : formatNumber(value.number);
}

QString DisplayFormatter::formatText(const QString &text) const
{
    return justified(text);
}

QString DisplayFormatter::formatNumber(double number) const
{
    // A missing value shows as "." (or ".a" ...) in every numeric format,
    // justified like a number ([U] 12.2.1).
    if (MissingValue::isMissing(number))
        return justified(MissingValue::text(number));
    const QString sign = std::signbit(number) && number != 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::fabs(number);
    QString body;
    switch (m_kind) {
    case Kind::Fixed:
        body = fixed(magnitude);
        break;
    case Kind::Exponential:
        body = exponential(magnitude);
        break;
    default:
        body = general(magnitude);
        break;
    }
    // "0": zeros fill the width between the sign and the digits (%09.2f shows
    // -1.5 as "-00001.50").
    if (m_leadingZeros) {
        const int fill = m_width - int(sign.size() + body.size());
        if (fill > 0)
            body.prepend(QString(fill, '0'));
    }
    return justified(sign + body);
}

// %w.df: d digits after the decimal point, rounded as C's printf rounds, the
// zero before the point kept. A number too wide for w is shown in full, wider
// than w, rather than cut: display never hides digits of the integer part.
QString DisplayFormatter::fixed(double magnitude) const
{
    return withSeparators(printf("%.*f", m_decimals, magnitude));
}

// %w.de: one digit, the point, d digits, then "e", the exponent's sign and at
// least two exponent digits, as C's printf writes it ("1.23e+03").
QString DisplayFormatter::exponential(double magnitude) const
{
    return withSeparators(printf("%.*e", m_decimals, magnitude));
}

// %w.dg with d > 0: d significant digits, C's choice between fixed and
// exponential notation. %w.0g: as many significant digits as fit in w - 1
// characters, one place being kept for a sign so that columns of positive and
// negative numbers line up (Stata's %9.0g shows 1/3 as ".3333333", pi as
// "3.141593" and 123456789 as "1.23e+08").
QString DisplayFormatter::general(double magnitude) const
{
    if (m_decimals > 0)
        return withSeparators(significant(magnitude, m_decimals));
    const int room = std::max(1, m_width - 1);
    const QString text = fittingGeneral(magnitude, room, m_commas);
    // Comma groups give way before exponential notation does: %9.0gc shows
    // 12345678 as "12345678", not as "1.23e+07".
    if (m_commas && text.contains('e')) {
        const QString plain = fittingGeneral(magnitude, room, false);
        if (!plain.contains('e'))
            return plain;
    }
    return text;
}

QString DisplayFormatter::fittingGeneral(double magnitude, int room, bool commas) const
{
    DisplayFormatter separators = *this;
    separators.m_commas = commas;
    for (int digits = maximumSignificantDigits; digits > 1; --digits) {
        const QString text = separators.withSeparators(significant(magnitude, digits));
        if (text.size() <= room)
            return text;
    }
    return separators.withSeparators(significant(magnitude, 1));
}

// "c" groups the integer part of fixed notation in threes with commas
// (%9.0gc, %12.2fc); the European variants swap the two marks, so %9,2fc
// shows 1234.5 as "1.234,50" ([D] format, European formats).
QString DisplayFormatter::withSeparators(QString digits) const
{
    const bool exponentNotation = digits.contains('e');
    if (m_commas && !exponentNotation) {
        int end = int(digits.indexOf('.'));
        if (end < 0)
            end = int(digits.size());
        for (int position = end - 3; position > 0; position -= 3)
            digits.insert(position, ',');
    }
    if (m_european) {
        for (QChar &character : digits) {
            if (character == '.')
                character = ',';
            else if (character == ',')
                character = '.';
        }
    }
    return digits;
}

// Right-justified to the width, or left-justified with "-"; a longer text is
// never cut.
QString DisplayFormatter::justified(const QString &text) const
{
    if (text.size() >= m_width)
        return text;
    const QString padding(m_width - text.size(), ' ');
    return m_leftJustified ? text + padding : padding + text;
}

// "display exp" with no format shows numbers as %10.0g would, without the
// leading blanks: 1/3 gives ".33333333", 1234567890 gives "1.235e+09".
QString DisplayFormatter::displayDefault(double number)
{
    static const DisplayFormatter general = parse(QStringLiteral("%10.0g"));
    return general.formatNumber(number).trimmed();
}

// "local x = exp" keeps a number at full precision: 1/3 gives
// ".3333333333333333".
QString DisplayFormatter::macroNumber(double number)
{
    static const DisplayFormatter general = parse(QStringLiteral("%18.0g"));
    return general.formatNumber(number).trimmed();
}
