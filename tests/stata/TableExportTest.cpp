// The exports of a run's table, read back from the files written: what a
// spreadsheet, a browser, LaTeX or a Markdown viewer gets; and quorin --run,
// which runs a document and writes them.

#include "CellBuilders.h"
#include "DataRows.h"
#include "DtaWriter.h"
#include "FileContents.h"
#include "StandinStarts.h"
#include "XlsxSheet.h"
#include "model/Document.h"
#include "model/DocumentWriter.h"
#include "stata/DisplayedNumber.h"
#include "stata/ExportTable.h"
#include "stata/TableExporter.h"
#include "stata/TableMarkup.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

CellContent statisticCell(const QString &format)
{
    return CellBuilders::statisticCell(Statistic{"eta", "Eta", "mean", format});
}

// Row 1: a text, a condition label; row 2: results in four formats and a
// missing value.
Document runDocument()
{
    Document document;
    document.cells = CellContentGrid(2, 5);
    document.cells(0, 0) = CellBuilders::textCell("Età; \"anni\"");
    document.cells(0, 1).addMicroCondition(MicroCondition("1", "12.5", "sesso", "Sesso"));
    document.cells(1, 0) = statisticCell("%9.0f");
    document.cells(1, 1) = statisticCell("%9.1fc");
    document.cells(1, 2) = statisticCell("%10.3e");
    document.cells(1, 3) = statisticCell("%9.0g");
    document.cells(1, 4) = statisticCell("%9.2f");
    document.columnWidths = {140, 70};
    return document;
}

const QList<QStringList> runOutput = {
    {"Età; \"anni\"", "12.5", "", "", ""},
    {"       42", "  1,234.5", " 1.235e+03", "       .5", "        ."}};

struct Finished
{
    int exitCode = -1;
    QString out;
    QString errors;
};

