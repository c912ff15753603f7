#include "stata/DisplayedNumber.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

const QString general = QStringLiteral("General");

bool readPlain(const QString &text, double *value)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        return false;
    *value = number;
    return true;
}

bool isNumericFormat(const DisplayFormat &format)
{
    return format.recognised && DisplayFormat::isNumeric(format.kind);
}

} // namespace

bool DisplayedNumber::read(const QString &text, const QString &format, double *value)
{
    QString number = text.trimmed();
    // Only digits, signs, separators and exponents: this also keeps out the
    // words QLocale would read, such as "inf" and "nan".
    static const QRegularExpression numberCharacters(QStringLiteral("^[-+0-9.,eE]+$"));
    if (!numberCharacters.match(number).hasMatch())
        return false;
    if (format.isEmpty())
        return readPlain(number, value);
    const DisplayFormat displayFormat(format);
    if (!isNumericFormat(displayFormat))
        return false;
    const QChar thousands = displayFormat.europeanDecimals ? u'.' : u',';
    if (displayFormat.commas)
        number.remove(thousands);
    if (displayFormat.europeanDecimals)
        number.replace(u',', u'.');
    return readPlain(number, value);
}

QString DisplayedNumber::decimals(int count)
{
    return count > 0 ? QLatin1Char('.') + QString(count, QLatin1Char('0')) : QString();
}

QString DisplayedNumber::spreadsheetFormat(const QString &format)
{
    const DisplayFormat displayFormat(format);
    if (!isNumericFormat(displayFormat))
        return general;
    const QString places = decimals(displayFormat.digitsRightOfDecimal);
    switch (displayFormat.kind) {
    case DisplayFormat::FixedNumeric:
        return (displayFormat.commas ? QStringLiteral("#,##0") : QStringLiteral("0")) + places;
    case DisplayFormat::ExponentialNumeric:
        return QLatin1Char('0') + places + QStringLiteral("E+00");
    default:
        return general;
    }
}

bool DisplayedNumber::guess(const QString &text, double *value, QString *spreadsheetFormat)
{
    static const QRegularExpression fixed(
        QStringLiteral("^[-+]?(0|[1-9][0-9]*|[1-9][0-9]{0,2}(,[0-9]{3})+)(\\.([0-9]+))?$"));
    static const QRegularExpression exponential(
        QStringLiteral("^[-+]?[0-9](\\.([0-9]+))?[eE][-+][0-9]+$"));
    const QString number = text.trimmed();
    if (const QRegularExpressionMatch match = fixed.match(number); match.hasMatch()) {
        const bool commas = match.capturedLength(2) > 0;
        *spreadsheetFormat = (commas ? QStringLiteral("#,##0") : QStringLiteral("0")) +
                             decimals(int(match.capturedLength(4)));
        return readPlain(QString(number).remove(u','), value);
    }
    if (const QRegularExpressionMatch match = exponential.match(number); match.hasMatch()) {
        *spreadsheetFormat =
            QLatin1Char('0') + decimals(int(match.capturedLength(2))) + QStringLiteral("E+00");
        return readPlain(number, value);
    }
    return false;
}
