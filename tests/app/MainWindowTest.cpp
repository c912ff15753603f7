#include "app/MainWindow.h"

#include "DataRows.h"
#include "DocumentTestSupport.h"
#include "app/WindowPlacement.h"
#include "stata/CsvViewWindow.h"
#include "stata/DoView.h"
#include "stata/StataRunController.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace DocumentTestSupport;

namespace {

// One start of the program: a working directory of its own, whose
// settings.ini the window reads when built and writes when closed. QSettings
// keeps what it parsed of a file for the rest of the process, so each start
// reads a copy in a new directory, as a fresh start of the program would.
class Start
{
public:
    explicit Start(const QByteArray &settings = QByteArray())
    {
        if (!settings.isNull())
            writeBytes(m_directory.filePath(QStringLiteral("settings.ini")), settings);
        QDir::setCurrent(m_directory.path());
    }
    MainWindow &window()
    {
        if (!m_window) {
            QDir::setCurrent(m_directory.path());
            m_window = std::make_unique<MainWindow>();
        }
        return *m_window;
    }
    bool close()
    {
        QDir::setCurrent(m_directory.path());
        return m_window->close();
    }
    QByteArray settingsText() const
    {
        return fileBytes(m_directory.filePath(QStringLiteral("settings.ini")));
    }
    // A value of the settings file as it is on disk now.
    QVariant written(const QString &key) const
    {
        return QSettings(m_directory.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
            .value(key);
    }

private:
    QTemporaryDir m_directory;
    std::unique_ptr<MainWindow> m_window;
};

// What a start shows of its switches: the View actions, whether the two
// toolbars and the panel are hidden, where the panel is, the run options.
QString switches(MainWindow &window)
{
    QStringList shown;
    for (const char *name : {"viewVariableAction", "cellTextBarViewAction", "toolBarViewAction"})
        shown.append(action(window, name)->isChecked() ? "checked" : "unchecked");
    for (const char *name : {"cellTextToolBar", "genericToolBar"})
        shown.append(window.findChild<QToolBar *>(QLatin1String(name))->isHidden() ? "hidden"
                                                                                   : "shown");
    VariablesWidget *variables = panel(window);
    shown.append(variables->isHidden() ? "hidden" : "shown");
    shown.append(variables->isFloating() ? "floating" : "docked");
    shown.append(QString::number(window.dockWidgetArea(variables)));
    shown.append(QString::number(window.outputCsvFileAfterComputation()));
    shown.append(QString::number(window.showStataMessage()));
    return shown.join(' ');
}
const QString defaultSwitches =
    QStringLiteral("checked checked checked shown shown shown docked 1 1 1");

} // namespace

// The main window: one smoke check of its form and of each information
// window, the do-file viewer of the Stata menu, and the settings it keeps
// from one start to the next.
class MainWindowTest : public QObject
{
    Q_OBJECT

    QString m_previousDirectory = QDir::currentPath();
    QTemporaryDir m_documents;

private slots:
    // Each menu's entries in order, as "text shortcut", separators as "-",
    // submenus by their title.
    void menus()
    {
        Start start;
        MainWindow &window = start.window();
        QCOMPARE(window.centralWidget(), window.tableWidget());
        // The cell text bar stands above the generic one.
        QVERIFY(window.toolBarBreak(window.findChild<QToolBar *>("genericToolBar")));
        QStringList menus;
        for (const QAction *menu : window.menuBar()->actions()) {
            QStringList entries;
            for (const QAction *action : menu->menu()->actions()) {
                if (action->objectName().startsWith(QLatin1String("recentFile")))
                    continue;
                entries.append(action->isSeparator() ? QStringLiteral("-")
                                                     : (action->text() + QLatin1Char(' ') +
                                                        action->shortcut().toString())
                                                           .trimmed());
            }
            menus.append(menu->text() + QStringLiteral(": ") + entries.join(QStringLiteral(", ")));
        }
        QCOMPARE(menus,
                 QStringList({"File: New... Ctrl+N, Open... Ctrl+O, Save Ctrl+S, Save as..., -, "
                              "Load variables from Stata dataset..., Import statistics..., -, "
                              "Exit Ctrl+Q",
                              "Edit: Undo Ctrl+Z, Redo Ctrl+Y, -, Cut Ctrl+X, Copy Ctrl+C, "
                              "Paste Ctrl+V, -, Insert rows, Insert columns, Remove row(s), "
                              "Remove column(s), -, Clear all",
                              "Stata: Quorin!, Quorin..., View output do file, View last log file, "
                              "-, Stata executable..., Stata dataset for computation..., "
                              "Output csv file name..., -, Start Stata",
                              "View: Variables Alt+1, Cell text bar Alt+2, Toolbar Alt+3, "
                              "Csv viewer",
                              "Help: About Quorin..., License, Disclaimer"}));
    }

