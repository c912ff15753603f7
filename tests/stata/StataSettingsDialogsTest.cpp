#include "FileChooserAnswers.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "stata/QuorinDialog.h"
#include "stata/SetOutputFileNameDialog.h"
#include "stata/SetStataDatasetForComputationDialog.h"
#include "stata/SetStataExecutableDialog.h"
#include "stata/StataPlatform.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

enum class SingleDialog { Executable, Dataset, OutputFile };

std::unique_ptr<SinglePathDialog> makeSingleDialog(SingleDialog kind, const QString &path)
{
    switch (kind) {
    case SingleDialog::Executable:
        return std::make_unique<SetStataExecutableDialog>(path);
    case SingleDialog::Dataset:
        return std::make_unique<SetStataDatasetForComputationDialog>(path);
    case SingleDialog::OutputFile:
        return std::make_unique<SetOutputFileNameDialog>(path);
    }
    return nullptr;
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

void clickOk(QDialog *dialog)
{
    dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
        ->button(QDialogButtonBox::Ok)
        ->click();
}

template <typename Widget = QLineEdit>
Widget *child(QWidget *parent, const char *name)
{
    return parent->findChild<Widget *>(QString::fromLatin1(name));
}

} // namespace

Q_DECLARE_METATYPE(SingleDialog)

class StataSettingsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void quorinDialogForm();
    void quorinDialogAcceptsWhenAllPathsAreSet();
    void missingFieldsAreListed_data();
    void missingFieldsAreListed();
    void quorinDialogChoosers();
    void quorinDialogCancelledChoosersKeepFields();
    void quorinDialogRefusesNonExecutable();
    void singleDialogForm_data();
    void singleDialogForm();
    void singleDialogCancelledChooserEmptiesField_data();
    void singleDialogCancelledChooserEmptiesField();
    void csvSuffix_data();
    void csvSuffix();
    void outputChooserAppendsCsv_data();
    void outputChooserAppendsCsv();
    void datasetChooserTakesFile();
    void singleExecutableDialogRefusesNonExecutable();
#ifdef Q_OS_WIN
    void upperCaseExeIsTaken();
#endif
    void mainWindowStoresAcceptedExecutable();
    void mainWindowCancelChangesNothing();

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
    QCOMPARE(dialog.size(), QSize(400, 237));
    QCOMPARE(child<QLabel>(&dialog, "stataExecutableLabel")->text(),
             QStringLiteral("Stata executable"));
    QCOMPARE(child<QLabel>(&dialog, "stataDatasetLabel")->text(), QStringLiteral("Stata dataset"));
    QCOMPARE(child<QLabel>(&dialog, "fileNameLabel")->text(), QStringLiteral("Output file name"));
    for (const char *name :
         {"stataExecutableLineEdit", "stataDatasetLineEdit", "outputFileNameLineEdit"})
        QVERIFY2(child(&dialog, name)->isReadOnly(), name);
    for (const char *name :
         {"stataExecutableToolButton", "stataDatasetToolButton", "outputFileNameToolButton"})
        QCOMPARE(child<QToolButton>(&dialog, name)->text(), QStringLiteral("..."));
    QCOMPARE(child<QCheckBox>(&dialog, "viewOutputCsvFileAfterComputationCheckBox")->text(),
             QStringLiteral("View output csv file after computation"));
    QCOMPARE(child<QCheckBox>(&dialog, "showStataMessageCheckBox")->text(),
             QStringLiteral("Show Stata message"));

    QCOMPARE(child(&dialog, "stataExecutableLineEdit")->text(), QStringLiteral("stata.exe"));
    QCOMPARE(dialog.stataExecutableFileName(), QStringLiteral("stata.exe"));
    QCOMPARE(dialog.stataDatasetFileName(), QStringLiteral("survey.dta"));
    QCOMPARE(dialog.outputFileName(), QStringLiteral("table.csv"));
    QVERIFY(!dialog.viewOutputCsvFileAfterComputation());
    QVERIFY(dialog.showStataMessage());

    QTest::mouseClick(child<QCheckBox>(&dialog, "viewOutputCsvFileAfterComputationCheckBox"),
                      Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(&dialog, "showStataMessageCheckBox"), Qt::LeftButton);
    QVERIFY(dialog.viewOutputCsvFileAfterComputation());
    QVERIFY(!dialog.showStataMessage());
}

