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
#include <QLabel>
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

QToolButton *panelButton(MainWindow &window, const char *objectName)
{
    return panel(window)->findChild<QToolButton *>(QString::fromLatin1(objectName));
}

QToolButton *toolBarButton(MainWindow &window, const char *objectName)
{
    return window.findChild<QToolBar *>(QStringLiteral("genericToolBar"))
        ->findChild<QToolButton *>(QString::fromLatin1(objectName));
}

QTreeWidget *panelList(MainWindow &window, const char *objectName)
{
    return panel(window)->findChild<QTreeWidget *>(QString::fromLatin1(objectName));
}

void selectCell(TableWidget *table, int row, int column)
{
    table->setCurrentCell(row, column);
}

using Change = std::function<void(MainWindow &, ModalAnswerer &)>;

// One change of each kind a document keeps, made as the user makes it where
// that is simple. The window holds fillWithFullDocument's document.
const QMap<QString, Change> &documentChanges()
{
    static const QMap<QString, Change> changes = {
        {"text of a cell",
         [](MainWindow &window, ModalAnswerer &) {
             GridFixture::at(window.tableWidget(), 2, 2).setSimpleText(QStringLiteral("new"));
         }},
        {"cell emptied with Delete",
         [](MainWindow &window, ModalAnswerer &) {
             selectCell(window.tableWidget(), 0, 0);
             QTest::keyClick(window.tableWidget(), Qt::Key_Delete);
         }},
        {"statistic placed",
         [](MainWindow &window, ModalAnswerer &) {
             selectCell(window.tableWidget(), 2, 2);
             window.tableWidget()->setStatisticInSelectedCells(Statistic{"eta", "Età", "mean", ""});
         }},
        {"micro-condition added",
         [](MainWindow &window, ModalAnswerer &) {
             GridFixture::at(window.tableWidget(), 0, 1)
                 .addMicroCondition(term("2", "Femmina", "sesso", "Sesso"));
         }},
        {"area of a cell",
         [](MainWindow &window, ModalAnswerer &) {
             selectCell(window.tableWidget(), 2, 0);
             window.tableWidget()->setAreaForCurrentSelection(QStringLiteral("sud"));
         }},
        {"display format",
         [](MainWindow &window, ModalAnswerer &) {
             selectCell(window.tableWidget(), 1, 1);
             window.tableWidget()->setFormatInSelectedStatisticsCells(QStringLiteral("%5.1f"));
         }},
        {"row inserted",
         [](MainWindow &window, ModalAnswerer &answerer) {
             selectCell(window.tableWidget(), 0, 0);
             answerer.answerDialog<InsertRowsColumnsDialog>(nullptr);
             window.tableWidget()->onInsertRowsDown();
         }},
        {"column removed",
         [](MainWindow &window, ModalAnswerer &) {
             selectCell(window.tableWidget(), 0, 3);
             window.tableWidget()->removeColumnsOfSelectedCells();
         }},
        {"grid cleared",
         [](MainWindow &window, ModalAnswerer &answerer) {
             answerBox(answerer, QMessageBox::Yes);
             action(window, "clearAllAction")->trigger();
         }},
        {"row height",
         [](MainWindow &window, ModalAnswerer &) {
             window.tableWidget()->verticalHeader()->resizeSection(1, 61);
         }},
        {"column width",
         [](MainWindow &window, ModalAnswerer &) {
             window.tableWidget()->horizontalHeader()->resizeSection(1, 133);
         }},
        {"variable added",
         [](MainWindow &window, ModalAnswerer &) {
             window.document()->addVariable(Variable("peso", "Peso", 254));
         }},
        {"variable deleted",
         [](MainWindow &window, ModalAnswerer &answerer) {
             QTreeWidget *list = panelList(window, "variableListWidget");
             list->setCurrentItem(list->topLevelItem(1));
             answerBox(answerer, QMessageBox::Yes);
             panelButton(window, "deleteVariableButton")->click();
         }},
        {"variable moved",
         [](MainWindow &window, ModalAnswerer &) {
             QTreeWidget *list = panelList(window, "variableListWidget");
             list->setCurrentItem(list->topLevelItem(0));
             panelButton(window, "downVariableButton")->click();
         }},
        {"modality deleted",
         [](MainWindow &window, ModalAnswerer &answerer) {
             QTreeWidget *variables = panelList(window, "variableListWidget");
             variables->setCurrentItem(variables->topLevelItem(0));
             QTreeWidget *modalities = panelList(window, "modalityListWidget");
             modalities->setCurrentItem(modalities->topLevelItem(1));
             answerBox(answerer, QMessageBox::Yes);
             panelButton(window, "deleteModalityButton")->click();
         }},
        {"modality moved",
         [](MainWindow &window, ModalAnswerer &) {
             QTreeWidget *variables = panelList(window, "variableListWidget");
             variables->setCurrentItem(variables->topLevelItem(2));
             QTreeWidget *modalities = panelList(window, "modalityListWidget");
             modalities->setCurrentItem(modalities->topLevelItem(0));
             panelButton(window, "downModalityButton")->click();
         }},
        {"statistic removed",
         [](MainWindow &window, ModalAnswerer &answerer) {
             answerBox(answerer, QMessageBox::Yes);
             panelButton(window, "removeStatisticToolButton")->click();
         }},
        {"statistic edited",
         [](MainWindow &window, ModalAnswerer &answerer) {
             answerer.answerDialog<EditStatisticDialog>([](EditStatisticDialog *dialog) {
                 dialog->findChild<QRadioButton *>(QStringLiteral("macroRadioButton"))->click();
             });
             panelButton(window, "editStatisticToolButton")->click();
         }},
        {"area added",
         [](MainWindow &window, ModalAnswerer &answerer) {
             answerer.enqueue([](QWidget *dialog) {
                 dialog->findChild<QLineEdit *>(QStringLiteral("nameLineEdit"))
                     ->setText(QStringLiteral("centro"));
                 dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"))
                     ->setText(QStringLiteral("ripartizione==3"));
                 static_cast<QDialog *>(dialog)->accept();
             });
             toolBarButton(window, "addAreaToolButton")->click();
         }},
        {"area removed",
         [](MainWindow &window, ModalAnswerer &) {
             auto *box = window.findChild<QComboBox *>(QStringLiteral("areaComboBox"));
             box->setCurrentIndex(box->findText(QStringLiteral("vuota")));
             toolBarButton(window, "removeAreaToolButton")->click();
         }},
        {"area condition edited",
         [](MainWindow &window, ModalAnswerer &answerer) {
             answerer.enqueue([](QWidget *dialog) {
                 dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"))
                     ->setCurrentRow(0);
                 QTest::keyClicks(
                     dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit")),
                     QStringLiteral(" & eta>17"));
                 dialog->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
             });
             toolBarButton(window, "areaManagementToolButton")->click();
         }},
        {"dataset file name",
         [](MainWindow &window, ModalAnswerer &) {
             window.document()->setStataDatasetFileName(QStringLiteral("other.dta"));
         }},
        {"output file name",
         [](MainWindow &window, ModalAnswerer &) {
             window.document()->setOutputFileName(QStringLiteral("other.csv"));
         }},
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
    void newFileDialogForm();
    void titleAfterNewSaveAndOpen();
    void newEmptiesTheGridAndThePanelOnly();
    void recentFilesKeepSevenAndShowFive();
    void reopeningMovesAFileToTheFront();
    void vanishedRecentFilesArePruned();
    void recentEntryShowsAnAmpersand();
    void maybeSaveAnswers_data();
    void maybeSaveAnswers();
    void maybeSaveYesOnAnUntitledDocumentAsksForAName();
    void clearAllKeepsTheShapeAndThePanel_data();
    void clearAllKeepsTheShapeAndThePanel();
    void cancellingNewChangesNothing();
    void cancellingSaveAsChangesNothing();
    void newLargestTableThenClearAll();
    void unwritableTargetKeepsTheOldFile();
    void fileTooLargeForTheDiskKeepsTheOldFile();
    void editsMarkTheDocumentModified_data();
    void editsMarkTheDocumentModified();
    void areaManagementWithoutChangeKeepsTheDocumentUnmodified();
    void changesOfLookOnlyDoNotMarkTheDocumentModified();

private:
    MainWindow *newWindow();
    // A window holding the full document, saved as "saved.xml", unmodified.
    MainWindow *savedWindow(ModalAnswerer &answerer);
    QString path(const QString &name) const { return m_directory->filePath(name); }

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

void DocumentCommandsTest::newFileDialogForm()
{
    NewFileDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(dialog.minimumSize(), QSize(200, 107));
    QCOMPARE(dialog.maximumSize(), QSize(200, 107));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(),
             QStringLiteral("Number of rows:"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_2"))->text(),
             QStringLiteral("Number of columns:"));
    for (const char *name : {"nRowSpinBox", "nColSpinBox"}) {
        auto *spinBox = dialog.findChild<QSpinBox *>(QString::fromLatin1(name));
        QVERIFY(spinBox);
        QCOMPARE(spinBox->minimum(), 1);
        QCOMPARE(spinBox->maximum(), 999);
        QCOMPARE(spinBox->value(), 1);
    }
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("okButton"))->text(),
             QStringLiteral("OK"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton"))->text(),
             QStringLiteral("Cancel"));
    dialog.findChild<QSpinBox *>(QStringLiteral("nRowSpinBox"))->setValue(12);
    dialog.findChild<QSpinBox *>(QStringLiteral("nColSpinBox"))->setValue(7);
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
    QAction *first = action(*window, "recentFileAction0");
    QVERIFY(first->isVisible());
    QCOMPARE(first->text(), QStringLiteral("&1 tabella.xml"));
    QCOMPARE(first->data().toString(), file);

    newTable(*window, answerer, 1, 1);
    QCOMPARE(window->windowTitle(), QStringLiteral("Untitled[*] - Quorin"));
    QVERIFY(window->currentFileName().isEmpty());
    QCOMPARE(window->recentFiles(), QStringList(file));
    QVERIFY(first->isVisible());

    open(*window, answerer, file);
    QCOMPARE(window->windowTitle(), QStringLiteral("tabella.xml[*] - Quorin"));
    QCOMPARE(GridFixture::at(window->tableWidget(), 0, 0).content().simpleText(),
             QStringLiteral("x"));
    QVERIFY(answerer.unexpected().isEmpty());
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
            QCOMPARE(GridFixture::at(table, row, column).content().dataType(), T::Void);
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

void DocumentCommandsTest::recentFilesKeepSevenAndShowFive()
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

    // All seven go to the settings.
    QVERIFY(window->close());
    QSettings settings(path(QStringLiteral("settings.ini")), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("General/recentFiles")).toStringList(), saved);
}

