#include "DataRows.h"
#include "DtaWriter.h"
#include "ReadStatDtaWriter.h"
#include "SampleStatistics.h"
#include "StandinRunner.h"
#include "StandinStarts.h"

#include <QTest>

namespace {

// The export section and check-file block that close every do-file Quorin
// writes, taken from the worked example's, for a grid of the given size.
QString exportSection(int rows, int columns, const QString &outputFile)
{
    const QString text = fileText(QUORIN_SOURCE_DIR "/tests/data/dofile/workedExample.do");
    return text.mid(text.indexOf(QLatin1String("local nRow ")))
        .replace("local nRow 2\nlocal nCol 2\n",
                 QStringLiteral("local nRow %1\nlocal nCol %2\n").arg(rows).arg(columns))
        .replace("C:/Data/tabella.csv", outputFile);
}

// A dataset of unlabelled variables: name and storage type.
bool writeDta(const QString &fileName, const QList<std::pair<QString, quint8>> &variables,
              const QList<QVariantList> &rows, DtaWriter::ByteOrder order = DtaWriter::LittleEndian)
{
    DtaWriter writer;
    writer.setByteOrder(order);
    for (const auto &[name, type] : variables)
        writer.addVariable(name, QString(), type);
    for (const QVariantList &row : rows)
        writer.addObservation(row);
    return writer.writeFile(fileName);
}

// Ten respondents: sesso, ripartizione and eta, one without an age; the
// tests pick the ages of some of them by hand.
bool writeSurvey(const StandinRunner &runner)
{
    const QList<QVariantList> rows = {{1, 1, 34.0}, {2, 1, 51.0}, {1, 2, 47.4}, {1, 3, 29.0},
                                      {2, 2, 62.0}, {1, 2, 38.0}, {1, 1, {}},   {2, 3, 44.0},
                                      {1, 1, 71.0}, {1, 4, 55.0}};
    return writeDta(
        runner.filePath("survey.dta"),
        {{"sesso", DtaWriter::Byte}, {"ripartizione", DtaWriter::Byte}, {"eta", DtaWriter::Double}},
        rows);
}

bool near(double actual, double expected)
{
    return std::fabs(actual - expected) <= 1e-12 * std::max(1.0, std::fabs(expected));
}

} // namespace

class StataStandinTest : public QObject
{
    Q_OBJECT

private slots:
    // A grid of three rows: a matrix result (mean's e(b)), a macro result
    // (e(cmd)) and a scalar result without a display format.
    void runsMatrixAndMacroResultLines()
    {
        StandinRunner runner;
        QVERIFY(writeSurvey(runner));
        QCOMPARE(runner.runDoFile("use \"survey.dta\"\ntempname tempMatrix\nlocal t_1_1 \"Mean\"\n"
                                  "mean eta if sesso==2\nmatrix `tempMatrix' = e(b)\n"
                                  "local t_1_2: display %9.3f `tempMatrix'[1, 1]\n"
                                  "local t_2_2: display e(cmd)\ncount if sesso==1 \n"
                                  "local t_3_2: display  r(N)\n" +
                                  exportSection(3, 2, QStringLiteral("out.csv"))),
                 0);
        const double women = sampleMean({51, 62, 44});
        QCOMPARE(runner.readFile(QStringLiteral("out.csv")),
                 QStringLiteral("Mean;%1\n;mean\n;7\n").arg(QString::asprintf("%9.3f", women)));
        QVERIFY(runner.exists(QStringLiteral("checkfile.tmp")));
        QVERIFY(runner.log().startsWith(QStringLiteral("Quorin's test stand-in for Stata")));
        QVERIFY(runner.log().contains(QStringLiteral("end of do-file")));
    }

