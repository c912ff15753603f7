#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "app/NewFileDialog.h"
#include "panel/EditStatisticDialog.h"
#include "table/InsertRowsColumnsDialog.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace DocumentTestSupport;

namespace {

QToolButton *button(MainWindow &window, const char *objectName)
{
    return window.findChild<QToolButton *>(QString::fromLatin1(objectName));
}

QTreeWidget *panelList(MainWindow &window, const char *objectName)
{
    return panel(window)->findChild<QTreeWidget *>(QString::fromLatin1(objectName));
}

// Makes a variable current, and one of its modalities when one is given.
void choose(MainWindow &window, int variable, int modality = -1)
{
    QTreeWidget *variables = panelList(window, "variableListWidget");
    variables->setCurrentItem(variables->topLevelItem(variable));
    QTreeWidget *modalities = panelList(window, "modalityListWidget");
    if (modality >= 0)
        modalities->setCurrentItem(modalities->topLevelItem(modality));
}

TableWidget *grid(MainWindow &window, int row, int column)
{
    window.tableWidget()->setCurrentCell(row, column);
    return window.tableWidget();
}

void fillAreaDialog(ModalAnswerer &answerer)
{
    answerer.enqueue([](QWidget *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("nameLineEdit"))->setText("centro");
        dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"))->setText("x==3");
        static_cast<QDialog *>(dialog)->accept();
    });
}

void editFirstAreaCondition(ModalAnswerer &answerer)
{
    answerer.enqueue([](QWidget *dialog) {
        dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"))->setCurrentRow(0);
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit")),
                         QStringLiteral(" & eta>17"));
        dialog->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
    });
}

using Change = std::function<void(MainWindow &, ModalAnswerer &)>;

// One change of each kind a document keeps, made as the user makes it where
// that is simple. The window holds fillWithFullDocument's document.
const QMap<QString, Change> &documentChanges()
{
    using W = MainWindow;
    using A = ModalAnswerer;
    static const QMap<QString, Change> changes = {
        {"text of a cell",
         [](W &w, A &) { GridFixture::at(w.tableWidget(), 2, 2).setSimpleText("new"); }},
        {"cell emptied with Delete",
         [](W &w, A &) { QTest::keyClick(grid(w, 0, 0), Qt::Key_Delete); }},
        {"statistic placed",
         [](W &w, A &) {
             grid(w, 2, 2)->setStatisticInSelectedCells(Statistic{"eta", "Età", "mean", ""});
         }},
        {"micro-condition added",
         [](W &w, A &) {
             GridFixture::at(w.tableWidget(), 0, 1)
                 .addMicroCondition(term("2", "Femmina", "sesso", "Sesso"));
         }},
        {"area of a cell", [](W &w, A &) { grid(w, 2, 0)->setAreaForCurrentSelection("sud"); }},
        {"display format",
         [](W &w, A &) { grid(w, 1, 1)->setFormatInSelectedStatisticsCells("%5.1f"); }},
        {"row inserted",
         [](W &w, A &a) {
             a.answerDialog<InsertRowsColumnsDialog>(nullptr);
             grid(w, 0, 0)->onInsertRowsDown();
         }},
        {"column removed", [](W &w, A &) { grid(w, 0, 3)->removeColumnsOfSelectedCells(); }},
        {"grid cleared",
         [](W &w, A &a) {
             answerBox(a, QMessageBox::Yes);
             action(w, "clearAllAction")->trigger();
         }},
        {"row height", [](W &w, A &) { w.tableWidget()->verticalHeader()->resizeSection(1, 61); }},
        {"column width",
         [](W &w, A &) { w.tableWidget()->horizontalHeader()->resizeSection(1, 133); }},
        {"variable added",
         [](W &w, A &) { w.document()->addVariable(Variable("peso", "Peso", 254)); }},
        {"variable deleted",
         [](W &w, A &a) {
             choose(w, 1);
             answerBox(a, QMessageBox::Yes);
             button(w, "deleteVariableButton")->click();
         }},
        {"variable moved",
         [](W &w, A &) {
             choose(w, 0);
             button(w, "downVariableButton")->click();
         }},
        {"modality deleted",
         [](W &w, A &a) {
             choose(w, 0, 1);
             answerBox(a, QMessageBox::Yes);
             button(w, "deleteModalityButton")->click();
         }},
        {"modality moved",
         [](W &w, A &) {
             choose(w, 2, 0);
             button(w, "downModalityButton")->click();
         }},
        {"statistic removed",
         [](W &w, A &a) {
             answerBox(a, QMessageBox::Yes);
             button(w, "removeStatisticToolButton")->click();
         }},
        {"statistic edited",
         [](W &w, A &a) {
             a.answerDialog<EditStatisticDialog>([](EditStatisticDialog *d) {
                 d->findChild<QRadioButton *>("macroRadioButton")->click();
             });
             button(w, "editStatisticToolButton")->click();
         }},
        {"area added",
         [](W &w, A &a) {
             fillAreaDialog(a);
             button(w, "addAreaToolButton")->click();
         }},
        {"area removed",
         [](W &w, A &) {
             auto *box = w.findChild<QComboBox *>(QStringLiteral("areaComboBox"));
             box->setCurrentIndex(box->findText(QStringLiteral("vuota")));
             button(w, "removeAreaToolButton")->click();
         }},
        {"area condition edited",
         [](W &w, A &a) {
             editFirstAreaCondition(a);
             button(w, "areaManagementToolButton")->click();
         }},
        {"dataset file name",
         [](W &w, A &) { w.document()->setStataDatasetFileName("other.dta"); }},
        {"output file name", [](W &w, A &) { w.document()->setOutputFileName("other.csv"); }},
    };
    return changes;
}

} // namespace

class DocumentCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newFileDialogRange();
    void titleAfterNewSaveAndOpen();
    void newEmptiesTheGridAndThePanelOnly();
    void recentFiles();
    void maybeSaveAnswers_data();
    void maybeSaveAnswers();
    void maybeSaveYesOnAnUntitledDocumentAsksForAName();
    void clearAllKeepsTheShapeAndThePanel_data();
    void clearAllKeepsTheShapeAndThePanel();
    void cancellingNewOrSaveAsChangesNothing();
    void newLargestTableThenClearAll();
    void unwritableTargetKeepsTheOldFile();
    void fileTooLargeForTheDiskKeepsTheOldFile();
    void editsMarkTheDocumentModified_data();
    void editsMarkTheDocumentModified();
    void changesOfLookOnlyDoNotMarkTheDocumentModified();
    void importStatistics();

private:
    MainWindow *newWindow();
    // A window holding the full document, saved as "saved.xml", unmodified.
    MainWindow *savedWindow(ModalAnswerer &answerer);
    QString path(const QString &name) const { return m_directory->filePath(name); }
    void verifyStillSaved(MainWindow &window, bool modified);

    TemporaryWorkingDirectory *m_directory = nullptr;
    QList<MainWindow *> m_windows;
};

void DocumentCommandsTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
}

void DocumentCommandsTest::cleanup()
{
    qDeleteAll(m_windows);
    m_windows.clear();
    delete m_directory;
}

MainWindow *DocumentCommandsTest::newWindow()
{
    m_windows.append(new MainWindow);
    return m_windows.last();
}

MainWindow *DocumentCommandsTest::savedWindow(ModalAnswerer &answerer)
{
    MainWindow *window = newWindow();
    fillWithFullDocument(*window);
    saveAs(*window, answerer, path(QStringLiteral("saved.xml")));
    return window;
}

// The window still names "saved.xml", whatever was tried on it.
void DocumentCommandsTest::verifyStillSaved(MainWindow &window, bool modified)
{
    QCOMPARE(window.currentFileName(), path(QStringLiteral("saved.xml")));
    QCOMPARE(window.windowTitle(), QStringLiteral("saved.xml[*] - Quorin"));
    QCOMPARE(window.isWindowModified(), modified);
}

void DocumentCommandsTest::newFileDialogRange()
{
    NewFileDialog dialog;
    for (const char *name : {"nRowSpinBox", "nColSpinBox"}) {
        auto *spinBox = dialog.findChild<QSpinBox *>(QString::fromLatin1(name));
        QCOMPARE(spinBox->minimum(), 1);
        QCOMPARE(spinBox->maximum(), 999);
        QCOMPARE(spinBox->value(), 1);
        spinBox->setValue(name[1] == 'R' ? 12 : 7);
    }
    QCOMPARE(dialog.numberOfRows(), 12);
    QCOMPARE(dialog.numberOfColumns(), 7);
}

