#include "model/DisplayFormat.h"

#include "DataRows.h"

#include <QTest>

Q_DECLARE_METATYPE(DisplayFormat::Kind)

namespace {

using Kind = DisplayFormat::Kind;

const Kind dateKinds[] = {Kind::Clock,     Kind::Daily,      Kind::Weekly, Kind::Monthly,
                          Kind::Quarterly, Kind::HalfYearly, Kind::Yearly};
// The type code written after "%" for each date or time kind, in that order.
const char *const dateCodes[] = {"tc", "td", "tw", "tm", "tq", "th", "ty"};

// The choices as "kind width.decimals", "kind characters" or "kind sample n",
// then the flags that are set.
QString choices(const DisplayFormat &format)
{
    static const char *const kinds[] = {"g",  "f",  "e",  "s",  "tc", "td",
                                        "tw", "tm", "tq", "th", "ty"};
    QStringList parts{QLatin1String(kinds[format.kind])};
    if (DisplayFormat::isNumeric(format.kind))
        parts << QStringLiteral("%1.%2").arg(format.totalDigits).arg(format.digitsRightOfDecimal);
    else if (format.kind == Kind::String)
        parts << QString::number(format.totalCharacters);
    else
        parts << QStringLiteral("sample %1").arg(format.sample(format.kind));
    for (const auto &[set, name] : {std::pair{format.leftJustified, "left"},
                                    {format.europeanDecimals, "european"},
                                    {format.commas, "commas"},
                                    {format.leadingZeros, "zeros"},
                                    {format.leapSeconds, "leap"}}) {
        if (set)
            parts << QLatin1String(name);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class DisplayFormatTest : public QObject
{
    Q_OBJECT

private slots:
    // The choices read from each text, and what they build back (the text
    // itself when they say all of it).
    void parsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("built");
        const auto row = [](const char *text, const char *choices, const char *built = nullptr) {
            dataRow(text, text, choices, built ? built : text);
        };
        row("%9.2g", "g 9.2");
        row("%9.2gc", "g 9.2 commas");
        row("%-12,4g", "g 12.4 left european");
        row("%3.1f", "f 3.1");
        row("%10.0fc", "f 10.0 commas");
        row("%09.2f", "f 9.2 zeros");
        row("%-010,3f", "f 10.3 left european zeros");
        row("%12,2fc", "f 12.2 european commas");
        row("%10.3e", "e 10.3");
        row("%-8,1e", "e 8.1 left european");
        // Leading zeros belong to fixed formats only.
        row("%09.2g", "g 9.2", "%9.2g");
        // Without decimals the choices say ".0", which is not the same text.
        row("%9g", "g 9.0", "%9.0g");
        row("%12fc", "f 12.0 commas", "%12.0fc");
        row("%-7e", "e 7.0 left", "%-7.0e");
        row("%10s", "s 10");
        row("%-20s", "s 20 left");
        row("%1s", "s 1");
        row("%9.0g", "g 9.0");
        row("%-9.2g", "g 9.2 left");
        row("%-10,3e", "e 10.3 left european");
        row("%012.4fc", "f 12.4 commas zeros");
        row("%255s", "s 255");
        row("%100.99f", "f 100.99");
        row("%tCMon_DD,_CCYY_HH:MM:SS", "tc sample 1 leap");
        row("%-tC", "tc sample 0 left leap");
        row("%tC", "tc sample 0 leap");
        row("%-tmCCYY!mNN", "tm sample 5 left");
        row("%-tcNN/DD/CCYY_HH:MM:SS", "tc sample 6 left");
        row("%-tdCCYY-NN-DD", "td sample 7 left");
        row("%-tyCCYY_!A!D", "ty sample 1 left");
        row("%tq", "tq sample 0");
        // Milliseconds end in "s", which alone would read as a string format.
        row("%tcMonth_dd,_CCYY_HH:MM:SS.sss", "tc sample 5");
        row("%-tCMonth_dd,_CCYY_HH:MM:SS.sss", "tc sample 5 left leap");
        // Tokens of no sample, ending in letters that numeric formats test
        // for, give sample 0 and are lost on building.
        row("%tdMon_dd,_g", "td sample 0", "%td");
        row("%tdDD/NN/CCYY_e", "td sample 0", "%td");
        row("%tmf", "tm sample 0", "%tm");
        row("%tdDD.NN.CCYY", "td sample 0", "%td");
        // The sample test only looks at the end of the text.
        row("%tdDay_CCYY-NN-DD", "td sample 7", "%tdCCYY-NN-DD");
    }

    void parsing()
    {
        QFETCH(QString, text);
        QFETCH(QString, built);
        const DisplayFormat format(text);
        QVERIFY(format.recognised);
        QCOMPARE(format.text, text);
        QTEST(choices(format), "choices");
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
        QCOMPARE(format.kind, kind);
        QCOMPARE(format.toText(), text);
        for (const Kind other : dateKinds)
            QCOMPARE(format.sample(other), other == kind ? sample : 0);
    }

    // The samples the dialog lists: how many of each kind, the clock's in
    // full; the first of each kind is the plain format, without tokens.
    void sampleLists()
    {
        QList<int> counts;
        for (const Kind kind : dateKinds) {
            counts.append(DisplayFormat::samples(kind).size());
            QCOMPARE(QString::fromLatin1(DisplayFormat::samples(kind).first().tokens), QString());
        }
        QCOMPARE(counts, QList<int>({8, 8, 3, 6, 4, 3, 2}));
        QVERIFY(DisplayFormat::samples(Kind::FixedNumeric).isEmpty());
        QVERIFY(DisplayFormat::samples(Kind::String).isEmpty());
        QStringList clock;
        for (const DisplayFormat::Sample &sample : DisplayFormat::samples(Kind::Clock))
            clock.append(QString::fromUtf8(sample.shown));
        QCOMPARE(clock, QStringList({"05jan2007 21:38:01", "Jul 05, 2007 21:38:01",
                                     "July 05, 2007 21:38:01", "Jul 5, 2007 21:38",
                                     "July 5, 2007 21:38:01", "July 5, 2007 21:38:01.001",
                                     "07/20/2007 21:38:01", "2007-07-20 9:38 PM"}));
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
        QCOMPARE(format.text, text);
        QCOMPARE(choices(format), choices(defaults));
        QCOMPARE(format.totalCharacters, defaults.totalCharacters);
        QCOMPARE(format.toText(), QStringLiteral("%9.0g"));
    }

    // Each kind builds from its own choices only: the rest stays as the
    // user left it and plays no part.
    void buildingIgnoresTheOtherKindsChoices()
    {
        DisplayFormat format(QStringLiteral("%8.1g"));
        format.leadingZeros = format.leapSeconds = true;
        format.totalCharacters = 20;
        format.clockSample = 3;
        QCOMPARE(format.toText(), QStringLiteral("%8.1g"));
        format.kind = Kind::ExponentialNumeric;
        format.commas = true;
        QCOMPARE(format.toText(), QStringLiteral("%8.1e"));
        format.kind = Kind::FixedNumeric;
        format.leftJustified = format.europeanDecimals = true;
        QCOMPARE(format.toText(), QStringLiteral("%-08,1fc"));
        format.kind = Kind::String;
        QCOMPARE(format.toText(), QStringLiteral("%-20s"));
        format.kind = Kind::Daily;
        format.dailySample = 7;
        QCOMPARE(format.toText(), QStringLiteral("%-tdCCYY-NN-DD"));
        format.kind = Kind::Clock;
        format.leftJustified = false;
        format.clockSample = 7;
        QCOMPARE(format.toText(), QStringLiteral("%tCCCYY-NN-DD_HH:MM_AM"));
        format.kind = Kind::Yearly;
        format.yearlySample = 1;
        QCOMPARE(format.toText(), QStringLiteral("%tyCCYY_!A!D"));
        format.kind = Kind::Weekly;
        format.weeklySample = 9; // out of range: no tokens
        QCOMPARE(format.toText(), QStringLiteral("%tw"));
    }
};

QTEST_APPLESS_MAIN(DisplayFormatTest)
#include "DisplayFormatTest.moc"
