#include "app/MainWindow.h"

#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "model/DocumentModel.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

namespace {

// Entries of a menu by object name, submenus by theirs; separators as "-".
QStringList entries(const QMenu *menu)
{
    QStringList names;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator() && action->objectName() != QLatin1String("recentFilesSeparator"))
            names.append(QStringLiteral("-"));
        else
            names.append(action->menu() ? action->menu()->objectName() : action->objectName());
    }
    return names;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void actions_data();
    void actions();
    void menus();
    void titleBeforeAnyFile();
    void gridIsTheCentralWidget();
    void recentFileEntriesHiddenAtStart();
    void informationDialogs_data();
    void informationDialogs();

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
};

void MainWindowTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    m_window = new MainWindow;
}

void MainWindowTest::cleanup()
{
    delete m_window;
    delete m_directory;
}

void MainWindowTest::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("hasIcon");
    QTest::addColumn<bool>("checkable");
    auto row = [](const char *name, const char *text, const char *shortcut, bool icon,
                  bool checkable) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(text)
                            << QString::fromLatin1(shortcut) << icon << checkable;
    };
    row("newFileAction", "New...", "Ctrl+N", true, false);
    row("openAction", "Open...", "Ctrl+O", true, false);
    row("saveAction", "Save", "Ctrl+S", true, false);
    row("saveAsAction", "Save as...", "", false, false);
    row("loadVariablesAction", "Load variables from Stata dataset...", "", false, false);
    row("importStatisticsAction", "Import statistics...", "", false, false);
    row("exitAction", "Exit", "Ctrl+Q", true, false);
    row("clearAllAction", "Clear all", "", false, false);
    row("viewVariableAction", "Variables", "Alt+1", false, true);
    row("cellTextBarViewAction", "Cell text bar", "Alt+2", false, true);
    row("toolBarViewAction", "Toolbar", "Alt+3", false, true);
    row("csvViewerAction", "Csv viewer", "", false, false);
    row("aboutQuorinAction", "About Quorin...", "", true, false);
    row("licenseAction", "License", "", false, false);
    row("disclaimerAction", "Disclaimer", "", true, false);
    row("quorinFlashAction", "Quorin!", "", true, false);
    row("QuorinStataAction", "Quorin...", "", false, false);
    row("viewOutputDoFileAction", "View output do file", "", false, false);
    row("viewLastLogFileAction", "View last log file", "", false, false);
    row("setStataExecutableAction", "Stata executable...", "", false, false);
    row("setStataDatasetForComputationAction", "Stata dataset for computation...", "", false,
        false);
    row("setOutputFileNameAction", "Output csv file name...", "", false, false);
    row("startStataAction", "Start Stata", "", true, false);
}

void MainWindowTest::actions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    QFETCH(bool, hasIcon);
    QFETCH(bool, checkable);
    const QAction *action = m_window->findChild<QAction *>(name);
    QVERIFY2(action, qPrintable(name));
    QCOMPARE(action->parent(), m_window);
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut(), QKeySequence(shortcut));
    QCOMPARE(!action->icon().isNull(), hasIcon);
    QCOMPARE(action->isCheckable(), checkable);
    QCOMPARE(action->isChecked(), checkable); // the three View switches start checked
}