void DocumentCommandsTest::titleAfterNewSaveAndOpen()
{
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    QCOMPARE(window->windowTitle(), QStringLiteral("Quorin"));
    newTable(*window, answerer, 3, 2);
    QCOMPARE(window->windowTitle(), QStringLiteral("Untitled[*] - Quorin"));
    QVERIFY(!window->isWindowModified());

    const QString file = path(QStringLiteral("tabella.xml"));
    GridFixture::at(window->tableWidget(), 0, 0).setSimpleText(QStringLiteral("x"));
    QVERIFY(window->isWindowModified());
    saveAs(*window, answerer, file);
    QCOMPARE(window->windowTitle(), QStringLiteral("tabella.xml[*] - Quorin"));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->currentFileName(), file);

    newTable(*window, answerer, 1, 1);
    QCOMPARE(window->windowTitle(), QStringLiteral("Untitled[*] - Quorin"));
    QVERIFY(window->currentFileName().isEmpty());
    QCOMPARE(window->recentFiles(), QStringList(file));

    open(*window, answerer, file);
    QCOMPARE(window->windowTitle(), QStringLiteral("tabella.xml[*] - Quorin"));
    QCOMPARE(GridFixture::at(window->tableWidget(), 0, 0).content().simpleText(),
             QStringLiteral("x"));
    QVERIFY(answerer.unexpected().isEmpty());

    saveAs(*window, answerer, path(QStringLiteral("R&D.xml")));
    QCOMPARE(action(*window, "recentFileAction0")->text(), QStringLiteral("&1 R&&D.xml"));
    QCOMPARE(window->windowTitle(), QStringLiteral("R&D.xml[*] - Quorin"));
}

// New leaves the areas and the run's file names where they were.
void DocumentCommandsTest::newEmptiesTheGridAndThePanelOnly()
{
    MainWindow *window = newWindow();
    fillWithFullDocument(*window);
    ModalAnswerer answerer;
    answerBox(answerer, QMessageBox::No);
    newTable(*window, answerer, 4, 6);
    QVERIFY(answerer.unexpected().isEmpty());
    TableWidget *table = window->tableWidget();
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(table->columnCount(), 6);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 6; ++column)
            QCOMPARE(GridFixture::at(table, row, column).content().dataType(),
                     CellContent::Kind::Void);
    }
    QCOMPARE(table->rowHeight(0), table->verticalHeader()->defaultSectionSize());
    QVERIFY(panel(*window)->variables().isEmpty());
    QVERIFY(panel(*window)->statisticNames().isEmpty());
    QVERIFY(window->statisticCatalogue()->isEmpty());
    QCOMPARE(panelList(*window, "modalityListWidget")->topLevelItemCount(), 0);
    QCOMPARE(window->areas()->count(), 3);
    QCOMPARE(window->document()->stataDatasetFileName(),
             QStringLiteral("/home/ana/dati & c/indagine 2024.dta"));
    QCOMPARE(window->document()->outputFileName(),
             QStringLiteral("C:\\Users\\ana\\tabella <finale>.csv"));
}
// Seven recent files are kept and five shown, the last opened or saved
// first; files that vanished leave at the next change of the current file.
void DocumentCommandsTest::recentFiles()
{
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    QStringList saved;
    for (int i = 1; i <= 7; ++i) {
        saved.prepend(path(QStringLiteral("file%1.xml").arg(i)));
        saveAs(*window, answerer, saved.first());
    }
    QCOMPARE(window->recentFiles(), saved);
    for (int i = 0; i < MainWindow::maximumRecentFiles; ++i) {
        QAction *entry = window->findChild<QAction *>(QStringLiteral("recentFileAction%1").arg(i));
        QVERIFY(entry->isVisible());
        QCOMPARE(entry->text(), QStringLiteral("&%1 file%2.xml").arg(i + 1).arg(7 - i));
        QCOMPARE(entry->data().toString(), saved.at(i));
    }
    QVERIFY(action(*window, "recentFilesSeparator")->isVisible());

    open(*window, answerer, saved.at(6));
    saved.move(6, 0);
    QCOMPARE(window->recentFiles(), saved);
    // The third entry, through the File menu.
    action(*window, "recentFileAction2")->trigger();
    QCOMPARE(window->currentFileName(), path(QStringLiteral("file6.xml")));
    saved.move(2, 0);
    QCOMPARE(window->recentFiles(), saved);
    QCOMPARE(action(*window, "recentFileAction0")->text(), QStringLiteral("&1 file6.xml"));
    QVERIFY(answerer.unexpected().isEmpty());

    for (int i = 1; i <= 7; ++i) {
        if (i != 3 && i != 5)
            QVERIFY(QFile::remove(path(QStringLiteral("file%1.xml").arg(i))));
    }
    QVERIFY(action(*window, "recentFileAction3")->isVisible());
    saveAs(*window, answerer, path(QStringLiteral("e.xml")));
    QCOMPARE(window->recentFiles(),
             QStringList({path("e.xml"), path("file5.xml"), path("file3.xml")}));
    QCOMPARE(action(*window, "recentFileAction1")->text(), QStringLiteral("&2 file5.xml"));
    QVERIFY(!action(*window, "recentFileAction3")->isVisible());
    // All of them go to the settings.
    QVERIFY(window->close());
    QSettings settings(path(QStringLiteral("settings.ini")), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("General/recentFiles")).toStringList(),
             window->recentFiles());

    // Once every file vanished, the separator goes with the entries.
    for (const char *name : {"e.xml", "file5.xml", "file3.xml"})
        QVERIFY(QFile::remove(path(QString::fromLatin1(name))));
    MainWindow *next = newWindow();
    QVERIFY(next->recentFiles().isEmpty());
    QVERIFY(!action(*next, "recentFileAction0")->isVisible());
    QVERIFY(!action(*next, "recentFilesSeparator")->isVisible());
}

