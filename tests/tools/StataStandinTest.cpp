#include "DataRows.h"
#include "DtaWriter.h"
#include "ReadStatDtaWriter.h"
#include "SampleStatistics.h"
#include "StandinRunner.h"
#include "StandinStarts.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// The worked example's do-file as Quorin writes it, dataset and output file
// names included.
QString workedExample()
{
    return fileText(QStringLiteral(QUORIN_SOURCE_DIR "/tests/data/dofile/workedExample.do"));
}

// The export section and check-file block that close every do-file Quorin
// writes, taken from the worked example, for a grid of the given size.
QString exportSection(int rows, int columns, const QString &outputFile)
{
    const QString text = workedExample();
    return text.mid(text.indexOf(QLatin1String("local nRow ")))
        .replace(QLatin1String("local nRow 2\nlocal nCol 2\n"),
                 QStringLiteral("local nRow %1\nlocal nCol %2\n").arg(rows).arg(columns))
        .replace(QLatin1String("C:/Data/tabella.csv"), outputFile);
}

struct Person
{
    int sesso;
    int ripartizione;
    double eta; // NaN for missing
};

const QList<Person> &survey()
{
    static const QList<Person> people = {
        {1, 1, 34}, {2, 1, 51},  {1, 2, 47.4}, {1, 3, 29}, {2, 2, 62},
        {1, 2, 38}, {1, 1, NAN}, {2, 3, 44},   {1, 1, 71}, {1, 4, 55},
    };
    return people;
}

void writeSurvey(const QString &fileName, DtaWriter::ByteOrder order = DtaWriter::LittleEndian)
{
    DtaWriter writer;
    writer.setByteOrder(order);
    writer.addVariable(QStringLiteral("sesso"), QStringLiteral("Sesso"), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("ripartizione"), QStringLiteral("Ripartizione"),
                       DtaWriter::Byte);
    writer.addVariable(QStringLiteral("eta"), QStringLiteral("Età"), DtaWriter::Double);
    for (const Person &person : survey())
        writer.addObservation({person.sesso, person.ripartizione,
                               std::isnan(person.eta) ? QVariant() : QVariant(person.eta)});
    QVERIFY(writer.writeFile(fileName));
}

// eta over the people the predicate keeps, missing ages left out.
QList<double> ages(const std::function<bool(const Person &)> &keep)
{
    QList<double> values;
    for (const Person &person : survey()) {
        if (keep(person) && !std::isnan(person.eta))
            values.append(person.eta);
    }
    return values;
}

// Results written with %24.16e come back as doubles; "." stays NaN.
QList<double> numbersIn(const QString &text)
{
    QList<double> numbers;
    for (const QString &field :
         text.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts))
        numbers.append(field == QLatin1String(".") ? NAN : field.toDouble());
    return numbers;
}

QString cFormat(const char *format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return QString::fromLatin1(buffer);
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
    void runsMatrixAndMacroResultLines();
    void acceptsEveryBatchFlag_data();
    void acceptsEveryBatchFlag();
    void otherStarts();
    void stopsOnWhatItDoesNotUnderstand_data();
    void stopsOnWhatItDoesNotUnderstand();
    void readsEveryStorageType_data();
    void readsEveryStorageType();
    void readsEveryRelease_data();
    void readsEveryRelease();
    void refusesCorruptDatasets();
    void summarizeStoresItsResults();
    void summarizeDetailStoresPercentiles();
    void meanStoresEstimatesAndTable();
};

