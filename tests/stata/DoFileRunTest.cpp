// Runs the do-files Quorin writes through the Stata stand-in and reads back
// the output file: what a statistician gets from a real run.

#include "../tools/StandinRunner.h"
#include "CellBuilders.h"
#include "DtaWriter.h"
#include "model/CellContentGrid.h"
#include "stata/CsvFields.h"
#include "stata/DoFileComposer.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

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

StatisticCatalogue catalogue()
{
    StatisticCatalogue catalogue;
    catalogue.insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                     Command::ResultType::Scalar, 1, 1));
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

using CellBuilders::textCell;

} // namespace

class DoFileRunTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_runner = std::make_unique<StandinRunner>();
        QVERIFY(writeSurvey(m_runner->filePath("survey.dta")));
    }
    // The output file's name holds what Stata would expand.
    void workedExampleComputes()
    {
        CellContentGrid grid(2, 2);
        grid(0, 0).setSimpleText("Ripartizione");
        grid(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", "Sesso"));
        grid(1, 0).addMicroCondition(MicroCondition("1", "Nord", "ripartizione", ""));
        grid(1, 0).addMicroCondition(MicroCondition("2", "Centro", "ripartizione", ""));
        grid(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
        // Men in the north or centre: 30, 40 and 35.5.
        QCOMPARE(run(grid, "out$HOME `a'.csv"),
                 QStringLiteral("Ripartizione;Maschio\nNord | Centro;    35.17\n"));
    }
    void everyQuoteCharacterArrivesAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("double quotes") << "He said \"yes\"";
        QTest::newRow("apostrophe") << "Men's";
        QTest::newRow("grave accent") << "a`b";
        QTest::newRow("macro reference") << "`t_1_1'";
        QTest::newRow("dollar") << "$ 5";
        QTest::newRow("global reference") << "$HOME and ${PATH}";
        QTest::newRow("backslash") << "C:\\data\\";
        QTest::newRow("backslash before grave accent") << "\\`x'";
        QTest::newRow("backslashes before dollar") << "\\\\$x";
        QTest::newRow("compound quotes unbalanced") << "a\"'b";
        QTest::newRow("compound quotes opened") << "`\"x";
        QTest::newRow("compound quotes balanced") << "`\"in\"'";
        QTest::newRow("ends in grave accent") << "x`";
        QTest::newRow("only quote") << "\"";
        QTest::newRow("semicolon") << "Yes; often";
        QTest::newRow("line breaks") << "two\nlines\r\nand \"a;b\"\r";
    }
    // Texts holding ; " CR or LF come back in their own columns.
    void everyQuoteCharacterArrivesAsTyped()
    {
        QFETCH(QString, text);
        CellContentGrid grid(1, 3);
        grid(0, 0) = textCell(text);
        grid(0, 1).addMicroCondition(MicroCondition("1", text, "sesso", ""));
        grid(0, 2) = textCell(QStringLiteral("plain"));
        const QString output = run(grid);
        QList<QStringList> rows;
        QVERIFY(CsvFields::parse(output, 100, &rows));
        QCOMPARE(rows, QList<QStringList>({{text, text, "plain"}}));
        if (!CsvFields::needsQuotes(text))
            QCOMPARE(output, text + ";" + text + ";plain\n");
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
        const DoFileModel model =
            DoFileComposer(grid, m_catalogue, m_areas).buildModel(m_runner->filePath("survey.dta"));
        const int exitCode =
            m_runner->runDoFile(model.toString(true, true, m_runner->filePath(outputName)));
        if (exitCode != 0 || !m_runner->exists("checkfile.tmp"))
            return QStringLiteral("<run failed: %1>\n").arg(exitCode) + m_runner->log();
        return m_runner->readFile(outputName);
    }

    std::unique_ptr<StandinRunner> m_runner;
    const StatisticCatalogue m_catalogue = catalogue();
    AreaCollection m_areas;
};

QTEST_GUILESS_MAIN(DoFileRunTest)
#include "DoFileRunTest.moc"
