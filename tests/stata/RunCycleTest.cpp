// The main window's Stata menu: the dialogs that set a run's paths, runs to
// the CSV viewer with the Stata stand-in and a small survey, and Start Stata.

#include "DataRows.h"
#include "DialogControls.h"
#include "DtaWriter.h"
#include "FileChooserAnswers.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "SampleStatistics.h"
#include "StandinStarts.h"
#include "TableTexts.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/DocumentModel.h"
#include "stata/CsvTable.h"
#include "stata/CsvViewWindow.h"
#include "stata/LogViewWindow.h"
#include "stata/QuorinDialog.h"
#include "stata/SetOutputFileNameDialog.h"
#include "stata/SetStataDatasetForComputationDialog.h"
#include "stata/SetStataExecutableDialog.h"
#include "stata/StataPlatform.h"
#include "stata/StataRun.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace {

const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);

// Sex, region and age of the respondents of the survey.
struct Respondent
{
    int sex, region, age;
};

const QList<Respondent> survey = {{1, 1, 34}, {2, 1, 45}, {1, 2, 29}, {2, 2, 61},
                                  {1, 3, 52}, {2, 3, 38}, {1, 1, 47}, {2, 2, 23},
                                  {1, 3, 66}, {2, 1, 31}, {1, 2, 58}, {2, 3, 19}};

bool writeSurvey(const QString &fileName)
{
    DtaWriter writer;
    writer.addVariable("sex", "Sex", DtaWriter::Byte);
    writer.addVariable("region", "Region", DtaWriter::Byte);
    writer.addVariable("age", "Age", DtaWriter::Double);
    for (const Respondent &r : survey)
        writer.addObservation({r.sex, r.region, double(r.age)});
    return writer.writeFile(fileName);
}

// Stata's %w.df: right-aligned in w characters with d decimals.
QString fixed(double value, int width, int decimals)
{
    return QString::asprintf("%*.*f", width, decimals, value);
}

// The table computed here from the same respondents, cell by cell. The
// area's cells take the area's "Female" condition, not the sex conditions
// above them (outside the area); the count takes the "Female" above it.
QList<QStringList> expectedTable()
{
    QList<double> men, women, adultWomen;
    for (const Respondent &r : survey) {
        if (r.region <= 2)
            (r.sex == 1 ? men : women) << r.age;
        if (r.sex == 2 && r.age >= 30)
            adultWomen << r.age;
    }
    const int womenCount = int(std::count_if(survey.begin(), survey.end(),
                                             [](const Respondent &r) { return r.sex == 2; }));
    return {{"Income survey", "Male", "Female"},
            {"North | Centre", fixed(sampleMean(men), 9, 2), fixed(sampleMean(women), 9, 2)},
            {"Female", fixed(sampleStandardDeviation(adultWomen), 9, 3), fixed(womenCount, 3, 0)}};
}

CellContent condition(const char *variable, const QList<QPair<QString, QString>> &terms,
                      const char *area = "")
{
    CellContent content;
    for (const auto &[value, label] : terms)
        content.addMicroCondition(MicroCondition(value, label, variable, QString()));
    content.setArea(area);
    return content;
}

CellContent statistic(const char *name, const char *variable, const char *format,
                      const char *area = "")
{
    return CellBuilders::statisticCell(Statistic{variable, QString(), name, format}, area);
}

// The three paths of a run. Each is set either in the run settings dialog,
// which asks for all of them, or in a dialog of its own.
enum class Path { Executable, Dataset, OutputFile };

std::unique_ptr<QDialog> makeDialog(bool runSettings, Path path, const QString &initial)
{
    if (runSettings)
        return std::make_unique<QuorinDialog>(initial, initial, initial, true, true);
    if (path == Path::Executable)
        return std::make_unique<SetStataExecutableDialog>(initial);
    if (path == Path::Dataset)
        return std::make_unique<SetStataDatasetForComputationDialog>(initial);
    return std::make_unique<SetOutputFileNameDialog>(initial);
}

QString pathIn(const QDialog *dialog, Path path)
{
    if (const auto *settings = qobject_cast<const QuorinDialog *>(dialog)) {
        return path == Path::Executable ? settings->stataExecutableFileName()
               : path == Path::Dataset  ? settings->stataDatasetFileName()
                                        : settings->outputFileName();
    }
    return static_cast<const SinglePathDialog *>(dialog)->path();
}

