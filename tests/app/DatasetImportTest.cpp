#include "DataRows.h"
#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "ReadStatDtaWriter.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/DocumentModel.h"
#include "panel/VariablesWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>

using namespace DocumentTestSupport;

namespace {

using Type = ReadStatDtaWriter::Type;

ReadStatDtaWriter surveyWriter()
{
    ReadStatDtaWriter writer(118);
    writer.addVariable("sesso", "Sesso", Type::Byte, 0, "sex");
    writer.addVariable("citta", "Città", Type::String, 20);
    writer.addVariable("q1", "Soddisfatto?", Type::Int, 0, "yesno");
    writer.addVariable("q2", "Consiglierebbe?", Type::Int, 0, "yesno");
    writer.addObservation({1, "Roma", 1, -9});
    writer.addValueLabelSet({"sex", {{1, "Maschio"}, {2, "Femmina"}}});
    writer.addValueLabelSet({"yesno", {{-9, "Non risponde"}, {1, "Sì"}, {2, "No"}}});
    return writer;
}

// "name | label | type" per variable, "value = label" per modality below it.
QStringList describe(const QList<Variable> &variables)
{
    QStringList lines;
    for (const Variable &variable : variables) {
        lines.append(QStringLiteral("%1 | %2 | %3")
                         .arg(variable.name(), variable.label())
                         .arg(int(variable.varType())));
        for (const Modality &modality : variable.modalities())
            lines.append(
                QStringLiteral("    %1 = %2").arg(modality.value(), modality.valueLabel()));
    }
    return lines;
}

const QStringList surveyDescription = {
    "sesso | Sesso | 251",        "    1 = Maschio",       "    2 = Femmina", "citta | Città | 20",
    "q1 | Soddisfatto? | 252",    "    -9 = Non risponde", "    1 = Sì",      "    2 = No",
    "q2 | Consiglierebbe? | 252", "    -9 = Non risponde", "    1 = Sì",      "    2 = No",
};

const QString notReadable = QStringLiteral("The file is not a Stata dataset Quorin can read.");
const QString notComplete = QStringLiteral("The file is not a complete Stata dataset.");

// QFileDialog hides accept() as protected; through QDialog it is reached all
// the same.
void answerFileDialog(ModalAnswerer &answerer, const std::function<void(QFileDialog *)> &fill,
                      bool accept = true)
{
    answerer.enqueue([fill, accept](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        if (fill)
            fill(dialog);
        if (accept)
            static_cast<QDialog *>(dialog)->accept();
        // A dialog that refused what it was given must not hang the test.
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class DatasetImportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadActionImportsTheChosenDataset();
    void cancelledDialogChangesNothing();
    void refusedDatasetsLeaveThePanelUnchanged_data();
    void refusedDatasetsLeaveThePanelUnchanged();
    void startWithArguments_data();
    void startWithArguments();

private:
    void prepareWindowWithHandMadeContent();
    QList<Variable> handMadeVariables() const;

    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
    QString m_survey;
};

void DatasetImportTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    QVERIFY(QDir().mkdir(QStringLiteral("data")));
    m_survey = m_directory->filePath(QStringLiteral("data/survey.dta"));
    QVERIFY(surveyWriter().writeFile(m_survey));
}

void DatasetImportTest::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_directory;
}

QList<Variable> DatasetImportTest::handMadeVariables() const
{
    Variable kept(QStringLiteral("eta"), QStringLiteral("Età"), 0);
    kept.appendModality(
        Modality(QStringLiteral("1"), QStringLiteral("Giovane"), kept.name(), kept.label()));
    return {kept, Variable(QStringLiteral("peso"), QString(), 0)};
}

// A window whose panel already holds variables and a statistic, as after
// some work; an import replaces the variables and nothing else.
void DatasetImportTest::prepareWindowWithHandMadeContent()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    VariablesWidget *variables = panel(*m_window);
    QVERIFY(variables);
    m_window->document()->setVariables(handMadeVariables());
    m_window->document()->setStatistics(
        {Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                 QStringLiteral("r(mean)"), Command::ResultType::Scalar, 1, 1)});
}

void DatasetImportTest::loadActionImportsTheChosenDataset()
{
    prepareWindowWithHandMadeContent();
    ModalAnswerer answerer;
    QString caption, directory;
    QStringList filters;
    const QString survey = m_survey;
    answerFileDialog(answerer, [&](QFileDialog *dialog) {
        caption = dialog->windowTitle();
        directory = dialog->directory().canonicalPath();
        filters = dialog->nameFilters();
        ModalAnswerer::typeFileName(dialog, survey);
    });
    m_window->findChild<QAction *>(QStringLiteral("loadVariablesAction"))->trigger();

    QCOMPARE(answerer.seen(), QStringList(QStringLiteral("QFileDialog")));
    QCOMPARE(caption, QStringLiteral("Load variables from dataset"));
    QCOMPARE(directory, QDir(m_directory->path()).canonicalPath());
    QCOMPARE(filters, QStringList(QStringLiteral("Stata Data (*.dta)")));

    VariablesWidget *variables = panel(*m_window);
    QCOMPARE(describe(variables->variables()), surveyDescription);
    QCOMPARE(variables->statisticNames(), QStringList(QStringLiteral("mean")));
    QVERIFY(m_window->statisticCatalogue()->contains(QStringLiteral("mean")));
    // The imported variables are document content not saved yet.
    QVERIFY(m_window->isWindowModified());
}