void DocumentCommandsTest::maybeSaveAnswers_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("saved");
    for (const char *command : {"close", "new", "open", "open recent"}) {
        QTest::addRow("%s, Yes", command) << command << int(QMessageBox::Yes) << true << true;
        QTest::addRow("%s, No", command) << command << int(QMessageBox::No) << true << false;
        QTest::addRow("%s, Cancel", command)
            << command << int(QMessageBox::Cancel) << false << false;
    }
}

void DocumentCommandsTest::maybeSaveAnswers()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    QFETCH(bool, saved);
    ModalAnswerer answerer;
    const QString other = path(QStringLiteral("other.xml"));
    QVERIFY(QFile::copy(dataPath(QStringLiteral("small.xml")), other));
    MainWindow *window = newWindow();
    open(*window, answerer, other);
    fillWithFullDocument(*window);
    saveAs(*window, answerer, path(QStringLiteral("saved.xml")));
    GridFixture::at(window->tableWidget(), 2, 2).setSimpleText(QStringLiteral("unsaved"));

    ShownBox shown;
    answerBox(answerer, QMessageBox::StandardButton(answer), &shown);
    const bool closing = command == QLatin1String("close");
    bool closed = false;
    if (closing) {
        closed = window->close();
    } else if (command == QLatin1String("new")) {
        if (goesOn)
            answerNewFileDialog(answerer, 2, 2);
        action(*window, "newFileAction")->trigger();
    } else if (command == QLatin1String("open")) {
        if (goesOn)
            chooseFile(answerer, other);
        action(*window, "openAction")->trigger();
    } else {
        QCOMPARE(action(*window, "recentFileAction1")->data().toString(), other);
        action(*window, "recentFileAction1")->trigger();
    }

    QCOMPARE(answerer.pending(), 0);
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(shown.title, QStringLiteral("Quorin"));
    QCOMPARE(shown.text,
             QStringLiteral("The document has been modified.\nDo you want to save your changes?"));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(shown.defaultButton, QMessageBox::Yes);
    QCOMPARE(shown.escapeButton, QMessageBox::Cancel);

    QCOMPARE(fileBytes(path(QStringLiteral("saved.xml"))).contains("unsaved"), saved);
    QCOMPARE(QFile::exists(path(QStringLiteral("settings.ini"))), closing && goesOn);
    if (closing)
        QCOMPARE(closed, goesOn);
    const bool documentKept = window->tableWidget()->rowCount() == 3 &&
                              GridFixture::at(window->tableWidget(), 2, 2).content().simpleText() ==
                                  QLatin1String("unsaved");
    QCOMPARE(documentKept, closing || !goesOn);
    QCOMPARE(window->isWindowModified(), !goesOn || (closing && !saved));
}

