#include "DtaWriter.h"
#include "ModalAnswerer.h"
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

namespace {

using Set = DtaWriter::ValueLabelSet;

DtaWriter surveyWriter()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("sesso"), QStringLiteral("Sesso"), DtaWriter::Byte,
                       QStringLiteral("sex"));
    writer.addVariable(QStringLiteral("citta"), QStringLiteral("Città"), 20);
    writer.addVariable(QStringLiteral("q1"), QStringLiteral("Soddisfatto?"), DtaWriter::Int,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q2"), QStringLiteral("Consiglierebbe?"), DtaWriter::Int,
                       QStringLiteral("yesno"));
    writer.addObservation({1, QStringLiteral("Roma"), 1, -9});
    writer.addValueLabelSet(Set{QStringLiteral("sex"),
                                {{1, QStringLiteral("Maschio")}, {2, QStringLiteral("Femmina")}}});
    writer.addValueLabelSet(Set{QStringLiteral("yesno"),
                                {{-9, QStringLiteral("Non risponde")},
                                 {1, QStringLiteral("Sì")},
                                 {2, QStringLiteral("No")}}});
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
    QStringLiteral("sesso | Sesso | 251"),
    QStringLiteral("    1 = Maschio"),
    QStringLiteral("    2 = Femmina"),
    QStringLiteral("citta | Città | 20"),
    QStringLiteral("q1 | Soddisfatto? | 252"),
    QStringLiteral("    -9 = Non risponde"),
    QStringLiteral("    1 = Sì"),
    QStringLiteral("    2 = No"),
    QStringLiteral("q2 | Consiglierebbe? | 252"),
    QStringLiteral("    -9 = Non risponde"),
    QStringLiteral("    1 = Sì"),
    QStringLiteral("    2 = No"),
};

// What a warning box showed, captured while it was open.
struct ShownBox
{
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool hasParent = true;
};

void answerWarning(ModalAnswerer &answerer, ShownBox &shown)
{
    answerer.enqueue([&shown](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box) {
            widget->close();
            return;
        }
        shown.text = box->text();
        shown.icon = box->icon();
        shown.buttons = box->standardButtons();
        shown.hasParent = box->parentWidget() != nullptr;
        box->button(QMessageBox::Ok)->click();
    });
}

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

QStringList rowTexts(const QTreeWidget *list)
{
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        rows.append(list->topLevelItem(row)->text(0) + QStringLiteral(" | ") +
                    list->topLevelItem(row)->text(1));
    return rows;
}

} // namespace

class DatasetImportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadActionImportsTheChosenDataset();
    void importedModalitiesShowWhenAVariableIsSelected();
    void cancelledDialogChangesNothing();
    void refusedDatasetsLeaveThePanelUnchanged_data();
    void refusedDatasetsLeaveThePanelUnchanged();
    void startWithOneArgumentImports_data();
    void startWithOneArgumentImports();
    void startWithAnotherNumberOfArgumentsImportsNothing_data();
    void startWithAnotherNumberOfArgumentsImportsNothing();
    void startWithAnUnreadableDatasetWarnsAndOpens();

private:
    VariablesWidget *panel(MainWindow &window) const;
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

VariablesWidget *DatasetImportTest::panel(MainWindow &window) const
{
    return window.findChild<VariablesWidget *>(QStringLiteral("variablesDockWidget"));
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
                 QStringLiteral("r(mean)"), T::Scalar, 1, 1)});
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
    QCOMPARE(
        rowTexts(variables->findChild<QTreeWidget *>(QStringLiteral("variableListWidget"))),
        QStringList({QStringLiteral("sesso | Sesso"), QStringLiteral("citta | Città"),
                     QStringLiteral("q1 | Soddisfatto?"), QStringLiteral("q2 | Consiglierebbe?")}));
    QVERIFY(variables->findChild<QTreeWidget *>(QStringLiteral("modalityListWidget"))
                ->topLevelItemCount() == 0);
    QCOMPARE(variables->statisticNames(), QStringList(QStringLiteral("mean")));
    QVERIFY(m_window->statisticCatalogue()->contains(QStringLiteral("mean")));
    // The imported variables are document content not saved yet.
    QVERIFY(m_window->isWindowModified());
}