// Clicks the "..." button that opens the file chooser for the path.
void clickChooser(const QWidget *dialog, bool runSettings, Path path)
{
    static const char *const runSettingsButtons[] = {
        "stataExecutableToolButton", "stataDatasetToolButton", "outputFileNameToolButton"};
    static const char *const singleButtons[] = {"fileDialogButton", "toolButton",
                                                "outputFileNameToolButton"};
    const char *name = (runSettings ? runSettingsButtons : singleButtons)[int(path)];
    QTest::mouseClick(namedChild<QToolButton>(dialog, name), Qt::LeftButton);
}

QString writeFile(const QString &path, QFile::Permissions permissions = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("x") != 1)
        return QString();
    file.close();
    return !permissions || file.setPermissions(permissions) ? path : QString();
}

// A file that every platform takes as the Stata executable.
QString writeExecutable(const QString &directory)
{
    return writeFile(directory + "/stata-mp.exe",
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Where the choosers start, what they show as programs, and how Stata's
// options are written.
#ifdef Q_OS_WIN
constexpr bool onWindows = true;
const QString chooserStart = QStringLiteral("C:/"), executablePattern = QStringLiteral("*.exe");
const QString optionPrefix = QStringLiteral("/");
#else
constexpr bool onWindows = false;
const QString chooserStart = QDir::homePath(), executablePattern = QStringLiteral("*");
const QString optionPrefix = QStringLiteral("-");
#endif

} // namespace

Q_DECLARE_METATYPE(Path)
Q_DECLARE_METATYPE(StataRun::Outcome)

class RunCycleTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        qputenv("QUORIN_STANDIN_ARGS_FILE",
                QFile::encodeName(QDir::current().absoluteFilePath("arguments.jsonl")));
        qunsetenv("QUORIN_STANDIN_DELAY_MS");
        // Runs here take moments; only the cancel test wants the progress dialog.
        StataRun::setProgressDialogDelay(60 * 60 * 1000);
        QVERIFY(writeSurvey(datasetPath()));
        m_window = new MainWindow;
        layOutTable();
        m_window->setStataExecutableFileName(standin);
        m_window->document()->setStataDatasetFileName(datasetPath());
        m_window->document()->setOutputFileName(outputPath());
    }

    void cleanup()
    {
        delete m_window;
        delete m_directory;
    }
    // A run on its own: how it ends, with Stata's exit code, which a do-file
    // Stata refuses makes 1, or without Stata starting at all; the arguments
    // go to Stata as given. Only a whole run leaves the check file.
    void batchArguments()
    {
        QCOMPARE(StataRun::batchArguments(true),
                 (QStringList{optionPrefix + 'b', "do", "\"temp.do\""}));
        QCOMPARE(StataRun::batchArguments(false),
                 (QStringList{optionPrefix + 'e', "do", "\"temp.do\""}));
    }

    void runEnds_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<StataRun::Outcome>("outcome");
        QTest::addColumn<QString>("details");
        QTest::addColumn<bool>("batch");
        const auto ended = StataRun::Outcome::Ended, notStarted = StataRun::Outcome::NotStarted;
        dataRow("ended", standin, "", ended, "Stata ended with exit code 0.", false);
        dataRow("do-file refused", standin, "frobnicate everything\n", ended,
                "Stata ended with exit code 1.", true);
        dataRow("no executable", QString(), "", notStarted, "Stata could not be started", false);
        dataRow("missing executable", QDir::current().absoluteFilePath("no-stata"), "", notStarted,
                "Stata could not be started", false);
        dataRow("not a program", QUORIN_SOURCE_DIR "/README.md", "", notStarted,
                "Stata could not be started", false);
    }

    void runEnds()
    {
        QFETCH(QString, executable);
        QFETCH(QString, firstLine);
        QFETCH(StataRun::Outcome, outcome);
        QFETCH(QString, details);
        QFETCH(bool, batch);
        StataRun run(m_window);
        QVERIFY(run.writeDoFile(firstLine + "file open checkFile using \"checkfile.tmp\", write "
                                            "text replace\nfile close checkFile\n"));
        const StataRun::Result result = run.run(executable, StataRun::batchArguments(batch));
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(QFile::exists("checkfile.tmp"),
                 firstLine.isEmpty() && outcome == StataRun::Outcome::Ended);
        QVERIFY(!m_window->findChild<QProgressDialog *>());
        // Why Stata could not start follows the fixed start of the message.
        if (outcome != StataRun::Outcome::Ended) {
            QVERIFY2(result.details.startsWith(details), qPrintable(result.details));
            return;
        }
        QCOMPARE(result.details, details);
        QVERIFY(fileText("temp.log").contains("Running temp.do"));
        QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(batch)});
    }
    // "Quorin!" runs with "-e", and writes temp.do afresh on every run.
    void quickRunShowsComputedTable()
    {
        trigger("quorinFlashAction");
        QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(false)});
        QVERIFY(onlyViewer() && onlyViewer()->isVisible());
        QCOMPARE(tableTexts(onlyViewer()->table()), expectedTable());
        QVERIFY(!QFile::exists("checkfile.tmp"));
        QVERIFY(QFile::exists("temp.log"));
        const QString first = fileText("temp.do");
        QVERIFY(first.contains("summarize age if (region==1 | region==2) & sex==1"));
        QVERIFY(QFile::remove("temp.do"));
        trigger("quorinFlashAction");
        QCOMPARE(fileText("temp.do"), first);
    }
    // A missing output file name is asked for first, and the run then takes
    // the run settings' options (both checked here).
    void quickRunWithSettingMissingAsksFirst()
    {
        m_window->document()->setOutputFileName(QString());
        ModalAnswerer answerer;
        QStringList shown;
        answerer.answerDialog<QuorinDialog>([&](QuorinDialog *dialog) {
            shown = QStringList{dialog->stataExecutableFileName(), dialog->stataDatasetFileName(),
                                dialog->outputFileName()};
            dialog->findChild<QLineEdit *>("outputFileNameLineEdit")->setText(outputPath());
        });
        trigger("quorinFlashAction");
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(shown, (QStringList{standin, datasetPath(), QString()}));
        QCOMPARE(m_window->document()->outputFileName(), outputPath());
        QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(true)});
        QVERIFY(onlyViewer());
    }
    // "Quorin..." runs with its dialog's options; "Quorin!" afterwards still
    // runs with "-e" and opens the viewer whatever they say.
    void quorinDialogRunsWithItsOptions_data()
    {
        QTest::addColumn<bool>("viewOutput");
        QTest::addColumn<bool>("showMessage");
        dataRow("view, no message", true, false);
        dataRow("no view, message", false, true);
    }

    void quorinDialogRunsWithItsOptions()
    {
        QFETCH(bool, viewOutput);
        QFETCH(bool, showMessage);
        ModalAnswerer answerer;
        answerer.answerDialog<QuorinDialog>([&](QuorinDialog *dialog) {
            // Both boxes start checked; the user clicks those to clear.
            if (!viewOutput)
                dialog->findChild<QCheckBox *>("viewOutputCsvFileAfterComputationCheckBox")
                    ->click();
            if (!showMessage)
                dialog->findChild<QCheckBox *>("showStataMessageCheckBox")->click();
        });
        trigger("QuorinStataAction");
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(recordedStandinArguments(),
                 QList<QStringList>{StataRun::batchArguments(showMessage)});
        QCOMPARE(m_window->outputCsvFileAfterComputation(), viewOutput);
        QCOMPARE(m_window->showStataMessage(), showMessage);
        QCOMPARE(bool(onlyViewer()), viewOutput);
        if (viewOutput)
            QCOMPARE(tableTexts(onlyViewer()->table()), expectedTable());
        QVERIFY(!QFile::exists("checkfile.tmp"));
        QVERIFY(QFile::exists(outputPath()));
        delete onlyViewer();
        trigger("quorinFlashAction");
        QCOMPARE(recordedStandinArguments().last(), StataRun::batchArguments(false));
        QVERIFY(onlyViewer());
    }
    // Stata that cannot start ends the run as a failed one does; No shows no log.
    void executableThatCannotStart()
    {
        m_window->setStataExecutableFileName(m_directory->filePath("no-stata"));
        ModalAnswerer answerer;
        QString text;
        answerer.answerMessageBox(QMessageBox::No, &text);
        trigger("quorinFlashAction");
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(text, QStringLiteral("Error executing Stata do file."));
        QVERIFY(!onlyViewer());
        QVERIFY(!m_window->findChild<LogViewWindow *>());
    }
    // A do-file the stand-in stops on, with a check file and an output left
    // from an earlier run: the stale check file does not pass for success,
    // the old output is neither touched nor shown, and the box offers the log.
    void failedRunWithStaleFilesOffersLog()
    {
        GridFixture::at(m_window->tableWidget(), 1, 1)
            .setContent(statistic("broken", "age", "%3.0f"));
        QVERIFY(writeFileBytes("checkfile.tmp", QByteArray()));
        QVERIFY(writeFileBytes(outputPath(), "old;table\n"));
        ModalAnswerer answerer;
        QStringList seen;
        answerer.enqueue([&seen](QWidget *widget) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            QVERIFY(box);
            seen << box->text() << box->informativeText() << box->detailedText()
                 << (box->parentWidget() ? "parent" : "no parent");
            box->button(QMessageBox::Yes)->click();
        });
        trigger("quorinFlashAction");
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(seen, (QStringList{"Error executing Stata do file.",
                                    "It's possible the output csv file was created, but it's "
                                    "wrong.\nLast Stata log file saved on disk may not be that of "
                                    "the last computation.\nDo you want to view last Stata log "
                                    "file?",
                                    "Stata ended with exit code 1.", "no parent"}));
        QVERIFY(!onlyViewer());
        QVERIFY(!QFile::exists("checkfile.tmp"));
        QCOMPARE(fileText(outputPath()), QStringLiteral("old;table\n"));
        const LogViewWindow *log = m_window->findChild<LogViewWindow *>();
        QVERIFY(log && log->isVisible());
        QVERIFY(log->findChild<QPlainTextEdit *>()->toPlainText().contains("tabulate_nothing"));
    }
    // A directory where the check file or temp.do must go stops the run
    // before Stata starts, with a message.
    void obstaclesBeforeTheRun_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("message");
        dataRow("check file", "checkfile.tmp/kept", "Cannot remove the check file checkfile.tmp");
        dataRow("do-file", "temp.do", "Cannot write file temp.do:\n");
    }

    void obstaclesBeforeTheRun()
    {
        QFETCH(QString, directory);
        QFETCH(QString, message);
        QVERIFY(QDir::current().mkpath(directory));
        ModalAnswerer answerer;
        QString text;
        answerer.answerMessageBox(QMessageBox::Ok, &text);
        trigger("quorinFlashAction");
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(text.startsWith(message), qPrintable(text));
        QVERIFY(recordedStandinArguments().isEmpty());
        QVERIFY(!onlyViewer());
    }
    // A long run shows a busy progress box over the window with the elapsed
    // time, kept up to date; its Cancel stops Stata, and nothing else is asked.
    void cancelDuringLongRun()
    {
        qputenv("QUORIN_STANDIN_DELAY_MS", "60000");
        StataRun::setProgressDialogDelay(0);
        ModalAnswerer answerer;
        QStringList seen;
        answerer.enqueue([&](QWidget *widget) {
            auto *dialog = qobject_cast<QProgressDialog *>(widget);
            QVERIFY(dialog && dialog->isModal() && dialog->parentWidget() == m_window);
            seen << dialog->windowTitle() << QString::number(dialog->minimum())
                 << QString::number(dialog->maximum()) << dialog->labelText();
            QTRY_VERIFY(QFile::exists("temp.log")); // Stata is under way
            QTRY_VERIFY_WITH_TIMEOUT(dialog->labelText() != seen.last(), 5000);
            seen << dialog->labelText();
            dialog->findChild<QPushButton *>()->click();
        });
        QElapsedTimer clock;
        clock.start();
        trigger("quorinFlashAction");
        QCOMPARE(answerer.pending(), 0);
        QVERIFY(clock.elapsed() < 30000);
        QCOMPARE(recordedStandinArguments().size(), 1);
        QVERIFY(!onlyViewer());
        QVERIFY(!QFile::exists("checkfile.tmp"));
        QCOMPARE(answerer.seen(), QStringList("QProgressDialog"));
        QCOMPARE(seen.size(), 5);
        QCOMPARE(seen.mid(0, 3), (QStringList{"Quorin", "0", "0"})); // a busy indicator
        for (const QString &label : seen.mid(3))
            QVERIFY2(label.startsWith("Stata is running temp.do.\nElapsed time: 0:0"),
                     qPrintable(label));
    }
    // "Start Stata" starts the executable without a do-file and does not wait.
    void startsStoredExecutable()
    {
        trigger("startStataAction");
        QTRY_COMPARE(recordedStandinStarts().size(), 1);
        const QJsonObject start = recordedStandinStarts().first();
        QVERIFY(start.value("arguments").toArray().isEmpty());
        QCOMPARE(start.value("workingDirectory").toString(), QDir::current().absolutePath());
        QTRY_VERIFY(QFile::exists("standin-interactive.log"));
    }

    void executableThatCannotStartIsReported()
    {
        const QString missing = QDir::current().absoluteFilePath("Stata 12/stata-se");
        m_window->setStataExecutableFileName(missing);
        ModalAnswerer answerer;
        QString text;
        answerer.answerMessageBox(QMessageBox::Ok, &text);
        trigger("startStataAction");
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(text.startsWith(QStringLiteral("Stata could not be started (%1)")
                                     .arg(QDir::toNativeSeparators(missing))),
                 qPrintable(text));
    }
    // Without an executable, Start Stata first asks to set one. Only an
    // executable taken with Ok is stored and started.
    void noExecutable_data()
    {
        QTest::addColumn<bool>("setIt");
        QTest::addColumn<bool>("ok");
        dataRow("set and started", true, true);
        dataRow("declined", false, false);
        dataRow("executable dialog cancelled", true, false);
    }

    void noExecutable()
    {
        QFETCH(bool, setIt);
        QFETCH(bool, ok);
        m_window->setStataExecutableFileName(QString());
        ModalAnswerer answerer;
        QString text, informativeText;
        answerer.answerMessageBox(setIt ? QMessageBox::Ok : QMessageBox::Cancel, &text,
                                  &informativeText);
        QString initialPath = "<not asked>";
        if (setIt) {
            answerer.answerDialog<SetStataExecutableDialog>(
                [&](SetStataExecutableDialog *dialog) {
                    initialPath = dialog->stataExecutableFileName();
                    dialog->findChild<QLineEdit *>()->setText(standin);
                },
                ok);
        }
        trigger("startStataAction");
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(text, QStringLiteral("No Stata executable file name was set."));
        QCOMPARE(informativeText, QStringLiteral("Do you want to set it and then start Stata?"));
        QCOMPARE(answerer.seen().size(), setIt ? 2 : 1);
        QCOMPARE(initialPath, setIt ? QString() : QStringLiteral("<not asked>"));
        QCOMPARE(m_window->stataExecutableFileName(), ok ? standin : QString());
        if (ok)
            QTRY_COMPARE(recordedStandinStarts().size(), 1);
        else
            QVERIFY(recordedStandinStarts().isEmpty());
    }
    // The run settings take Ok only with every path set; otherwise a box
    // lists the missing.
    void quorinDialogOk_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("missing");
        dataRow("all set", "stata", "s.dta", "t.csv", "");
        dataRow("dataset", "stata", "", "t.csv", "- Stata dataset\n");
        dataRow("all", "", "", "", "- Stata executable\n- Stata dataset\n- Output file name\n");
    }

    void quorinDialogOk()
    {
        QFETCH(QString, missing);
        QFETCH(QString, executable);
        QFETCH(QString, dataset);
        QFETCH(QString, output);
        QuorinDialog dialog(executable, dataset, output, true, true);
        dialog.show();
        ModalAnswerer answerer;
        QString text, informativeText;
        if (!missing.isEmpty())
            answerer.answerMessageBox(QMessageBox::Ok, &text, &informativeText);
        clickOk(&dialog);
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(answerer.seen().size(), missing.isEmpty() ? 0 : 1);
        QCOMPARE(dialog.isVisible(), !missing.isEmpty());
        QCOMPARE(dialog.result(), int(missing.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(text, missing.isEmpty() ? "" : "The following fields are missing:");
        QCOMPARE(informativeText, missing);
    }
    // Each chooser: its filter, the folder it starts in, and what it makes of
    // the chosen file (an output file gets ".csv"). Cancelling a second one
    // keeps the field of the run settings but empties that of a single
    // dialog. The single dialogs' titles are their smoke check.
    void chooser_data()
    {
        QTest::addColumn<bool>("runSettings");
        QTest::addColumn<Path>("path");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("title");
        const char *const names[] = {"executable", "dataset", "output"};
        const QStringList chosen = {"stata-mp.exe", "survey.dta", "table"};
        const QStringList titles = {"Stata executable", "Stata dataset for computation",
                                    "Output csv file name"};
        for (const bool runSettings : {true, false}) {
            const QStringList filters = {
                QString(runSettings ? "Executable files (%1)" : "Programs (%1)")
                    .arg(executablePattern),
                "Stata data (*.dta)", "Comma Separated Values (*csv)"};
            for (int i = 0; i < 3; ++i)
                QTest::addRow("%s %s", runSettings ? "run settings" : "single", names[i])
                    << runSettings << Path(i) << chosen.at(i)
                    << (i == 2 ? "table.csv" : chosen.at(i)) << filters.at(i)
                    << (runSettings ? "Quorin" : titles.at(i));
        }
    }

    void chooser()
    {
        QFETCH(bool, runSettings);
        QFETCH(Path, path);
        QFETCH(QString, chosen);
        QFETCH(QString, taken);
        if (path == Path::Executable)
            writeExecutable(m_directory->path());
        else if (path == Path::Dataset)
            writeFile(m_directory->filePath(chosen));
        const auto dialog = makeDialog(runSettings, path, "old");
        QTEST(dialog->windowTitle(), "title");
        dialog->show();
        ModalAnswerer answerer;
        FileChooserSeen seen;
        chooseFile(answerer, m_directory->filePath(chosen), &seen);
        clickChooser(dialog.get(), runSettings, path);
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(pathIn(dialog.get(), path), m_directory->filePath(taken));
        QFETCH(QString, filter);
        QCOMPARE(seen.filters, QStringList{filter});
        QCOMPARE(seen.directory, chooserStart);
        QCOMPARE(seen.acceptMode,
                 path == Path::OutputFile ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        cancelFileChooser(answerer);
        clickChooser(dialog.get(), runSettings, path);
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(pathIn(dialog.get(), path), runSettings ? m_directory->filePath(taken) : "");
    }
    // A data file picked by mistake as the executable, in either dialog that
    // sets it, is refused with a message; the field keeps what it held.
    void nonExecutableIsRefused()
    {
        const QString dataset =
            writeFile(m_directory->filePath("survey.dta"), QFile::ReadOwner | QFile::WriteOwner);
        for (const bool runSettings : {true, false}) {
            const auto dialog = makeDialog(runSettings, Path::Executable, "stata");
            dialog->show();
            ModalAnswerer answerer;
            QString text;
            chooseFile(answerer, dataset);
            answerer.answerMessageBox(QMessageBox::Ok, &text);
            clickChooser(dialog.get(), runSettings, Path::Executable);
            QCOMPARE(answerer.pending(), 0);
            QCOMPARE(text, QStringLiteral("The file %1 cannot be used as the Stata executable.")
                               .arg(QDir::toNativeSeparators(dataset)));
            QCOMPARE(pathIn(dialog.get(), Path::Executable), QStringLiteral("stata"));
        }
    }

    void csvSuffix_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("taken");
        dataRow("appended", "C:/tab", "C:/tab.csv");
        dataRow("kept", "C:/tab.csv", "C:/tab.csv");
        dataRow("upper case", "C:/tab.CSV", "C:/tab.CSV.csv");
        dataRow("other suffix", "/home/u/tab.txt", "/home/u/tab.txt.csv");
        dataRow("cancelled", "", "");
    }

    void csvSuffix()
    {
        QFETCH(QString, chosen);
        QTEST(SetOutputFileNameDialog::withCsvSuffix(chosen), "taken");
    }
    // Each path's command in the main window shows what is stored, and stores
    // what its dialog took on Ok, and nothing on Cancel.
    void mainWindowPathActions()
    {
        MainWindow &window = *m_window;
        window.setStataExecutableFileName("old");
        window.document()->setStataDatasetFileName("old");
        window.document()->setOutputFileName("old");
        const QList<std::pair<Path, const char *>> actions = {
            {Path::Executable, "setStataExecutableAction"},
            {Path::Dataset, "setStataDatasetForComputationAction"},
            {Path::OutputFile, "setOutputFileNameAction"}};
        for (const bool ok : {false, true}) {
            for (const auto &[path, action] : actions) {
                ModalAnswerer answerer;
                QString inField;
                answerer.enqueue([&, path = path](QWidget *widget) {
                    auto *dialog = qobject_cast<QDialog *>(widget);
                    QVERIFY(dialog && dialog->parentWidget() == &window);
                    inField = pathIn(dialog, path);
                    dialog->findChild<QLineEdit *>()->setText("/data/new");
                    clickButton(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
                });
                window.findChild<QAction *>(action)->trigger();
                QCOMPARE(answerer.pending(), 0);
                QCOMPARE(inField, "old");
            }
            QCOMPARE((QStringList{window.stataExecutableFileName(),
                                  window.document()->stataDatasetFileName(),
                                  window.document()->outputFileName()}),
                     QStringList(3, ok ? "/data/new" : "old"));
        }
    }

    void windowsProgramSuffixInAnyCase()
    {
        const QStringList programs = {"C:/Stata12/StataSE.exe",
                                      "C:/Program Files/Stata18/StataSE-64.EXE",
                                      "C:/Stata/stata.Exe"};
        const QStringList others = {"C:/data/survey.dta", "C:/stata.exe/survey.dta",
                                    "C:/Stata/stataexe"};
        for (const QString &path : programs + others) {
            QVERIFY2(StataPlatform::hasWindowsProgramSuffix(path) == programs.contains(path),
                     qPrintable(path));
            if (onWindows)
                QVERIFY2(StataPlatform::isExecutableChoice(path) == programs.contains(path),
                         qPrintable(path));
        }
    }
    // What may be chosen as the Stata executable.
    void executableChoice()
    {
        QVERIFY(!StataPlatform::isExecutableChoice(QString()));
        if (onWindows) // where only the suffix counts
            return;
        const QString path =
            writeFile(m_directory->filePath("stata-se"), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(!StataPlatform::isExecutableChoice(path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(StataPlatform::isExecutableChoice(path));
        // A directory is executable (searchable) but is no program.
        QVERIFY(!StataPlatform::isExecutableChoice(m_directory->path()));
        QVERIFY(!StataPlatform::isExecutableChoice(m_directory->filePath("missing")));
    }

private:
    void layOutTable()
    {
        for (const Command &command :
             {Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1),
              Command("sd", "summarize #var #if", "r(sd)", Command::ResultType::Scalar, 1, 1),
              Command("n", "count #if", "r(N)", Command::ResultType::Scalar, 1, 1),
              Command("broken", "tabulate_nothing #var #if", "r(N)", Command::ResultType::Scalar, 1,
                      1)})
            m_window->statisticCatalogue()->insert(command.name(), command);
        m_window->areas()->insert(Area("adults", "age >= 30"));
        TableWidget *grid = m_window->tableWidget();
        QVERIFY(grid->newTable(3, 3));
        const CellContent age = statistic("mean", "age", "%9.2f");
        const QList<QList<CellContent>> cells = {
            {CellBuilders::textCell("Income survey"), condition("sex", {{"1", "Male"}}),
             condition("sex", {{"2", "Female"}})},
            {condition("region", {{"1", "North"}, {"2", "Centre"}}), age, age},
            {condition("sex", {{"2", "Female"}}, "adults"),
             statistic("sd", "age", "%9.3f", "adults"), statistic("n", "", "%3.0f")}};
        for (int row = 0; row < cells.size(); ++row) {
            for (int column = 0; column < cells.at(row).size(); ++column)
                GridFixture::at(grid, row, column).setContent(cells.at(row).at(column));
        }
    }
    void trigger(const char *actionName) { m_window->findChild<QAction *>(actionName)->trigger(); }
    CsvViewWindow *onlyViewer() const
    {
        const QList<CsvViewWindow *> viewers = m_window->findChildren<CsvViewWindow *>();
        return viewers.size() == 1 ? viewers.first() : nullptr;
    }
    QString outputPath() const { return m_directory->filePath("table.csv"); }
    QString datasetPath() const { return m_directory->filePath("survey.dta"); }
    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
};

QTEST_MAIN(RunCycleTest)
#include "RunCycleTest.moc"
