#include "model/DisplayFormat.h"

#include <QRegularExpression>
#include <QtGlobal>

namespace {

// The sample texts are translated in the format dialog's context, where they
// are shown.
const DisplayFormat::Sample clockSamples[] = {
    {QT_TRANSLATE_NOOP("FormatDialog", "05jan2007 21:38:01"), ""},
    {QT_TRANSLATE_NOOP("FormatDialog", "Jul 05, 2007 21:38:01"), "Mon_DD,_CCYY_HH:MM:SS"},
    {QT_TRANSLATE_NOOP("FormatDialog", "July 05, 2007 21:38:01"), "Month_DD,_CCYY_HH:MM:SS"},
    {QT_TRANSLATE_NOOP("FormatDialog", "Jul 5, 2007 21:38"), "Mon_dd,_CCYY_HH:MM"},
    {QT_TRANSLATE_NOOP("FormatDialog", "July 5, 2007 21:38:01"), "Month_dd,_CCYY_HH:MM:SS"},
    {QT_TRANSLATE_NOOP("FormatDialog", "July 5, 2007 21:38:01.001"), "Month_dd,_CCYY_HH:MM:SS.sss"},
    {QT_TRANSLATE_NOOP("FormatDialog", "07/20/2007 21:38:01"), "NN/DD/CCYY_HH:MM:SS"},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007-07-20 9:38 PM"), "CCYY-NN-DD_HH:MM_AM"},
};

const DisplayFormat::Sample dailySamples[] = {
    {QT_TRANSLATE_NOOP("FormatDialog", "05jul2007"), ""},
    {QT_TRANSLATE_NOOP("FormatDialog", "Jul 05, 2007"), "Mon_DD,_CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "July 05, 2007"), "Month_DD,_CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "Jul 1, 2007"), "Mon_dd,_CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "July 1, 2007"), "Month_dd,_CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "05/20/2007"), "NN/DD/CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "20/05/2007"), "DD/NN/CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007-05-20"), "CCYY-NN-DD"},
};

const DisplayFormat::Sample weeklySamples[] = {
    {QT_TRANSLATE_NOOP("FormatDialog", "2007w1"), ""},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007-1"), "CCYY-ww"},
    {QT_TRANSLATE_NOOP("FormatDialog", "1-2007"), "ww-CCYY"},
};

const DisplayFormat::Sample monthlySamples[] = {
    {QT_TRANSLATE_NOOP("FormatDialog", "2007m1"), ""},
    {QT_TRANSLATE_NOOP("FormatDialog", "January 2007"), "Month_CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "Jan 2007"), "Mon_CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "01/2007"), "NN/CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007-01"), "CCYY-NN"},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007m01"), "CCYY!mNN"},
};

const DisplayFormat::Sample quarterlySamples[] = {
    {QT_TRANSLATE_NOOP("FormatDialog", "2007q1"), ""},
    {QT_TRANSLATE_NOOP("FormatDialog", "Q1-2007"), "Qq-CCYY"},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007-Q1"), "CCYY-!Qq"},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007-1"), "CCYY-q"},
};

const DisplayFormat::Sample halfYearSamples[] = {
    {QT_TRANSLATE_NOOP("FormatDialog", "2007h1"), ""},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007-1"), "CCYY-h"},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007H1"), "CCYY!Hh"},
};

const DisplayFormat::Sample yearlySamples[] = {
    {QT_TRANSLATE_NOOP("FormatDialog", "2007"), ""},
    {QT_TRANSLATE_NOOP("FormatDialog", "2007 AD"), "CCYY_!A!D"},
};

template <std::size_t N>
QList<DisplayFormat::Sample> listOf(const DisplayFormat::Sample (&samples)[N])
{
    return QList<DisplayFormat::Sample>(samples, samples + N);
}

// The letter after "%t" for each date or time kind; clock formats with leap
// seconds use 'C'.
QChar dateCode(DisplayFormat::Kind kind)
{
    switch (kind) {
    case DisplayFormat::Clock:
        return QLatin1Char('c');
    case DisplayFormat::Daily:
        return QLatin1Char('d');
    case DisplayFormat::Weekly:
        return QLatin1Char('w');
    case DisplayFormat::Monthly:
        return QLatin1Char('m');
    case DisplayFormat::Quarterly:
        return QLatin1Char('q');
    case DisplayFormat::HalfYearly:
        return QLatin1Char('h');
    default:
        return QLatin1Char('y');
    }
}

// Widths are bounded so that reading them can never overflow.
bool readNumber(const QString &digits, int *value)
{
    static const QRegularExpression number(QStringLiteral("^\\d{1,9}$"));
    if (!number.match(digits).hasMatch())
        return false;
    *value = digits.toInt();
    return true;
}

QString removeEvery(QString text, const QString &characters)
{
    for (const QChar character : characters)
        text.remove(character);
    return text;
}

} // namespace

DisplayFormat::DisplayFormat(const QString &formatText)
{
    DisplayFormat parsed;
    parsed.text = formatText;
    parsed.leftJustified = formatText.startsWith(QLatin1String("%-"));
    parsed.recognised = parsed.parse();
    if (parsed.recognised) {
        *this = parsed;
    } else {
        // Every choice stays at its default; the text is kept for the caller.
        text = formatText;
    }
}

