// The example document from the first Open to the numbers in the table:
// examples/survey-table.xml is opened as a user opens it, run with "Quorin!"
// and the Stata stand-in, and every field of the CSV viewer is compared with
// figures this test computes from the survey's observations itself.

#include "DtaObservations.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "TableTexts.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/DocumentModel.h"
#include "stata/CsvTable.h"
#include "stata/CsvViewWindow.h"
#include "stata/SetStataExecutableDialog.h"
#include "stata/StataRun.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <functional>
#include <memory>

namespace {

const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);
const QString sourceExamples = QStringLiteral(QUORIN_SOURCE_DIR "/examples");

// Where the example document expects its files: relative to the directory
// Quorin was started from, as from the repository's root.
const QString exampleDocument = QStringLiteral("examples/survey-table.xml");
const QString exampleDataset = QStringLiteral("examples/survey.dta");
const QString exampleOutput = QStringLiteral("examples/survey-table.csv");

const QString title = QStringLiteral("Table 1. Working-age respondents (18-64)");

// One respondent as the table sees them; income is NaN when not declared.
struct Respondent
{
    double sex;
    double age;
    double region;
    double empstat;
    double income;
};

QList<Respondent> respondents(const DtaObservations &survey)
{
    QList<Respondent> all;
    for (int i = 0; i < survey.observationCount(); ++i) {
        all.append({survey.value(i, QStringLiteral("sex")), survey.value(i, QStringLiteral("age")),
                    survey.value(i, QStringLiteral("region")),
                    survey.value(i, QStringLiteral("empstat")),
                    survey.value(i, QStringLiteral("income"))});
    }
    return all;
}

// A column of the table: one sex or both (0), one employment status or all (0).
struct Column
{
    int sex;
    int empstat;
};

const QList<Column> columns = {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0},
                               {2, 1}, {2, 2}, {2, 3}, {0, 0}};
const QStringList regions = {QStringLiteral("North-West"), QStringLiteral("North-East"),
                             QStringLiteral("Centre"), QStringLiteral("South"),
                             QStringLiteral("Islands")};

// The respondents of one table cell: of working age (the area), in the region
// of the row (0 for the total row), of the column's sex and status.
QList<Respondent> selected(const QList<Respondent> &all, int region, const Column &column)
{
    QList<Respondent> chosen;
    for (const Respondent &r : all) {
        if (r.age >= 18 && r.age <= 64 && (region == 0 || r.region == region) &&
            (column.sex == 0 || r.sex == column.sex) &&
            (column.empstat == 0 || r.empstat == column.empstat))
            chosen.append(r);
    }
    return chosen;
}

// Stata's %w.dfc: d decimals, commas between groups of three digits,
// right-aligned in w characters (never cut); "." for a missing value.
QString fixedWithCommas(double value, int width, int decimals)
{
    if (std::isnan(value))
        return QStringLiteral(".").rightJustified(width);
    QString digits = QString::asprintf("%.*f", decimals, std::fabs(value));
    const qsizetype point = decimals > 0 ? digits.indexOf(QLatin1Char('.')) : digits.size();
    for (qsizetype i = point - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    if (value < 0 && digits.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        digits.prepend(QLatin1Char('-'));
    return digits.rightJustified(width);
}

// The mean income of those who declared one (summarize leaves out missing
// values); NaN when nobody did.
double meanIncome(const QList<Respondent> &people)
{
    double sum = 0;
    int n = 0;
    for (const Respondent &r : people) {
        if (!std::isnan(r.income)) {
            sum += r.income;
            ++n;
        }
    }
    return n == 0 ? std::nan("") : sum / n;
}

QStringList figureRow(const QString &label,
                      const std::function<QString(int region, const Column &)> &figure, int region)
{
    QStringList row{label};
    for (const Column &column : columns)
        row.append(figure(region, column));
    return row;
}

QStringList textRow(const QStringList &texts)
{
    QStringList row = texts;
    while (row.size() < columns.size() + 1)
        row.append(QString());
    return row;
}

// The table as a statistician reads the example: a title, the two header
// rows, the respondents counted, then their mean monthly net income, both by
// region down the side.
QList<QStringList> expectedTable(const QList<Respondent> &all)
{
    using Figure = std::function<QString(int, const Column &)>;
    const Figure count = [&all](int region, const Column &column) {
        return fixedWithCommas(double(selected(all, region, column).size()), 9, 0);
    };
    const Figure mean = [&all](int region, const Column &column) {
        return fixedWithCommas(meanIncome(selected(all, region, column)), 9, 1);
    };
    const QList<std::pair<QString, Figure>> blocks = {
        {QStringLiteral("Respondents"), count},
        {QStringLiteral("Mean monthly net income (EUR)"), mean}};
    QList<QStringList> table;
    table.append(textRow({title}));
    table.append(textRow(QStringList()));
    table.append(textRow(
        {"Sex", "Male", "Male", "Male", "Male", "Female", "Female", "Female", "Female", "Total"}));
    const QStringList statuses = {"All", "Employed", "Unemployed", "Inactive"};
    table.append(
        textRow(QStringList{"Employment status"} + statuses + statuses + QStringList{"All"}));
    for (const auto &[heading, figure] : blocks) {
        if (table.size() > 4)
            table.append(textRow(QStringList()));
        table.append(textRow({heading}));
        for (int region = 1; region <= regions.size(); ++region)
            table.append(figureRow(regions.at(region - 1), figure, region));
        table.append(figureRow(QStringLiteral("Total"), figure, 0));
    }
    return table;
}

} // namespace

class ExampleTableTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exampleOpensWithItsTableAndData();
    void runFillsTableWithSurveyFigures();
    void savedAndReopenedExampleGivesSameOutput();

private:
    void openDocument(MainWindow &window, const QString &fileName);
    void chooseStandinAsStata(MainWindow &window);
    void runQuorin(MainWindow &window);
    static void trigger(MainWindow &window, const char *actionName);

    QList<Respondent> m_respondents;
    std::unique_ptr<TemporaryWorkingDirectory> m_directory;
};

