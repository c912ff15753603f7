// Whole runs from the main window's commands to the CSV viewer, with the
// Stata stand-in as the executable and a small survey written by the test.

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
#include "stata/StataPlatform.h"
#include "stata/StataRun.h"
#include "table/TableWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cmath>
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
    writer.addVariable(QStringLiteral("sex"), QStringLiteral("Sex"), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("region"), QStringLiteral("Region"), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("age"), QStringLiteral("Age"), DtaWriter::Double);
    writer.addVariable(QStringLiteral("income"), QStringLiteral("Income"), DtaWriter::Double);
    for (const Respondent &r : survey) {
        writer.addObservation(
            {r.sex, r.region, r.age, r.income ? QVariant(*r.income) : QVariant()});
    }
    return writer.writeFile(fileName);
}

using Filter = std::function<bool(const Respondent &)>;

QList<double> values(const Filter &filter, bool income)
{
    QList<double> found;
    for (const Respondent &r : survey) {
        if (!filter(r))
            continue;
        if (!income)
            found.append(r.age);
        else if (r.income)
            found.append(*r.income);
    }
    return found;
}

int count(const Filter &filter)
{
    int n = 0;
    for (const Respondent &r : survey)
        n += filter(r) ? 1 : 0;
    return n;
}

// Stata's %w.df: right-aligned in w characters with d decimals.
QString fixed(double value, int width, int decimals)
{
    return QString::asprintf("%*.*f", width, decimals, value);
}

CellContent text(const QString &text)
{
    CellContent content;
    content.setSimpleText(text);
    return content;
}

CellContent condition(const QString &variable, const QList<QPair<QString, QString>> &terms,
                      const QString &area = QString())
{
    CellContent content;
    for (const auto &[value, label] : terms)
        content.addMicroCondition(MicroCondition(value, label, variable, QString()));
    content.setArea(area);
    return content;
}