void DocumentCommandsTest::reopeningMovesAFileToTheFront()
{
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    const QString first = path(QStringLiteral("first.xml"));
    const QString second = path(QStringLiteral("second.xml"));
    const QString third = path(QStringLiteral("third.xml"));
    for (const QString &file : {first, second, third})
        saveAs(*window, answerer, file);
    QCOMPARE(window->recentFiles(), QStringList({third, second, first}));

    open(*window, answerer, first);
    QCOMPARE(window->recentFiles(), QStringList({first, third, second}));

    // The third entry, through the File menu.
    QAction *entry = action(*window, "recentFileAction2");
    QCOMPARE(entry->text(), QStringLiteral("&3 second.xml"));
    entry->trigger();
    QCOMPARE(window->currentFileName(), second);
    QCOMPARE(window->recentFiles(), QStringList({second, first, third}));
    QCOMPARE(action(*window, "recentFileAction0")->text(), QStringLiteral("&1 second.xml"));
    QVERIFY(!action(*window, "recentFileAction3")->isVisible());
    QVERIFY(answerer.unexpected().isEmpty());
}

void DocumentCommandsTest::vanishedRecentFilesArePruned()
{
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    const QStringList names = {"a.xml", "b.xml", "c.xml", "d.xml"};
    for (const QString &name : names)
        saveAs(*window, answerer, path(name));
    QVERIFY(QFile::remove(path(QStringLiteral("b.xml"))));
    QVERIFY(QFile::remove(path(QStringLiteral("d.xml"))));
    // The entries are refreshed at the next change of the current file.
    QVERIFY(action(*window, "recentFileAction3")->isVisible());
    newTable(*window, answerer, 1, 1);
    saveAs(*window, answerer, path(QStringLiteral("e.xml")));
    QCOMPARE(window->recentFiles(), QStringList({path("e.xml"), path("c.xml"), path("a.xml")}));
    QCOMPARE(action(*window, "recentFileAction1")->text(), QStringLiteral("&2 c.xml"));
    QVERIFY(!action(*window, "recentFileAction3")->isVisible());

    // Once every file vanished, the separator goes with the entries.
    for (const char *name : {"a.xml", "c.xml", "e.xml"})
        QVERIFY(QFile::remove(path(QString::fromLatin1(name))));
    QVERIFY(window->close());
    MainWindow *next = newWindow();
    QVERIFY(next->recentFiles().isEmpty());
    QVERIFY(!action(*next, "recentFileAction0")->isVisible());
    QVERIFY(!action(*next, "recentFilesSeparator")->isVisible());
}