void ExampleTableTest::initTestCase()
{
    DtaObservations survey;
    QVERIFY2(survey.readFile(sourceExamples + QStringLiteral("/survey.dta")),
             qPrintable(survey.errorString()));
    QCOMPARE(survey.observationCount(), 2000);
    m_respondents = respondents(survey);
    // Runs take moments; the progress dialog would only get in the way.
    StataRun::setProgressDialogDelay(60 * 60 * 1000);
}

// A copy of the examples in a fresh working directory, laid out as in the
// repository, so the document's relative paths hold.
void ExampleTableTest::init()
{
    m_directory = std::make_unique<TemporaryWorkingDirectory>();
    QVERIFY(QDir().mkdir(QStringLiteral("examples")));
    QVERIFY(QFile::copy(sourceExamples + QStringLiteral("/survey-table.xml"), exampleDocument));
    QVERIFY(QFile::copy(sourceExamples + QStringLiteral("/survey.dta"), exampleDataset));
    qputenv("QUORIN_STANDIN_ARGS_FILE",
            QFile::encodeName(m_directory->filePath(QStringLiteral("standin-arguments.jsonl"))));
}

void ExampleTableTest::cleanup()
{
    m_directory.reset();
}

void ExampleTableTest::trigger(MainWindow &window, const char *actionName)
{
    QAction *action = window.findChild<QAction *>(QString::fromLatin1(actionName));
    QVERIFY2(action, actionName);
    action->trigger();
}

// File > Open..., the file typed into the file chooser.
void ExampleTableTest::openDocument(MainWindow &window, const QString &fileName)
{
    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, QDir::current().absoluteFilePath(fileName), &seen);
    trigger(window, "openAction");
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Open Quorin file"));
    QVERIFY2(answerer.unexpected().isEmpty(), qPrintable(answerer.unexpected().join('\n')));
    QCOMPARE(QFileInfo(window.currentFileName()).canonicalFilePath(),
             QFileInfo(fileName).canonicalFilePath());
}

// Stata > Stata executable..., the stand-in picked with the dialog's "..."
// button.
void ExampleTableTest::chooseStandinAsStata(MainWindow &window)
{
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *widget) {
        auto *dialog = qobject_cast<SetStataExecutableDialog *>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, standin);
        QTest::mouseClick(dialog->findChild<QToolButton *>(QStringLiteral("fileDialogButton")),
                          Qt::LeftButton);
        dialog->accept();
    });
    trigger(window, "setStataExecutableAction");
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(answerer.unexpected().isEmpty(), qPrintable(answerer.unexpected().join('\n')));
    QCOMPARE(window.stataExecutableFileName(), standin);
}

// Stata > Quorin!: with executable, dataset and output file all set it runs
// at once and opens the CSV viewer on the output file.
void ExampleTableTest::runQuorin(MainWindow &window)
{
    ModalAnswerer answerer;
    trigger(window, "quorinFlashAction");
    QVERIFY2(answerer.unexpected().isEmpty(), qPrintable(answerer.unexpected().join('\n')));
    QVERIFY2(QFile::exists(exampleOutput), "the run wrote no output file");
    QVERIFY(!QFile::exists(StataRun::checkFileName()));
}