void DocumentCommandsTest::maybeSaveYesOnAnUntitledDocumentAsksForAName()
{
    MainWindow *window = newWindow();
    fillWithFullDocument(*window);
    ModalAnswerer answerer;
    const QString file = path(QStringLiteral("named.xml"));
    answerBox(answerer, QMessageBox::Yes);
    chooseFile(answerer, file);
    QVERIFY(window->close());
    QVERIFY(answerer.unexpected().isEmpty());
    QVERIFY(fileBytes(file).contains("Maschio"));

    // A name refused (the dialog cancelled) stops the close.
    MainWindow *second = newWindow();
    fillWithFullDocument(*second);
    answerBox(answerer, QMessageBox::Yes);
    cancelFileChooser(answerer);
    QVERIFY(!second->close());
    QVERIFY(second->isWindowModified());
}

void DocumentCommandsTest::clearAllKeepsTheShapeAndThePanel_data()
{
    QTest::addColumn<int>("answer");
    QTest::addRow("Yes") << int(QMessageBox::Yes);
    QTest::addRow("No") << int(QMessageBox::No);
}

void DocumentCommandsTest::clearAllKeepsTheShapeAndThePanel()
{
    QFETCH(int, answer);
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    const QStringList before = describeDocument(*window);

    ShownBox shown;
    answerBox(answerer, QMessageBox::StandardButton(answer), &shown);
    action(*window, "clearAllAction")->trigger();
    QCOMPARE(shown.title, QStringLiteral("Quorin"));
    QCOMPARE(shown.text, QStringLiteral("Are you sure you want to clear the quorin?"));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No);

    // The grid on screen is no longer the one in the file.
    verifyStillSaved(*window, answer == QMessageBox::Yes);
    if (answer == QMessageBox::No) {
        QCOMPARE(describeDocument(*window), before);
        return;
    }
    // The cells are emptied; their number, the catalogue, the variables and
    // the areas stay (the sizes go back to the defaults).
    QStringList expected = before;
    QStringList after = describeDocument(*window);
    for (QStringList *lines : {&expected, &after}) {
        lines->removeIf([](const QString &line) {
            return line.startsWith(QLatin1String("rows ")) ||
                   line.startsWith(QLatin1String("columns "));
        });
    }
    for (QString &line : expected) {
        if (line.startsWith(QLatin1String("cell ")))
            line =
                line.section(QLatin1Char(' '), 0, 1) + QLatin1Char(' ') + describe(CellContent());
    }
    QCOMPARE(after, expected);
    QCOMPARE(window->tableWidget()->rowCount(), 3);
    QCOMPARE(window->tableWidget()->columnCount(), 4);
    QVERIFY(GridFixture::at(window->tableWidget(), 0, 0).text().isEmpty());
}

void DocumentCommandsTest::cancellingNewOrSaveAsChangesNothing()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    const QStringList before = describeDocument(*window);
    answerNewFileDialog(answerer, 5, 5, false);
    action(*window, "newFileAction")->trigger();
    QCOMPARE(answerer.seen().last(), QStringLiteral("NewFileDialog"));
    QCOMPARE(describeDocument(*window), before);
    verifyStillSaved(*window, false);

    GridFixture::at(window->tableWidget(), 2, 2).setSimpleText(QStringLiteral("unsaved"));
    const QStringList files = QDir(m_directory->path()).entryList(QDir::Files);
    cancelFileChooser(answerer);
    bool written = true;
    QVERIFY(QMetaObject::invokeMethod(window, "saveAs", Q_RETURN_ARG(bool, written)));
    QVERIFY(!written);
    verifyStillSaved(*window, true);
    QCOMPARE(QDir(m_directory->path()).entryList(QDir::Files), files);
    QVERIFY(!fileBytes(path(QStringLiteral("saved.xml"))).contains("unsaved"));
}