    // Each information window opens modally with its title and its text, and
    // closes with its button.
    void informationDialogs()
    {
        Start start;
        MainWindow &window = start.window();
        ModalAnswerer answerer;
        QStringList shown;
        for (const char *button : {"pushButton", "okPushButton", "okButton"}) {
            answerer.enqueue([&shown, button](QWidget *widget) {
                QString texts;
                for (const QLabel *label : widget->findChildren<QLabel *>())
                    texts += label->text();
                for (const QWidget *edit : widget->findChildren<QWidget *>("textEdit"))
                    texts += edit->property("plainText").toString();
                shown.append(widget->windowTitle() + ": " + texts);
                widget->findChild<QPushButton *>(button)->click();
            });
        }
        for (const char *name : {"aboutQuorinAction", "disclaimerAction", "licenseAction"})
            window.findChild<QAction *>(name)->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(shown.size(), 3);
        QVERIFY(shown[0].startsWith("About Quorin: ") && shown[0].contains("Version 0.3 beta"));
        QVERIFY(shown[1].startsWith("Disclaimer: "));
        QVERIFY(shown[2].startsWith("License: ") && shown[2].contains("MIT License"));
    }

    // "View output do file" shows the do-file of the window's own grid, as it
    // is when asked, in a viewer of its own.
    void doFileViewerShowsTheGridAsItWas()
    {
        Start start;
        MainWindow &window = start.window();
        window.statisticCatalogue()->insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                                            Command::ResultType::Scalar, 1, 1));
        window.document()->setStataDatasetFileName(QStringLiteral("survey.dta"));
        window.document()->setOutputFileName(QStringLiteral("table.csv"));
        TableWidget *table = window.tableWidget();
        GridFixture::at(table, 0, 1)
            .addMicroCondition(MicroCondition("2", "Femmina", "sesso", "Sesso"));
        GridFixture::at(table, 1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%5.1f"});
        const auto viewOutputDoFile = [&window] {
            window.findChild<QAction *>("viewOutputDoFileAction")->trigger();
            return window.findChildren<DoView *>(QString(), Qt::FindDirectChildrenOnly).last();
        };
        const auto shownText = [](const DoView *view) {
            return view->findChild<QPlainTextEdit *>("textEdit")->toPlainText();
        };

        DoView *first = viewOutputDoFile();
        QVERIFY(first->isVisible() && first->isWindow());
        const QString text = shownText(first);
        QCOMPARE(
            text,
            StataRunController::doFileModel(*window.document()).toString(true, true, QString()));
        QVERIFY(text.contains("summarize eta if sesso==2\nlocal t_2_2: display %5.1f r(mean)\n"));
        // The viewer shows no output file, whatever the grid's is.
        QVERIFY(text.contains("\nfile open outputFile using \"\", write text replace\n"));

        GridFixture::at(table, 1, 1).clearContent();
        GridFixture::at(table, 0, 0).setSimpleText(QStringLiteral("Età media"));
        QCOMPARE(shownText(first), text);
        DoView *second = viewOutputDoFile();
        QVERIFY(second != first);
        QVERIFY(shownText(second).contains("\nlocal t_1_1 \"Età media\"\n"));
        QVERIFY(!shownText(second).contains("summarize"));
    }

    void cleanupTestCase() { QDir::setCurrent(m_previousDirectory); }

