#include "model/DisplayFormat.h"

#include <QTest>

Q_DECLARE_METATYPE(DisplayFormat)
Q_DECLARE_METATYPE(DisplayFormat::Kind)

namespace {

using Kind = DisplayFormat::Kind;

// The type code written after "%" for each date or time kind.
QString dateCode(Kind kind)
{
    switch (kind) {
    case DisplayFormat::Clock:
        return QStringLiteral("tc");
    case DisplayFormat::Daily:
        return QStringLiteral("td");
    case DisplayFormat::Weekly:
        return QStringLiteral("tw");
    case DisplayFormat::Monthly:
        return QStringLiteral("tm");
    case DisplayFormat::Quarterly:
        return QStringLiteral("tq");
    case DisplayFormat::HalfYearly:
        return QStringLiteral("th");
    default:
        return QStringLiteral("ty");
    }
}

const Kind dateKinds[] = {DisplayFormat::Clock,     DisplayFormat::Daily,
                          DisplayFormat::Weekly,    DisplayFormat::Monthly,
                          DisplayFormat::Quarterly, DisplayFormat::HalfYearly,
                          DisplayFormat::Yearly};

} // namespace

class DisplayFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void numeric_data();
    void numeric();
    void string_data();
    void string();
    void everyDateSample_data();
    void everyDateSample();
    void sampleLists_data();
    void sampleLists();
    void leapSecondsAndJustificationOfDates_data();
    void leapSecondsAndJustificationOfDates();
    void datePrefixWinsOverTrailingLetter_data();
    void datePrefixWinsOverTrailingLetter();
    void unknownTokensGiveSampleZero_data();
    void unknownTokensGiveSampleZero();
    void numericWithoutDecimals_data();
    void numericWithoutDecimals();
    void unrecognisedKeepsDefaults_data();
    void unrecognisedKeepsDefaults();
    void building_data();
    void building();
    void roundTrip_data();
    void roundTrip();
};

void DisplayFormatTest::numeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("european");
    QTest::addColumn<bool>("commas");
    QTest::addColumn<bool>("zeros");

    QTest::newRow("generic") << "%9.2g" << DisplayFormat::GenericNumeric << false << 9 << 2 << false
                             << false << false;
    QTest::newRow("generic with commas")
        << "%9.2gc" << DisplayFormat::GenericNumeric << false << 9 << 2 << false << true << false;
    QTest::newRow("generic left european")
        << "%-12,4g" << DisplayFormat::GenericNumeric << true << 12 << 4 << true << false << false;
    QTest::newRow("fixed") << "%3.1f" << DisplayFormat::FixedNumeric << false << 3 << 1 << false
                           << false << false;
    QTest::newRow("fixed with commas")
        << "%10.0fc" << DisplayFormat::FixedNumeric << false << 10 << 0 << false << true << false;
    QTest::newRow("fixed leading zeros")
        << "%09.2f" << DisplayFormat::FixedNumeric << false << 9 << 2 << false << false << true;
    QTest::newRow("fixed left zeros european")
        << "%-010,3f" << DisplayFormat::FixedNumeric << true << 10 << 3 << true << false << true;
    QTest::newRow("fixed european commas")
        << "%12,2fc" << DisplayFormat::FixedNumeric << false << 12 << 2 << true << true << false;
    QTest::newRow("exponential") << "%10.3e" << DisplayFormat::ExponentialNumeric << false << 10
                                 << 3 << false << false << false;
    QTest::newRow("exponential left european") << "%-8,1e" << DisplayFormat::ExponentialNumeric
                                               << true << 8 << 1 << true << false << false;
    // Leading zeros belong to fixed formats only.
    QTest::newRow("generic zero is no padding")
        << "%09.2g" << DisplayFormat::GenericNumeric << false << 9 << 2 << false << false << false;
}

void DisplayFormatTest::numeric()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    const DisplayFormat format(text);
    QVERIFY(format.recognised);
    QCOMPARE(format.text, text);
    QCOMPARE(format.kind, kind);
    QTEST(format.leftJustified, "left");
    QTEST(format.totalDigits, "total");
    QTEST(format.digitsRightOfDecimal, "decimals");
    QTEST(format.europeanDecimals, "european");
    QTEST(format.commas, "commas");
    QTEST(format.leadingZeros, "zeros");
}

void DisplayFormatTest::string_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("characters");

    QTest::newRow("right") << "%10s" << false << 10;
    QTest::newRow("left") << "%-20s" << true << 20;
    QTest::newRow("one") << "%1s" << false << 1;
}

