#include "DataRows.h"
#include "DialogControls.h"
#include "FileChooserAnswers.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/DocumentModel.h"
#include "stata/QuorinDialog.h"
#include "stata/SetOutputFileNameDialog.h"
#include "stata/SetStataDatasetForComputationDialog.h"
#include "stata/SetStataExecutableDialog.h"
#include "stata/StataPlatform.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// The three paths of a run. Each is set either in the run settings dialog,
// which asks for all of them, or in a dialog of its own.
enum class Path { Executable, Dataset, OutputFile };

std::unique_ptr<QDialog> makeDialog(bool runSettings, Path path, const QString &initial)
{
    if (runSettings)
        return std::make_unique<QuorinDialog>(initial, initial, initial, true, true);
    switch (path) {
    case Path::Executable:
        return std::make_unique<SetStataExecutableDialog>(initial);
    case Path::Dataset:
        return std::make_unique<SetStataDatasetForComputationDialog>(initial);
    case Path::OutputFile:
        return std::make_unique<SetOutputFileNameDialog>(initial);
    }
    return nullptr;
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

// The "..." button that opens the file chooser for the path.
QString chooserButton(bool runSettings, Path path)
{
    static const char *const runSettingsButtons[] = {
        "stataExecutableToolButton", "stataDatasetToolButton", "outputFileNameToolButton"};
    static const char *const singleButtons[] = {"fileDialogButton", "toolButton",
                                                "outputFileNameToolButton"};
    return QLatin1String((runSettings ? runSettingsButtons : singleButtons)[int(path)]);
}

void clickChooser(const QWidget *dialog, const QString &buttonName)
{
    QTest::mouseClick(namedChild<QToolButton>(dialog, buttonName), Qt::LeftButton);
}

QString writeFile(const QString &path, QFile::Permissions permissions = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("x");
    file.close();
    if (permissions)
        file.setPermissions(permissions);
    return path;
}

// A file that every platform takes as the Stata executable.
QString writeExecutable(const QString &directory)
{
    return writeFile(directory + QStringLiteral("/stata-mp.exe"),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString chooserStart()
{
    return QDir(StataPlatform::fileChooserStartDirectory()).absolutePath();
}

} // namespace

Q_DECLARE_METATYPE(Path)

class StataSettingsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void quorinDialogForm();
    void quorinDialogOk_data();
    void quorinDialogOk();
    void singleDialogForm_data();
    void singleDialogForm();
    void chooser_data();
    void chooser();
    void cancelledChooser_data();
    void cancelledChooser();
    void nonExecutableIsRefused_data();
    void nonExecutableIsRefused();
    void csvSuffix_data();
    void csvSuffix();
    void mainWindowPathActions_data();
    void mainWindowPathActions();

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
};

void StataSettingsDialogsTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
}

void StataSettingsDialogsTest::cleanup()
{
    delete m_directory;
}

void StataSettingsDialogsTest::quorinDialogForm()
{
    QuorinDialog dialog(QStringLiteral("stata.exe"), QStringLiteral("survey.dta"),
                        QStringLiteral("table.csv"), false, true);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quorin"));
    QCOMPARE(controlTexts(&dialog, {"stataExecutableLabel", "stataDatasetLabel", "fileNameLabel",
                                    "viewOutputCsvFileAfterComputationCheckBox",
                                    "showStataMessageCheckBox"}),
             (QStringList{"Stata executable", "Stata dataset", "Output file name",
                          "View output csv file after computation", "Show Stata message"}));
    QCOMPARE((QStringList{dialog.stataExecutableFileName(), dialog.stataDatasetFileName(),
                          dialog.outputFileName()}),
             (QStringList{"stata.exe", "survey.dta", "table.csv"}));
    QVERIFY(!dialog.viewOutputCsvFileAfterComputation());
    QVERIFY(dialog.showStataMessage());
}

// Ok is taken only with every path set; otherwise a box lists the missing.
void StataSettingsDialogsTest::quorinDialogOk_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("dataset");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("missing");
    dataRow("all set", "stata", "s.dta", "t.csv", "");
    dataRow("dataset", "stata", "", "t.csv", "- Stata dataset\n");
    dataRow("executable", "", "s.dta", "t.csv", "- Stata executable\n");
    dataRow("output", "stata", "s.dta", "", "- Output file name\n");
    dataRow("all", "", "", "", "- Stata executable\n- Stata dataset\n- Output file name\n");
    dataRow("executable and output", "", "s.dta", "", "- Stata executable\n- Output file name\n");
}