void StataSettingsDialogsTest::quorinDialogAcceptsWhenAllPathsAreSet()
{
    QuorinDialog dialog(QStringLiteral("stata"), QStringLiteral("survey.dta"),
                        QStringLiteral("table.csv"), true, true);
    dialog.show();
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void StataSettingsDialogsTest::missingFieldsAreListed_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("dataset");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("missing");
    QTest::newRow("dataset") << "stata"
                             << ""
                             << "t.csv"
                             << "- Stata dataset\n";
    QTest::newRow("executable") << ""
                                << "s.dta"
                                << "t.csv"
                                << "- Stata executable\n";
    QTest::newRow("output") << "stata"
                            << "s.dta"
                            << ""
                            << "- Output file name\n";
    QTest::newRow("all") << ""
                         << ""
                         << ""
                         << "- Stata executable\n- Stata dataset\n- Output file name\n";
    QTest::newRow("executable and output") << ""
                                           << "s.dta"
                                           << ""
                                           << "- Stata executable\n- Output file name\n";
}

void StataSettingsDialogsTest::missingFieldsAreListed()
{
    QFETCH(QString, executable);
    QFETCH(QString, dataset);
    QFETCH(QString, output);
    QFETCH(QString, missing);
    QuorinDialog dialog(executable, dataset, output, true, true);
    dialog.show();

    ModalAnswerer answerer;
    QString text, informativeText, title;
    QMessageBox::Icon icon = QMessageBox::Warning;
    answerer.enqueue([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        text = box->text();
        informativeText = box->informativeText();
        title = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    clickOk(&dialog);

    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("The following fields are missing:"));
    QCOMPARE(informativeText, missing);
    QVERIFY(title.isEmpty());
    QCOMPARE(icon, QMessageBox::NoIcon);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void StataSettingsDialogsTest::quorinDialogChoosers()
{
    const QString executable = writeExecutable(m_directory->path());
    const QString dataset = writeFile(m_directory->filePath(QStringLiteral("survey.dta")));
    QuorinDialog dialog(QString(), QString(), QString(), true, false);
    dialog.show();

    ModalAnswerer answerer;
    FileChooserSeen executableSeen, datasetSeen, outputSeen;
    chooseFile(answerer, executable, &executableSeen);
    chooseFile(answerer, dataset, &datasetSeen);
    chooseFile(answerer, m_directory->filePath(QStringLiteral("table")), &outputSeen);
    QTest::mouseClick(child<QToolButton>(&dialog, "stataExecutableToolButton"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(&dialog, "stataDatasetToolButton"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(&dialog, "outputFileNameToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);

    QCOMPARE(dialog.stataExecutableFileName(), executable);
    QCOMPARE(dialog.stataDatasetFileName(), dataset);
    QCOMPARE(dialog.outputFileName(), m_directory->filePath(QStringLiteral("table.csv")));

    const QString start = QDir(StataPlatform::fileChooserStartDirectory()).absolutePath();
    QCOMPARE(executableSeen.caption, QStringLiteral("Set Stata executable"));
    QCOMPARE(executableSeen.filters,
             QStringList(
                 QStringLiteral("Executable files (%1)").arg(StataPlatform::executablePattern())));
    QCOMPARE(executableSeen.directory, start);
    QCOMPARE(executableSeen.acceptMode, QFileDialog::AcceptOpen);
    QCOMPARE(datasetSeen.caption, QStringLiteral("Set Stata Dataset for computation"));
    QCOMPARE(datasetSeen.filters, QStringList(QStringLiteral("Stata data (*.dta)")));
    QCOMPARE(datasetSeen.directory, start);
    QCOMPARE(outputSeen.caption, QStringLiteral("Set output csv file name"));
    QCOMPARE(outputSeen.filters, QStringList(QStringLiteral("Comma Separated Values (*csv)")));
    QCOMPARE(outputSeen.directory, start);
    QCOMPARE(outputSeen.acceptMode, QFileDialog::AcceptSave);

    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void StataSettingsDialogsTest::quorinDialogCancelledChoosersKeepFields()
{
    QuorinDialog dialog(QStringLiteral("stata"), QStringLiteral("s.dta"), QStringLiteral("t.csv"),
                        true, true);
    dialog.show();
    ModalAnswerer answerer;
    for (int i = 0; i < 3; ++i)
        cancelFileChooser(answerer);
    QTest::mouseClick(child<QToolButton>(&dialog, "stataExecutableToolButton"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(&dialog, "stataDatasetToolButton"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(&dialog, "outputFileNameToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(dialog.stataExecutableFileName(), QStringLiteral("stata"));
    QCOMPARE(dialog.stataDatasetFileName(), QStringLiteral("s.dta"));
    QCOMPARE(dialog.outputFileName(), QStringLiteral("t.csv"));
}

// A data file picked by mistake is refused with a message; the field keeps
// the executable it held.
void StataSettingsDialogsTest::quorinDialogRefusesNonExecutable()
{
    const QString dataset = writeFile(m_directory->filePath(QStringLiteral("survey.dta")),
                                      QFile::ReadOwner | QFile::WriteOwner);
    QuorinDialog dialog(QStringLiteral("stata"), QString(), QString(), true, true);
    dialog.show();
    ModalAnswerer answerer;
    QString text;
    chooseFile(answerer, dataset);
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    QTest::mouseClick(child<QToolButton>(&dialog, "stataExecutableToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("The file %1 cannot be used as the Stata executable.")
                       .arg(QDir::toNativeSeparators(dataset)));
    QCOMPARE(dialog.stataExecutableFileName(), QStringLiteral("stata"));
}

void StataSettingsDialogsTest::singleDialogForm_data()
{
    QTest::addColumn<SingleDialog>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("executable") << SingleDialog::Executable << "Stata executable" << QSize(448, 91)
                                << QStringList{"label", "lineEdit", "fileDialogButton"};
    QTest::newRow("dataset") << SingleDialog::Dataset << "Stata dataset for computation"
                             << QSize(512, 91) << QStringList{"label", "lineEdit", "toolButton"};
    QTest::newRow("output") << SingleDialog::OutputFile << "Output csv file name" << QSize(400, 91)
                            << QStringList{"outputFileNameLabel", "outputFileNameLineEdit",
                                           "outputFileNameToolButton"};
}

void StataSettingsDialogsTest::singleDialogForm()
{
    QFETCH(SingleDialog, kind);
    QFETCH(QString, title);
    QFETCH(QSize, size);
    QFETCH(QStringList, names);
    const auto dialog = makeSingleDialog(kind, QStringLiteral("/data/current"));
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->size(), size);
    QCOMPARE(dialog->findChild<QLabel *>(names.at(0))->text(), title);
    const QLineEdit *lineEdit = dialog->findChild<QLineEdit *>(names.at(1));
    QVERIFY(lineEdit->isReadOnly());
    QCOMPARE(lineEdit->text(), QStringLiteral("/data/current"));
    QCOMPARE(dialog->path(), QStringLiteral("/data/current"));
    QCOMPARE(dialog->findChild<QToolButton *>(names.at(2))->text(), QStringLiteral("..."));
    const auto *buttonBox = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QCOMPARE(buttonBox->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    // The single dialogs take an empty field as it is.
    const auto empty = makeSingleDialog(kind, QString());
    empty->show();
    clickOk(empty.get());
    QCOMPARE(empty->result(), int(QDialog::Accepted));
}

void StataSettingsDialogsTest::singleDialogCancelledChooserEmptiesField_data()
{
    QTest::addColumn<SingleDialog>("kind");
    QTest::addColumn<QString>("button");
    QTest::newRow("executable") << SingleDialog::Executable << "fileDialogButton";
    QTest::newRow("dataset") << SingleDialog::Dataset << "toolButton";
    QTest::newRow("output") << SingleDialog::OutputFile << "outputFileNameToolButton";
}

void StataSettingsDialogsTest::singleDialogCancelledChooserEmptiesField()
{
    QFETCH(SingleDialog, kind);
    QFETCH(QString, button);
    const auto dialog = makeSingleDialog(kind, QStringLiteral("/data/current"));
    dialog->show();
    ModalAnswerer answerer;
    cancelFileChooser(answerer);
    QTest::mouseClick(dialog->findChild<QToolButton *>(button), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(dialog->path(), QString());
    clickOk(dialog.get());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->path(), QString());
}

void StataSettingsDialogsTest::csvSuffix_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("taken");
    QTest::newRow("appended") << "C:/tab"
                              << "C:/tab.csv";
    QTest::newRow("kept") << "C:/tab.csv"
                          << "C:/tab.csv";
    QTest::newRow("upper case") << "C:/tab.CSV"
                                << "C:/tab.CSV.csv";
    QTest::newRow("other suffix") << "/home/u/tab.txt"
                                  << "/home/u/tab.txt.csv";
    QTest::newRow("cancelled") << ""
                               << "";
}

void StataSettingsDialogsTest::csvSuffix()
{
    QFETCH(QString, chosen);
    QFETCH(QString, taken);
    QCOMPARE(SetOutputFileNameDialog::withCsvSuffix(chosen), taken);
}

void StataSettingsDialogsTest::outputChooserAppendsCsv_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("taken");
    QTest::newRow("appended") << "tab"
                              << "tab.csv";
    QTest::newRow("kept") << "tab.csv"
                          << "tab.csv";
    QTest::newRow("upper case") << "tab.CSV"
                                << "tab.CSV.csv";
}

void StataSettingsDialogsTest::outputChooserAppendsCsv()
{
    QFETCH(QString, chosen);
    QFETCH(QString, taken);
    SetOutputFileNameDialog dialog{QString()};
    dialog.show();
    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, m_directory->filePath(chosen), &seen);
    QTest::mouseClick(child<QToolButton>(&dialog, "outputFileNameToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(dialog.outputFileName(), m_directory->filePath(taken));
    QCOMPARE(seen.caption, QStringLiteral("Set output csv file name"));
    QCOMPARE(seen.filters, QStringList(QStringLiteral("Comma Separated Values (*csv)")));
    QCOMPARE(seen.directory, QDir(StataPlatform::fileChooserStartDirectory()).absolutePath());
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
}

void StataSettingsDialogsTest::datasetChooserTakesFile()
{
    const QString dataset = writeFile(m_directory->filePath(QStringLiteral("survey.dta")));
    SetStataDatasetForComputationDialog dialog(QStringLiteral("old.dta"));
    dialog.show();
    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, dataset, &seen);
    QTest::mouseClick(child<QToolButton>(&dialog, "toolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(dialog.stataDatasetFileName(), dataset);
    QCOMPARE(seen.caption, QStringLiteral("Set Stata Dataset for computation"));
    QCOMPARE(seen.filters, QStringList(QStringLiteral("Stata data (*.dta)")));
    QCOMPARE(seen.directory, QDir(StataPlatform::fileChooserStartDirectory()).absolutePath());
}

void StataSettingsDialogsTest::singleExecutableDialogRefusesNonExecutable()
{
    const QString executable = writeExecutable(m_directory->path());
    const QString dataset = writeFile(m_directory->filePath(QStringLiteral("survey.dta")),
                                      QFile::ReadOwner | QFile::WriteOwner);
    SetStataExecutableDialog dialog{QString()};
    dialog.show();
    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, executable, &seen);
    chooseFile(answerer, dataset);
    answerer.answerMessageBox(QMessageBox::Ok);
    const auto button = child<QToolButton>(&dialog, "fileDialogButton");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(dialog.stataExecutableFileName(), executable);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(dialog.stataExecutableFileName(), executable);
    QCOMPARE(seen.caption, QStringLiteral("Set Stata Executable"));
    QCOMPARE(seen.filters,
             QStringList(QStringLiteral("Programs (%1)").arg(StataPlatform::executablePattern())));
    QCOMPARE(seen.directory, QDir(StataPlatform::fileChooserStartDirectory()).absolutePath());
}

#ifdef Q_OS_WIN
// Windows names are case-insensitive: "STATA.EXE" is a program too.
void StataSettingsDialogsTest::upperCaseExeIsTaken()
{
    const QString upper = writeFile(m_directory->filePath(QStringLiteral("STATA.EXE")));
    QuorinDialog dialog(QStringLiteral("C:/Stata/stata.exe"), QString(), QString(), true, true);
    dialog.show();
    ModalAnswerer answerer;
    chooseFile(answerer, upper);
    QTest::mouseClick(child<QToolButton>(&dialog, "stataExecutableToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(dialog.stataExecutableFileName(), upper);
}
#endif

void StataSettingsDialogsTest::mainWindowStoresAcceptedExecutable()
{
    const QString executable = writeExecutable(m_directory->path());
    MainWindow window;
    window.setStataExecutableFileName(QStringLiteral("old"));
    ModalAnswerer answerer;
    QString initial;
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<SetStataExecutableDialog *>(widget);
        QVERIFY(dialog);
        QCOMPARE(dialog->parentWidget(), &window);
        initial = dialog->stataExecutableFileName();
        // A timer does not fire inside its own handler, so the chooser opened
        // from here needs an answerer of its own.
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, executable);
        QTest::mouseClick(child<QToolButton>(dialog, "fileDialogButton"), Qt::LeftButton);
        QCOMPARE(chooserAnswerer.pending(), 0);
        clickOk(dialog);
    });
    window.findChild<QAction *>(QStringLiteral("setStataExecutableAction"))->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(initial, QStringLiteral("old"));
    QCOMPARE(window.stataExecutableFileName(), executable);
}

void StataSettingsDialogsTest::mainWindowCancelChangesNothing()
{
    const QString executable = writeExecutable(m_directory->path());
    MainWindow window;
    window.setStataExecutableFileName(QStringLiteral("old"));
    ModalAnswerer answerer;
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        QVERIFY(dialog);
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, executable);
        QTest::mouseClick(child<QToolButton>(dialog, "fileDialogButton"), Qt::LeftButton);
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->text(), executable);
        dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Cancel)
            ->click();
    });
    window.findChild<QAction *>(QStringLiteral("setStataExecutableAction"))->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(window.stataExecutableFileName(), QStringLiteral("old"));
}

QTEST_MAIN(StataSettingsDialogsTest)
#include "StataSettingsDialogsTest.moc"
