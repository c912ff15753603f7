// The do-file of a grid: which command each statistic gets, how texts are
// quoted, the whole file compared with its golden copy, and what the stand-in
// makes of it.

#include "stata/DoFileComposer.h"

#include "../tools/StandinRunner.h"
#include "CellBuilders.h"
#include "DataRows.h"
#include "DtaWriter.h"
#include "model/CellContentGrid.h"
#include "stata/CsvFields.h"
#include "stata/StataText.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using CellBuilders::conditionCell;
using CellBuilders::textCell;

namespace {

MicroCondition term(const QString &varName, const QString &value, const QString &valueLabel)
{
    return MicroCondition(value, valueLabel, varName, varName.toUpper());
}

CellContent statisticCell(const QString &name, const QString &varName,
                          const QString &format = QString(), const QString &area = QString())
{
    return CellBuilders::statisticCell(Statistic{varName, varName.toUpper(), name, format}, area);
}

// Eight respondents: sex, region and age.
bool writeSurvey(const QString &fileName)
{
    DtaWriter writer;
    writer.addVariable("sesso", "Sesso", DtaWriter::Byte);
    writer.addVariable("ripartizione", "Ripartizione", DtaWriter::Byte);
    writer.addVariable("eta", "Età", DtaWriter::Double);
    const QList<QVariantList> rows = {{1, 1, 30.0}, {1, 2, 40.0}, {1, 3, 50.0}, {2, 1, 20.0},
                                      {2, 2, 60.0}, {1, 1, 35.5}, {2, 4, 70.0}, {1, 5, 45.0}};
    for (const QVariantList &row : rows)
        writer.addObservation(row);
    return writer.writeFile(fileName);
}

StatisticCatalogue standardCatalogue()
{
    StatisticCatalogue catalogue;
    catalogue.insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                     Command::ResultType::Scalar, 1, 1));
    catalogue.insert("label", Command("label", "local lab: variable label #var", "`lab'",
                                      Command::ResultType::Macro, 1, 1));
    catalogue.insert(
        "ci", Command("ci", "ci means #var #if", "r(table)", Command::ResultType::Matrix, 2, 3));
    catalogue.insert("n", Command("n", "count #if", "r(N)", Command::ResultType::Scalar, 1, 1));
    // Results that are text, known only when Stata runs.
    catalogue.insert(
        "title", Command("title", "mean #var #if", "e(title)", Command::ResultType::Macro, 1, 1));
    catalogue.insert("meanb",
                     Command("meanb", "mean #var #if", "e(b)", Command::ResultType::Matrix, 1, 1));
    catalogue.insert("quoted", Command("quoted", "local q `\"#var; \"a\"\"'", "`\"`q'\"'",
                                       Command::ResultType::Macro, 1, 1));
    return catalogue;
}

const QByteArray golden = [] {
    QFile file(QUORIN_SOURCE_DIR "/tests/data/dofile/workedExample.do");
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the golden do-file is missing");
    return file.readAll();
}();

// The golden text without the lines of the given 1-based numbers.
QByteArray withoutLines(const QByteArray &text, const QList<int> &numbers)
{
    const QList<QByteArray> lines = text.split('\n');
    QByteArray result;
    for (int i = 0; i < lines.size() - 1; ++i) {
        if (!numbers.contains(i + 1))
            result += lines.at(i) + '\n';
    }
    return result;
}

const QString dataset = QStringLiteral("C:/Data/indagine.dta");
const QString output = QStringLiteral("C:/Data/tabella.csv");
const QString header = QStringLiteral("use \"C:/Data/indagine.dta\"\ntempname tempMatrix\n");

