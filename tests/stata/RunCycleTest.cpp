// Whole runs from the main window's commands to the CSV viewer, with the
// Stata stand-in as the executable and a small survey written by the test.

#include "DataRows.h"
#include "DtaWriter.h"
#include "FileChooserAnswers.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "SampleStatistics.h"
#include "StandinStarts.h"
#include "TableTexts.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/CellContent.h"
#include "model/DocumentModel.h"
#include "stata/CsvTable.h"
#include "stata/CsvViewWindow.h"
#include "stata/LogViewWindow.h"
#include "stata/QuorinDialog.h"
#include "stata/StataRun.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <optional>

namespace {

const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);

// One respondent of the survey; income may be missing.
struct Respondent
{
    int sex;
    int region;
    double age;
    std::optional<double> income;
};

const QList<Respondent> survey = {
    {1, 1, 34, 1200.5}, {2, 1, 45, 2300}, {1, 2, 29, std::nullopt}, {2, 2, 61, 1800.25},
    {1, 3, 52, 950},    {2, 3, 38, 1400}, {1, 1, 47, 3100},         {2, 2, 23, 800},
    {1, 3, 66, 1250},   {2, 1, 31, 2050}, {1, 2, 58, 2600},         {2, 3, 19, std::nullopt},
};

bool writeSurvey(const QString &fileName)
{
    DtaWriter writer;
    writer.addVariable("sex", "Sex", DtaWriter::Byte);
    writer.addVariable("region", "Region", DtaWriter::Byte);
    writer.addVariable("age", "Age", DtaWriter::Double);
    writer.addVariable("income", "Income", DtaWriter::Double);
    for (const Respondent &r : survey)
        writer.addObservation(
            {r.sex, r.region, r.age, r.income ? QVariant(*r.income) : QVariant()});
    return writer.writeFile(fileName);
}

using Filter = std::function<bool(const Respondent &)>;

// The ages, or the known incomes, of the respondents the filter takes.
QList<double> values(const Filter &filter, bool income)
{
    QList<double> found;
    for (const Respondent &r : survey) {
        if (filter(r) && (!income || r.income))
            found.append(income ? *r.income : r.age);
    }
    return found;
}

// Stata's %w.df: right-aligned in w characters with d decimals.
QString fixed(double value, int width, int decimals)
{
    return QString::asprintf("%*.*f", width, decimals, value);
}

CellContent text(const char *text)
{
    CellContent content;
    content.setSimpleText(QString::fromUtf8(text));
    return content;
}

CellContent condition(const char *variable, const QList<QPair<QString, QString>> &terms,
                      const char *area = "")
{
    CellContent content;
    for (const auto &[value, label] : terms)
        content.addMicroCondition(MicroCondition(value, label, variable, QString()));
    content.setArea(QString::fromUtf8(area));
    return content;
}

CellContent statistic(const char *name, const char *variable, const char *format,
                      const char *area = "")
{
    CellContent content;
    content.setStatistic(Statistic{variable, QString(), name, format});
    content.setArea(QString::fromUtf8(area));
    return content;
}

} // namespace

class RunCycleTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void quickRunShowsComputedTable();
    void quickRunWithSettingMissingAsksFirst();
    void quorinDialogRunsWithItsOptions_data();
    void quorinDialogRunsWithItsOptions();
    void quorinDialogCancelChangesNothing();
    void executableThatCannotStart();
    void failedRunWithStaleFilesOffersLog();
    void obstaclesBeforeTheRun_data();
    void obstaclesBeforeTheRun();
    void cancelDuringLongRun();

private:
    void layOutTable();
    QList<QStringList> expectedTable() const;
    void setRunFiles();
    void trigger(const char *actionName);
    CsvViewWindow *onlyViewer() const;
    QString outputPath() const { return m_directory->filePath(QStringLiteral("table.csv")); }
    QString datasetPath() const { return m_directory->filePath(QStringLiteral("survey.dta")); }

    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
};

void RunCycleTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    qputenv("QUORIN_STANDIN_ARGS_FILE",
            QFile::encodeName(QDir::current().absoluteFilePath(QStringLiteral("arguments.jsonl"))));
    qunsetenv("QUORIN_STANDIN_DELAY_MS");
    // Runs here take moments; only the cancel test wants the progress dialog.
    StataRun::setProgressDialogDelay(60 * 60 * 1000);
    QVERIFY(writeSurvey(datasetPath()));
    m_window = new MainWindow;
    layOutTable();
}

void RunCycleTest::cleanup()
{
    delete m_window;
    delete m_directory;
}

void RunCycleTest::layOutTable()
{
    for (const Command &command :
         {Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1),
          Command("sd", "summarize #var #if", "r(sd)", Command::ResultType::Scalar, 1, 1),
          Command("n", "count #if", "r(N)", Command::ResultType::Scalar, 1, 1),
          Command("meanb", "mean #var #if", "e(b)", Command::ResultType::Matrix, 1, 1),
          Command("varlist", "mean #var #if", "e(varlist)", Command::ResultType::Macro, 1, 1),
          Command("broken", "tabulate_nothing #var #if", "r(N)", Command::ResultType::Scalar, 1,
                  1)})
        m_window->statisticCatalogue()->insert(command.name(), command);
    m_window->areas()->insert(Area(QStringLiteral("adults"), QStringLiteral("age >= 30")));

    TableWidget *grid = m_window->tableWidget();
    QVERIFY(grid->newTable(5, 4));
    const QList<QList<CellContent>> cells = {
        {text("Income survey"), condition("sex", {{"1", "Male"}}),
         condition("sex", {{"2", "Female"}}), text("All")},
        {condition("region", {{"1", "North"}}), statistic("mean", "age", "%9.2f"),
         statistic("mean", "age", "%9.2f"), statistic("mean", "age", "%9.2f")},
        {condition("region", {{"2", "Centre"}, {"3", "South"}}), statistic("n", "", "%3.0f"),
         statistic("n", "", "%3.0f"), statistic("n", "", "%3.0f")},
        {condition("sex", {{"2", "Female"}}, "adults"),
         statistic("meanb", "income", "%9.2f", "adults"),
         statistic("varlist", "income", "", "adults"),
         statistic("sd", "income", "%9.3f", "adults")},
        {CellContent(), statistic("mean", "income", "%9.2f"), statistic("sd", "income", "%9.3f"),
         CellContent()},
    };
    for (int row = 0; row < cells.size(); ++row) {
        for (int column = 0; column < cells.at(row).size(); ++column)
            GridFixture::at(grid, row, column).setContent(cells.at(row).at(column));
    }
}

// The table computed here from the same respondents, cell by cell.
QList<QStringList> RunCycleTest::expectedTable() const
{
    const auto both = [](const Filter &a, const Filter &b) {
        return [a, b](const Respondent &r) { return a(r) && b(r); };
    };
    const Filter male = [](const Respondent &r) { return r.sex == 1; };
    const Filter female = [](const Respondent &r) { return r.sex == 2; };
    const Filter anyone = [](const Respondent &) { return true; };
    const Filter north = [](const Respondent &r) { return r.region == 1; };
    const Filter centreOrSouth = [](const Respondent &r) { return r.region != 1; };
    const Filter adultWoman = [](const Respondent &r) { return r.age >= 30 && r.sex == 2; };
    QStringList northRow{QStringLiteral("North")};
    QStringList centreRow{QStringLiteral("Centre | South")};
    for (const Filter &column : {male, female, anyone}) {
        northRow.append(fixed(sampleMean(values(both(north, column), false)), 9, 2));
        centreRow.append(fixed(values(both(centreOrSouth, column), false).size(), 3, 0));
    }
    // The area's cells: the "Female" condition of the area applies, the
    // sex conditions above them (outside the area) do not.
    return {{"Income survey", "Male", "Female", "All"},
            northRow,
            centreRow,
            {"Female", fixed(sampleMean(values(adultWoman, true)), 9, 2), "income",
             fixed(sampleStandardDeviation(values(adultWoman, true)), 9, 3)},
            {"", fixed(sampleMean(values(male, true)), 9, 2),
             fixed(sampleStandardDeviation(values(female, true)), 9, 3), ""}};
}

void RunCycleTest::setRunFiles()
{
    m_window->setStataExecutableFileName(standin);
    m_window->document()->setStataDatasetFileName(datasetPath());
    m_window->document()->setOutputFileName(outputPath());
}

