#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "app/MainWindow.h"
#include "app/WindowPlacement.h"
#include "stata/CsvViewWindow.h"

#include <QDir>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace DocumentTestSupport;

namespace {

// One start of the program: a working directory of its own, where the window
// reads settings.ini when it is built and writes it when it closes. A file
// copied into a new directory is one this process has never read, so reading
// it is what a fresh start of the program does: QSettings keeps what it has
// parsed of a file for the rest of the process.
class Start
{
public:
    explicit Start(const QByteArray &settings = QByteArray())
    {
        if (!settings.isNull())
            writeBytes(m_directory.filePath(QStringLiteral("settings.ini")), settings);
        QDir::setCurrent(m_directory.path());
    }
    // The next start, with the settings this one wrote.
    static std::unique_ptr<Start> after(const Start &previous)
    {
        return std::make_unique<Start>(previous.settingsText());
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
    QVariant written(const char *key) const
    {
        return QSettings(m_directory.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
            .value(QLatin1String(key));
    }

private:
    QTemporaryDir m_directory;
    std::unique_ptr<MainWindow> m_window;
};

QList<int> paneWidths(const Start &start)
{
    QList<int> widths;
    for (const char *key : {"genericToolBar/resultWidgetSize", "genericToolBar/precisionWidgetSize",
                            "genericToolBar/areaWidgetSize", "genericToolBar/stataWidgetSize",
                            "genericToolBar/voidWidgetSize"})
        widths.append(start.written(key).toInt());
    return widths;
}

QRect primaryScreenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// A first start takes four fifths of the screen's width and height, centred.
void verifyFirstStartPlace(const MainWindow &window)
{
    const QRect available = primaryScreenArea();
    QVERIFY(!window.isMaximized());
    QCOMPARE(window.size(),
             QSize(qRound(available.width() * 0.8), qRound(available.height() * 0.8)));
    QCOMPARE(QRect(window.pos(), window.size()).center(), available.center());
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void firstStartDefaults();
    void everyKeySurvivesARestart();
    void floatingPanelComesBackWhereItWas();
    void dockedPanelKeepsTheLastFloatingPlace();
    void unknownDockAreaLeavesThePanelLeft_data();
    void unknownDockAreaLeavesThePanelLeft();
    void generalKeysReadInEverySpelling_data();
    void generalKeysReadInEverySpelling();
    void maximizedWindowComesBackMaximized();
    void unreadableSettingsGiveTheDefaults();
    void placement_data();
    void placement();
    void positionOnNoScreenMovesOntoThePrimary();
    void exitClosesTheMainWindowFirst();

private:
    QString m_previousDirectory;
    QTemporaryDir m_documents;
};

void SettingsTest::initTestCase()
{
    m_previousDirectory = QDir::currentPath();
}

void SettingsTest::cleanupTestCase()
{
    QDir::setCurrent(m_previousDirectory);
}

void SettingsTest::firstStartDefaults()
{
    Start start;
    MainWindow &window = start.window();
    verifyFirstStartPlace(window);
    VariablesWidget *variables = panel(window);
    QCOMPARE(window.dockWidgetArea(variables), Qt::LeftDockWidgetArea);
    QVERIFY(!variables->isFloating());
    QVERIFY(!variables->isHidden());
    for (const char *name : {"viewVariableAction", "cellTextBarViewAction", "toolBarViewAction"})
        QVERIFY2(action(window, name)->isChecked(), name);
    for (const char *name : {"cellTextToolBar", "genericToolBar"})
        QVERIFY2(!window.findChild<QToolBar *>(QString::fromLatin1(name))->isHidden(), name);
    QVERIFY(window.outputCsvFileAfterComputation());
    QVERIFY(window.showStataMessage());
    QVERIFY(window.recentFiles().isEmpty());
    QVERIFY(window.stataExecutableFileName().isEmpty());
    QVERIFY(!action(window, "recentFilesSeparator")->isVisible());
    QVERIFY(!action(window, "recentFileAction0")->isVisible());

    // Closing writes the state it came up in.
    QVERIFY(start.close());
    QCOMPARE(start.written("mainWindow/maximized").toBool(), false);
    QCOMPARE(start.written("mainWindow/size").toSize(), window.size());
    QCOMPARE(start.written("variablesDockWidget/dockWidgetArea").toString(),
             QStringLiteral("left"));
    QCOMPARE(start.written("variablesDockWidget/visible").toBool(), true);
    QVERIFY(!start.written("variablesDockWidget/pos").isValid());
    QCOMPARE(start.written("cellTextToolBar/visible").toBool(), true);
    QCOMPARE(start.written("OutputCsvFileAfterComputationCheckBox/checked").toBool(), true);
    QCOMPARE(start.written("ShowStataMessageCheckBox/checked").toBool(), true);
}

// Every key the main window keeps, changed from its default, written at a
// close and read at the next start, through the file itself.
void SettingsTest::everyKeySurvivesARestart()
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
    QVERIFY(!window.outputCsvFileAfterComputation());
    ModalAnswerer answerer;
    saveAs(window, answerer, second);
    saveAs(window, answerer, first);
    window.setStataExecutableFileName(stata);
    window.setWindowState(Qt::WindowNoState);
    window.move(123, 77);
    window.resize(640, 480);
    window.addDockWidget(Qt::RightDockWidgetArea, panel(window));
    action(window, "viewVariableAction")->trigger();
    QVERIFY(panel(window)->isHidden());
    action(window, "cellTextBarViewAction")->trigger();
    action(window, "toolBarViewAction")->trigger();

    // Written into a directory of its own, so that the file holds only what
    // this close wrote.
    Start written;
    QVERIFY(window.close());
    const QByteArray text = written.settingsText();
    QVERIFY2(text.contains("[%General]"), text.constData());
    QCOMPARE(text.count("recentFiles="), 1);

    std::unique_ptr<Start> next = Start::after(written);
    MainWindow &restarted = next->window();
    QCOMPARE(restarted.recentFiles(), QStringList({first, second}));
    QCOMPARE(action(restarted, "recentFileAction0")->data().toString(), first);
    QCOMPARE(restarted.stataExecutableFileName(), stata);
    QVERIFY(!restarted.isMaximized());
    QCOMPARE(restarted.pos(), QPoint(123, 77));
    QCOMPARE(restarted.size(), QSize(640, 480));
    QCOMPARE(restarted.dockWidgetArea(panel(restarted)), Qt::RightDockWidgetArea);
    QVERIFY(panel(restarted)->isHidden());
    QVERIFY(!action(restarted, "viewVariableAction")->isChecked());
    QVERIFY(!action(restarted, "cellTextBarViewAction")->isChecked());
    QVERIFY(restarted.findChild<QToolBar *>(QStringLiteral("cellTextToolBar"))->isHidden());
    QVERIFY(!action(restarted, "toolBarViewAction")->isChecked());
    QVERIFY(restarted.findChild<QToolBar *>(QStringLiteral("genericToolBar"))->isHidden());
    QVERIFY(!restarted.outputCsvFileAfterComputation());
    QVERIFY(!restarted.showStataMessage());

    // The toolbar's pane widths went through both starts.
    QVERIFY(next->close());
    QCOMPARE(paneWidths(*next), QList<int>({120, 90, 350, 110, 250}));
}

void SettingsTest::floatingPanelComesBackWhereItWas()
{
    Start first;
    MainWindow &window = first.window();
    VariablesWidget *variables = panel(window);
    variables->setFloating(true);
    variables->move(210, 160);
    variables->resize(310, 420);
    QVERIFY(first.close());
    QCOMPARE(first.written("variablesDockWidget/dockWidgetArea").toString(),
             QStringLiteral("none"));

    std::unique_ptr<Start> next = Start::after(first);
    VariablesWidget *restored = panel(next->window());
    QVERIFY(restored->isFloating());
    QCOMPARE(restored->pos(), QPoint(210, 160));
    QCOMPARE(restored->size(), QSize(310, 420));
    QVERIFY(!restored->isHidden());
}

// A docked panel writes no position or size, so the place of its last float
// stays in the file.
void SettingsTest::dockedPanelKeepsTheLastFloatingPlace()
{
    Start first("[variablesDockWidget]\ndockWidgetArea=none\npos=@Point(50 60)\n"
                "size=@Size(250 350)\n");
    QVERIFY(panel(first.window())->isFloating());
    panel(first.window())->setFloating(false);
    QVERIFY(first.close());
    QCOMPARE(first.written("variablesDockWidget/dockWidgetArea").toString(),
             QStringLiteral("left"));
    QCOMPARE(first.written("variablesDockWidget/pos").toPoint(), QPoint(50, 60));
    QCOMPARE(first.written("variablesDockWidget/size").toSize(), QSize(250, 350));
}

void SettingsTest::unknownDockAreaLeavesThePanelLeft_data()
{
    QTest::addColumn<QByteArray>("area");
    QTest::newRow("top") << QByteArray("top");
    QTest::newRow("capitalised") << QByteArray("Right");
    QTest::newRow("empty") << QByteArray("");
}

void SettingsTest::unknownDockAreaLeavesThePanelLeft()
{
    QFETCH(QByteArray, area);
    Start start("[variablesDockWidget]\ndockWidgetArea=" + area + "\n");
    QCOMPARE(start.window().dockWidgetArea(panel(start.window())), Qt::LeftDockWidgetArea);
    QVERIFY(!panel(start.window())->isFloating());
    QVERIFY(!panel(start.window())->isHidden());
}

// However the section was spelled, by hand or by QSettings itself, the keys
// are read, and written back once, in the spelling a restart reads.
void SettingsTest::generalKeysReadInEverySpelling_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::newRow("[general]") << QByteArray("[general]");
    QTest::newRow("[%General]") << QByteArray("[%General]");
    QTest::newRow("[General]") << QByteArray("[General]");
}

void SettingsTest::generalKeysReadInEverySpelling()
{
    QFETCH(QByteArray, section);
    const QString recent = m_documents.filePath(QStringLiteral("recent.xml"));
    QVERIFY(writeBytes(recent, "<quorin/>"));
    Start start(section + "\nrecentFiles=" + recent.toUtf8() +
                "\nstataExecutableFileName=/opt/stata/xstata\n\n[mainWindow]\nmaximized=false\n");
    MainWindow &window = start.window();
    QCOMPARE(window.recentFiles(), QStringList(recent));
    QCOMPARE(window.stataExecutableFileName(), QStringLiteral("/opt/stata/xstata"));
    QVERIFY(!window.isMaximized());
    QVERIFY(action(window, "recentFileAction0")->isVisible());

    QVERIFY(start.close());
    const QByteArray text = start.settingsText();
    QCOMPARE(text.count("recentFiles="), 1);
    QCOMPARE(text.count("stataExecutableFileName="), 1);
    std::unique_ptr<Start> next = Start::after(start);
    QCOMPARE(next->window().recentFiles(), QStringList(recent));
    QCOMPARE(next->window().stataExecutableFileName(), QStringLiteral("/opt/stata/xstata"));
}

void SettingsTest::maximizedWindowComesBackMaximized()
{
    Start first("[mainWindow]\nmaximized=false\npos=@Point(30 40)\nsize=@Size(500 300)\n");
    MainWindow &window = first.window();
    QVERIFY(!window.isMaximized());
    QCOMPARE(window.pos(), QPoint(30, 40));
    QCOMPARE(window.size(), QSize(500, 300));
    window.setWindowState(Qt::WindowMaximized);
    QVERIFY(first.close());
    std::unique_ptr<Start> next = Start::after(first);
    QVERIFY(next->window().isMaximized());
}

void SettingsTest::unreadableSettingsGiveTheDefaults()
{
    Start start(QByteArray("\x00\xff\xfe garbage [[[ =\n=\n", 20));
    MainWindow &window = start.window();
    verifyFirstStartPlace(window);
    QCOMPARE(window.dockWidgetArea(panel(window)), Qt::LeftDockWidgetArea);
    QVERIFY(window.recentFiles().isEmpty());
    QVERIFY(window.outputCsvFileAfterComputation());
}

void SettingsTest::placement_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("on the primary screen") << QRect(100, 50, 800, 600) << QRect(100, 50, 800, 600);
    QTest::newRow("on the second screen")
        << QRect(2000, 100, 800, 600) << QRect(2000, 100, 800, 600);
    QTest::newRow("partly on a screen")
        << QRect(-700, -500, 800, 600) << QRect(-700, -500, 800, 600);
    QTest::newRow("where a third screen was")
        << QRect(3300, 200, 800, 600) << QRect(560, 220, 800, 600);
    QTest::newRow("too large for the primary")
        << QRect(-5000, 0, 2400, 1200) << QRect(0, 0, 1920, 1040);
    // Four fifths of the second screen, centred on it.
    QTest::newRow("first start") << QRect() << QRect(2048, 102, 1024, 819);
}