void MainWindowTest::menus()
{
    const QMenuBar *bar = m_window->menuBar();
    QCOMPARE(bar->objectName(), QStringLiteral("menuBar"));
    QStringList titles;
    QStringList names;
    for (const QAction *action : bar->actions()) {
        titles.append(action->text());
        names.append(action->menu()->objectName());
    }
    QCOMPARE(titles, (QStringList{"File", "Edit", "Stata", "View", "Help"}));
    QCOMPARE(names, (QStringList{"menuFile", "menuEdit", "menuStata", "menuView", "menuHelp"}));

    const auto menu = [&](const char *name) {
        return m_window->menuBar()->findChild<QMenu *>(QString::fromLatin1(name));
    };
    QCOMPARE(entries(menu("menuFile")),
             (QStringList{"newFileAction", "openAction", "saveAction", "saveAsAction", "-",
                          "loadVariablesAction", "importStatisticsAction", "-", "exitAction",
                          "recentFilesSeparator", "recentFileAction0", "recentFileAction1",
                          "recentFileAction2", "recentFileAction3", "recentFileAction4"}));
    QCOMPARE(entries(menu("menuEdit")),
             (QStringList{"undoAction", "redoAction", "-", "cutAction", "copyAction", "pasteAction",
                          "-", "insertRowsMenu", "insertColumnsMenu", "removeRowsAction",
                          "removeColumnsAction", "-", "clearAllAction"}));
    QCOMPARE(entries(menu("menuStata")),
             (QStringList{"quorinFlashAction", "QuorinStataAction", "viewOutputDoFileAction",
                          "viewLastLogFileAction", "-", "setStataExecutableAction",
                          "setStataDatasetForComputationAction", "setOutputFileNameAction", "-",
                          "startStataAction"}));
    QCOMPARE(entries(menu("menuView")), (QStringList{"viewVariableAction", "cellTextBarViewAction",
                                                     "toolBarViewAction", "csvViewerAction"}));
    QCOMPARE(entries(menu("menuHelp")),
             (QStringList{"aboutQuorinAction", "licenseAction", "disclaimerAction"}));
}

void MainWindowTest::titleBeforeAnyFile()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Quorin"));
    QVERIFY(m_window->statisticCatalogue()->isEmpty());
    QVERIFY(m_window->areas()->isEmpty());
    QCOMPARE(MainWindow::strippedName(QStringLiteral("/home/u/tables/survey.xml")),
             QStringLiteral("survey.xml"));
}

void MainWindowTest::gridIsTheCentralWidget()
{
    auto *table = qobject_cast<TableWidget *>(m_window->centralWidget());
    QVERIFY(table);
    QCOMPARE(table, m_window->tableWidget());
    QCOMPARE(table->objectName(), QStringLiteral("tableWidget"));
    QCOMPARE(table->rowCount(), 50);
    QCOMPARE(table->columnCount(), 15);
    // The grid reads the window's own catalogue.
    m_window->statisticCatalogue()->insert(
        QStringLiteral("mean"),
        Command(QStringLiteral("mean"), QStringLiteral("summarize #var"), QStringLiteral("r(mean)"),
                Command::ResultType::Scalar, 1, 1));
    Statistic mean;
    mean.statisticName = QStringLiteral("mean");
    mean.varName = QStringLiteral("income");
    GridFixture::at(table, 0, 0).setStatistic(mean);
    QCOMPARE(table->finalCommand(0, 0), QStringLiteral("summarize income"));
}

void MainWindowTest::recentFileEntriesHiddenAtStart()
{
    const QMenu *file = m_window->menuBar()->findChild<QMenu *>(QStringLiteral("menuFile"));
    int recent = 0;
    for (const QAction *action : file->actions()) {
        if (action->objectName().startsWith(QLatin1String("recentFileAction"))) {
            ++recent;
            QVERIFY(!action->isVisible());
        }
    }
    QCOMPARE(recent, MainWindow::maximumRecentFiles);
}

void MainWindowTest::informationDialogs_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shows");
    QTest::newRow("about") << "aboutQuorinAction"
                           << "About Quorin"
                           << "pushButton"
                           << "Version 0.3 beta";
    QTest::newRow("disclaimer") << "disclaimerAction"
                                << "Disclaimer"
                                << "okPushButton"
                                << "";
    QTest::newRow("license") << "licenseAction"
                             << "License"
                             << "okButton"
                             << "MIT License";
}

// One smoke check per window: it opens modally with its title and closes.
void MainWindowTest::informationDialogs()
{
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QString, button);
    QFETCH(QString, shows);
    ModalAnswerer answerer;
    QString shownTitle;
    QString texts;
    answerer.enqueue([&](QWidget *widget) {
        shownTitle = widget->windowTitle();
        for (const QLabel *label : widget->findChildren<QLabel *>())
            texts += label->text();
        for (const QWidget *edit : widget->findChildren<QWidget *>(QStringLiteral("textEdit")))
            texts += edit->property("plainText").toString();
        widget->findChild<QPushButton *>(button)->click();
    });
    m_window->findChild<QAction *>(action)->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(shownTitle, title);
    QVERIFY(texts.contains(shows));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