// The whole range through the window: New 999 x 999, a cell at the far
// corner, then Clear all.
void DocumentCommandsTest::newLargestTableThenClearAll()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    newTable(*window, answerer, 999, 999);
    TableWidget *table = window->tableWidget();
    QCOMPARE(table->rowCount(), 999);
    QCOMPARE(table->columnCount(), 999);
    GridFixture::at(table, 998, 998).setSimpleText(QStringLiteral("corner"));
    QVERIFY(window->isWindowModified());
    answerBox(answerer, QMessageBox::Yes);
    action(*window, "clearAllAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(table->rowCount(), 999);
    QCOMPARE(table->columnCount(), 999);
    QCOMPARE(GridFixture::at(table, 998, 998).content().dataType(), CellContent::Kind::Void);
}

// Saving to a place that cannot take the file: the user hears why, and the
// document keeps its name, its marker and its old file.
void DocumentCommandsTest::unwritableTargetKeepsTheOldFile()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    const QByteArray old = fileBytes(path(QStringLiteral("saved.xml")));
    GridFixture::at(window->tableWidget(), 2, 2).setSimpleText(QStringLiteral("unsaved"));

    const QString target = path(QStringLiteral("missing/folder/target.xml"));
    ShownBox shown;
    chooseFile(answerer, target);
    answerBox(answerer, QMessageBox::Ok, &shown);
    action(*window, "saveAsAction")->trigger();

    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(shown.title, QStringLiteral("Quorin"));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QVERIFY2(shown.text.startsWith(
                 QStringLiteral("Cannot write file %1:\n").arg(QDir::toNativeSeparators(target))),
             qPrintable(shown.text));
    QVERIFY(shown.text.endsWith(QLatin1Char('.')));
    QVERIFY(shown.text.size() > QStringLiteral("Cannot write file %1:\n.").arg(target).size());
    QVERIFY(!QFile::exists(target));
    QCOMPARE(fileBytes(path(QStringLiteral("saved.xml"))), old);
    verifyStillSaved(*window, true);
    QCOMPARE(window->recentFiles(), QStringList(path(QStringLiteral("saved.xml"))));
}

// A disk that fills up in the middle of a save, made here with the limit on
// the size of files a process may write.
void DocumentCommandsTest::fileTooLargeForTheDiskKeepsTheOldFile()
{
#ifdef Q_OS_UNIX
    ModalAnswerer answerer;
    MainWindow *window = newWindow();
    window->tableWidget()->newTable(1, 1);
    const QString file = path(QStringLiteral("grows.xml"));
    saveAs(*window, answerer, file);
    const QByteArray old = fileBytes(file);
    fillWithFullDocument(*window);
    GridFixture::at(window->tableWidget(), 2, 0).setSimpleText(QString(200000, QLatin1Char('x')));

    struct rlimit previous;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    struct rlimit small = previous;
    small.rlim_cur = 64 * 1024;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    ShownBox shown;
    answerBox(answerer, QMessageBox::Ok, &shown);
    bool written = true;
    QMetaObject::invokeMethod(window, "save", Q_RETURN_ARG(bool, written));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QVERIFY2(shown.text.startsWith(
                 QStringLiteral("Cannot write file %1:\n").arg(QDir::toNativeSeparators(file))),
             qPrintable(shown.text));
    QCOMPARE(fileBytes(file), old);
    QVERIFY(window->isWindowModified());
    // No half-written copy is left beside it.
    QCOMPARE(QDir(m_directory->path()).entryList(QDir::Files),
             QStringList(QStringLiteral("grows.xml")));
#else
    QSKIP("The file size limit of a process is a Unix facility.");
#endif
}

void DocumentCommandsTest::editsMarkTheDocumentModified_data()
{
    QTest::addColumn<QString>("change");
    for (const QString &name : documentChanges().keys())
        QTest::newRow(qPrintable(name)) << name;
}