void DisplayFormatTest::string()
{
    QFETCH(QString, text);
    const DisplayFormat format(text);
    QVERIFY(format.recognised);
    QCOMPARE(format.kind, DisplayFormat::String);
    QTEST(format.leftJustified, "left");
    QTEST(format.totalCharacters, "characters");
    QVERIFY(format.isExact());
}

void DisplayFormatTest::everyDateSample_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("sample");

    for (const Kind kind : dateKinds) {
        const QList<DisplayFormat::Sample> samples = DisplayFormat::samples(kind);
        for (int index = 0; index < samples.size(); ++index) {
            const QString text =
                QLatin1Char('%') + dateCode(kind) + QLatin1String(samples.at(index).tokens);
            QTest::addRow("%s", qPrintable(text)) << text << kind << index;
        }
    }
}

void DisplayFormatTest::everyDateSample()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    QFETCH(int, sample);
    const DisplayFormat format(text);
    QVERIFY(format.recognised);
    QCOMPARE(format.kind, kind);
    QCOMPARE(format.sample(kind), sample);
    QVERIFY(!format.leftJustified);
    QVERIFY(!format.leapSeconds);
    QCOMPARE(format.toText(), text);

    // The other kinds' samples stay at 0.
    for (const Kind other : dateKinds) {
        if (other != kind)
            QCOMPARE(format.sample(other), 0);
    }
}

void DisplayFormatTest::sampleLists_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("clock") << DisplayFormat::Clock
                           << QStringList{"05jan2007 21:38:01",     "Jul 05, 2007 21:38:01",
                                          "July 05, 2007 21:38:01", "Jul 5, 2007 21:38",
                                          "July 5, 2007 21:38:01",  "July 5, 2007 21:38:01.001",
                                          "07/20/2007 21:38:01",    "2007-07-20 9:38 PM"};
    QTest::newRow("daily") << DisplayFormat::Daily
                           << QStringList{"05jul2007",   "Jul 05, 2007", "July 05, 2007",
                                          "Jul 1, 2007", "July 1, 2007", "05/20/2007",
                                          "20/05/2007",  "2007-05-20"};
    QTest::newRow("weekly") << DisplayFormat::Weekly << QStringList{"2007w1", "2007-1", "1-2007"};
    QTest::newRow("monthly") << DisplayFormat::Monthly
                             << QStringList{"2007m1",  "January 2007", "Jan 2007",
                                            "01/2007", "2007-01",      "2007m01"};
    QTest::newRow("quarterly") << DisplayFormat::Quarterly
                               << QStringList{"2007q1", "Q1-2007", "2007-Q1", "2007-1"};
    QTest::newRow("half-yearly") << DisplayFormat::HalfYearly
                                 << QStringList{"2007h1", "2007-1", "2007H1"};
    QTest::newRow("yearly") << DisplayFormat::Yearly << QStringList{"2007", "2007 AD"};
    QTest::newRow("numeric has none") << DisplayFormat::FixedNumeric << QStringList();
    QTest::newRow("string has none") << DisplayFormat::String << QStringList();
}

void DisplayFormatTest::sampleLists()
{
    QFETCH(Kind, kind);
    QFETCH(QStringList, shown);
    QStringList actual;
    const QList<DisplayFormat::Sample> samples = DisplayFormat::samples(kind);
    for (const DisplayFormat::Sample &sample : samples)
        actual.append(QString::fromUtf8(sample.shown));
    QCOMPARE(actual, shown);
    if (!samples.isEmpty())
        QCOMPARE(QString::fromLatin1(samples.first().tokens), QString());
}

void DisplayFormatTest::leapSecondsAndJustificationOfDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("leapSeconds");
    QTest::addColumn<int>("sample");

    QTest::newRow("leap seconds") << "%tCMon_DD,_CCYY_HH:MM:SS" << DisplayFormat::Clock << false
                                  << true << 1;
    QTest::newRow("left leap seconds") << "%-tC" << DisplayFormat::Clock << true << true << 0;
    QTest::newRow("left clock") << "%-tcNN/DD/CCYY_HH:MM:SS" << DisplayFormat::Clock << true
                                << false << 6;
    QTest::newRow("left daily") << "%-tdCCYY-NN-DD" << DisplayFormat::Daily << true << false << 7;
    QTest::newRow("left yearly") << "%-tyCCYY_!A!D" << DisplayFormat::Yearly << true << false << 1;
    QTest::newRow("quarterly") << "%tq" << DisplayFormat::Quarterly << false << false << 0;
}