void RunCycleTest::trigger(const char *actionName)
{
    m_window->findChild<QAction *>(QString::fromLatin1(actionName))->trigger();
}

CsvViewWindow *RunCycleTest::onlyViewer() const
{
    const QList<CsvViewWindow *> viewers = m_window->findChildren<CsvViewWindow *>();
    return viewers.size() == 1 ? viewers.first() : nullptr;
}

// "Quorin!" runs with "-e", and writes temp.do afresh on every run.
void RunCycleTest::quickRunShowsComputedTable()
{
    setRunFiles();
    trigger("quorinFlashAction");
    QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(false)});
    QVERIFY(onlyViewer() && onlyViewer()->isVisible());
    QCOMPARE(tableTexts(onlyViewer()->table()), expectedTable());
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
    QVERIFY(QFile::exists(QStringLiteral("temp.log")));
    const QString first = fileText(QStringLiteral("temp.do"));
    QVERIFY(first.contains(QStringLiteral("summarize age if region==1 & sex==1")));
    QVERIFY(QFile::remove(QStringLiteral("temp.do")));
    trigger("quorinFlashAction");
    QCOMPARE(fileText(QStringLiteral("temp.do")), first);
}

void RunCycleTest::quickRunWithSettingMissingAsksFirst()
{
    m_window->setStataExecutableFileName(standin);
    m_window->document()->setStataDatasetFileName(datasetPath());
    ModalAnswerer answerer;
    QString initialOutput = QStringLiteral("<not asked>");
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QuorinDialog *>(widget);
        QVERIFY(dialog);
        QCOMPARE(dialog->stataExecutableFileName(), standin);
        QCOMPARE(dialog->stataDatasetFileName(), datasetPath());
        initialOutput = dialog->outputFileName();
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, m_directory->filePath(QStringLiteral("table")));
        QTest::mouseClick(
            dialog->findChild<QToolButton *>(QStringLiteral("outputFileNameToolButton")),
            Qt::LeftButton);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(initialOutput, QString());
    QCOMPARE(m_window->document()->outputFileName(), outputPath());
    // Run as "Quorin..." runs: with the dialog's options (both checked here).
    QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(true)});
    QVERIFY(onlyViewer());
    QCOMPARE(tableTexts(onlyViewer()->table()), expectedTable());
}

void RunCycleTest::quorinDialogRunsWithItsOptions_data()
{
    QTest::addColumn<bool>("viewOutput");
    QTest::addColumn<bool>("showMessage");
    dataRow("view, message", true, true);
    dataRow("view, no message", true, false);
    dataRow("no view, message", false, true);
    dataRow("no view, no message", false, false);
}