void DocumentCommandsTest::editsMarkTheDocumentModified()
{
    QFETCH(QString, change);
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    const QStringList before = describeDocument(*window);

    documentChanges().value(change)(*window, answerer);

    QCOMPARE(answerer.pending(), 0);
    QVERIFY(answerer.unexpected().isEmpty());
    QVERIFY2(describeDocument(*window) != before, "the change changed nothing");
    QVERIFY(window->isWindowModified());
    // Saving clears the mark again.
    action(*window, "saveAction")->trigger();
    QVERIFY(!window->isWindowModified());
}

// The format views, the selection, looking through the areas and showing the
// window change what the user sees, not what the file holds.
void DocumentCommandsTest::changesOfLookOnlyDoNotMarkTheDocumentModified()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();

    TableWidget *table = window->tableWidget();
    table->selectAll();
    table->setStatisticFormatViewOnlyStatisticVariableLabel();
    table->setConditionFormatViewVariableLabelEqualModalityValueLabel();
    QCOMPARE(GridFixture::at(table, 1, 1).text(), QStringLiteral("Età in anni"));
    table->setCurrentCell(2, 3);
    choose(*window, 2);
    QCOMPARE(panelList(*window, "modalityListWidget")->topLevelItemCount(), 3);
    answerer.enqueue([](QWidget *dialog) {
        dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"))->setCurrentRow(1);
        dialog->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
    });
    button(*window, "areaManagementToolButton")->click();
    QCOMPARE(answerer.seen().last(), QStringLiteral("AreaManagementDialog"));
    window->resize(700, 500);
    QCoreApplication::processEvents();
    QVERIFY(!window->isWindowModified());
}
// File > "Import statistics..." with the shipped library into a document
// whose "mean" is its own adds the others after the document's and says so;
// a file of another kind is refused and changes nothing.
void DocumentCommandsTest::importStatistics()
{
    MainWindow *window = newWindow();
    const Command ownMean("mean", "mean #var #if", "e(b)", Command::ResultType::Matrix, 1, 1);
    window->document()->setStatistics(
        {Command("ratio", "ratio #var #if", "r(r)", Command::ResultType::Scalar, 1, 1), ownMean});
    window->setWindowModified(false);
    ModalAnswerer answerer;
    FileChooserSeen chooser;
    ShownBox shown;
    chooseFile(answerer, dataPath(QStringLiteral("NotQuorinRoot.xml")), &chooser);
    answerBox(answerer, QMessageBox::Ok, &shown);
    action(*window, "importStatisticsAction")->trigger();
    QCOMPARE(chooser.caption, QStringLiteral("Import statistics"));
    QCOMPARE(chooser.filters, QStringList(QStringLiteral("Quorin files (*.xml)")));
    QCOMPARE(shown.text, QStringLiteral("This is not a quorin file."));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(panel(*window)->statisticNames(), QStringList({"ratio", "mean"}));
    QVERIFY(!window->isWindowModified());

    chooseFile(answerer, QStringLiteral(QUORIN_SOURCE_DIR "/examples/statistics.xml"));
    answerBox(answerer, QMessageBox::Ok, &shown);
    action(*window, "importStatisticsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(panel(*window)->statisticNames(),
             QStringList({"ratio", "mean", "count", "observations", "sd", "min", "max", "sum",
                          "median", "p25", "p75"}));
    QCOMPARE(window->statisticCatalogue()->size(), 11);
    QCOMPARE(window->statisticCatalogue()->value("mean").format(), ownMean.format());
    QCOMPARE(shown.text, QStringLiteral("Statistics added: 9.\nSkipped, because this document has "
                                        "a statistic of the same name, which was kept as it "
                                        "is:\nmean"));
    QVERIFY(window->isWindowModified());
    QVERIFY(window->currentFileName().isEmpty());

    // The import is one step: Undo takes back every statistic it added.
    QAction *undo = action(*window, "undoAction");
    QCOMPARE(undo->text(), QStringLiteral("Undo Import statistics"));
    undo->trigger();
    QCOMPARE(panel(*window)->statisticNames(), QStringList({"ratio", "mean"}));
    QCOMPARE(window->statisticCatalogue()->size(), 2);
}

QTEST_MAIN(DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