void DocumentCommandsTest::recentEntryShowsAnAmpersand()
{
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    saveAs(*window, answerer, path(QStringLiteral("R&D.xml")));
    QCOMPARE(action(*window, "recentFileAction0")->text(), QStringLiteral("&1 R&&D.xml"));
    QCOMPARE(window->windowTitle(), QStringLiteral("R&D.xml[*] - Quorin"));
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
    QVERIFY(window->isWindowModified());

    ShownBox shown;
    answerBox(answerer, QMessageBox::StandardButton(answer), &shown);
    bool closed = false;
    if (command == QLatin1String("close")) {
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
    const bool settingsWritten = QFile::exists(path(QStringLiteral("settings.ini")));
    QCOMPARE(settingsWritten, command == QLatin1String("close") && goesOn);
    if (command == QLatin1String("close"))
        QCOMPARE(closed, goesOn);
    const bool documentKept = window->tableWidget()->rowCount() == 3 &&
                              GridFixture::at(window->tableWidget(), 2, 2).content().simpleText() ==
                                  QLatin1String("unsaved");
    if (command == QLatin1String("close"))
        QVERIFY(documentKept);
    else
        QCOMPARE(documentKept, !goesOn);
    QCOMPARE(window->isWindowModified(), !goesOn || (command == QLatin1String("close") && !saved));
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
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    fillWithFullDocument(*window);
    window->tableWidget()->newTable(10, 4);
    GridFixture::at(window->tableWidget(), 9, 3).setSimpleText(QStringLiteral("corner"));
    GridFixture::at(window->tableWidget(), 0, 0)
        .setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    GridFixture::at(window->tableWidget(), 0, 0).setArea(QStringLiteral("sud"));
    saveAs(*window, answerer, path(QStringLiteral("clear.xml")));
    const QStringList before = describeDocument(*window);

    ShownBox shown;
    answerBox(answerer, QMessageBox::StandardButton(answer), &shown);
    action(*window, "clearAllAction")->trigger();
    QCOMPARE(shown.title, QStringLiteral("Quorin"));
    QCOMPARE(shown.text, QStringLiteral("Are you sure you want to clear the quorin?"));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No);

    TableWidget *table = window->tableWidget();
    QCOMPARE(table->rowCount(), 10);
    QCOMPARE(table->columnCount(), 4);
    if (answer == QMessageBox::No) {
        QCOMPARE(describeDocument(*window), before);
        QVERIFY(!window->isWindowModified());
        return;
    }
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 4; ++column) {
            QCOMPARE(GridFixture::at(table, row, column).content().dataType(), T::Void);
            QVERIFY(GridFixture::at(table, row, column).content().area().isEmpty());
            QVERIFY(GridFixture::at(table, row, column).text().isEmpty());
        }
    }
    QCOMPARE(panel(*window)->statisticNames().size(), 5);
    QCOMPARE(panel(*window)->variables().size(), 3);
    QCOMPARE(window->areas()->count(), 3);
    QCOMPARE(window->currentFileName(), path(QStringLiteral("clear.xml")));
    // The grid on screen is no longer the one in the file.
    QVERIFY(window->isWindowModified());
}