CellContent statistic(const QString &name, const QString &variable, const QString &format,
                      const QString &area = QString())
{
    CellContent content;
    content.setStatistic(Statistic{variable, QString(), name, format});
    content.setArea(area);
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
    void quickRunAlwaysOpensViewer();
    void quickRunWithSettingMissingAsksFirst();
    void quorinDialogRunsWithItsOptions_data();
    void quorinDialogRunsWithItsOptions();
    void quorinDialogCancelChangesNothing();
    void quorinDialogRefusesMissingExecutable();
    void executableThatCannotStart();
    void rejectedDoFileOffersLog();
    void staleCheckFileDoesNotPassForSuccess();
    void checkFileThatCannotBeRemoved();
    void unwritableDoFileIsReported();
    void cancelDuringLongRun();
    void doFileIsRewrittenOnEveryRun();
    void datasetAndOutputDialogsStoreIntoGrid();
    void datasetAndOutputDialogsCancelChangesNothing();

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
    StatisticCatalogue *catalogue = m_window->statisticCatalogue();
    catalogue->insert(QStringLiteral("mean"),
                      Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                              QStringLiteral("r(mean)"), T::Scalar, 1, 1));
    catalogue->insert(QStringLiteral("sd"),
                      Command(QStringLiteral("sd"), QStringLiteral("summarize #var #if"),
                              QStringLiteral("r(sd)"), T::Scalar, 1, 1));
    catalogue->insert(QStringLiteral("n"), Command(QStringLiteral("n"), QStringLiteral("count #if"),
                                                   QStringLiteral("r(N)"), T::Scalar, 1, 1));
    catalogue->insert(QStringLiteral("meanb"),
                      Command(QStringLiteral("meanb"), QStringLiteral("mean #var #if"),
                              QStringLiteral("e(b)"), T::Matrix, 1, 1));
    catalogue->insert(QStringLiteral("varlist"),
                      Command(QStringLiteral("varlist"), QStringLiteral("mean #var #if"),
                              QStringLiteral("e(varlist)"), T::Macro, 1, 1));
    m_window->areas()->insert(Area(QStringLiteral("adults"), QStringLiteral("age >= 30")));

    TableWidget *grid = m_window->tableWidget();
    QVERIFY(grid->newTable(5, 4));
    const QList<QList<CellContent>> cells = {
        {text(QStringLiteral("Income survey")), condition(QStringLiteral("sex"), {{"1", "Male"}}),
         condition(QStringLiteral("sex"), {{"2", "Female"}}), text(QStringLiteral("All"))},
        {condition(QStringLiteral("region"), {{"1", "North"}}),
         statistic(QStringLiteral("mean"), QStringLiteral("age"), QStringLiteral("%9.2f")),
         statistic(QStringLiteral("mean"), QStringLiteral("age"), QStringLiteral("%9.2f")),
         statistic(QStringLiteral("mean"), QStringLiteral("age"), QStringLiteral("%9.2f"))},
        {condition(QStringLiteral("region"), {{"2", "Centre"}, {"3", "South"}}),
         statistic(QStringLiteral("n"), QString(), QStringLiteral("%3.0f")),
         statistic(QStringLiteral("n"), QString(), QStringLiteral("%3.0f")),
         statistic(QStringLiteral("n"), QString(), QStringLiteral("%3.0f"))},
        {condition(QStringLiteral("sex"), {{"2", "Female"}}, QStringLiteral("adults")),
         statistic(QStringLiteral("meanb"), QStringLiteral("income"), QStringLiteral("%9.2f"),
                   QStringLiteral("adults")),
         statistic(QStringLiteral("varlist"), QStringLiteral("income"), QString(),
                   QStringLiteral("adults")),
         statistic(QStringLiteral("sd"), QStringLiteral("income"), QStringLiteral("%9.3f"),
                   QStringLiteral("adults"))},
        {CellContent(),
         statistic(QStringLiteral("mean"), QStringLiteral("income"), QStringLiteral("%9.2f")),
         statistic(QStringLiteral("sd"), QStringLiteral("income"), QStringLiteral("%9.3f")),
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
    const auto male = [](const Respondent &r) { return r.sex == 1; };
    const auto female = [](const Respondent &r) { return r.sex == 2; };
    const auto anyone = [](const Respondent &) { return true; };
    const auto north = [](const Respondent &r) { return r.region == 1; };
    const auto centreOrSouth = [](const Respondent &r) { return r.region == 2 || r.region == 3; };
    const auto adultWoman = [](const Respondent &r) { return r.age >= 30 && r.sex == 2; };
    const auto both = [](const Filter &a, const Filter &b) {
        return [a, b](const Respondent &r) { return a(r) && b(r); };
    };
    QList<QStringList> table;
    table.append({"Income survey", "Male", "Female", "All"});
    QStringList northRow{QStringLiteral("North")};
    QStringList centreRow{QStringLiteral("Centre | South")};
    for (const Filter &column : {Filter(male), Filter(female), Filter(anyone)}) {
        northRow.append(fixed(sampleMean(values(both(north, column), false)), 9, 2));
        centreRow.append(fixed(count(both(centreOrSouth, column)), 3, 0));
    }
    table.append(northRow);
    table.append(centreRow);
    // The area's cells: the "Female" condition of the area applies, the
    // sex conditions above them (outside the area) do not.
    table.append({QStringLiteral("Female"), fixed(sampleMean(values(adultWoman, true)), 9, 2),
                  QStringLiteral("income"),
                  fixed(sampleStandardDeviation(values(adultWoman, true)), 9, 3)});
    table.append({QString(), fixed(sampleMean(values(male, true)), 9, 2),
                  fixed(sampleStandardDeviation(values(female, true)), 9, 3), QString()});
    return table;
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

void RunCycleTest::quickRunShowsComputedTable()
{
    setRunFiles();
    trigger("quorinFlashAction");

    QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(false)});
    QCOMPARE(recordedStandinArguments().first().first(), StataPlatform::batchFlag(false));
    CsvViewWindow *viewer = onlyViewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->table());
    QCOMPARE(tableTexts(viewer->table()), expectedTable());
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
    QVERIFY(QFile::exists(QStringLiteral("temp.do")));
    QVERIFY(QFile::exists(QStringLiteral("temp.log")));
}