void StataSettingsDialogsTest::quorinDialogOk()
{
    QFETCH(QString, executable);
    QFETCH(QString, dataset);
    QFETCH(QString, output);
    QFETCH(QString, missing);
    QuorinDialog dialog(executable, dataset, output, true, true);
    dialog.show();
    ModalAnswerer answerer;
    QString text, informativeText;
    if (!missing.isEmpty())
        answerer.answerMessageBox(QMessageBox::Ok, &text, &informativeText);
    clickOk(&dialog);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(dialog.isVisible(), !missing.isEmpty());
    if (missing.isEmpty()) {
        QVERIFY(answerer.seen().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        return;
    }
    QCOMPARE(text, QStringLiteral("The following fields are missing:"));
    QCOMPARE(informativeText, missing);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void StataSettingsDialogsTest::singleDialogForm_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("lineEdit");
    dataRow("executable", Path::Executable, "Stata executable", "label", "lineEdit");
    dataRow("dataset", Path::Dataset, "Stata dataset for computation", "label", "lineEdit");
    dataRow("output", Path::OutputFile, "Output csv file name", "outputFileNameLabel",
            "outputFileNameLineEdit");
}

// The form, and Ok takes an empty field as it is.
void StataSettingsDialogsTest::singleDialogForm()
{
    QFETCH(Path, path);
    QFETCH(QString, title);
    const auto dialog = makeDialog(false, path, QStringLiteral("/data/current"));
    QCOMPARE(dialog->windowTitle(), title);
    QFETCH(QString, label);
    QCOMPARE(namedChild<QLabel>(dialog.get(), label)->text(), title);
    QFETCH(QString, lineEdit);
    QCOMPARE(namedChild<QLineEdit>(dialog.get(), lineEdit)->text(),
             QStringLiteral("/data/current"));

    const auto empty = makeDialog(false, path, QString());
    empty->show();
    clickOk(empty.get());
    QCOMPARE(empty->result(), int(QDialog::Accepted));
}

// Each chooser: its caption and filter, the folder it starts in, and what it
// makes of the chosen file (an output file gets ".csv").
void StataSettingsDialogsTest::chooser_data()
{
    QTest::addColumn<bool>("runSettings");
    QTest::addColumn<Path>("path");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("filter");
    const QString pattern = StataPlatform::executablePattern();
    for (const bool runSettings : {true, false}) {
        const char *dialog = runSettings ? "run settings" : "single";
        QTest::addRow("%s executable", dialog)
            << runSettings << Path::Executable << "stata-mp.exe"
            << "stata-mp.exe" << (runSettings ? "Set Stata executable" : "Set Stata Executable")
            << (runSettings ? QStringLiteral("Executable files (%1)").arg(pattern)
                            : QStringLiteral("Programs (%1)").arg(pattern));
        QTest::addRow("%s dataset", dialog) << runSettings << Path::Dataset << "survey.dta"
                                            << "survey.dta"
                                            << "Set Stata Dataset for computation"
                                            << "Stata data (*.dta)";
        QTest::addRow("%s output", dialog) << runSettings << Path::OutputFile << "table"
                                           << "table.csv"
                                           << "Set output csv file name"
                                           << "Comma Separated Values (*csv)";
    }
}

void StataSettingsDialogsTest::chooser()
{
    QFETCH(bool, runSettings);
    QFETCH(Path, path);
    QFETCH(QString, chosen);
    QFETCH(QString, taken);
    if (path == Path::Executable)
        writeExecutable(m_directory->path());
    else if (path == Path::Dataset)
        writeFile(m_directory->filePath(chosen));
    const auto dialog = makeDialog(runSettings, path, QStringLiteral("old"));
    dialog->show();
    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, m_directory->filePath(chosen), &seen);
    clickChooser(dialog.get(), chooserButton(runSettings, path));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(pathIn(dialog.get(), path), m_directory->filePath(taken));
    QTEST(seen.caption, "caption");
    QTEST(seen.filters.value(0), "filter");
    QCOMPARE(seen.filters.size(), 1);
    QCOMPARE(seen.directory, chooserStart());
    QCOMPARE(seen.acceptMode,
             path == Path::OutputFile ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
}

// A cancelled chooser keeps the field of the run settings but empties the
// field of a single dialog.
void StataSettingsDialogsTest::cancelledChooser_data()
{
    QTest::addColumn<bool>("runSettings");
    QTest::addColumn<Path>("path");
    for (const bool runSettings : {true, false}) {
        const char *dialog = runSettings ? "run settings" : "single";
        QTest::addRow("%s executable", dialog) << runSettings << Path::Executable;
        QTest::addRow("%s dataset", dialog) << runSettings << Path::Dataset;
        QTest::addRow("%s output", dialog) << runSettings << Path::OutputFile;
    }
}

void StataSettingsDialogsTest::cancelledChooser()
{
    QFETCH(bool, runSettings);
    QFETCH(Path, path);
    const auto dialog = makeDialog(runSettings, path, QStringLiteral("/data/current"));
    dialog->show();
    ModalAnswerer answerer;
    cancelFileChooser(answerer);
    clickChooser(dialog.get(), chooserButton(runSettings, path));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(pathIn(dialog.get(), path), runSettings ? QStringLiteral("/data/current") : QString());
}

// A data file picked by mistake as the executable, in either dialog that
// sets it, is refused with a message; the field keeps what it held.
void StataSettingsDialogsTest::nonExecutableIsRefused_data()
{
    QTest::addColumn<bool>("runSettings");
    dataRow("run settings", true);
    dataRow("single", false);
}

void StataSettingsDialogsTest::nonExecutableIsRefused()
{
    QFETCH(bool, runSettings);
    const QString dataset = writeFile(m_directory->filePath(QStringLiteral("survey.dta")),
                                      QFile::ReadOwner | QFile::WriteOwner);
    const auto dialog = makeDialog(runSettings, Path::Executable, QStringLiteral("stata"));
    dialog->show();
    ModalAnswerer answerer;
    QString text;
    chooseFile(answerer, dataset);
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    clickChooser(dialog.get(), chooserButton(runSettings, Path::Executable));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("The file %1 cannot be used as the Stata executable.")
                       .arg(QDir::toNativeSeparators(dataset)));
    QCOMPARE(pathIn(dialog.get(), Path::Executable), QStringLiteral("stata"));
}