void DocumentCommandsTest::cancellingNewChangesNothing()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    const QStringList before = describeDocument(*window);
    answerNewFileDialog(answerer, 5, 5, false);
    action(*window, "newFileAction")->trigger();
    QCOMPARE(answerer.seen().last(), QStringLiteral("NewFileDialog"));
    QCOMPARE(describeDocument(*window), before);
    QCOMPARE(window->windowTitle(), QStringLiteral("saved.xml[*] - Quorin"));
    QCOMPARE(window->currentFileName(), path(QStringLiteral("saved.xml")));
    QVERIFY(!window->isWindowModified());
}

void DocumentCommandsTest::cancellingSaveAsChangesNothing()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    GridFixture::at(window->tableWidget(), 2, 2).setSimpleText(QStringLiteral("unsaved"));
    const QStringList files = QDir(m_directory->path()).entryList(QDir::Files);

    cancelFileChooser(answerer);
    bool written = true;
    QVERIFY(QMetaObject::invokeMethod(window, "saveAs", Q_RETURN_ARG(bool, written)));
    QVERIFY(!written);
    QCOMPARE(window->currentFileName(), path(QStringLiteral("saved.xml")));
    QCOMPARE(window->windowTitle(), QStringLiteral("saved.xml[*] - Quorin"));
    QVERIFY(window->isWindowModified());
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
    QCOMPARE(answerer.pending(), 0);
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
    QCOMPARE(GridFixture::at(table, 998, 998).content().dataType(), T::Void);
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
    QCOMPARE(window->currentFileName(), path(QStringLiteral("saved.xml")));
    QCOMPARE(window->windowTitle(), QStringLiteral("saved.xml[*] - Quorin"));
    QVERIFY(window->isWindowModified());
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
    QVERIFY(!window->isWindowModified());
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