    // Flags other than Stata's batch ones are refused; --help and a start
    // without arguments (logged to its own file) end at once. Every start is
    // recorded in the file named by QUORIN_STANDIN_ARGS_FILE, or else in
    // standin-args.txt.
    void startsAsQuorinStartsStata()
    {
        StandinRunner runner;
        runner.environment().remove(QStringLiteral("QUORIN_STANDIN_ARGS_FILE"));
        QCOMPARE(runner.run({"-q", "do", "temp.do"}), 2);
        QVERIFY(runner.standardError().contains(QStringLiteral("not Stata")));
        QVERIFY(!runner.exists(QStringLiteral("temp.log")));
        QCOMPARE(runner.run({"--help"}), 0);
        QVERIFY(runner.standardOutput().contains(QStringLiteral("QUORIN_STANDIN_DELAY_MS")));
        QCOMPARE(runner.run({}), 0);
        QVERIFY(runner.readFile(QStringLiteral("standin-interactive.log"))
                    .startsWith(QStringLiteral("Quorin's test stand-in for Stata")));
        QCOMPARE(recordedStandinArguments(runner.filePath("standin-args.txt")),
                 (QList<QStringList>{{"-q", "do", "temp.do"}, {"--help"}, {}}));

        const QString record = runner.filePath(QStringLiteral("arguments.jsonl"));
        runner.environment().insert(QStringLiteral("QUORIN_STANDIN_ARGS_FILE"), record);
        runner.writeFile("temp.do", "file open f using \"ran.txt\", write replace\nfile close f\n");
        QList<QStringList> starts;
        for (const char *flag : {"-e", "-b", "/e", "/b"}) {
            QFile::remove(runner.filePath(QStringLiteral("ran.txt")));
            starts.append({flag, "do", "\"temp.do\""});
            QCOMPARE(runner.run(starts.last()), 0);
            QVERIFY2(runner.exists(QStringLiteral("ran.txt")), flag);
        }
        QCOMPARE(recordedStandinArguments(record), starts);
    }

