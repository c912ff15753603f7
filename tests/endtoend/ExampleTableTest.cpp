// The example document from the first Open to the numbers in the table:
// examples/survey-table.xml is opened as a user opens it, run with "Quorin!"
// and the Stata stand-in, and every field of the CSV viewer is compared with
// figures this test computes from the survey's observations itself.

#include "DtaObservations.h"
#include "DtaReleaseCopy.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TableTexts.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "stata/CsvTable.h"
#include "stata/CsvViewWindow.h"
#include "stata/SetStataExecutableDialog.h"
#include "stata/StataRun.h"

#include <QAction>
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
        const auto value = [&](const char *name) {
            return survey.value(i, QString::fromLatin1(name));
        };
        all.append(
            {value("sex"), value("age"), value("region"), value("empstat"), value("income")});
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
    void cleanup() { m_directory.reset(); }
    void runFillsTableWithSurveyFigures_data();
    void runFillsTableWithSurveyFigures();

private:
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

void ExampleTableTest::runFillsTableWithSurveyFigures_data()
{
    QTest::addColumn<int>("release");
    QTest::newRow("the committed release-114 survey") << 0;
    QTest::newRow("a release-118 copy") << 118;
}

// File > Open..., Stata > Stata executable... with the stand-in picked by the
// dialog's "..." button, then Stata > Quorin!, which runs at once and opens
// the CSV viewer on the output file.
void ExampleTableTest::runFillsTableWithSurveyFigures()
{
    QFETCH(int, release);
    if (release) {
        QString error;
        QVERIFY(QFile::remove(exampleDataset));
        QVERIFY2(DtaReleaseCopy::write(sourceExamples + QStringLiteral("/survey.dta"),
                                       exampleDataset, release, &error),
                 qPrintable(error));
    }
    MainWindow window;
    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, QDir::current().absoluteFilePath(exampleDocument), &seen);
    window.findChild<QAction *>(QStringLiteral("openAction"))->trigger();
    QCOMPARE(seen.caption, QStringLiteral("Open Quorin file"));
    answerer.answerDialog<SetStataExecutableDialog>([](SetStataExecutableDialog *dialog) {
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, standin);
        QTest::mouseClick(dialog->findChild<QToolButton *>(QStringLiteral("fileDialogButton")),
                          Qt::LeftButton);
    });
    window.findChild<QAction *>(QStringLiteral("setStataExecutableAction"))->trigger();
    QCOMPARE(window.stataExecutableFileName(), standin);
    window.findChild<QAction *>(QStringLiteral("quorinFlashAction"))->trigger();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(answerer.unexpected().isEmpty(), qPrintable(answerer.unexpected().join('\n')));
    QVERIFY(!QFile::exists(StataRun::checkFileName()));

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

    // Opening and saving changes nothing in the document.
    chooseFile(answerer, m_directory->filePath(QStringLiteral("resaved.xml")));
    window.findChild<QAction *>(QStringLiteral("saveAsAction"))->trigger();
    QCOMPARE(fileBytes(QStringLiteral("resaved.xml")), fileBytes(exampleDocument));
}

QTEST_MAIN(ExampleTableTest)
#include "ExampleTableTest.moc"