void DisplayFormatTest::leapSecondsAndJustificationOfDates()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    QFETCH(int, sample);
    const DisplayFormat format(text);
    QCOMPARE(format.kind, kind);
    QTEST(format.leftJustified, "left");
    QTEST(format.leapSeconds, "leapSeconds");
    QCOMPARE(format.sample(kind), sample);
    QVERIFY(format.isExact());
}

void DisplayFormatTest::datePrefixWinsOverTrailingLetter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("sample");

    // Milliseconds end in "s", which alone would read as a string format.
    QTest::newRow("clock ending in s")
        << "%tcMonth_dd,_CCYY_HH:MM:SS.sss" << DisplayFormat::Clock << 5;
    QTest::newRow("leap clock ending in s")
        << "%-tCMonth_dd,_CCYY_HH:MM:SS.sss" << DisplayFormat::Clock << 5;
    QTest::newRow("clock ending in S") << "%tcMon_DD,_CCYY_HH:MM:SS" << DisplayFormat::Clock << 1;
    // Own tokens ending in letters that numeric formats test for.
    QTest::newRow("daily ending in g") << "%tdMon_dd,_g" << DisplayFormat::Daily << 0;
    QTest::newRow("daily ending in e") << "%tdDD/NN/CCYY_e" << DisplayFormat::Daily << 0;
    QTest::newRow("monthly ending in f") << "%tmf" << DisplayFormat::Monthly << 0;
}

void DisplayFormatTest::datePrefixWinsOverTrailingLetter()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    const DisplayFormat format(text);
    QVERIFY(format.recognised);
    QCOMPARE(format.kind, kind);
    QTEST(format.sample(kind), "sample");
}

void DisplayFormatTest::unknownTokensGiveSampleZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("sample");
    QTest::addColumn<QString>("built");

    QTest::newRow("unknown daily tokens")
        << "%tdDD.NN.CCYY" << DisplayFormat::Daily << 0 << QStringLiteral("%td");
    // The suffix test only looks at the end of the text.
    QTest::newRow("known suffix after other tokens")
        << "%tdDay_CCYY-NN-DD" << DisplayFormat::Daily << 7 << QStringLiteral("%tdCCYY-NN-DD");
}

void DisplayFormatTest::unknownTokensGiveSampleZero()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    const DisplayFormat format(text);
    QVERIFY(format.recognised);
    QCOMPARE(format.kind, kind);
    QTEST(format.sample(kind), "sample");
    QTEST(format.toText(), "built");
    // The choices cannot say what the text says, so it is not exact.
    QVERIFY(!format.isExact());
    QCOMPARE(format.text, text);
}

void DisplayFormatTest::numericWithoutDecimals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("built");

    QTest::newRow("generic") << "%9g" << DisplayFormat::GenericNumeric << 9 << "%9.0g";
    QTest::newRow("fixed with commas") << "%12fc" << DisplayFormat::FixedNumeric << 12 << "%12.0fc";
    QTest::newRow("exponential left")
        << "%-7e" << DisplayFormat::ExponentialNumeric << 7 << "%-7.0e";
}

void DisplayFormatTest::numericWithoutDecimals()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    const DisplayFormat format(text);
    QVERIFY(format.recognised);
    QCOMPARE(format.kind, kind);
    QTEST(format.totalDigits, "total");
    QCOMPARE(format.digitsRightOfDecimal, 0);
    QTEST(format.toText(), "built");
    QVERIFY(!format.isExact());
}

void DisplayFormatTest::unrecognisedKeepsDefaults_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("plain word") << "hello";
    QTest::newRow("percent only") << "%";
    QTest::newRow("business calendar") << "%tbcal";
    QTest::newRow("generic date") << "%tg";
    QTest::newRow("centred string") << "%~20s";
    QTest::newRow("no width") << "%.2f";
    QTest::newRow("two separators") << "%9.2.1f";
    QTest::newRow("letters for width") << "%x.yf";
    QTest::newRow("width too long to read") << "%12345678901234567890.2f";
    QTest::newRow("empty decimals") << "%9.g";
    QTest::newRow("hexadecimal") << "%21x";
    QTest::newRow("string without width") << "%s";
    QTest::newRow("lone t") << "%t";
}

void DisplayFormatTest::unrecognisedKeepsDefaults()
{
    QFETCH(QString, text);
    const DisplayFormat format(text);
    const DisplayFormat defaults;
    QVERIFY(!format.recognised);
    QVERIFY(!format.isExact());
    QCOMPARE(format.text, text);
    QCOMPARE(format.kind, defaults.kind);
    QCOMPARE(format.leftJustified, defaults.leftJustified);
    QCOMPARE(format.totalDigits, defaults.totalDigits);
    QCOMPARE(format.digitsRightOfDecimal, defaults.digitsRightOfDecimal);
    QCOMPARE(format.totalCharacters, defaults.totalCharacters);
    QCOMPARE(format.europeanDecimals, false);
    QCOMPARE(format.commas, false);
    QCOMPARE(format.leadingZeros, false);
    QCOMPARE(format.toText(), QStringLiteral("%9.0g"));
}