bool DisplayFormat::parse()
{
    // Date and time prefixes are tested first: their display tokens may end
    // in a letter that would otherwise read as a numeric or string format
    // (the milliseconds token "sss" ends in "s").
    if (parseDateOrTime())
        return true;
    if (text.endsWith(QLatin1String("gc")) || text.endsWith(QLatin1Char('g')))
        kind = GenericNumeric;
    else if (text.endsWith(QLatin1String("fc")) || text.endsWith(QLatin1Char('f')))
        kind = FixedNumeric;
    else if (text.endsWith(QLatin1Char('e')))
        kind = ExponentialNumeric;
    else if (text.endsWith(QLatin1Char('s')))
        kind = String;
    else
        return false;
    return kind == String ? parseString() : parseNumeric();
}

QList<DisplayFormat::Sample> DisplayFormat::samples(Kind kind)
{
    switch (kind) {
    case Clock:
        return listOf(clockSamples);
    case Daily:
        return listOf(dailySamples);
    case Weekly:
        return listOf(weeklySamples);
    case Monthly:
        return listOf(monthlySamples);
    case Quarterly:
        return listOf(quarterlySamples);
    case HalfYearly:
        return listOf(halfYearSamples);
    case Yearly:
        return listOf(yearlySamples);
    default:
        return {};
    }
}

int DisplayFormat::sample(Kind dateKind) const
{
    const int *field = sampleField(dateKind);
    return field ? *field : 0;
}

void DisplayFormat::setSample(Kind dateKind, int index)
{
    if (int *field = const_cast<int *>(sampleField(dateKind)))
        *field = index;
}

const int *DisplayFormat::sampleField(Kind dateKind) const
{
    switch (dateKind) {
    case Clock:
        return &clockSample;
    case Daily:
        return &dailySample;
    case Weekly:
        return &weeklySample;
    case Monthly:
        return &monthlySample;
    case Quarterly:
        return &quarterlySample;
    case HalfYearly:
        return &halfYearSample;
    case Yearly:
        return &yearlySample;
    default:
        return nullptr;
    }
}

bool DisplayFormat::parseDateOrTime()
{
    const int codeAt = leftJustified ? 3 : 2;
    if (!text.startsWith(leftJustified ? QLatin1String("%-t") : QLatin1String("%t")) ||
        text.size() <= codeAt)
        return false;

    const QChar code = text.at(codeAt);
    if (code == QLatin1Char('C')) {
        kind = Clock;
        leapSeconds = true;
    } else {
        bool found = false;
        for (int candidate = Clock; candidate <= Yearly && !found; ++candidate) {
            if (dateCode(Kind(candidate)) == code) {
                kind = Kind(candidate);
                found = true;
            }
        }
        if (!found)
            return false;
    }

    // The first sample, in list order, whose tokens end the text.
    const QList<Sample> kindSamples = samples(kind);
    for (int index = 1; index < kindSamples.size(); ++index) {
        if (text.endsWith(QLatin1String(kindSamples.at(index).tokens))) {
            setSample(kind, index);
            break;
        }
    }
    return true;
}

bool DisplayFormat::parseNumeric()
{
    europeanDecimals = text.contains(QLatin1Char(','));
    commas = kind != ExponentialNumeric && text.endsWith(QLatin1Char('c'));
    leadingZeros = kind == FixedNumeric &&
                   (text.startsWith(QLatin1String("%0")) || text.startsWith(QLatin1String("%-0")));

    const QString widths = removeEvery(text, QStringLiteral("%-gfec"));
    const QChar separator = widths.contains(QLatin1Char('.')) ? QLatin1Char('.') : QLatin1Char(',');
    const QStringList pieces = widths.split(separator);
    if (pieces.size() > 2 || !readNumber(pieces.at(0), &totalDigits))
        return false;
    // A format without decimals, such as %9g, reads as no digits right of
    // the decimal point.
    digitsRightOfDecimal = 0;
    return pieces.size() == 1 || readNumber(pieces.at(1), &digitsRightOfDecimal);
}

bool DisplayFormat::parseString()
{
    return readNumber(removeEvery(text, QStringLiteral("%-s")), &totalCharacters);
}

QString DisplayFormat::toText() const
{
    QString built = QStringLiteral("%");
    if (leftJustified)
        built += QLatin1Char('-');
    if (isNumeric(kind))
        built += numericText();
    else if (kind == String)
        built += QString::number(totalCharacters) + QLatin1Char('s');
    else
        built += dateOrTimeText();
    return built;
}

QString DisplayFormat::numericText() const
{
    QString built;
    if (kind == FixedNumeric && leadingZeros)
        built += QLatin1Char('0');
    built += QString::number(totalDigits);
    built += europeanDecimals ? QLatin1Char(',') : QLatin1Char('.');
    built += QString::number(digitsRightOfDecimal);
    switch (kind) {
    case GenericNumeric:
        built += QLatin1Char('g');
        break;
    case FixedNumeric:
        built += QLatin1Char('f');
        break;
    default:
        built += QLatin1Char('e');
        break;
    }
    if (commas && kind != ExponentialNumeric)
        built += QLatin1Char('c');
    return built;
}

QString DisplayFormat::dateOrTimeText() const
{
    QString built = QStringLiteral("t");
    built += kind == Clock && leapSeconds ? QLatin1Char('C') : dateCode(kind);
    const QList<Sample> kindSamples = samples(kind);
    const int index = sample(kind);
    if (index > 0 && index < kindSamples.size())
        built += QLatin1String(kindSamples.at(index).tokens);
    return built;
}