void ExampleTableTest::exampleOpensWithItsTableAndData()
{
    MainWindow window;
    openDocument(window, exampleDocument);
    QVERIFY(!QTest::currentTestFailed());

    QVERIFY(window.windowTitle().startsWith(QStringLiteral("survey-table.xml")));
    TableWidget *grid = window.tableWidget();
    QCOMPARE(window.document()->stataDatasetFileName(), exampleDataset);
    QCOMPARE(window.document()->outputFileName(), exampleOutput);
    QCOMPARE(grid->rowCount(), 19);
    QCOMPARE(grid->columnCount(), 10);
    QCOMPARE(GridFixture::at(grid, 0, 0).text(), title);
    QCOMPARE(GridFixture::at(grid, 2, 1).text(), QStringLiteral("Male"));
    QCOMPARE(GridFixture::at(grid, 3, 3).text(), QStringLiteral("Unemployed"));
    QCOMPARE(GridFixture::at(grid, 5, 0).text(), QStringLiteral("North-West"));
    QCOMPARE(GridFixture::at(grid, 5, 1).text(), QStringLiteral("count(id)"));
    QCOMPARE(GridFixture::at(grid, 13, 2).text(), QStringLiteral("mean(income)"));
    QCOMPARE(grid->finalCommand(13, 2),
             QStringLiteral("summarize income if (age >= 18 & age <= 64) & region==1 & sex==1 & "
                            "empstat==1"));
    QCOMPARE(grid->finalCommand(10, 9), QStringLiteral("count if (age >= 18 & age <= 64)"));

    // The catalogue, the area and the survey's variables come with it.
    QVERIFY(window.statisticCatalogue()->contains(QStringLiteral("count")));
    QVERIFY(window.statisticCatalogue()->contains(QStringLiteral("mean")));
    QCOMPARE(window.areas()->names(), QStringList{QStringLiteral("Working age")});
    auto *areaBox = window.findChild<QComboBox *>(QStringLiteral("areaComboBox"));
    QVERIFY(areaBox);
    QVERIFY(areaBox->findText(QStringLiteral("Working age")) >= 0);
    // Choosing the area selects its block: everything below the title.
    areaBox->setCurrentIndex(areaBox->findText(QStringLiteral("Working age")));
    emit areaBox->textActivated(QStringLiteral("Working age"));
    const QModelIndexList chosen = grid->selectionModel()->selectedIndexes();
    QCOMPARE(chosen.size(), 17 * 10);
    for (const QModelIndex &index : chosen)
        QVERIFY(index.row() >= 2);
}

void ExampleTableTest::runFillsTableWithSurveyFigures()
{
    MainWindow window;
    openDocument(window, exampleDocument);
    chooseStandinAsStata(window);
    QVERIFY(!QTest::currentTestFailed());
    runQuorin(window);
    QVERIFY(!QTest::currentTestFailed());

    const QList<CsvViewWindow *> viewers = window.findChildren<CsvViewWindow *>();
    QCOMPARE(viewers.size(), 1);
    QVERIFY(viewers.first()->isVisible());
    const QList<QStringList> shown = tableTexts(viewers.first()->table());
    const QList<QStringList> expected = expectedTable(m_respondents);
    QCOMPARE(shown.size(), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        QCOMPARE(shown.at(row).size(), expected.at(row).size());
        for (int column = 0; column < expected.at(row).size(); ++column) {
            if (shown.at(row).at(column) != expected.at(row).at(column)) {
                QFAIL(qPrintable(QStringLiteral("row %1, field %2: shown \"%3\", expected \"%4\"")
                                     .arg(row + 1)
                                     .arg(column + 1)
                                     .arg(shown.at(row).at(column), expected.at(row).at(column))));
            }
        }
    }
    // The expectation itself is no empty shell: most respondents are of
    // working age, and the grand total counts them.
    QCOMPARE(expected.at(10).at(9),
             fixedWithCommas(double(selected(m_respondents, 0, {0, 0}).size()), 9, 0));
    QVERIFY(selected(m_respondents, 0, {0, 0}).size() > 1000);
}

void ExampleTableTest::savedAndReopenedExampleGivesSameOutput()
{
    QByteArray firstOutput;
    {
        MainWindow window;
        openDocument(window, exampleDocument);
        window.setStataExecutableFileName(standin);
        QVERIFY(!QTest::currentTestFailed());
        runQuorin(window);
        QVERIFY(!QTest::currentTestFailed());
        firstOutput = fileBytes(exampleOutput);

        ModalAnswerer answerer;
        chooseFile(answerer, m_directory->filePath(QStringLiteral("resaved.xml")));
        trigger(window, "saveAsAction");
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(answerer.unexpected().isEmpty(), qPrintable(answerer.unexpected().join('\n')));
    }
    QVERIFY(firstOutput.count('\n') == 19);
    // Opening and saving changes nothing in the document.
    QCOMPARE(fileBytes(QStringLiteral("resaved.xml")), fileBytes(exampleDocument));

    QVERIFY(QFile::remove(exampleOutput));
    QVERIFY(QFile::remove(StataRun::doFileName()));
    MainWindow reopened;
    openDocument(reopened, QStringLiteral("resaved.xml"));
    reopened.setStataExecutableFileName(standin);
    QVERIFY(!QTest::currentTestFailed());
    runQuorin(reopened);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(fileBytes(exampleOutput), firstOutput);
}

QTEST_MAIN(ExampleTableTest)
#include "ExampleTableTest.moc"