void StataStandinTest::runsMatrixAndMacroResultLines()
{
    StandinRunner runner;
    writeSurvey(runner.filePath(QStringLiteral("survey.dta")));
    // A grid of three rows: a matrix result (mean's e(b)), a macro result
    // (e(cmd)) and a scalar result without a display format.
    const QString doFile = QStringLiteral("use \"survey.dta\"\n"
                                          "tempname tempMatrix\n"
                                          "local t_1_1 \"Mean\"\n"
                                          "mean eta if sesso==2\n"
                                          "matrix `tempMatrix' = e(b)\n"
                                          "local t_1_2: display %9.3f `tempMatrix'[1, 1]\n"
                                          "local t_2_2: display e(cmd)\n"
                                          "count if sesso==1 \n"
                                          "local t_3_2: display  r(N)\n") +
                           exportSection(3, 2, QStringLiteral("out.csv"));

    QCOMPARE(runner.runDoFile(doFile), 0);

    const double women = sampleMean(ages([](const Person &person) { return person.sesso == 2; }));
    QCOMPARE(runner.readFile(QStringLiteral("out.csv")),
             QStringLiteral("Mean;%1\n;mean\n;7\n").arg(cFormat("%9.3f", women)));
    QVERIFY(runner.exists(QStringLiteral("checkfile.tmp")));
    QVERIFY(runner.log().startsWith(QStringLiteral("Quorin's test stand-in for Stata")));
    QVERIFY(runner.log().contains(QStringLiteral("end of do-file")));
}

void StataStandinTest::acceptsEveryBatchFlag_data()
{
    QTest::addColumn<QString>("flag");
    for (const char *flag : {"-e", "-b", "/e", "/b"})
        QTest::newRow(flag) << QString::fromLatin1(flag);
}

// Every start runs the do-file and appends its arguments and working
// directory to the record.
void StataStandinTest::acceptsEveryBatchFlag()
{
    QFETCH(QString, flag);
    StandinRunner runner;
    runner.writeFile(QStringLiteral("temp.do"),
                     QStringLiteral("file open f using \"done.txt\", write replace\n"
                                    "file write f \"ran\"\nfile close f\n"));
    const QStringList arguments{flag, QStringLiteral("do"), QStringLiteral("\"temp.do\"")};
    QCOMPARE(runner.run(arguments), 0);
    QCOMPARE(runner.run(arguments), 0);
    QCOMPARE(runner.readFile(QStringLiteral("done.txt")), QStringLiteral("ran"));
    const QList<QJsonObject> starts =
        recordedStandinStarts(runner.filePath(QStringLiteral("arguments.jsonl")));
    QCOMPARE(starts.size(), 2);
    for (const QJsonObject &start : starts) {
        QCOMPARE(start.value(QStringLiteral("arguments")).toArray().toVariantList(),
                 QVariant(arguments).toList());
        QCOMPARE(QDir(start.value(QStringLiteral("workingDirectory")).toString()).canonicalPath(),
                 QDir(runner.path()).canonicalPath());
    }
}

// Other flags are refused; --help and a start without arguments (logged to
// its own file) end at once; without QUORIN_STANDIN_ARGS_FILE the record of
// every start goes to the working directory.
void StataStandinTest::otherStarts()
{
    StandinRunner runner;
    runner.environment().remove(QStringLiteral("QUORIN_STANDIN_ARGS_FILE"));
    QCOMPARE(runner.run({QStringLiteral("-q"), QStringLiteral("do"), QStringLiteral("temp.do")}),
             2);
    QVERIFY(runner.standardError().contains(QStringLiteral("not Stata")));
    QVERIFY(!runner.exists(QStringLiteral("temp.log")));
    QCOMPARE(runner.run({QStringLiteral("--help")}), 0);
    QVERIFY(runner.standardOutput().contains(QStringLiteral("QUORIN_STANDIN_DELAY_MS")));
    QCOMPARE(runner.run({}), 0);
    QVERIFY(runner.readFile(QStringLiteral("standin-interactive.log"))
                .startsWith(QStringLiteral("Quorin's test stand-in for Stata")));
    QCOMPARE(runner.runDoFile(QStringLiteral("display 1\n")), 0);
    QStringList counts;
    for (const QJsonObject &start :
         recordedStandinStarts(runner.filePath(QStringLiteral("standin-args.txt"))))
        counts.append(QString::number(start.value(QStringLiteral("arguments")).toArray().size()));
    QCOMPARE(counts, (QStringList{"3", "1", "0", "3"}));
}

void StataStandinTest::stopsOnWhatItDoesNotUnderstand_data()
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
    dataRow("unclosed quote", "display \"abc", 198);
    dataRow("file write bare word",
            "file open f using \"x.txt\", "
            "write\nfile write f abc",
            198);
    dataRow("existing file without replace",
            "file open f using \"x.txt\", write\nfile close f\n"
            "file open g using \"x.txt\", write",
            602);
}