// The do-file of the 2 by 2 table: a text, a sex condition, a region
// condition with two terms and the mean age under both conditions. The grid
// changes after: the model is a snapshot, which the grid no longer touches.
CellContentGrid workedExampleGrid(const QString &text = QStringLiteral("Ripartizione"))
{
    CellContentGrid grid(2, 2);
    grid(0, 0).setSimpleText(text);
    grid(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", QString()));
    grid(1, 0).addMicroCondition(MicroCondition("1", "Nord", "ripartizione", QString()));
    grid(1, 0).addMicroCondition(MicroCondition("2", "Centro", "ripartizione", QString()));
    grid(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    return grid;
}

DoFileModel workedExample(const QString &text = QStringLiteral("Ripartizione"))
{
    CellContentGrid grid = workedExampleGrid(text);
    const StatisticCatalogue catalogue = standardCatalogue();
    const AreaCollection areas;
    const DoFileComposer composer(grid, catalogue, areas);
    if (composer.ifCondition(1, 1) != "if (ripartizione==1 | ripartizione==2) & sesso==1")
        qFatal("the worked example's condition is %s", qPrintable(composer.ifCondition(1, 1)));
    const DoFileModel model = composer.buildModel(dataset);
    grid(0, 0).setSimpleText("Changed");
    grid(1, 1).clearContent();
    return model;
}

// A grid written a row to a string, cells separated by ";": "c v=1 w=2"
// is a condition of those terms, "s v" the mean of v, "@name" sets the area.
CellContentGrid gridOf(const QStringList &rows)
{
    CellContentGrid grid(int(rows.size()), int(rows.first().count(';')) + 1);
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList cells = rows.at(row).split(';');
        for (int column = 0; column < cells.size(); ++column) {
            QStringList words = cells.at(column).split(' ', Qt::SkipEmptyParts);
            const QString area =
                !words.isEmpty() && words.last().startsWith('@') ? words.takeLast().mid(1) : "";
            if (words.value(0) == "s")
                grid(row, column) = statisticCell("mean", words.value(1), QString(), area);
            for (const QString &word : words.mid(1)) {
                if (words.first() == "c")
                    grid(row, column)
                        .addMicroCondition(
                            term(word.section('=', 0, 0), word.section('=', 1), "L"));
            }
            grid(row, column).setArea(area);
        }
    }
    return grid;
}

} // namespace

