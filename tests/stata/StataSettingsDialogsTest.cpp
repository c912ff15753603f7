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
#include <QLineEdit>
#include <QTemporaryDir>
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

// Where the choosers start, and what they show as programs.
#ifdef Q_OS_WIN
const QString chooserStart = QStringLiteral("C:/"), executablePattern = QStringLiteral("*.exe");
#else
const QString chooserStart = QDir::homePath(), executablePattern = QStringLiteral("*");
#endif

} // namespace

Q_DECLARE_METATYPE(Path)

class StataSettingsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_directory = new TemporaryWorkingDirectory; }
    void cleanup() { delete m_directory; }

    // Ok is taken only with every path set; otherwise a box lists the missing.
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
        for (const bool runSettings : {true, false}) {
            const char *dialog = runSettings ? "run settings" : "single";
            QTest::addRow("%s executable", dialog)
                << runSettings << Path::Executable << "stata-mp.exe"
                << "stata-mp.exe"
                << (runSettings ? QStringLiteral("Executable files (%1)").arg(executablePattern)
                                : QStringLiteral("Programs (%1)").arg(executablePattern))
                << (runSettings ? "Quorin" : "Stata executable");
            QTest::addRow("%s dataset", dialog)
                << runSettings << Path::Dataset << "survey.dta"
                << "survey.dta"
                << "Stata data (*.dta)"
                << (runSettings ? "Quorin" : "Stata dataset for computation");
            QTest::addRow("%s output", dialog) << runSettings << Path::OutputFile << "table"
                                               << "table.csv"
                                               << "Comma Separated Values (*csv)"
                                               << (runSettings ? "Quorin" : "Output csv file name");
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
    void nonExecutableIsRefused_data()
    {
        QTest::addColumn<bool>("runSettings");
        dataRow("run settings", true);
        dataRow("single", false);
    }
    void nonExecutableIsRefused()
    {
        QFETCH(bool, runSettings);
        const QString dataset =
            writeFile(m_directory->filePath("survey.dta"), QFile::ReadOwner | QFile::WriteOwner);
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

    // Each path's command in the main window stores what its dialog took on
    // Ok, and nothing on Cancel.
    void mainWindowPathActions_data()
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
            QTest::addRow("output %s", answer)
                << Path::OutputFile << "setOutputFileNameAction" << ok;
        }
    }
    void mainWindowPathActions()
    {
        QFETCH(Path, path);
        QFETCH(QString, action);
        QFETCH(bool, ok);
        MainWindow window;
        window.setStataExecutableFileName("old");
        window.document()->setStataDatasetFileName("old");
        window.document()->setOutputFileName("old");
        const auto stored = [&window, path] {
            return path == Path::Executable ? window.stataExecutableFileName()
                   : path == Path::Dataset  ? window.document()->stataDatasetFileName()
                                            : window.document()->outputFileName();
        };
        ModalAnswerer answerer;
        QStringList inField;
        answerer.enqueue([&](QWidget *widget) {
            auto *dialog = qobject_cast<QDialog *>(widget);
            QVERIFY(dialog && dialog->parentWidget() == &window);
            inField << pathIn(dialog, path);
            dialog->findChild<QLineEdit *>()->setText("/data/new");
            clickButton(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });
        window.findChild<QAction *>(action)->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(inField, QStringList("old"));
        QCOMPARE(stored(), ok ? "/data/new" : "old");
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
#ifdef Q_OS_WIN
            QVERIFY2(StataPlatform::isExecutableChoice(path) == programs.contains(path),
                     qPrintable(path));
#endif
        }
    }
    // What may be chosen as the Stata executable.
    void executableChoice()
    {
        QVERIFY(!StataPlatform::isExecutableChoice(QString()));
#ifndef Q_OS_WIN
        QTemporaryDir directory;
        const QString path = directory.filePath("stata-se");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(!StataPlatform::isExecutableChoice(path));
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(StataPlatform::isExecutableChoice(path));
        // A directory is executable (searchable) but is no program.
        QVERIFY(!StataPlatform::isExecutableChoice(directory.path()));
        QVERIFY(!StataPlatform::isExecutableChoice(directory.filePath("missing")));
#endif
    }

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
};

QTEST_MAIN(StataSettingsDialogsTest)
#include "StataSettingsDialogsTest.moc"