// "Quorin!" runs with "-e" and opens the viewer whatever the two options say.
void RunCycleTest::quickRunAlwaysOpensViewer()
{
    setRunFiles();
    ModalAnswerer answerer;
    answerer.answerDialog<QuorinDialog>([](QuorinDialog *dialog) {
        dialog->findChild<QCheckBox *>(QStringLiteral("viewOutputCsvFileAfterComputationCheckBox"))
            ->setChecked(false);
        dialog->findChild<QCheckBox *>(QStringLiteral("showStataMessageCheckBox"))
            ->setChecked(true);
    });
    trigger("QuorinStataAction");
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(!m_window->outputCsvFileAfterComputation());
    QVERIFY(m_window->showStataMessage());
    QVERIFY(!onlyViewer());

    trigger("quorinFlashAction");
    QCOMPARE(recordedStandinArguments(),
             (QList<QStringList>{StataRun::batchArguments(true), StataRun::batchArguments(false)}));
    QVERIFY(onlyViewer());
    QCOMPARE(tableTexts(onlyViewer()->table()), expectedTable());
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
    QTest::newRow("view, message") << true << true;
    QTest::newRow("view, no message") << true << false;
    QTest::newRow("no view, message") << false << true;
    QTest::newRow("no view, no message") << false << false;
}