void DatasetImportTest::cancelledDialogChangesNothing()
{
    prepareWindowWithHandMadeContent();
    ModalAnswerer answerer;
    answerFileDialog(answerer, nullptr, false);
    m_window->findChild<QAction *>(QStringLiteral("loadVariablesAction"))->trigger();

    QCOMPARE(answerer.seen(), QStringList(QStringLiteral("QFileDialog")));
    QCOMPARE(describe(panel(*m_window)->variables()), describe(handMadeVariables()));
}

void DatasetImportTest::refusedDatasetsLeaveThePanelUnchanged_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no file at all
    QTest::addColumn<QString>("message");

    const QByteArray whole = surveyWriter().toByteArray();

    QTest::newRow("not a dataset") << QByteArray("sesso;citta\n1;Roma\n") << notReadable;
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("Cannot read the file");
    QTest::newRow("cut in the value labels")
        << whole.left(whole.indexOf("Non risponde")) << notComplete;
}

void DatasetImportTest::refusedDatasetsLeaveThePanelUnchanged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString fileName = m_directory->filePath(QStringLiteral("refused.dta"));
    if (!bytes.isNull())
        QVERIFY(writeBytes(fileName, bytes));
    prepareWindowWithHandMadeContent();
    ModalAnswerer answerer;
    // The file dialog refuses a missing file itself; the import is asked for
    // it directly, as when the file vanished after being chosen.
    if (!bytes.isNull())
        answerFileDialog(answerer, [fileName](QFileDialog *dialog) {
            ModalAnswerer::typeFileName(dialog, fileName);
        });
    ShownBox shown;
    answerBox(answerer, QMessageBox::Ok, &shown);
    if (bytes.isNull())
        m_window->loadVariablesFromDataset(fileName);
    else
        m_window->findChild<QAction *>(QStringLiteral("loadVariablesAction"))->trigger();

    QCOMPARE(answerer.seen(), bytes.isNull() ? QStringList(QStringLiteral("QMessageBox"))
                                             : QStringList({QStringLiteral("QFileDialog"),
                                                            QStringLiteral("QMessageBox")}));
    QCOMPARE(shown.text, message);
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!shown.hasParent);
    QCOMPARE(describe(panel(*m_window)->variables()), describe(handMadeVariables()));
}

// One argument after the program's name is a dataset to import, in either
// kind of separator; any other number of arguments imports nothing, and an
// unreadable dataset is reported before the window opens empty.
// "DIR" stands for the working directory, which is made after the rows.
void DatasetImportTest::startWithArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("backslashes");
    QTest::addColumn<bool>("imported");
    QTest::addColumn<QString>("message");
    // clang-format off
    dataRow("relative path", QStringList{"quorin", "data/survey.dta"}, false, true, "");
    dataRow("absolute path", QStringList{"quorin", "DIR/data/survey.dta"}, false, true, "");
    dataRow("relative path with backslashes", QStringList{"quorin", "data/survey.dta"}, true, true, "");
    dataRow("absolute path with backslashes", QStringList{"quorin", "DIR/data/survey.dta"}, true, true, "");
    dataRow("none", QStringList(), false, false, "");
    dataRow("program only", QStringList{"quorin"}, false, false, "");
    dataRow("two datasets", QStringList{"quorin", "data/survey.dta", "data/survey.dta"}, false, false, "");
    dataRow("unreadable dataset", QStringList{"quorin", "notes.dta"}, false, false, notReadable);
    // clang-format on
}

void DatasetImportTest::startWithArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, backslashes);
    QFETCH(bool, imported);
    QFETCH(QString, message);
    for (QString &argument : arguments) {
        argument.replace(QStringLiteral("DIR"), m_directory->path());
        if (backslashes)
            argument.replace(QLatin1Char('/'), QLatin1Char('\\'));
    }
    QVERIFY(writeBytes(QStringLiteral("notes.dta"), "Not a dataset at all.\n"));
    ModalAnswerer answerer;
    ShownBox shown;
    answerBox(answerer, QMessageBox::Ok, &shown);
    MainWindow window(arguments);
    QCOMPARE(shown.text, message);
    QCOMPARE(describe(panel(window)->variables()), imported ? surveyDescription : QStringList());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

QTEST_MAIN(DatasetImportTest)
#include "DatasetImportTest.moc"