void StataSettingsDialogsTest::csvSuffix_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("taken");
    dataRow("appended", "C:/tab", "C:/tab.csv");
    dataRow("kept", "C:/tab.csv", "C:/tab.csv");
    dataRow("upper case", "C:/tab.CSV", "C:/tab.CSV.csv");
    dataRow("other suffix", "/home/u/tab.txt", "/home/u/tab.txt.csv");
    dataRow("cancelled", "", "");
}

void StataSettingsDialogsTest::csvSuffix()
{
    QFETCH(QString, chosen);
    QTEST(SetOutputFileNameDialog::withCsvSuffix(chosen), "taken");
}

// Each path's command in the main window stores what its dialog took on
// Ok, and nothing on Cancel.
void StataSettingsDialogsTest::mainWindowPathActions_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("ok");
    for (const bool ok : {true, false}) {
        const char *answer = ok ? "ok" : "cancel";
        QTest::addRow("executable %s", answer)
            << Path::Executable << "setStataExecutableAction" << ok;
        QTest::addRow("dataset %s", answer)
            << Path::Dataset << "setStataDatasetForComputationAction" << ok;
        QTest::addRow("output %s", answer) << Path::OutputFile << "setOutputFileNameAction" << ok;
    }
}

void StataSettingsDialogsTest::mainWindowPathActions()
{
    QFETCH(Path, path);
    QFETCH(QString, action);
    QFETCH(bool, ok);
    const QString chosen = path == Path::Executable ? writeExecutable(m_directory->path())
                           : path == Path::Dataset
                               ? writeFile(m_directory->filePath(QStringLiteral("survey.dta")))
                               : m_directory->filePath(QStringLiteral("table"));
    const QString taken = path == Path::OutputFile ? chosen + QStringLiteral(".csv") : chosen;
    MainWindow window;
    window.setStataExecutableFileName(QStringLiteral("old"));
    window.document()->setStataDatasetFileName(QStringLiteral("old"));
    window.document()->setOutputFileName(QStringLiteral("old"));
    const auto stored = [&window, path] {
        return path == Path::Executable ? window.stataExecutableFileName()
               : path == Path::Dataset  ? window.document()->stataDatasetFileName()
                                        : window.document()->outputFileName();
    };
    ModalAnswerer answerer;
    QString initial, inField;
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        QVERIFY(dialog);
        QCOMPARE(dialog->parentWidget(), &window);
        initial = pathIn(dialog, path);
        // A timer does not fire inside its own handler, so the chooser opened
        // from here needs an answerer of its own.
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, chosen);
        clickChooser(dialog, chooserButton(false, path));
        QCOMPARE(chooserAnswerer.pending(), 0);
        inField = pathIn(dialog, path);
        clickButton(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
    });
    window.findChild<QAction *>(action)->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(initial, QStringLiteral("old"));
    QCOMPARE(inField, taken);
    QCOMPARE(stored(), ok ? taken : QStringLiteral("old"));
}

QTEST_MAIN(StataSettingsDialogsTest)
#include "StataSettingsDialogsTest.moc"