// Two screens side by side, the primary on the left.
void SettingsTest::placement()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, placed);
    const QRect primary(0, 0, 1920, 1040);
    const QRect second(1920, 0, 1280, 1024);
    if (saved.isNull())
        QCOMPARE(WindowPlacement::firstStart(second), placed);
    else
        QCOMPARE(WindowPlacement::ontoScreens(saved, {primary, second}, primary), placed);
}

void SettingsTest::positionOnNoScreenMovesOntoThePrimary()
{
    Start start("[mainWindow]\nmaximized=false\npos=@Point(5000 4000)\nsize=@Size(500 300)\n");
    MainWindow &window = start.window();
    QCOMPARE(window.size(), QSize(500, 300));
    QCOMPARE(QRect(window.pos(), window.size()).center(), primaryScreenArea().center());
}

// Exit asks about the unsaved document before anything closes: Cancel leaves
// the floating panel and the viewer open and writes nothing; Discard closes
// them all, with the panel saved as it was, shown and floating.
void SettingsTest::exitClosesTheMainWindowFirst()
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
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(window.isVisible());
    QVERIFY(variables->isVisible());
    QVERIFY(viewer && viewer->isVisible());
    QVERIFY(start.settingsText().isEmpty());

    answerBox(answerer, QMessageBox::No);
    action(window, "exitAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(!window.isVisible());
    QVERIFY(!variables->isVisible());
    QVERIFY(!viewer || !viewer->isVisible());
    QCOMPARE(start.written("variablesDockWidget/visible").toBool(), true);
    QCOMPARE(start.written("variablesDockWidget/dockWidgetArea").toString(),
             QStringLiteral("none"));
}

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
