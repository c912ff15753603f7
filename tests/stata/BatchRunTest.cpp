// quorin --run: the program itself, started as a script would start it, with
// the stand-in for Stata and no display at all.

#include "DataRows.h"
#include "DtaWriter.h"
#include "FileContents.h"
#include "StandinStarts.h"
#include "XlsxSheet.h"
#include "model/DocumentWriter.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

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

class BatchRunTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(writeFiles(m_directory->path(), "summarize #var #if"));
    }

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
        QCOMPARE(sheet.cellsByReference["A1"].text, QStringLiteral("Età; \"anni\""));
        QCOMPARE(sheet.cellsByReference["B1"].text, QStringLiteral("Maschio"));
        QVERIFY(!sheet.cellsByReference["B2"].isString);
        QCOMPARE(sheet.cellsByReference["B2"].number, 35.25);
        QCOMPARE(sheet.cellsByReference["B2"].numberFormat, QStringLiteral("0.00"));
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

    void helpAndVersion()
    {
        const Finished help = quorin({"--help"});
        QCOMPARE(help.exitCode, 0);
        for (const char *option : {"--run <DOCUMENT.xml>", "--stata <EXECUTABLE>",
                                   "--export <FILE>", "--version", "Exit status"})
            QVERIFY2(help.out.contains(QLatin1String(option)), option);
        const Finished version = quorin({"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("Quorin " QUORIN_VERSION "\n"));
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

QTEST_GUILESS_MAIN(BatchRunTest)
#include "BatchRunTest.moc"