void DisplayFormatTest::building_data()
{
    QTest::addColumn<DisplayFormat>("choices");
    QTest::addColumn<QString>("built");

    auto numeric = [](Kind kind, bool left, int total, int decimals, bool european, bool commas,
                      bool zeros) {
        DisplayFormat format;
        format.kind = kind;
        format.leftJustified = left;
        format.totalDigits = total;
        format.digitsRightOfDecimal = decimals;
        format.europeanDecimals = european;
        format.commas = commas;
        format.leadingZeros = zeros;
        return format;
    };
    QTest::newRow("generic right 9 2 commas")
        << numeric(DisplayFormat::GenericNumeric, false, 9, 2, false, true, false) << "%9.2gc";
    QTest::newRow("fixed left zeros 10 3 european")
        << numeric(DisplayFormat::FixedNumeric, true, 10, 3, true, false, true) << "%-010,3f";
    QTest::newRow("generic ignores leading zeros")
        << numeric(DisplayFormat::GenericNumeric, false, 8, 1, false, false, true) << "%8.1g";
    QTest::newRow("exponential ignores commas and zeros")
        << numeric(DisplayFormat::ExponentialNumeric, false, 10, 3, false, true, true) << "%10.3e";
    QTest::newRow("exponential european left")
        << numeric(DisplayFormat::ExponentialNumeric, true, 10, 3, true, false, false) << "%-10,3e";
    QTest::newRow("fixed everything")
        << numeric(DisplayFormat::FixedNumeric, true, 12, 2, true, true, true) << "%-012,2fc";

    DisplayFormat string;
    string.kind = DisplayFormat::String;
    string.totalCharacters = 20;
    string.leftJustified = true;
    string.commas = true; // belongs to numbers only
    QTest::newRow("string left 20") << string << "%-20s";

    DisplayFormat daily;
    daily.kind = DisplayFormat::Daily;
    daily.leftJustified = true;
    daily.dailySample = 7;
    daily.clockSample = 3; // another kind's sample plays no part
    QTest::newRow("daily sample 7 left") << daily << "%-tdCCYY-NN-DD";

    DisplayFormat clock;
    clock.kind = DisplayFormat::Clock;
    clock.leapSeconds = true;
    clock.clockSample = 7;
    QTest::newRow("clock leap sample 7") << clock << "%tCCCYY-NN-DD_HH:MM_AM";

    DisplayFormat daysNoLeap;
    daysNoLeap.kind = DisplayFormat::Daily;
    daysNoLeap.leapSeconds = true; // clock only
    QTest::newRow("leap seconds only for clocks") << daysNoLeap << "%td";

    DisplayFormat yearly;
    yearly.kind = DisplayFormat::Yearly;
    yearly.yearlySample = 1;
    QTest::newRow("yearly AD") << yearly << "%tyCCYY_!A!D";

    DisplayFormat outOfRange;
    outOfRange.kind = DisplayFormat::Weekly;
    outOfRange.weeklySample = 9;
    QTest::newRow("sample out of range adds no tokens") << outOfRange << "%tw";
}

void DisplayFormatTest::building()
{
    QFETCH(DisplayFormat, choices);
    QTEST(choices.toText(), "built");
}

void DisplayFormatTest::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text :
         {"%9.2gc", "%-010,3f", "%-tdCCYY-NN-DD", "%3.1f", "%9.0g", "%-9.2g", "%10.3e", "%-10,3e",
          "%012.4fc", "%-20s", "%255s", "%tC", "%-tcMonth_dd,_CCYY_HH:MM:SS.sss", "%twww-CCYY",
          "%-tmCCYY!mNN", "%tqCCYY-!Qq", "%thCCYY!Hh", "%ty", "%100.99f"})
        QTest::newRow(text) << QString::fromLatin1(text);
}

void DisplayFormatTest::roundTrip()
{
    QFETCH(QString, text);
    const DisplayFormat format(text);
    QVERIFY(format.isExact());
    QCOMPARE(DisplayFormat(format.toText()).toText(), text);
}

QTEST_APPLESS_MAIN(DisplayFormatTest)
#include "DisplayFormatTest.moc"