void RunCycleTest::quorinDialogRunsWithItsOptions()
{
    QFETCH(bool, viewOutput);
    QFETCH(bool, showMessage);
    setRunFiles();
    ModalAnswerer answerer;
    answerer.answerDialog<QuorinDialog>([&](QuorinDialog *dialog) {
        // Both boxes start checked; the user clicks those to clear.
        if (!viewOutput) {
            dialog
                ->findChild<QCheckBox *>(
                    QStringLiteral("viewOutputCsvFileAfterComputationCheckBox"))
                ->click();
        }
        if (!showMessage)
            dialog->findChild<QCheckBox *>(QStringLiteral("showStataMessageCheckBox"))->click();
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

// With no executable the combined dialog cannot be accepted: it lists what
// is missing, and Cancel then runs nothing.
void RunCycleTest::quorinDialogRefusesMissingExecutable()
{
    m_window->document()->setStataDatasetFileName(datasetPath());
    m_window->document()->setOutputFileName(outputPath());
    ModalAnswerer answerer;
    QString missing;
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QuorinDialog *>(widget);
        QVERIFY(dialog);
        ModalAnswerer boxAnswerer;
        boxAnswerer.answerMessageBox(QMessageBox::Ok, nullptr, &missing);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(boxAnswerer.pending(), 0);
        QVERIFY(dialog->isVisible());
        dialog->reject();
    });
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(missing, QStringLiteral("- Stata executable\n"));
    QVERIFY(recordedStandinArguments().isEmpty());
    QVERIFY(!onlyViewer());
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

// A do-file the stand-in stops on leaves the output of an earlier run on
// disk; the error box follows and offers the log, never a viewer on the old
// output.
void RunCycleTest::rejectedDoFileOffersLog()
{
    setRunFiles();
    trigger("quorinFlashAction");
    QVERIFY(onlyViewer());
    onlyViewer()->close();
    QTRY_VERIFY(!onlyViewer());
    const QString earlierOutput = fileText(outputPath());
    QVERIFY(!earlierOutput.isEmpty());

    m_window->statisticCatalogue()->insert(QStringLiteral("broken"),
                                           Command(QStringLiteral("broken"),
                                                   QStringLiteral("tabulate_nothing #var #if"),
                                                   QStringLiteral("r(N)"), T::Scalar, 1, 1));
    GridFixture::at(m_window->tableWidget(), 4, 3)
        .setContent(
            statistic(QStringLiteral("broken"), QStringLiteral("age"), QStringLiteral("%3.0f")));
    ModalAnswerer answerer;
    QString details;
    answerer.enqueue([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        details = box->detailedText();
        box->button(QMessageBox::Yes)->click();
    });
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(details, QStringLiteral("Stata ended with exit code 1."));
    QVERIFY(!onlyViewer());
    QCOMPARE(fileText(outputPath()), earlierOutput);
    const LogViewWindow *log = m_window->findChild<LogViewWindow *>();
    QVERIFY(log);
    QVERIFY(log->isVisible());
    QVERIFY(log->findChild<QPlainTextEdit *>()->toPlainText().contains(
        QStringLiteral("tabulate_nothing")));
}

void RunCycleTest::staleCheckFileDoesNotPassForSuccess()
{
    setRunFiles();
    m_window->statisticCatalogue()->insert(QStringLiteral("broken"),
                                           Command(QStringLiteral("broken"),
                                                   QStringLiteral("tabulate_nothing #var #if"),
                                                   QStringLiteral("r(N)"), T::Scalar, 1, 1));
    GridFixture::at(m_window->tableWidget(), 4, 3)
        .setContent(
            statistic(QStringLiteral("broken"), QStringLiteral("age"), QStringLiteral("%3.0f")));
    QFile stale(QStringLiteral("checkfile.tmp"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    QFile oldOutput(outputPath());
    QVERIFY(oldOutput.open(QIODevice::WriteOnly));
    oldOutput.write("old;table\n");
    oldOutput.close();

    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::No, &text);
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Error executing Stata do file."));
    QVERIFY(!onlyViewer());
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
}

void RunCycleTest::checkFileThatCannotBeRemoved()
{
    setRunFiles();
    QVERIFY(QDir::current().mkpath(QStringLiteral("checkfile.tmp/kept")));
    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(text.startsWith(QStringLiteral("Cannot remove the check file checkfile.tmp")),
             qPrintable(text));
    QVERIFY(recordedStandinArguments().isEmpty());
    QVERIFY(!onlyViewer());
}

void RunCycleTest::unwritableDoFileIsReported()
{
    setRunFiles();
    QVERIFY(QDir::current().mkdir(QStringLiteral("temp.do")));
    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    trigger("quorinFlashAction");
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(text.startsWith(QStringLiteral("Cannot write file temp.do:\n")), qPrintable(text));
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

void RunCycleTest::doFileIsRewrittenOnEveryRun()
{
    setRunFiles();
    trigger("quorinFlashAction");
    const QString first = fileText(QStringLiteral("temp.do"));
    QVERIFY(first.contains(QStringLiteral("summarize age if region==1 & sex==1")));
    QFile::remove(QStringLiteral("temp.do"));
    trigger("quorinFlashAction");
    QCOMPARE(fileText(QStringLiteral("temp.do")), first);
}

void RunCycleTest::datasetAndOutputDialogsStoreIntoGrid()
{
    ModalAnswerer answerer;
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Stata dataset for computation"));
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, datasetPath());
        QTest::mouseClick(dialog->findChild<QToolButton *>(QStringLiteral("toolButton")),
                          Qt::LeftButton);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    trigger("setStataDatasetForComputationAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(m_window->document()->stataDatasetFileName(), datasetPath());

    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Output csv file name"));
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, m_directory->filePath(QStringLiteral("table")));
        QTest::mouseClick(
            dialog->findChild<QToolButton *>(QStringLiteral("outputFileNameToolButton")),
            Qt::LeftButton);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    trigger("setOutputFileNameAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(m_window->document()->outputFileName(), outputPath());
}

void RunCycleTest::datasetAndOutputDialogsCancelChangesNothing()
{
    setRunFiles();
    ModalAnswerer answerer;
    QString initialDataset, initialOutput;
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        QVERIFY(dialog);
        initialDataset = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->text();
        ModalAnswerer chooserAnswerer;
        cancelFileChooser(chooserAnswerer); // empties the field...
        QTest::mouseClick(dialog->findChild<QToolButton *>(QStringLiteral("toolButton")),
                          Qt::LeftButton);
        dialog->reject(); // ...which Cancel throws away
    });
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        QVERIFY(dialog);
        initialOutput =
            dialog->findChild<QLineEdit *>(QStringLiteral("outputFileNameLineEdit"))->text();
        dialog->reject();
    });
    trigger("setStataDatasetForComputationAction");
    trigger("setOutputFileNameAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(initialDataset, datasetPath());
    QCOMPARE(initialOutput, outputPath());
    QCOMPARE(m_window->document()->stataDatasetFileName(), datasetPath());
    QCOMPARE(m_window->document()->outputFileName(), outputPath());
}

QTEST_MAIN(RunCycleTest)
#include "RunCycleTest.moc"