    // Without settings, or with settings that cannot be read or name a dock
    // area there is none of, the window comes up as at a first start; closing
    // writes that state, which the next start reads.
    void firstStartDefaults_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("none") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x00\xff\xfe garbage [[[ =\n=\n", 20);
        for (const char *area : {"top", "Right", ""})
            QTest::addRow("dock area '%s'", area)
                << "[variablesDockWidget]\ndockWidgetArea=" + QByteArray(area) + "\n";
    }

    void firstStartDefaults()
    {
        QFETCH(QByteArray, settings);
        Start start(settings);
        MainWindow &window = start.window();
        // Four fifths of the screen's width and height, centred.
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(!window.isMaximized());
        QCOMPARE(window.size(),
                 QSize(qRound(available.width() * 0.8), qRound(available.height() * 0.8)));
        QCOMPARE(QRect(window.pos(), window.size()).center(), available.center());
        QCOMPARE(switches(window), defaultSwitches);
        QVERIFY(window.recentFiles().isEmpty());
        QVERIFY(start.close());
        QVERIFY(!start.written("variablesDockWidget/pos").isValid());
        Start next(start.settingsText());
        QCOMPARE(next.window().size(), window.size());
        QCOMPARE(switches(next.window()), defaultSwitches);
    }

    // Every key the main window keeps, changed from its default, written at
    // a close and read at the next start, through the file itself.
    void everyKeySurvivesARestart()
    {
        const QString first = m_documents.filePath(QStringLiteral("tabella, finale è.xml"));
        const QString second = m_documents.filePath(QStringLiteral("second.xml"));
        const QString stata = QStringLiteral("/usr/local/stata 17/xstata-mp");
        // The two run options have no command of their own here: they come in
        // from a file, and the first start must write them again.
        Start input("[OutputCsvFileAfterComputationCheckBox]\nchecked=false\n"
                    "[ShowStataMessageCheckBox]\nchecked=false\n"
                    "[genericToolBar]\nresultWidgetSize=120\nprecisionWidgetSize=90\n"
                    "areaWidgetSize=350\nstataWidgetSize=110\nvoidWidgetSize=250\n");
        MainWindow &window = input.window();
        ModalAnswerer answerer;
        saveAs(window, answerer, second);
        saveAs(window, answerer, first);
        window.setStataExecutableFileName(stata);
        window.setWindowState(Qt::WindowNoState);
        window.move(123, 77);
        window.resize(640, 480);
        window.addDockWidget(Qt::RightDockWidgetArea, panel(window));
        for (const char *name :
             {"viewVariableAction", "cellTextBarViewAction", "toolBarViewAction"})
            action(window, name)->trigger();

        // Written into a directory of its own, so that the file holds only
        // what this close wrote.
        Start written;
        QVERIFY(window.close());
        const QByteArray text = written.settingsText();
        QVERIFY2(text.contains("[%General]"), text.constData());

        Start next(written.settingsText());
        MainWindow &restarted = next.window();
        QCOMPARE(restarted.recentFiles(), QStringList({first, second}));
        QCOMPARE(action(restarted, "recentFileAction0")->data().toString(), first);
        QCOMPARE(restarted.stataExecutableFileName(), stata);
        QVERIFY(!restarted.isMaximized());
        QCOMPARE(restarted.pos(), QPoint(123, 77));
        QCOMPARE(restarted.size(), QSize(640, 480));
        QCOMPARE(switches(restarted),
                 QStringLiteral("unchecked unchecked unchecked hidden hidden hidden docked 2 0 0"));

        // The toolbar's pane widths went through both starts.
        QVERIFY(next.close());
        QList<int> widths;
        for (const char *pane : {"result", "precision", "area", "stata", "void"})
            widths.append(
                next.written(QStringLiteral("genericToolBar/%1WidgetSize").arg(pane)).toInt());
        QCOMPARE(widths, QList<int>({120, 90, 350, 110, 250}));
    }

    // A floating panel comes back where it was; docked again, it writes no
    // position or size, so the place of its last float stays in the file.
    void floatingPanelComesBackWhereItWas()
    {
        Start first;
        VariablesWidget *variables = panel(first.window());
        variables->setFloating(true);
        variables->move(210, 160);
        variables->resize(310, 420);
        QVERIFY(first.close());
        QCOMPARE(first.written("variablesDockWidget/dockWidgetArea").toString(), "none");

        Start next(first.settingsText());
        VariablesWidget *restored = panel(next.window());
        QVERIFY(restored->isFloating() && !restored->isHidden());
        QCOMPARE(restored->pos(), QPoint(210, 160));
        QCOMPARE(restored->size(), QSize(310, 420));
        restored->setFloating(false);
        QVERIFY(next.close());
        QCOMPARE(next.written("variablesDockWidget/dockWidgetArea").toString(), "left");
        QCOMPARE(next.written("variablesDockWidget/pos").toPoint(), QPoint(210, 160));
        QCOMPARE(next.written("variablesDockWidget/size").toSize(), QSize(310, 420));
    }

    // However the section was spelled, by hand or by QSettings itself, the
    // keys are read, and written back once, in the spelling a restart reads.
    void generalKeysReadInEverySpelling_data()
    {
        QTest::addColumn<QByteArray>("section");
        for (const char *section : {"[general]", "[%General]", "[General]"})
            QTest::newRow(section) << QByteArray(section);
    }

    void generalKeysReadInEverySpelling()
    {
        QFETCH(QByteArray, section);
        const QString recent = m_documents.filePath(QStringLiteral("recent.xml"));
        QVERIFY(writeBytes(recent, "<quorin/>"));
        Start start(section + "\nrecentFiles=" + recent.toUtf8() +
                    "\nstataExecutableFileName=/opt/stata/xstata\n");
        MainWindow &window = start.window();
        QCOMPARE(window.recentFiles(), QStringList(recent));
        QCOMPARE(window.stataExecutableFileName(), QStringLiteral("/opt/stata/xstata"));

        QVERIFY(start.close());
        const QByteArray text = start.settingsText();
        QCOMPARE(text.count("recentFiles="), 1);
        QCOMPARE(text.count("stataExecutableFileName="), 1);
    }

    // A maximized window comes back maximized; one saved where no screen is
    // now comes back onto the primary one, with its size.
    void windowComesBackMaximizedOrOnAScreen()
    {
        Start first;
        first.window().setWindowState(Qt::WindowMaximized);
        QVERIFY(first.close());
        QVERIFY(Start(first.settingsText()).window().isMaximized());
        Start lost("[mainWindow]\nmaximized=false\npos=@Point(5000 4000)\nsize=@Size(500 300)\n");
        QCOMPARE(lost.window().size(), QSize(500, 300));
        QCOMPARE(QRect(lost.window().pos(), QSize(500, 300)).center(),
                 QGuiApplication::primaryScreen()->availableGeometry().center());
    }

    // Two screens side by side, the primary (0, 0, 1920, 1040) on the left
    // of (1920, 0, 1280, 1024).
    void placement_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<QRect>("placed");
        const QRect where(100, 50, 800, 600);
        dataRow("on the primary screen", where, where);
        dataRow("on the second screen", QRect(2000, 100, 800, 600), QRect(2000, 100, 800, 600));
        dataRow("partly on a screen", QRect(-700, -500, 800, 600), QRect(-700, -500, 800, 600));
        dataRow("where a third screen was", QRect(3300, 200, 800, 600), QRect(560, 220, 800, 600));
        dataRow("too large for the primary", QRect(-5000, 0, 2400, 1200), QRect(0, 0, 1920, 1040));
        // Four fifths of the second screen, centred on it.
        dataRow("first start", QRect(), QRect(2048, 102, 1024, 819));
    }

    void placement()
    {
        QFETCH(QRect, saved);
        QFETCH(QRect, placed);
        const QRect primary(0, 0, 1920, 1040), second(1920, 0, 1280, 1024);
        QCOMPARE(saved.isNull() ? WindowPlacement::firstStart(second)
                                : WindowPlacement::ontoScreens(saved, {primary, second}, primary),
                 placed);
    }

    // Exit asks about the unsaved document before anything closes: Cancel
    // leaves the floating panel and the viewer open and writes nothing;
    // Discard closes them all, with the panel saved as it was, shown and
    // floating.
    void exitClosesTheMainWindowFirst()
    {
        Start start;
        MainWindow &window = start.window();
        window.show();
        VariablesWidget *variables = panel(window);
        variables->setFloating(true);
        action(window, "csvViewerAction")->trigger();
        QPointer<CsvViewWindow> viewer = window.findChild<CsvViewWindow *>();
        QVERIFY(viewer && viewer->isVisible() && variables->isVisible());
        window.setWindowModified(true);

        ModalAnswerer answerer;
        answerBox(answerer, QMessageBox::Cancel);
        action(window, "exitAction")->trigger();
        QVERIFY(window.isVisible() && variables->isVisible() && viewer && viewer->isVisible());
        QVERIFY(start.settingsText().isEmpty());

        answerBox(answerer, QMessageBox::No);
        action(window, "exitAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QVERIFY(!window.isVisible() && !variables->isVisible());
        QVERIFY(!viewer || !viewer->isVisible());
        QCOMPARE(start.written("variablesDockWidget/visible").toBool(), true);
        QCOMPARE(start.written("variablesDockWidget/dockWidgetArea").toString(), "none");
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