void StataStandinTest::stopsOnWhatItDoesNotUnderstand()
{
    QFETCH(QString, line);
    QFETCH(int, code);
    StandinRunner runner;
    writeSurvey(runner.filePath(QStringLiteral("survey.dta")));
    const QString doFile = QStringLiteral("use \"survey.dta\"\n%1\n").arg(line) +
                           exportSection(1, 1, QStringLiteral("out.csv"));
    const int exitCode = runner.runDoFile(doFile);

    QCOMPARE(exitCode, 1);
    QVERIFY(!runner.exists(QStringLiteral("checkfile.tmp")));
    const QString log = runner.log();
    QVERIFY2(log.contains(QStringLiteral("r(%1);").arg(code)), qPrintable(log));
    const QString lastLine = line.split('\n').last();
    QVERIFY2(log.contains(QStringLiteral("stopped at line %1 of the do-file: %2")
                              .arg(1 + int(line.split('\n').size()))
                              .arg(lastLine)),
             qPrintable(log));
}

void StataStandinTest::readsEveryRelease_data()
{
    QTest::addColumn<int>("release");
    for (int release : {105, 110, 113, 114, 115, 117, 118, 119})
        QTest::addRow("%d", release) << release;
}

// Quorin imports the variables of every release, so the stand-in runs tables
// on all of them: numbers, long strings, strLs and texts in either encoding.
void StataStandinTest::readsEveryRelease()
{
    QFETCH(int, release);
    using Type = ReadStatDtaWriter::Type;
    StandinRunner runner;
    ReadStatDtaWriter writer(release);
    writer.addVariable(QStringLiteral("x"), QString(), Type::Double);
    writer.addVariable(QStringLiteral("k"), QString(), Type::Byte);
    writer.addVariable(QStringLiteral("s"), QString(), Type::String, release >= 117 ? 2045 : 20);
    const bool strL = release >= 117;
    if (strL)
        writer.addVariable(QStringLiteral("n"), QString(), Type::StrL);
    const QString city = QStringLiteral("Città");
    writer.addObservation({1.5, 1, city, QStringLiteral("una nota")});
    writer.addObservation({QVariant(), 2, QStringLiteral("Roma"), QString()});
    writer.addObservation({-4.0, QVariant(), city, QStringLiteral("una nota")});
    QVERIFY(writer.writeFile(runner.filePath(QStringLiteral("survey.dta"))));

    QCOMPARE(runner.runDoFile(QStringLiteral("use survey\nfile open out using \"out.txt\", write\n"
                                             "summarize x\nfile write out (r(N)) \";\" (r(sum))\n"
                                             "summarize k if s == \"%1\"\n"
                                             "file write out \";\" (r(N)) \";\" (_N)\n"
                                             "file close out\n")
                                  .arg(city)),
             0);
    QCOMPARE(runner.readFile(QStringLiteral("out.txt")), QStringLiteral("2;-2.5;1;3"));
    if (strL) {
        QCOMPARE(runner.runDoFile(QStringLiteral("use survey\ncount if n == \"una nota\"\n"
                                                 "file open out using \"n.txt\", write\n"
                                                 "file write out (r(N))\nfile close out\n")),
                 0);
        QCOMPARE(runner.readFile(QStringLiteral("n.txt")), QStringLiteral("2"));
    }
}

void StataStandinTest::readsEveryStorageType_data()
{
    QTest::addColumn<int>("byteOrder");
    QTest::newRow("little-endian") << int(DtaWriter::LittleEndian);
    QTest::newRow("big-endian") << int(DtaWriter::BigEndian);
}