    void stopsOnWhatItDoesNotUnderstand_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("code");
        dataRow("unknown command", "frobnicate eta", 199);
        dataRow("unknown variable", "summarize height", 111);
        dataRow("mean without observations", "mean eta if eta > 500", 2000);
        dataRow("matrix subscript outside", "mean eta\nmatrix m = e(b)\ndisplay m[1, 2]", 503);
        dataRow("unknown matrix", "display nothing[1, 1]", 111);
        dataRow("invalid format", "local a: display %9.2q 1", 120);
        dataRow("date format", "local a: display %td 1", 120);
        dataRow("string against number", "count if sesso == \"1\"", 109);
        dataRow("single equals sign", "count if sesso = 1", 198);
        dataRow("in range", "summarize eta in 1/3", 198);
        dataRow("weights", "summarize eta [aw=sesso]", 198);
        dataRow("unknown option", "summarize eta, wide", 198);
        dataRow("unknown function", "count if frob(eta)", 133);
        dataRow("extended function", "local n: word count a b", 198);
        dataRow("block never closed", "forvalues i = 1/2 {", 612);
        dataRow("stray close brace", "}", 198);
        dataRow("else without if", "else {", 198);
        dataRow("dataset not found", "use \"nowhere.dta\"", 601);
        dataRow("truncated dataset", "use short", 610);
        dataRow("not a dataset", "use notes", 610);
        dataRow("unclosed quote", "display \"abc", 198);
        dataRow("file write bare word", "file open f using \"x.txt\", write\nfile write f abc",
                198);
        dataRow("existing file without replace",
                "file open f using \"x.txt\", write\nfile close f\n"
                "file open g using \"x.txt\", write",
                602);
    }

    // The run stops at the line with Stata's return code; no later line runs,
    // so no check file is written.
    void stopsOnWhatItDoesNotUnderstand()
    {
        QFETCH(QString, line);
        QFETCH(int, code);
        StandinRunner runner;
        QVERIFY(writeSurvey(runner));
        QByteArray truncated = fileBytes(runner.filePath("survey.dta"));
        truncated.chop(30);
        QVERIFY(writeFileBytes(runner.filePath("short.dta"), truncated));
        runner.writeFile(QStringLiteral("notes.dta"), QStringLiteral("Not a dataset.\n"));

        QCOMPARE(runner.runDoFile("use \"survey.dta\"\n" + line + '\n' +
                                  exportSection(1, 1, QStringLiteral("out.csv"))),
                 1);
        QVERIFY(!runner.exists(QStringLiteral("checkfile.tmp")));
        const QString log = runner.log();
        QVERIFY2(log.contains(QStringLiteral("r(%1);").arg(code)), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("stopped at line %1 of the do-file: %2")
                                  .arg(1 + line.count('\n') + 1)
                                  .arg(line.split('\n').last())),
                 qPrintable(log));
    }

    void readsEveryRelease_data()
    {
        QTest::addColumn<int>("release");
        for (int release : {105, 110, 113, 114, 115, 117, 118, 119})
            QTest::addRow("%d", release) << release;
    }

    // Quorin imports the variables of every release, so the stand-in runs
    // tables on all of them: numbers, long strings, strLs and texts in either
    // encoding.
    void readsEveryRelease()
    {
        QFETCH(int, release);
        using Type = ReadStatDtaWriter::Type;
        const bool strL = release >= 117;
        StandinRunner runner;
        ReadStatDtaWriter writer(release);
        writer.addVariable("x", QString(), Type::Double);
        writer.addVariable("k", QString(), Type::Byte);
        writer.addVariable("s", QString(), Type::String, strL ? 2045 : 20);
        if (strL)
            writer.addVariable("n", QString(), Type::StrL);
        writer.addObservation({1.5, 1, "Città", "una nota"});
        writer.addObservation({{}, 2, "Roma", ""});
        writer.addObservation({-4.0, {}, "Città", "una nota"});
        QVERIFY(writer.writeFile(runner.filePath(QStringLiteral("survey.dta"))));

        const QString strLLines = "count if n == \"una nota\"\nfile write out \";\" (r(N))\n";
        QCOMPARE(runner.runDoFile("use survey\nfile open out using \"out.txt\", write\n"
                                  "summarize x\nfile write out (r(N)) \";\" (r(sum))\n"
                                  "summarize k if s == \"Città\"\n"
                                  "file write out \";\" (r(N)) \";\" (_N)\n" +
                                  (strL ? strLLines : QString()) + "file close out\n"),
                 0);
        QCOMPARE(runner.readFile(QStringLiteral("out.txt")),
                 QStringLiteral("2;-2.5;1;3") + (strL ? ";2" : ""));
    }

    void readsEveryStorageType_data()
    {
        QTest::addColumn<int>("byteOrder");
        QTest::newRow("little-endian") << int(DtaWriter::LittleEndian);
        QTest::newRow("big-endian") << int(DtaWriter::BigEndian);
    }

    void readsEveryStorageType()
    {
        QFETCH(int, byteOrder);
        StandinRunner runner;
        // The last observation holds Stata's extended missing values as
        // stored: .a for byte (102), .z for int (32767), .b for long, .c for
        // float and .z for double.
        const QList<std::pair<QString, quint8>> types = {
            {"b", DtaWriter::Byte},  {"i", DtaWriter::Int},    {"l", DtaWriter::Long},
            {"f", DtaWriter::Float}, {"d", DtaWriter::Double}, {"s", 5}};
        QVERIFY(writeDta(runner.filePath("types.dta"), types,
                         {{-5, -300, 100000, 1.5, 2.25, "ab"},
                          {100, 32740, 2147483620, -0.25, -1e300, "xyz"},
                          {{}, {}, {}, {}, {}, ""},
                          {102, 32767, 2147483623, std::ldexp(1.0, 127) + 3 * std::ldexp(1.0, 115),
                           std::ldexp(1.0, 1023) + 26 * std::ldexp(1.0, 1011), "q q"}},
                         DtaWriter::ByteOrder(byteOrder)));

        QString doFile = QStringLiteral("use types\nfile open out using \"out.txt\", write text\n");
        QStringList expected;
        const QList<double> sums = {95, 32440, 2147583620, 1.25, 2.25 - 1e300};
        for (int i = 0; i < sums.size(); ++i) {
            doFile += QStringLiteral("summarize %1\nfile write out (r(N)) \";\" %24.16e (r(sum))\n"
                                     "count if %1 == .\nfile write out \";\" (r(N))\n"
                                     "count if %1 > .\nfile write out \";\" (r(N)) _n\n")
                          .arg(types.at(i).first);
            // Two observations, their sum, one system missing value and one
            // extended one, above ".".
            expected << QString::asprintf("2;%24.16e;1;1", sums.at(i));
        }
        QCOMPARE(runner.runDoFile(doFile + "count if b == .a & i == .z & l == .b & f == .c & "
                                           "d == .z\nfile write out (r(N)) _n\n"
                                           "count if s == \"xyz\" | s == \"q q\"\n"
                                           "file write out (r(N)) \";\" (s) \";\" (_N)\n"
                                           "file close out\n"),
                 0);
        expected << "1"
                 << "2;ab;4";
        QCOMPARE(runner.readFile(QStringLiteral("out.txt")).split('\n'), expected);
    }

    // The figures the statistics library uses are checked through it; here
    // the variance, abbreviations, a selection without observations, mean's
    // estimate and standard error, and percentiles on whole ranks.
    void summarizeAndMeanStoreTheirResults()
    {
        StandinRunner runner;
        QVERIFY(writeSurvey(runner));
        QVERIFY(writeDta(runner.filePath("ten.dta"), {{"x", DtaWriter::Int}},
                         {{7}, {3}, {10}, {1}, {5}, {9}, {2}, {8}, {4}, {6}}));
        QCOMPARE(
            runner.runDoFile(
                "use survey\nfile open out using \"out.txt\", write\n"
                "su eta if sesso == 1 & ripart != 3\n"
                "file write out (r(N)) \";\" %24.16e (r(Var)) _n\n"
                "summarize eta if eta > 1000\nfile write out (r(N)) \";\" (r(mean)) \";\" "
                "(r(sd)) \";\" (r(min)) \";\" (r(max)) \";\" (r(sum)) \";\" (r(Var)) _n\n"
                "mean eta if sesso == 1 & eta < 60\nmatrix b = e(b)\nmatrix t = r(table)\n"
                "file write out %24.16e (b[1, 1]) \";\" (e(N)) \";\" %24.16e (t[2, 1]) _n\n"
                "use ten\nsummarize x, detail\n"
                "file write out (r(p1)) \";\" (r(p10)) \";\" (r(p25)) \";\" (r(p50)) \";\" "
                "(r(p75)) \";\" (r(p90)) \";\" (r(p99)) \";\" (r(skewness))\nfile close out\n"),
            0);
        const QStringList lines = runner.readFile(QStringLiteral("out.txt")).split('\n');
        QCOMPARE(lines.size(), 4);
        const QStringList variance = lines.at(0).split(';');
        const QList<double> some = {34, 47.4, 38, 71, 55};
        QCOMPARE(variance.size(), 2);
        QCOMPARE(variance.at(0), QString::number(some.size()));
        QVERIFY2(near(variance.at(1).toDouble(), std::pow(sampleStandardDeviation(some), 2)),
                 qPrintable(lines.at(0)));
        QCOMPARE(lines.at(1), QStringLiteral("0;.;.;.;.;0;."));

        const QList<double> men = {34, 47.4, 29, 38, 55};
        const double mean = sampleMean(men);
        const double se = sampleStandardDeviation(men) / std::sqrt(men.size());
        const QStringList numbers = lines.at(2).split(';');
        QCOMPARE(numbers.size(), 3);
        QVERIFY2(near(numbers.at(0).toDouble(), mean) && numbers.at(1) == "5" &&
                     near(numbers.at(2).toDouble(), se),
                 qPrintable(lines.at(2)));
        // With n = 10: p10, p50 and p90 fall on whole ranks (mean of two
        // values), p1, p25, p75 and p99 on the next rank up; the data are
        // symmetric.
        QCOMPARE(lines.at(3), QStringLiteral("1;1.5;3;5.5;8;9.5;10;0"));
    }
};

QTEST_GUILESS_MAIN(StataStandinTest)
#include "StataStandinTest.moc"