void DatasetImportTest::importedModalitiesShowWhenAVariableIsSelected()
{
    prepareWindowWithHandMadeContent();
    m_window->loadVariablesFromDataset(m_survey);
    VariablesWidget *variables = panel(*m_window);
    auto *variableList = variables->findChild<QTreeWidget *>(QStringLiteral("variableListWidget"));
    auto *modalityList = variables->findChild<QTreeWidget *>(QStringLiteral("modalityListWidget"));

    QTreeWidgetItem *q2 = variableList->topLevelItem(3);
    QTest::mouseClick(variableList->viewport(), Qt::LeftButton, Qt::NoModifier,
                      variableList->visualItemRect(q2).center());
    QCOMPARE(rowTexts(modalityList),
             QStringList({QStringLiteral("-9 | Non risponde"), QStringLiteral("1 | Sì"),
                          QStringLiteral("2 | No")}));
    const Modality first = modalityList->topLevelItem(0)->data(0, Qt::UserRole).value<Modality>();
    QCOMPARE(first.varName(), QStringLiteral("q2"));
    QCOMPARE(first.varLabel(), QStringLiteral("Consiglierebbe?"));

    QTreeWidgetItem *citta = variableList->topLevelItem(1);
    QTest::mouseClick(variableList->viewport(), Qt::LeftButton, Qt::NoModifier,
                      variableList->visualItemRect(citta).center());
    QCOMPARE(modalityList->topLevelItemCount(), 0);
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

    DtaWriter release113 = surveyWriter();
    release113.setRelease(113);
    DtaWriter release115 = surveyWriter();
    release115.setRelease(115);
    DtaWriter::Sections at;
    const QByteArray whole = surveyWriter().toByteArray(&at);

    QTest::newRow("release 113") << release113.toByteArray()
                                 << QStringLiteral("Not format-114 dataset.");
    QTest::newRow("release 115") << release115.toByteArray()
                                 << QStringLiteral("Not format-114 dataset.");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("Cannot read the file");
    QTest::newRow("cut in the value labels")
        << whole.left(at.valueLabelTables.at(1) + 30)
        << QStringLiteral("The file is not a complete Stata dataset.");
    QTest::newRow("cut in the variable names")
        << whole.left(at.descriptors + 40)
        << QStringLiteral("The file is not a complete Stata dataset.");
}

void DatasetImportTest::refusedDatasetsLeaveThePanelUnchanged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString fileName = m_directory->filePath(QStringLiteral("refused.dta"));
    if (!bytes.isNull()) {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }
    prepareWindowWithHandMadeContent();
    ModalAnswerer answerer;
    // The file dialog refuses a missing file itself; the import is asked for
    // it directly, as when the file vanished after being chosen.
    if (!bytes.isNull())
        answerFileDialog(answerer, [fileName](QFileDialog *dialog) {
            ModalAnswerer::typeFileName(dialog, fileName);
        });
    ShownBox shown;
    answerWarning(answerer, shown);
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

void DatasetImportTest::startWithOneArgumentImports_data()
{
    QTest::addColumn<bool>("absolute");
    QTest::addColumn<bool>("backslashes");
    QTest::newRow("relative path") << false << false;
    QTest::newRow("absolute path") << true << false;
    QTest::newRow("relative path with backslashes") << false << true;
    QTest::newRow("absolute path with backslashes") << true << true;
}

void DatasetImportTest::startWithOneArgumentImports()
{
    QFETCH(bool, absolute);
    QFETCH(bool, backslashes);
    QString argument = absolute ? m_survey : QStringLiteral("data/survey.dta");
    if (backslashes)
        argument.replace(QLatin1Char('/'), QLatin1Char('\\'));
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok); // only if the import failed
    MainWindow window({QStringLiteral("quorin"), argument});
    QCOMPARE(answerer.seen(), QStringList());
    QCOMPARE(describe(panel(window)->variables()), surveyDescription);
}

void DatasetImportTest::startWithAnotherNumberOfArgumentsImportsNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("program only") << QStringList(QStringLiteral("quorin"));
    QTest::newRow("two datasets") << QStringList({QStringLiteral("quorin"),
                                                  QStringLiteral("data/survey.dta"),
                                                  QStringLiteral("data/survey.dta")});
}

void DatasetImportTest::startWithAnotherNumberOfArgumentsImportsNothing()
{
    QFETCH(QStringList, arguments);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok); // only if an import was tried
    MainWindow window(arguments);
    QCOMPARE(answerer.seen(), QStringList());
    QVERIFY(panel(window)->variables().isEmpty());
}

void DatasetImportTest::startWithAnUnreadableDatasetWarnsAndOpens()
{
    DtaWriter release113 = surveyWriter();
    release113.setRelease(113);
    QVERIFY(release113.writeFile(QStringLiteral("old.dta")));
    ModalAnswerer answerer;
    ShownBox shown;
    answerWarning(answerer, shown);
    MainWindow window({QStringLiteral("quorin"), QStringLiteral("old.dta")});
    QCOMPARE(shown.text, QStringLiteral("Not format-114 dataset."));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(panel(window)->variables().isEmpty());
}

QTEST_MAIN(DatasetImportTest)
#include "DatasetImportTest.moc"