// "Quorin..." runs with its dialog's options; "Quorin!" afterwards still
// runs with "-e" and opens the viewer whatever they say.
void RunCycleTest::quorinDialogRunsWithItsOptions()
{
    QFETCH(bool, viewOutput);
    QFETCH(bool, showMessage);
    setRunFiles();
    ModalAnswerer answerer;
    answerer.answerDialog<QuorinDialog>([&](QuorinDialog *dialog) {
        // Both boxes start checked; the user clicks those to clear.
        if (!viewOutput)
            dialog->findChild<QCheckBox *>("viewOutputCsvFileAfterComputationCheckBox")->click();
        if (!showMessage)
            dialog->findChild<QCheckBox *>("showStataMessageCheckBox")->click();
    });
    trigger("QuorinStataAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(showMessage)});
    QCOMPARE(m_window->outputCsvFileAfterComputation(), viewOutput);
    QCOMPARE(m_window->showStataMessage(), showMessage);
    QCOMPARE(bool(onlyViewer()), viewOutput);
    if (viewOutput)
        QCOMPARE(tableTexts(onlyViewer()->table()), expectedTable());
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
    QVERIFY(QFile::exists(outputPath()));

    delete onlyViewer();
    trigger("quorinFlashAction");
    QCOMPARE(recordedStandinArguments().last(), StataRun::batchArguments(false));
    QVERIFY(onlyViewer());
}

void RunCycleTest::quorinDialogCancelChangesNothing()
{
    setRunFiles();
    m_window->setStataExecutableFileName(QStringLiteral("/opt/stata/stata-mp"));
    ModalAnswerer answerer;
    answerer.answerDialog<QuorinDialog>(
        [](QuorinDialog *dialog) {
            for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
                QTest::mouseClick(box, Qt::LeftButton);
        },
        false);
    trigger("QuorinStataAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(m_window->stataExecutableFileName(), QStringLiteral("/opt/stata/stata-mp"));
    QCOMPARE(m_window->document()->stataDatasetFileName(), datasetPath());
    QCOMPARE(m_window->document()->outputFileName(), outputPath());
    QVERIFY(m_window->outputCsvFileAfterComputation());
    QVERIFY(m_window->showStataMessage());
    QVERIFY(!QFile::exists(QStringLiteral("temp.do")));
    QVERIFY(recordedStandinArguments().isEmpty());
}

void RunCycleTest::executableThatCannotStart()
{
    setRunFiles();
    m_window->setStataExecutableFileName(m_directory->filePath(QStringLiteral("no-stata")));
    ModalAnswerer answerer;
    QString text, details;
    answerer.enqueue([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        text = box->text();
        details = box->detailedText();
        box->button(QMessageBox::No)->click();
    });
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Error executing Stata do file."));
    QVERIFY2(details.startsWith(QStringLiteral("Stata could not be started")), qPrintable(details));
    QVERIFY(!onlyViewer());
    QVERIFY(!m_window->findChild<LogViewWindow *>());
}

// A do-file the stand-in stops on, with a check file and an output left
// from an earlier run: the stale check file does not pass for success, the
// old output is neither touched nor shown, and the error box offers the log.
void RunCycleTest::failedRunWithStaleFilesOffersLog()
{
    setRunFiles();
    GridFixture::at(m_window->tableWidget(), 4, 3).setContent(statistic("broken", "age", "%3.0f"));
    QVERIFY(writeFileBytes(QStringLiteral("checkfile.tmp"), QByteArray()));
    QVERIFY(writeFileBytes(outputPath(), "old;table\n"));
    ModalAnswerer answerer;
    QString text, details;
    answerer.enqueue([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        text = box->text();
        details = box->detailedText();
        box->button(QMessageBox::Yes)->click();
    });
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Error executing Stata do file."));
    QCOMPARE(details, QStringLiteral("Stata ended with exit code 1."));
    QVERIFY(!onlyViewer());
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
    QCOMPARE(fileText(outputPath()), QStringLiteral("old;table\n"));
    const LogViewWindow *log = m_window->findChild<LogViewWindow *>();
    QVERIFY(log && log->isVisible());
    QVERIFY(log->findChild<QPlainTextEdit *>()->toPlainText().contains("tabulate_nothing"));
}

// A directory where the check file or temp.do must go stops the run before
// Stata starts, with a message.
void RunCycleTest::obstaclesBeforeTheRun_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("message");
    dataRow("check file", "checkfile.tmp/kept", "Cannot remove the check file checkfile.tmp");
    dataRow("do-file", "temp.do", "Cannot write file temp.do:\n");
}

void RunCycleTest::obstaclesBeforeTheRun()
{
    QFETCH(QString, directory);
    QFETCH(QString, message);
    setRunFiles();
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

void RunCycleTest::cancelDuringLongRun()
{
    setRunFiles();
    qputenv("QUORIN_STANDIN_DELAY_MS", "60000");
    StataRun::setProgressDialogDelay(0);
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *widget) {
        auto *dialog = qobject_cast<QProgressDialog *>(widget);
        QVERIFY(dialog);
        QTRY_VERIFY(QFile::exists(QStringLiteral("temp.log"))); // Stata is under way
        dialog->findChild<QPushButton *>()->click();
    });
    QElapsedTimer clock;
    clock.start();
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(clock.elapsed() < 30000);
    QCOMPARE(recordedStandinArguments().size(), 1);
    QVERIFY(!onlyViewer());
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
    // Nothing else was asked: no error box followed.
    QCOMPARE(answerer.seen(), QStringList(QStringLiteral("QProgressDialog")));
}

QTEST_MAIN(RunCycleTest)
#include "RunCycleTest.moc"
