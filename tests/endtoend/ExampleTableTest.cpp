// The example document from the first Open to the numbers in the table:
// examples/survey-table.xml is opened as a user opens it, run with "Quorin!"
// and the Stata stand-in, and every field of the CSV viewer is compared with
// figures this test computes from the survey's observations itself.

#include "DtaColumns.h"
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
#include <QLocale>
#include <QTest>
#include <QToolButton>

namespace {

const QString sourceExamples = QStringLiteral(QUORIN_SOURCE_DIR "/examples");
// Where the document expects its files: relative to the directory Quorin was
// started from, as from the repository's root.
const QString exampleDocument = QStringLiteral("examples/survey-table.xml");
const QString exampleDataset = QStringLiteral("examples/survey.dta");

// A cell of the table: the respondents of working age (the table's area), of
// the row's region, the column's sex and employment status (0: any), counted
// or their mean declared income (summarize leaves out missing values), as
// Stata's %9.0fc or %9.1fc shows it: commas between groups of three digits,
// right-aligned in nine characters, never cut; "." for a missing value.
QString figure(const DtaColumns &survey, bool mean, int region, int sex, int empstat)
{
    const QList<double> age = survey.value("age"), regions = survey.value("region"),
                        sexes = survey.value("sex"), statuses = survey.value("empstat"),
                        incomes = survey.value("income");
    int count = 0;
    int declared = 0;
    double sum = 0;
    for (int i = 0; i < age.size(); ++i) {
        if (age.at(i) < 18 || age.at(i) > 64 || (region && regions.at(i) != region) ||
            (sex && sexes.at(i) != sex) || (empstat && statuses.at(i) != empstat))
            continue;
        ++count;
        if (!std::isnan(incomes.at(i))) {
            sum += incomes.at(i);
            ++declared;
        }
    }
    const double value = mean ? (declared ? sum / declared : NAN) : count;
    return (std::isnan(value) ? "." : QLocale(QLocale::English).toString(value, 'f', mean ? 1 : 0))
        .rightJustified(9);
}

// The table as a statistician reads the example: a title, the two header
// rows, the respondents counted, then their mean monthly net income, both by
// region down the side; columns men, women (each all, then by status), all.
QList<QStringList> expectedTable(const DtaColumns &survey)
{
    const QStringList statuses = {"All", "Employed", "Unemployed", "Inactive"};
    const QStringList regions = {"North-West", "North-East", "Centre", "South", "Islands", "Total"};
    QList<QStringList> table = {
        {"Table 1. Working-age respondents (18-64)"},
        {},
        {"Sex", "Male", "Male", "Male", "Male", "Female", "Female", "Female", "Female", "Total"},
        QStringList{"Employment status"} + statuses + statuses + QStringList{"All"}};
    for (const bool mean : {false, true}) {
        if (mean)
            table.append(QStringList());
        table.append({mean ? "Mean monthly net income (EUR)" : "Respondents"});
        for (int region = 1; region <= 6; ++region) {
            QStringList row{regions.at(region - 1)};
            for (int column = 0; column < 9; ++column)
                row << figure(survey, mean, region % 6, column < 8 ? 1 + column / 4 : 0,
                              column < 8 ? column % 4 : 0);
            table.append(row);
        }
    }
    for (QStringList &row : table)
        row.resize(10);
    return table;
}

} // namespace

class ExampleTableTest : public QObject
{
    Q_OBJECT

private slots:
    void runFillsTableWithSurveyFigures_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("the committed release-114 survey") << 0;
        QTest::newRow("a release-118 copy") << 118;
    }

    // File > Open..., Stata > Stata executable... with the stand-in picked by
    // the dialog's "..." button, then Stata > Quorin!, which runs at once and
    // opens the CSV viewer on the output file.
    void runFillsTableWithSurveyFigures()
    {
        QFETCH(int, release);
        const DtaColumns survey = readDtaColumns(sourceExamples + "/survey.dta");
        QCOMPARE(survey.value("income").size(), 2000);
        // A copy of the examples laid out as in the repository.
        TemporaryWorkingDirectory directory;
        qputenv("QUORIN_STANDIN_ARGS_FILE", QFile::encodeName(directory.filePath("args.jsonl")));
        QVERIFY(QDir().mkdir(QStringLiteral("examples")));
        QVERIFY(QFile::copy(sourceExamples + "/survey-table.xml", exampleDocument));
        QString error;
        QVERIFY2(release ? DtaReleaseCopy::write(sourceExamples + "/survey.dta", exampleDataset,
                                                 release, &error)
                         : QFile::copy(sourceExamples + "/survey.dta", exampleDataset),
                 qPrintable(error));
        // Runs take moments; the progress dialog would only get in the way.
        StataRun::setProgressDialogDelay(60 * 60 * 1000);

        MainWindow window;
        ModalAnswerer answerer;
        chooseFile(answerer, QDir::current().absoluteFilePath(exampleDocument));
        window.findChild<QAction *>(QStringLiteral("openAction"))->trigger();
        answerer.answerDialog<SetStataExecutableDialog>([](SetStataExecutableDialog *dialog) {
            ModalAnswerer chooserAnswerer;
            chooseFile(chooserAnswerer, QStringLiteral(QUORIN_STANDIN_PATH));
            QTest::mouseClick(dialog->findChild<QToolButton *>("fileDialogButton"), Qt::LeftButton);
        });
        window.findChild<QAction *>(QStringLiteral("setStataExecutableAction"))->trigger();
        window.findChild<QAction *>(QStringLiteral("quorinFlashAction"))->trigger();
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(answerer.unexpected().isEmpty(), qPrintable(answerer.unexpected().join('\n')));
        QVERIFY(!QFile::exists(StataRun::checkFileName()));

        const QList<CsvViewWindow *> viewers = window.findChildren<CsvViewWindow *>();
        QCOMPARE(viewers.size(), 1);
        QVERIFY(viewers.first()->isVisible());
        const QList<QStringList> shown = tableTexts(viewers.first()->table());
        const QList<QStringList> expected = expectedTable(survey);
        QCOMPARE(shown.size(), expected.size());
        for (int row = 0; row < expected.size(); ++row)
            QCOMPARE(shown.at(row), expected.at(row));

        // Opening and saving changes nothing in the document.
        chooseFile(answerer, directory.filePath(QStringLiteral("resaved.xml")));
        window.findChild<QAction *>(QStringLiteral("saveAsAction"))->trigger();
        QCOMPARE(fileBytes(QStringLiteral("resaved.xml")), fileBytes(exampleDocument));
    }
};

QTEST_MAIN(ExampleTableTest)
#include "ExampleTableTest.moc"