void StataStandinTest::readsEveryStorageType()
{
    QFETCH(int, byteOrder);
    StandinRunner runner;
    DtaWriter writer;
    writer.setByteOrder(DtaWriter::ByteOrder(byteOrder));
    writer.addVariable(QStringLiteral("b"), QString(), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("i"), QString(), DtaWriter::Int);
    writer.addVariable(QStringLiteral("l"), QString(), DtaWriter::Long);
    writer.addVariable(QStringLiteral("f"), QString(), DtaWriter::Float);
    writer.addVariable(QStringLiteral("d"), QString(), DtaWriter::Double);
    writer.addVariable(QStringLiteral("s"), QString(), 5);
    writer.addObservation({-5, -300, 100000, 1.5, 2.25, QStringLiteral("ab")});
    writer.addObservation({100, 32740, 2147483620, -0.25, -1e300, QStringLiteral("xyz")});
    writer.addObservation({QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QString()});
    // Stata's extended missing values as stored: .a for byte (102), .z for
    // int (32767), .b for long, .c for float and .z for double.
    writer.addObservation({102, 32767, 2147483623, std::ldexp(1.0, 127) + 3 * std::ldexp(1.0, 115),
                           std::ldexp(1.0, 1023) + 26 * std::ldexp(1.0, 1011),
                           QStringLiteral("q q")});
    QVERIFY(writer.writeFile(runner.filePath(QStringLiteral("types.dta"))));

    QString doFile = QStringLiteral("use types\nfile open out using \"out.txt\", write text\n");
    for (const char *variable : {"b", "i", "l", "f", "d"})
        doFile += QStringLiteral("summarize %1\n"
                                 "file write out %24.16e (r(N)) \";\" %24.16e (r(sum)) \";\"\n"
                                 "count if %1 == .\nfile write out (r(N)) \";\"\n"
                                 "count if %1 > .\nfile write out (r(N)) _n\n")
                      .arg(variable);
    doFile += QStringLiteral("count if b == .a & i == .z & l == .b & f == .c & d == .z\n"
                             "file write out (r(N)) _n\n"
                             "count if s == \"xyz\" | s == \"q q\"\n"
                             "file write out (r(N)) \";\" (s) \";\" (_N)\n"
                             "file close out\n");

    QCOMPARE(runner.runDoFile(doFile), 0);

    const QStringList lines = runner.readFile(QStringLiteral("out.txt")).split('\n');
    const QList<double> sums = {95, 32440, 2147583620, 1.25, 2.25 - 1e300};
    for (int i = 0; i < sums.size(); ++i) {
        const QList<double> numbers = numbersIn(lines.at(i));
        QCOMPARE(numbers.size(), 4);
        QCOMPARE(numbers.at(0), 2.0);
        QVERIFY2(near(numbers.at(1), sums.at(i)), qPrintable(lines.at(i)));
        QCOMPARE(numbers.at(2), 1.0); // the system missing value
        QCOMPARE(numbers.at(3), 1.0); // the extended one, above "."
    }
    QCOMPARE(lines.at(5), QStringLiteral("1"));
    QCOMPARE(lines.at(6), QStringLiteral("2;ab;4"));
}

void StataStandinTest::refusesCorruptDatasets()
{
    StandinRunner runner;
    DtaWriter writer;
    writer.addVariable(QStringLiteral("x"), QString(), DtaWriter::Double);
    for (int i = 0; i < 50; ++i)
        writer.addObservation({i});
    QByteArray bytes = writer.toByteArray();
    bytes.chop(100);
    QFile truncated(runner.filePath(QStringLiteral("short.dta")));
    QVERIFY(truncated.open(QIODevice::WriteOnly));
    truncated.write(bytes);
    truncated.close();
    runner.writeFile(QStringLiteral("notes.dta"), QStringLiteral("Not a dataset.\n"));

    QCOMPARE(runner.runDoFile(QStringLiteral("use short\n")), 1);
    QVERIFY(runner.log().contains(QStringLiteral("r(610);")));
    QCOMPARE(runner.runDoFile(QStringLiteral("use notes\n")), 1);
    QVERIFY(runner.log().contains(QStringLiteral("not Stata format")));
}