// A 2 by 2 table of the mean age of men, with the given statistic's command
// template, and the survey it reads.
bool writeFiles(const QDir &directory, const QString &commandFormat)
{
    DtaWriter writer;
    writer.addVariable("sesso", "Sesso", DtaWriter::Byte);
    writer.addVariable("eta", "Età", DtaWriter::Double);
    for (const QVariantList &row : QList<QVariantList>{{1, 30.0}, {1, 40.5}, {2, 20.0}})
        writer.addObservation(row);
    Document document;
    document.stataDatasetFileName = "survey.dta";
    document.outputFileName = "table.csv";
    document.commands = {
        Command("mean", commandFormat, "r(mean)", Command::ResultType::Scalar, 1, 1)};
    document.cells = CellContentGrid(2, 2);
    document.cells(0, 0).setSimpleText("Età; \"anni\"");
    document.cells(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", "Sesso"));
    document.cells(1, 0).setSimpleText("Media");
    document.cells(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    document.columnWidths = {120, 80};
    QFile file(directory.filePath("doc.xml"));
    return writer.writeFile(directory.filePath("survey.dta")) && file.open(QIODevice::WriteOnly) &&
           DocumentWriter::write(document, &file);
}

} // namespace

class TableExportTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(writeFiles(m_directory->path(), "summarize #var #if"));
    }

    void readsDisplayedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("numberFormat");
        dataRow("fixed, no decimals", "       42", "%9.0f", true, 42.0, "0");
        dataRow("fixed", "    35.17", "%9.2f", true, 35.17, "0.00");
        dataRow("thousands", "  1,234.5", "%9.1fc", true, 1234.5, "#,##0.0");
        dataRow("european", "  1.234,5", "%9,1fc", true, 1234.5, "#,##0.0");
        dataRow("exponential", " 1.235e+03", "%10.3e", true, 1235.0, "0.000E+00");
        dataRow("general", "       .5", "%9.0g", true, 0.5, "General");
        dataRow("no format", "-12", "", true, -12.0, "General");
        dataRow("missing", "        .", "%9.2f", false, 0.0, "0.00");
        dataRow("extended missing", ".a", "%9.2f", false, 0.0, "0.00");
        dataRow("word a number parser knows", "inf", "%9.2f", false, 0.0, "0.00");
        dataRow("date", "01jan2020", "%td", false, 0.0, "General");
        dataRow("text result", "Mean estimation", "%20s", false, 0.0, "General");
    }

    void readsDisplayedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        double read = 0;
        QTEST(DisplayedNumber::read(text, format, &read), "isNumber");
        QTEST(read, "value");
        QTEST(DisplayedNumber::spreadsheetFormat(format), "numberFormat");
    }

    void guessesNumbersWithoutFormat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("numberFormat");
        dataRow("padded decimals", "   12.50", true, 12.5, "0.00");
        dataRow("integer", "-7", true, -7.0, "0");
        dataRow("thousands", "1,234,567.8", true, 1234567.8, "#,##0.0");
        dataRow("exponential", "2.50e-03", true, 0.0025, "0.00E+00");
        dataRow("code with leading zero", "007", false, 0.0, "");
        dataRow("badly grouped", "12,34", false, 0.0, "");
        dataRow("missing", ".", false, 0.0, "");
        dataRow("text", "Nord | Centro", false, 0.0, "");
    }

    void guessesNumbersWithoutFormat()
    {
        QFETCH(QString, text);
        double read = 0;
        QString format;
        QTEST(DisplayedNumber::guess(text, &read, &format), "isNumber");
        QTEST(read, "value");
        QTEST(format, "numberFormat");
    }

    void escapesEveryFormat()
    {
        const QString text = QStringLiteral("<a href=\"x\">& % $ # _ { } ~ ^ \\ |</a>\nnext");
        QCOMPARE(TableMarkup::escapeHtml(text),
                 QStringLiteral("&lt;a href=&quot;x&quot;&gt;&amp; % $ # _ { } ~ ^ \\ |&lt;/a&gt;"
                                "<br>next"));
        QCOMPARE(TableMarkup::escapeLatex(text),
                 QStringLiteral("<a href=\"x\">\\& \\% \\$ \\# \\_ \\{ \\} \\textasciitilde{} "
                                "\\textasciicircum{} \\textbackslash{} |</a> next"));
        QCOMPARE(TableMarkup::escapeMarkdown(text),
                 QStringLiteral("<a href=\"x\">& % $ # _ { } ~ ^ \\\\ \\|</a><br>next"));
    }

    void writesWorkbook()
    {
        const QString path = m_directory->filePath("table.xlsx");
        QString error;
        QVERIFY2(
            TableExporter::write(path, ExportTable::fromOutput(runOutput, runDocument()), &error),
            qPrintable(error));
        XlsxSheet sheet;
        QVERIFY(sheet.read(path));
        // Empty fields stay empty cells; a condition label that looks like a
        // number is still a text.
        QStringList cells;
        for (auto cell = sheet.cellsByReference.cbegin(); cell != sheet.cellsByReference.cend();
             ++cell)
            cells << cell.key() + (cell->isString ? " text " + cell->text
                                                  : ' ' + QString::number(cell->number, 'g', 17) +
                                                        ' ' + cell->numberFormat);
        QCOMPARE(cells, QStringList({"A1 text Età; \"anni\"", "A2 42 0", "B1 text 12.5",
                                     "B2 1234.5 #,##0.0", "C2 1235 0.000E+00", "D2 0.5 General",
                                     "E2 text ."}));
        // Excel shows a stored width of w characters in 7w pixels.
        QCOMPARE(qRound(sheet.columnWidths.value(1) * 7), 140);
        QCOMPARE(qRound(sheet.columnWidths.value(2) * 7), 70);
    }

    void writesTextFormats()
    {
        const ExportTable table =
            ExportTable::fromOutput({{"a|b", "x & y"}, {"  3.50", "   ."}, {"\\", "1"}}, [] {
                Document document;
                document.cells = CellContentGrid(3, 2);
                document.cells(1, 0) = statisticCell("%6.2f");
                document.cells(1, 1) = statisticCell("%6.2f");
                return document;
            }());
        const QList<std::pair<QString, QString>> expected = {
            {"t.html", "<!DOCTYPE html>\n<html>\n<head>\n<meta "
                       "charset=\"utf-8\">\n<title>t</title>\n</head>\n"
                       "<body>\n<table border=\"1\" style=\"border-collapse: collapse\">\n"
                       "<tr><td>a|b</td><td>x &amp; y</td></tr>\n"
                       "<tr><td style=\"text-align: right\">3.50</td><td>.</td></tr>\n"
                       "<tr><td>\\</td><td>1</td></tr>\n</table>\n</body>\n</html>\n"},
            {"t.tex", "% Needs \\usepackage{booktabs}\n\\begin{tabular}{rl}\n\\toprule\n"
                      "a|b & x \\& y \\\\\n\\midrule\n3.50 & . \\\\\n\\textbackslash{} & 1 \\\\\n"
                      "\\bottomrule\n\\end{tabular}\n"},
            {"t.md", "| a\\|b | x & y |\n| ---: | --- |\n| 3.50 | . |\n| \\\\ | 1 |\n"}};
        for (const auto &[name, text] : expected) {
            QString error;
            QVERIFY2(TableExporter::write(m_directory->filePath(name), table, &error),
                     qPrintable(error));
            QCOMPARE(fileText(m_directory->filePath(name)), text);
        }
    }
    // Every format is written through a temporary file; when that cannot be
    // made (here its name would be too long) the earlier file stays as it was.
    // An unknown suffix is refused; a known one is known in any case.
    void failedWriteKeepsEarlierFile()
    {
        QString error;
        for (const char *suffix : {".xlsx", ".md", ".csv"}) {
            const QString path = m_directory->filePath(QString(250, QLatin1Char('e')) + suffix);
            QVERIFY(writeFileBytes(path, "earlier"));
            error.clear();
            QVERIFY(!TableExporter::write(path, ExportTable::fromOutput(runOutput, runDocument()),
                                          &error));
            QVERIFY(!error.isEmpty());
            QCOMPARE(fileBytes(path), QByteArray("earlier"));
        }
        QVERIFY(!TableExporter::write(m_directory->filePath("t.csv"), ExportTable(), &error));
        QVERIFY(!QFile::exists(m_directory->filePath("t.csv")));
        QCOMPARE(TableExporter::formatOf("T.XLSX"), TableExporter::Format::Xlsx);
    }
    // quorin --run: the program itself, started as a script would start it,
    // with the stand-in for Stata and no display at all.
    void runsAndWritesTwoExports()
    {
        const QStringList arguments = {"--run",    "doc.xml",    "--stata",  QUORIN_STANDIN_PATH,
                                       "--export", "out/t.xlsx", "--export", "t.md"};
        const Finished run = quorin(arguments);
        // The folder of the first export does not exist yet; the second is written.
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.errors.contains("Cannot write file out/t.xlsx"), qPrintable(run.errors));
        QVERIFY(QFile::exists(m_directory->filePath("t.md")));
        QVERIFY(QDir(m_directory->path()).mkpath("out"));
        const Finished second = quorin(arguments);
        QVERIFY2(second.exitCode == 0, qPrintable(second.errors));
        QVERIFY(second.errors.startsWith("quorin: Running Stata on temp.do...\n"));
        QCOMPARE(recordedStandinArguments(m_directory->filePath("arguments.jsonl")).last(),
                 (QStringList{"-e", "do", "\"temp.do\""}));
        QVERIFY(QFile::exists(m_directory->filePath("temp.do")));
        QVERIFY(!QFile::exists(m_directory->filePath("checkfile.tmp")));
        QCOMPARE(fileText(m_directory->filePath("table.csv")),
                 QStringLiteral("\"Età; \"\"anni\"\"\";Maschio\nMedia;    35.25\n"));
        XlsxSheet sheet;
        QVERIFY(sheet.read(m_directory->filePath("out/t.xlsx")));
        const auto &cells = sheet.cellsByReference;
        QCOMPARE((QStringList{cells["A1"].text, cells["B1"].text, cells["B2"].numberFormat}),
                 (QStringList{"Età; \"anni\"", "Maschio", "0.00"}));
        QVERIFY(!cells["B2"].isString);
        QCOMPARE(cells["B2"].number, 35.25);
        QCOMPARE(
            fileText(m_directory->filePath("t.md")),
            QStringLiteral("| Età; \"anni\" | Maschio |\n| --- | ---: |\n| Media | 35.25 |\n"));
    }

    void exitStatuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("commandFormat");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);
        const QString summarize = QStringLiteral("summarize #var #if");
        const QStringList doc = {"--run", "doc.xml"};
        dataRow("executable from settings.ini", doc,
                "[General]\nstataExecutableFileName=" + standin + "\n", summarize, 0,
                "quorin: Running Stata on temp.do...\n");
        dataRow("Stata stops early", doc + QStringList{"--stata", standin, "--export", "t.html"},
                "", "nosuchcommand #var", 1, "see temp.log");
        dataRow("missing document", QStringList{"--run", "none.xml", "--stata", standin}, "",
                summarize, 2, "Cannot read document none.xml: there is no such file.");
        dataRow("missing executable", doc + QStringList{"--stata", "no-stata"}, "", summarize, 2,
                "Cannot use the Stata executable no-stata");
        dataRow("no executable anywhere", doc, "", summarize, 2, "No Stata executable");
        dataRow("export to an unknown format",
                doc + QStringList{"--stata", standin, "--export", "t.csv"}, "", summarize, 2,
                "must end in .xlsx, .html, .tex or .md");
        dataRow("no document named", QStringList{"--stata", standin}, "", summarize, 2, "--run");
        dataRow("unknown option", doc + QStringList{"--colour"}, "", summarize, 2, "colour");
    }

    void exitStatuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, settings);
        QFETCH(QString, commandFormat);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QVERIFY(writeFiles(m_directory->path(), commandFormat));
        if (!settings.isEmpty())
            QVERIFY(writeFileBytes(m_directory->filePath("settings.ini"), settings.toUtf8()));
        const Finished run = quorin(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        // Only a run that gets as far as Stata leaves a do-file and starts it.
        const bool started = exitCode != 2;
        QCOMPARE(QFile::exists(m_directory->filePath("temp.do")), started);
        QCOMPARE(QFile::exists(m_directory->filePath("arguments.jsonl")), started);
        QVERIFY(!QFile::exists(m_directory->filePath("t.html")));
    }

private:
    Finished quorin(const QStringList &arguments)
    {
        QProcess process;
        process.setWorkingDirectory(m_directory->path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A QApplication could not start here: no display, and a platform
        // that needs one.
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("QUORIN_STANDIN_ARGS_FILE", m_directory->filePath("arguments.jsonl"));
        process.setProcessEnvironment(environment);
        process.start(QUORIN_APP_PATH, arguments);
        Finished finished;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return finished;
        finished.exitCode = process.exitCode();
        finished.out = QString::fromUtf8(process.readAllStandardOutput());
        finished.errors = QString::fromUtf8(process.readAllStandardError());
        return finished;
    }
    std::unique_ptr<QTemporaryDir> m_directory;
};

QTEST_GUILESS_MAIN(TableExportTest)
#include "TableExportTest.moc"