class DoFileComposerTest : public QObject
{
    Q_OBJECT

private slots:
    // Which conditions a statistic takes: its area's own condition first,
    // then those of its area to its left from right to left, then those above
    // it downwards; other areas, statistics and cells below or to the right
    // do not count.
    void ifCondition_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        const QStringList areaOrder = {";;;c sesso=1 @south", ";;;", ";;;c anno=2020 @south",
                                       "c rip=1 @south;;c eta=3 @south;s reddito @south"};
        const QStringList emptyArea = {";c sesso=2 @blank", "s eta @unknown;s eta @blank"};
        const QStringList twoAreas = {";;c anno=1 @b", "c rip=1 @a;c sesso=1;s eta"};
        const QStringList skipping = {";;;s peso", "c rip=1;s eta;s reddito;s altezza"};
        dataRow("area first, then row, then column", areaOrder, 3, 3,
                "if (regione>=12) & eta==3 & rip==1 & sesso==1 & anno==2020");
        dataRow("area of empty condition", emptyArea, 1, 1, "if sesso==2");
        dataRow("unknown area", emptyArea, 1, 0, "");
        dataRow("no area", twoAreas, 1, 2, "if sesso==1");
        dataRow("area a", QStringList{twoAreas.first(), "c rip=1 @a;c sesso=1;s eta @a"}, 1, 2,
                "if rip==1");
        dataRow("several terms parenthesised",
                QStringList{";c sesso=1", "c rip=1 rip=2 rip=3;s eta"}, 1, 1,
                "if (rip==1 | rip==2 | rip==3) & sesso==1");
        dataRow("statistic right of a condition", skipping, 1, 1, "if rip==1");
        dataRow("statistics between", skipping, 1, 3, "if rip==1");
        dataRow("statistic above", skipping, 0, 3, "");
        dataRow("below and right", QStringList{"c anno=1;;", ";s eta;c rip=1", ";c sesso=1;"}, 1, 1,
                "");
        dataRow("alone", QStringList{"s eta"}, 0, 0, "");
        // What the area and the variable hold goes in as it is.
        dataRow("replacement patterns", QStringList{"s v\\1$0 @paths"}, 0, 0,
                "if (strpos(f, \"\\1\") & x==\"$&\")");
    }

    void ifCondition()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, expected);
        const CellContentGrid grid = gridOf(rows);
        AreaCollection areas;
        areas.insert(Area("south", "regione>=12"));
        areas.insert(Area("blank", QString()));
        areas.insert(Area("paths", "strpos(f, \"\\1\") & x==\"$&\""));
        const DoFileComposer composer(grid, m_catalogue, areas);
        QCOMPARE(composer.ifCondition(row, column), expected);
        // An empty condition leaves the blank after the variable.
        QCOMPARE(composer.finalCommand(row, column),
                 "summarize " + grid(row, column).statistic().varName + ' ' + expected);
    }

    void placeholderBoundaries_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        dataRow("plain", "summarize #var #if", "summarize eta if sesso==1");
        dataRow("#variable", "summarize #variable #if", "summarize #variable if sesso==1");
        dataRow("x#var", "summarize x#var #if", "summarize x#var if sesso==1");
        dataRow("#var_1", "summarize #var_1 #if", "summarize #var_1 if sesso==1");
        dataRow("#iffy", "summarize #var #iffy", "summarize eta #iffy");
        dataRow("a#if", "summarize #var a#if", "summarize eta a#if");
        dataRow("at start", "#var #if", "eta if sesso==1");
        dataRow("punctuation", "tab (#var),#if", "tab (eta),if sesso==1");
        dataRow("twice", "su #var #if\nsu #var #if", "su eta if sesso==1\nsu eta if sesso==1");
        dataRow("case", "su #VAR #If", "su #VAR #If");
        dataRow("none", "count", "count");
    }

    void placeholderBoundaries()
    {
        QFETCH(QString, format);
        StatisticCatalogue catalogue;
        catalogue.insert("s", Command("s", format, "r(N)", Command::ResultType::Scalar, 1, 1));
        CellContentGrid grid(2, 1);
        grid(0, 0) = conditionCell({term("sesso", "1", "M")});
        grid(1, 0) = statisticCell("s", "eta");
        QTEST(DoFileComposer(grid, catalogue, m_noAreas).finalCommand(1, 0), "expected");
    }

    void resultTypes_data()
    {
        // A result that may be text gets its output quotes when Stata runs.
        const QString quoting = QStringLiteral(
            "\nif strpos(`\"`macval(t_2_3)'\"', \";\") | strpos(`\"`macval(t_2_3)'\"', char(34)) "
            "| strpos(`\"`macval(t_2_3)'\"', char(10)) | strpos(`\"`macval(t_2_3)'\"', char(13)) "
            "local t_2_3 = char(34) + subinstr(`\"`macval(t_2_3)'\"', char(34), char(34) + "
            "char(34), .) + char(34)");
        QTest::addColumn<QString>("statistic");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        dataRow("scalar", "mean", "%9.2fc", "local t_2_3: display %9.2fc r(mean)");
        dataRow("scalar unformatted", "mean", "", "local t_2_3: display  r(mean)");
        dataRow("scalar as a date", "mean", "%td", "local t_2_3: display %td r(mean)" + quoting);
        dataRow("scalar in an unknown format", "mean", "%9.2f \";\"",
                "local t_2_3: display %9.2f \";\" r(mean)" + quoting);
        dataRow("macro", "label", "%20s", "local t_2_3: display%20s `lab'" + quoting);
        dataRow("macro unformatted", "label", "", "local t_2_3: display `lab'" + quoting);
        dataRow("matrix", "ci", "%5.1e",
                "matrix `tempMatrix' = r(table)\nlocal t_2_3: display %5.1e `tempMatrix'[2, 3]");
        dataRow("matrix unformatted", "ci", "",
                "matrix `tempMatrix' = r(table)\nlocal t_2_3: display  `tempMatrix'[2, 3]");
    }

    void resultTypes()
    {
        QFETCH(QString, statistic);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        CellContentGrid grid(3, 4);
        grid(1, 2) = statisticCell(statistic, "eta", format);
        const DoFileModel model = DoFileComposer(grid, m_catalogue, m_noAreas).buildModel("d.dta");
        QCOMPARE(model.entries().size(), 1);
        QCOMPARE(model.entries().at(0).macroCommand, expected);
        QVERIFY(!model.entries().at(0).definesWriteDirectives);
        const bool quoted = expected.contains("macval");
        QCOMPARE(model.entries().at(0).quotedAtRunTime, quoted);
        QCOMPARE(model.hasRunTimeQuoting(), quoted);
        // Only then the export section writes values that may hold quotes.
        QCOMPARE(model.exportSection(QString()).contains(
                     "file write outputFile `\"`macval(t_`row'_`col')';\"'\n"),
                 quoted);
    }
    // A grid mixing areas, conditions and statistics: the model composed in
    // one sweep must give every statistic the command composed for it alone.
    void modelAgreesWithFinalCommand()
    {
        CellContentGrid grid(9, 7);
        for (int row = 0; row < grid.rowCount(); ++row) {
            for (int column = 0; column < grid.columnCount(); ++column) {
                const QString area = QStringList{"", "a", "b"}.at((row * 3 + column * 5) % 3);
                const int kind = (row * 7 + column * 11) % 5;
                if (kind == 0 || kind == 3)
                    grid(row, column) = conditionCell(
                        {term(QString("v%1").arg(column), QString::number(row), "L")}, area);
                else if (kind != 4)
                    grid(row, column) = statisticCell("mean", QString("y%1").arg(row), "", area);
            }
        }
        AreaCollection areas;
        areas.insert(Area("a", "k==1"));
        const DoFileComposer composer(grid, m_catalogue, areas);
        const DoFileModel model = composer.buildModel(QString());
        int entry = 0, statistics = 0, conditioned = 0;
        for (int row = 0; row < grid.rowCount(); ++row) {
            for (int column = 0; column < grid.columnCount(); ++column) {
                if (grid(row, column).dataType() == CellContent::Kind::Void)
                    continue;
                if (grid(row, column).dataType() == CellContent::Kind::Statistic) {
                    ++statistics;
                    conditioned += composer.ifCondition(row, column).count('&') > 0;
                    QCOMPARE(model.entries().at(entry).mainCommand,
                             composer.finalCommand(row, column));
                }
                ++entry;
            }
        }
        QCOMPARE(model.entries().size(), entry);
        QVERIFY(statistics > 10 && conditioned > 3);
    }
    // Texts and condition labels stand in plain quotes when Stata can take
    // them so; otherwise they become write directives.
    void textsQuotedAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QStringList plain = {
            "Ripartizione",     "  two  blanks ", "a\tb", "", "50% {a} (b), c=d & e|f #var %1",
            "Età ≥ 65 — perché"};
        for (int i = 0; i < plain.size(); ++i)
            QTest::addRow("plain %d", i) << plain.at(i) << "local t_1_1 \"" + plain.at(i) + '"';
        dataRow("double quote", "He said \"yes\"",
                "local w_1_1 `\"_char(34) \"He said \" _char(34) _char(34) \"yes\" _char(34) "
                "_char(34) _char(34)\"'");
        dataRow("grave accent", "a`b'", "local w_1_1 `\"\"a\" _char(96) \"b\" _char(39)\"'");
        dataRow("apostrophe", "Men's", "local w_1_1 `\"\"Men\" _char(39) \"s\"\"'");
        dataRow("dollar", "$HOME 5$", "local w_1_1 `\"_char(36) \"HOME 5\" _char(36)\"'");
        dataRow("backslash", "C:\\data\\", "local w_1_1 `\"\"C:\" _char(92) \"data\" _char(92)\"'");
        dataRow("backslash before specials", "\\`\\$\\\\",
                "local w_1_1 `\"_char(92) _char(96) _char(92) _char(36) _char(92) _char(92)\"'");
        dataRow("unbalanced compound quotes", "a\"'b`\"c",
                "local w_1_1 `\"_char(34) \"a\" _char(34) _char(34) _char(39) \"b\" _char(96) "
                "_char(34) _char(34) \"c\" _char(34)\"'");
        // Fields holding ; " CR or LF are written in double quotes, inner
        // ones doubled, so that they keep their column.
        dataRow("semicolon", "Yes; often", "local w_1_1 `\"_char(34) \"Yes; often\" _char(34)\"'");
        dataRow("line break", "two\r\nlines",
                "local w_1_1 `\"_char(34) \"two\" _char(13) _char(10) \"lines\" _char(34)\"'");
    }

    void textsQuotedAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        CellContentGrid grid(1, 2);
        grid(0, 0) = textCell(text);
        grid(0, 1) = textCell("plain");
        const DoFileModel model = DoFileComposer(grid, m_catalogue, m_noAreas).buildModel("");
        QCOMPARE(model.entries().at(0).macroCommand, expected);
        const bool directives = expected.startsWith("local w_");
        QCOMPARE(model.entries().at(0).definesWriteDirectives, directives);
        QCOMPARE(model.entries().at(1).macroCommand, QStringLiteral("local t_1_2 \"plain\""));
        QVERIFY(!model.entries().at(1).definesWriteDirectives);
        QCOMPARE(model.hasWriteDirectives(), directives);
    }
    // The statistics' commands and the macros are each shown or not.
    void workedExampleByteForByte_data()
    {
        QTest::addColumn<bool>("showMain");
        QTest::addColumn<bool>("showMacro");
        QTest::addColumn<QList<int>>("missingLines");
        dataRow("whole", true, true, QList<int>());
        dataRow("no main", false, true, QList<int>{6});
        dataRow("no macro", true, false, QList<int>{3, 4, 5, 7});
        dataRow("neither", false, false, QList<int>{3, 4, 5, 6, 7});
    }

    void workedExampleByteForByte()
    {
        QFETCH(bool, showMain);
        QFETCH(bool, showMacro);
        QFETCH(QList<int>, missingLines);
        QCOMPARE(workedExample().toString(showMain, showMacro, output).toUtf8(),
                 withoutLines(golden, missingLines));
    }
    // A text that cannot stand in quotes defines write directives instead;
    // only its macro line and the export section's two write lines change.
    void specialTextsChangeOnlyTheWriteLines()
    {
        QList<QByteArray> expected = golden.split('\n');
        expected[2] = "local w_1_1 `\"_char(34) \"Ripartizione \" _char(34) _char(34) \"ISTAT\" "
                      "_char(34) _char(34) _char(34)\"'";
        expected[13] =
            "                  file write outputFile `w_`row'_`col'' \"`t_`row'_`col''\"";
        expected[16] =
            "                  file write outputFile `w_`row'_`col'' \"`t_`row'_`col'';\"";
        QCOMPARE(workedExample("Ripartizione \"ISTAT\"").toString(true, true, output),
                 expected.join('\n'));
    }
    // A grid without cells gives the header and the export section, which
    // is the golden one apart from its counts.
    void emptyGrids()
    {
        for (const auto &[rows, columns] : {std::pair(3, 2), std::pair(0, 4), std::pair(5, 0)}) {
            const CellContentGrid grid(rows, columns);
            const DoFileModel model =
                DoFileComposer(grid, m_catalogue, m_noAreas).buildModel(dataset);
            QVERIFY(model.entries().isEmpty());
            const QString exportSection = model.exportSection(output);
            QCOMPARE(model.toString(true, true, output), header + exportSection);
            QVERIFY(exportSection.startsWith(
                QStringLiteral("local nRow %1\nlocal nCol %2\n").arg(rows).arg(columns)));
            QCOMPARE(exportSection.toUtf8().mid(26),
                     golden.mid(golden.indexOf("local nRow 2\n") + 26));
        }
    }
    // One entry's lines, with the statistics' commands and the macros each
    // shown or not; a macro of two lines (a matrix result) belongs to the
    // macros.
    void entryLines_data()
    {
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("macro");
        QTest::addColumn<bool>("showMain");
        QTest::addColumn<bool>("showMacro");
        QTest::addColumn<QString>("lines");
        const QString matrix = QStringLiteral(
            "matrix `tempMatrix' = r(table)\nlocal t_1_1: display %4.1f `tempMatrix'[1, 2]");
        dataRow("matrix", "ci means eta", matrix, true, true, "ci means eta\n" + matrix + "\n");
        dataRow("matrix without macros", "ci means eta", matrix, true, false, "ci means eta\n");
    }

    void entryLines()
    {
        QFETCH(QString, main);
        QFETCH(QString, macro);
        QFETCH(bool, showMain);
        QFETCH(bool, showMacro);
        QFETCH(QString, lines);
        DoFileModel model(dataset, 1, 1);
        model.append(DoFileEntry{main, macro});
        QCOMPARE(model.toString(showMain, showMacro, output),
                 header + lines + model.exportSection(output));
    }

    void fileNamesQuoted_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("quoted");
        dataRow("empty", "", "\"\"");
        dataRow("windows", "C:\\Data\\it's mine\\x.dta", "\"C:\\Data\\it's mine\\x.dta\"");
        dataRow("unc", "\\\\server\\share\\x.dta", "\"\\\\server\\share\\x.dta\"");
        dataRow("admin share", "\\\\server\\c$\\data\\x.dta", "\"\\\\server\\c\\$\\data\\x.dta\"");
        dataRow("backslash before dollar", "C:\\$RECYCLE\\x.dta", "\"C:\\\\\\$RECYCLE\\x.dta\"");
        dataRow("grave accent", "/home/a`b'/x.dta", "\"/home/a\\`b'/x.dta\"");
        dataRow("double quote", "/tmp/say \"hi\".csv", "`\"/tmp/say \"hi\".csv\"'");
    }

    void fileNamesQuoted()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, quoted);
        QCOMPARE(StataText::quotedFileName(fileName), quoted);
        const QString text = DoFileModel(fileName, 1, 1).toString(true, true, fileName);
        QVERIFY(text.startsWith("use " + quoted + "\ntempname tempMatrix\n"));
        QVERIFY(text.contains("\nfile open outputFile using " + quoted + ", write text replace\n"));
    }
    // A fresh directory with the survey for each test. The tests from here
    // on run the do-file through the Stata stand-in and read back the output
    // file: what a statistician gets from a real run.
    void init()
    {
        m_runner = std::make_unique<StandinRunner>();
        QVERIFY(writeSurvey(m_runner->filePath("survey.dta")));
    }
    // The output file's name holds what Stata would expand.
    void workedExampleComputes()
    {
        // Men in the north or centre: 30, 40 and 35.5.
        QCOMPARE(run(workedExampleGrid(), "out$HOME `a'.csv"),
                 QStringLiteral("Ripartizione;Maschio\nNord | Centro;    35.17\n"));
    }
    // Every character Stata treats specially arrives as typed, in a text and
    // in a condition's label; texts holding ; " CR or LF come back quoted, in
    // their own columns, the others as they are.
    void everyQuoteCharacterArrivesAsTyped()
    {
        const QStringList texts =
            QStringList{"He said \"yes\"",   "Men's",      "a`b",  "`t_1_1'", "$ 5",
                        "$HOME and ${PATH}", "C:\\data\\", "\\`x'"} +
            QStringList{"\\\\$x", "a\"'b", "`\"x",       "`\"in\"'",
                        "x`",     "\"",    "Yes; often", "two\nlines\r\nand \"a;b\"\r"};
        CellContentGrid grid(int(texts.size()), 3);
        QList<QStringList> expected;
        for (int row = 0; row < texts.size(); ++row) {
            grid(row, 0) = textCell(texts.at(row));
            grid(row, 1).addMicroCondition(MicroCondition("1", texts.at(row), "sesso", ""));
            grid(row, 2) = textCell("plain");
            expected.append({texts.at(row), texts.at(row), "plain"});
        }
        const QString output = run(grid);
        QList<QStringList> rows;
        QVERIFY(CsvFields::parse(output, 100, &rows));
        QCOMPARE(rows, expected);
        for (const QString &text : texts) {
            if (!CsvFields::needsQuotes(text))
                QVERIFY2(('\n' + output).contains('\n' + text + ';' + text + ";plain\n"),
                         qPrintable(text));
        }
    }
    // Random texts heavy in what Stata treats specially: the write directives
    // and the output quoting reproduce each as typed.
    void randomTextsArriveAsTyped()
    {
        const QString alphabet = QStringLiteral("\"`'$\\{}ab _àé;\n");
        QRandomGenerator random(1234);
        CellContentGrid grid(100, 10);
        QList<QStringList> expected;
        for (int row = 0; row < grid.rowCount(); ++row) {
            QStringList fields;
            for (int column = 0; column < grid.columnCount(); ++column) {
                QString text;
                for (int i = random.bounded(1, 10); i > 0; --i)
                    text += random.bounded(3) == 0 ? QChar(0x20 + random.bounded(0x5f))
                                                   : alphabet.at(random.bounded(alphabet.size()));
                grid(row, column) = textCell(text);
                fields.append(text);
            }
            expected.append(fields);
        }
        QList<QStringList> rows;
        QVERIFY(CsvFields::parse(run(grid), 2000, &rows));
        QCOMPARE(rows, expected);
    }
    // Results that are text are quoted when Stata runs; a matrix gives its
    // element; a statistic no longer in the catalogue leaves its field empty
    // and the run goes on.
    void statisticResults()
    {
        CellContentGrid grid(1, 6);
        grid(0, 0).setStatistic(Statistic{"eta", "", "title", ""});
        grid(0, 1).setStatistic(Statistic{"eta", "", "quoted", "%12s"});
        grid(0, 2).setStatistic(Statistic{"eta", "", "removed", "%9.2f"});
        grid(0, 3).setStatistic(Statistic{"eta", "", "n", "%3.0f"});
        grid(0, 4).setStatistic(Statistic{"eta", "", "meanb", "%9.2f"});
        grid(0, 5) = textCell("end");
        // The mean age of all eight: 350.5 / 8.
        QCOMPARE(run(grid),
                 QStringLiteral("Mean estimation;\"    eta; \"\"a\"\"\";;  8;    43.81;end\n"));
    }

private:
    // Writes the do-file of the grid, runs it and returns the output file.
    QString run(const CellContentGrid &grid, const QString &outputName = "table.csv")
    {
        const DoFileModel model = DoFileComposer(grid, m_catalogue, m_noAreas)
                                      .buildModel(m_runner->filePath("survey.dta"));
        const int exitCode =
            m_runner->runDoFile(model.toString(true, true, m_runner->filePath(outputName)));
        if (exitCode != 0 || !m_runner->exists("checkfile.tmp"))
            return QStringLiteral("<run failed: %1>\n").arg(exitCode) + m_runner->log();
        return m_runner->readFile(outputName);
    }
    std::unique_ptr<StandinRunner> m_runner;
    const StatisticCatalogue m_catalogue = standardCatalogue();
    const AreaCollection m_noAreas;
};

QTEST_GUILESS_MAIN(DoFileComposerTest)
#include "DoFileComposerTest.moc"