// The figures the statistics library uses are checked through it; here the
// variance, abbreviations and a selection without observations.
void StataStandinTest::summarizeStoresItsResults()
{
    StandinRunner runner;
    writeSurvey(runner.filePath(QStringLiteral("survey.dta")));
    QCOMPARE(
        runner.runDoFile(QStringLiteral(
            "use survey\nfile open out using \"out.txt\", write\n"
            "su eta if sesso == 1 & ripart != 3\nfile write out (r(N)) \";\" %24.16e (r(Var)) _n\n"
            "summarize eta if eta > 1000\nfile write out (r(N)) \";\" (r(mean)) \";\" (r(sd)) "
            "\";\" (r(min)) \";\" (r(max)) \";\" (r(sum)) \";\" (r(Var))\nfile close out\n")),
        0);
    const QStringList lines = runner.readFile(QStringLiteral("out.txt")).split('\n');
    const QList<double> values =
        ages([](const Person &p) { return p.sesso == 1 && p.ripartizione != 3; });
    const QList<double> numbers = numbersIn(lines.at(0));
    QCOMPARE(numbers.size(), 2);
    QCOMPARE(numbers.at(0), double(values.size()));
    QVERIFY2(near(numbers.at(1), std::pow(sampleStandardDeviation(values), 2)),
             qPrintable(lines.at(0)));
    QCOMPARE(lines.at(1), QStringLiteral("0;.;.;.;.;0;."));
}

void StataStandinTest::summarizeDetailStoresPercentiles()
{
    StandinRunner runner;
    DtaWriter writer;
    writer.addVariable(QStringLiteral("x"), QString(), DtaWriter::Int);
    for (int value : {7, 3, 10, 1, 5, 9, 2, 8, 4, 6})
        writer.addObservation({value});
    QVERIFY(writer.writeFile(runner.filePath(QStringLiteral("ten.dta"))));
    QCOMPARE(runner.runDoFile(QStringLiteral(
                 "use ten\nsummarize x, detail\nfile open out using \"out.txt\", write\n"
                 "file write out (r(p1)) \";\" (r(p10)) \";\" (r(p25)) \";\" (r(p50)) \";\" "
                 "(r(p75)) \";\" (r(p90)) \";\" (r(p99)) \";\" (r(skewness))\n"
                 "file close out\n")),
             0);
    // With n = 10: p10 and p50, p90 fall on whole ranks (mean of two values),
    // p1, p25, p75 and p99 on the next rank up; the data are symmetric.
    QCOMPARE(runner.readFile(QStringLiteral("out.txt")), QStringLiteral("1;1.5;3;5.5;8;9.5;10;0"));
}

void StataStandinTest::meanStoresEstimatesAndTable()
{
    StandinRunner runner;
    writeSurvey(runner.filePath(QStringLiteral("survey.dta")));
    QCOMPARE(runner.runDoFile(QStringLiteral(
                 "use survey\nmean eta if sesso == 1 & eta < 60\n"
                 "matrix b = e(b)\nmatrix t = r(table)\n"
                 "file open out using \"out.txt\", write\n"
                 "file write out %24.16e (b[1, 1]) \";\" (e(N)) \";\" %24.16e (t[2, 1]) \";\" "
                 "%24.16e (t[5, 1]) \";\" %24.16e (t[6, 1]) \";\" (t[7, 1]) \";\" "
                 "%24.16e (t[8, 1])\n"
                 "file close out\n")),
             0);
    const QList<double> values = ages([](const Person &p) { return p.sesso == 1 && p.eta < 60; });
    QCOMPARE(values.size(), 5);
    const double mean = sampleMean(values);
    const double se = sampleStandardDeviation(values) / std::sqrt(values.size());
    // The 97.5th percentile of Student's t with 4 degrees of freedom, from
    // published tables.
    const double critical = 2.776445105197793;
    const QList<double> numbers = numbersIn(runner.readFile(QStringLiteral("out.txt")));
    QCOMPARE(numbers.size(), 7);
    QVERIFY(near(numbers.at(0), mean));
    QCOMPARE(numbers.at(1), 5.0);
    QVERIFY(near(numbers.at(2), se));
    QVERIFY(std::fabs(numbers.at(3) - (mean - critical * se)) < 1e-9);
    QVERIFY(std::fabs(numbers.at(4) - (mean + critical * se)) < 1e-9);
    QCOMPARE(numbers.at(5), 4.0);
    QVERIFY(std::fabs(numbers.at(6) - critical) < 1e-9);
}

QTEST_GUILESS_MAIN(StataStandinTest)
#include "StataStandinTest.moc"
