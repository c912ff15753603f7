#include "model/DisplayFormat.h"

#include "DataRows.h"

#include <QTest>

Q_DECLARE_METATYPE(DisplayFormat)
Q_DECLARE_METATYPE(DisplayFormat::Kind)

namespace {

using Kind = DisplayFormat::Kind;

const Kind dateKinds[] = {Kind::Clock,     Kind::Daily,      Kind::Weekly, Kind::Monthly,
                          Kind::Quarterly, Kind::HalfYearly, Kind::Yearly};
// The type code written after "%" for each date or time kind, in that order.
const char *const dateCodes[] = {"tc", "td", "tw", "tm", "tq", "th", "ty"};

} // namespace

class DisplayFormatTest : public QObject
{
    Q_OBJECT

private slots:
    // "width" is the total digits of a number or the characters of a string;
    // "built" what the choices give back (the text itself when they say all).
    void numericAndString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("left");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("european");
        QTest::addColumn<bool>("commas");
        QTest::addColumn<bool>("zeros");
        QTest::addColumn<QString>("built");
        const auto row = [](const char *name, const char *text, Kind kind, bool left, int width,
                            int decimals, bool european, bool commas, bool zeros,
                            const char *built = nullptr) {
            dataRow(name, text, kind, left, width, decimals, european, commas, zeros,
                    built ? built : text);
        };
        const Kind g = Kind::GenericNumeric, f = Kind::FixedNumeric, e = Kind::ExponentialNumeric;
        row("generic", "%9.2g", g, false, 9, 2, false, false, false);
        row("generic with commas", "%9.2gc", g, false, 9, 2, false, true, false);
        row("generic left european", "%-12,4g", g, true, 12, 4, true, false, false);
        row("fixed", "%3.1f", f, false, 3, 1, false, false, false);
        row("fixed with commas", "%10.0fc", f, false, 10, 0, false, true, false);
        row("fixed leading zeros", "%09.2f", f, false, 9, 2, false, false, true);
        row("fixed left zeros european", "%-010,3f", f, true, 10, 3, true, false, true);
        row("fixed european commas", "%12,2fc", f, false, 12, 2, true, true, false);
        row("exponential", "%10.3e", e, false, 10, 3, false, false, false);
        row("exponential left european", "%-8,1e", e, true, 8, 1, true, false, false);
        // Leading zeros belong to fixed formats only.
        row("generic zero is no padding", "%09.2g", g, false, 9, 2, false, false, false, "%9.2g");
        // Without decimals the choices say ".0", which is not the same text.
        row("generic without decimals", "%9g", g, false, 9, 0, false, false, false, "%9.0g");
        row("fixed commas without decimals", "%12fc", f, false, 12, 0, false, true, false,
            "%12.0fc");
        row("exponential left without decimals", "%-7e", e, true, 7, 0, false, false, false,
            "%-7.0e");
        row("string right", "%10s", Kind::String, false, 10, 0, false, false, false);
        row("string left", "%-20s", Kind::String, true, 20, 0, false, false, false);
        row("string of one", "%1s", Kind::String, false, 1, 0, false, false, false);
    }

    void numericAndString()
    {
        QFETCH(QString, text);
        QFETCH(Kind, kind);
        const DisplayFormat format(text);
        QVERIFY(format.recognised);
        QCOMPARE(format.text, text);
        QCOMPARE(format.kind, kind);
        QTEST(format.leftJustified, "left");
        QTEST(kind == Kind::String ? format.totalCharacters : format.totalDigits, "width");
        QTEST(format.digitsRightOfDecimal, "decimals");
        QTEST(format.europeanDecimals, "european");
        QTEST(format.commas, "commas");
        QTEST(format.leadingZeros, "zeros");
        QTEST(format.toText(), "built");
        QCOMPARE(format.isExact(), format.toText() == text);
    }

    // Dates and times: justification, leap seconds, the sample their tokens
    // name and what the choices give back.
    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("leapSeconds");
        QTest::addColumn<int>("sample");
        QTest::addColumn<QString>("built");
        const auto row = [](const char *name, const char *text, Kind kind, bool left, bool leap,
                            int sample, const char *built = nullptr) {
            dataRow(name, text, kind, left, leap, sample, built ? built : text);
        };
        row("leap seconds", "%tCMon_DD,_CCYY_HH:MM:SS", Kind::Clock, false, true, 1);
        row("left leap seconds", "%-tC", Kind::Clock, true, true, 0);
        row("left clock", "%-tcNN/DD/CCYY_HH:MM:SS", Kind::Clock, true, false, 6);
        row("left daily", "%-tdCCYY-NN-DD", Kind::Daily, true, false, 7);
        row("left yearly", "%-tyCCYY_!A!D", Kind::Yearly, true, false, 1);
        row("quarterly", "%tq", Kind::Quarterly, false, false, 0);
        // Milliseconds end in "s", which alone would read as a string format.
        row("clock ending in s", "%tcMonth_dd,_CCYY_HH:MM:SS.sss", Kind::Clock, false, false, 5);
        row("leap clock ending in s", "%-tCMonth_dd,_CCYY_HH:MM:SS.sss", Kind::Clock, true, true,
            5);
        // Tokens of no sample, ending in letters that numeric formats test
        // for, give sample 0 and are lost on building.
        row("daily ending in g", "%tdMon_dd,_g", Kind::Daily, false, false, 0, "%td");
        row("daily ending in e", "%tdDD/NN/CCYY_e", Kind::Daily, false, false, 0, "%td");
        row("monthly ending in f", "%tmf", Kind::Monthly, false, false, 0, "%tm");
        row("unknown daily tokens", "%tdDD.NN.CCYY", Kind::Daily, false, false, 0, "%td");
        // The sample test only looks at the end of the text.
        row("known suffix after other tokens", "%tdDay_CCYY-NN-DD", Kind::Daily, false, false, 7,
            "%tdCCYY-NN-DD");
    }

    void dates()
    {
        QFETCH(QString, text);
        QFETCH(Kind, kind);
        QFETCH(QString, built);
        const DisplayFormat format(text);
        QVERIFY(format.recognised);
        QCOMPARE(format.text, text);
        QCOMPARE(format.kind, kind);
        QTEST(format.leftJustified, "left");
        QTEST(format.leapSeconds, "leapSeconds");
        QTEST(format.sample(kind), "sample");
        QCOMPARE(format.toText(), built);
        QCOMPARE(format.isExact(), built == text);
    }

    void everyDateSample_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("sample");
        for (int index = 0; index < 7; ++index) {
            const QList<DisplayFormat::Sample> samples = DisplayFormat::samples(dateKinds[index]);
            for (int sample = 0; sample < samples.size(); ++sample) {
                const QString text = QLatin1Char('%') + QLatin1String(dateCodes[index]) +
                                     QLatin1String(samples.at(sample).tokens);
                QTest::addRow("%s", qPrintable(text)) << text << dateKinds[index] << sample;
            }
        }
    }

    // Each sample is read back as itself; the other kinds' samples stay at 0.
    void everyDateSample()
    {
        QFETCH(QString, text);
        QFETCH(Kind, kind);
        QFETCH(int, sample);
        const DisplayFormat format(text);
        QVERIFY(format.recognised);
        QCOMPARE(format.kind, kind);
        QVERIFY(!format.leftJustified && !format.leapSeconds);
        QCOMPARE(format.toText(), text);
        for (const Kind other : dateKinds)
            QCOMPARE(format.sample(other), other == kind ? sample : 0);
    }

    void sampleLists_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("shown");
        using L = QStringList;
        dataRow("clock", Kind::Clock,
                L{"05jan2007 21:38:01", "Jul 05, 2007 21:38:01", "July 05, 2007 21:38:01",
                  "Jul 5, 2007 21:38", "July 5, 2007 21:38:01", "July 5, 2007 21:38:01.001",
                  "07/20/2007 21:38:01", "2007-07-20 9:38 PM"});
        dataRow("daily", Kind::Daily,
                L{"05jul2007", "Jul 05, 2007", "July 05, 2007", "Jul 1, 2007", "July 1, 2007",
                  "05/20/2007", "20/05/2007", "2007-05-20"});
        dataRow("weekly", Kind::Weekly, L{"2007w1", "2007-1", "1-2007"});
        dataRow("monthly", Kind::Monthly,
                L{"2007m1", "January 2007", "Jan 2007", "01/2007", "2007-01", "2007m01"});
        dataRow("quarterly", Kind::Quarterly, L{"2007q1", "Q1-2007", "2007-Q1", "2007-1"});
        dataRow("half-yearly", Kind::HalfYearly, L{"2007h1", "2007-1", "2007H1"});
        dataRow("yearly", Kind::Yearly, L{"2007", "2007 AD"});
        dataRow("numeric has none", Kind::FixedNumeric, L());
        dataRow("string has none", Kind::String, L());
    }

    // The first sample of each kind is the plain format, without tokens.
    void sampleLists()
    {
        QFETCH(Kind, kind);
        QStringList actual;
        const QList<DisplayFormat::Sample> samples = DisplayFormat::samples(kind);
        for (const DisplayFormat::Sample &sample : samples)
            actual.append(QString::fromUtf8(sample.shown));
        QTEST(actual, "shown");
        if (!samples.isEmpty())
            QCOMPARE(QString::fromLatin1(samples.first().tokens), QString());
    }

    void unrecognisedKeepsDefaults_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "hello", "%", "%tbcal", "%tg", "%~20s", "%.2f", "%9.2.1f",
                                 "%x.yf", "%12345678901234567890.2f", "%9.g", "%21x", "%s", "%t"})
            dataRow(text, text);
    }

    void unrecognisedKeepsDefaults()
    {
        QFETCH(QString, text);
        const DisplayFormat format(text);
        const DisplayFormat defaults;
        QVERIFY(!format.recognised);
        QVERIFY(!format.isExact());
        QCOMPARE(format.text, text);
        QCOMPARE(format.kind, defaults.kind);
        QCOMPARE(
            QList<int>({format.totalDigits, format.digitsRightOfDecimal, format.totalCharacters}),
            QList<int>(
                {defaults.totalDigits, defaults.digitsRightOfDecimal, defaults.totalCharacters}));
        QVERIFY(!format.leftJustified && !format.europeanDecimals && !format.commas &&
                !format.leadingZeros);
        QCOMPARE(format.toText(), QStringLiteral("%9.0g"));
    }

    void building_data()
    {
        QTest::addColumn<DisplayFormat>("choices");
        QTest::addColumn<QString>("built");
        const auto numeric = [](const char *name, Kind kind, bool left, int total, int decimals,
                                bool european, bool commas, bool zeros, const char *built) {
            DisplayFormat format;
            format.kind = kind;
            format.leftJustified = left;
            format.totalDigits = total;
            format.digitsRightOfDecimal = decimals;
            format.europeanDecimals = european;
            format.commas = commas;
            format.leadingZeros = zeros;
            dataRow(name, format, built);
        };
        const Kind g = Kind::GenericNumeric, f = Kind::FixedNumeric, e = Kind::ExponentialNumeric;
        numeric("generic ignores leading zeros", g, false, 8, 1, false, false, true, "%8.1g");
        numeric("exponential ignores commas and zeros", e, false, 10, 3, false, true, true,
                "%10.3e");
        numeric("exponential european left", e, true, 10, 3, true, false, false, "%-10,3e");
        numeric("fixed everything", f, true, 12, 2, true, true, true, "%-012,2fc");

        // Strings, dates and times: another kind's sample, the commas of
        // numbers and (but for strings) a string's characters play no part.
        const auto other = [](const char *name, Kind kind, bool left, bool leap, int sample,
                              const char *built) {
            DisplayFormat format;
            format.kind = kind;
            format.leftJustified = left;
            format.leapSeconds = leap;
            format.totalCharacters = 20;
            format.commas = true;
            format.clockSample = 3;
            format.setSample(kind, sample);
            dataRow(name, format, built);
        };
        other("string left 20", Kind::String, true, false, 0, "%-20s");
        other("daily sample 7 left", Kind::Daily, true, false, 7, "%-tdCCYY-NN-DD");
        other("clock leap sample 7", Kind::Clock, false, true, 7, "%tCCCYY-NN-DD_HH:MM_AM");
        other("leap seconds only for clocks", Kind::Daily, false, true, 0, "%td");
        other("yearly AD", Kind::Yearly, false, false, 1, "%tyCCYY_!A!D");
        other("sample out of range adds no tokens", Kind::Weekly, false, false, 9, "%tw");
    }

    void building()
    {
        QFETCH(DisplayFormat, choices);
        QTEST(choices.toText(), "built");
    }

    // Texts the tables above do not build back already.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"%9.0g", "%-9.2g", "%-10,3e", "%012.4fc", "%255s", "%100.99f",
                                 "%tC", "%-tcMonth_dd,_CCYY_HH:MM:SS.sss", "%twww-CCYY",
                                 "%-tmCCYY!mNN", "%tqCCYY-!Qq", "%thCCYY!Hh", "%ty"})
            dataRow(text, text);
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        const DisplayFormat format(text);
        QVERIFY(format.isExact());
        QCOMPARE(DisplayFormat(format.toText()).toText(), text);
    }
};

QTEST_APPLESS_MAIN(DisplayFormatTest)
#include "DisplayFormatTest.moc"