// Looking through the areas without changing one changes nothing.
void DocumentCommandsTest::areaManagementWithoutChangeKeepsTheDocumentUnmodified()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    answerer.enqueue([](QWidget *dialog) {
        dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"))->setCurrentRow(1);
        dialog->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
    });
    toolBarButton(*window, "areaManagementToolButton")->click();
    QCOMPARE(answerer.seen().last(), QStringLiteral("AreaManagementDialog"));
    QVERIFY(!window->isWindowModified());
}

// The format views, the selection and showing the window change what the
// user sees, not what the file holds.
void DocumentCommandsTest::changesOfLookOnlyDoNotMarkTheDocumentModified()
{
    ModalAnswerer answerer;
    MainWindow *window = savedWindow(answerer);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
    QVERIFY(!window->isWindowModified());

    TableWidget *table = window->tableWidget();
    table->selectAll();
    table->setStatisticFormatViewOnlyStatisticVariableLabel();
    table->setConditionFormatViewVariableLabelEqualModalityValueLabel();
    QCOMPARE(GridFixture::at(table, 1, 1).text(), QStringLiteral("Età in anni"));
    table->setCurrentCell(2, 3);
    QTreeWidget *variables = panelList(*window, "variableListWidget");
    variables->setCurrentItem(variables->topLevelItem(2));
    QCOMPARE(panelList(*window, "modalityListWidget")->topLevelItemCount(), 3);
    window->resize(700, 500);
    QCoreApplication::processEvents();
    QVERIFY(!window->isWindowModified());

    // An unsaved change before any file shows the marker in an "Untitled"
    // title.
    MainWindow *fresh = newWindow();
    fresh->show();
    QVERIFY(QTest::qWaitForWindowExposed(fresh));
    QCOMPARE(fresh->windowTitle(), QStringLiteral("Quorin"));
    GridFixture::at(fresh->tableWidget(), 0, 0).setSimpleText(QStringLiteral("x"));
    QVERIFY(fresh->isWindowModified());
    QCOMPARE(fresh->windowTitle(), QStringLiteral("Untitled[*] - Quorin"));
}

QTEST_MAIN(DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
