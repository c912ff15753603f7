#include "stata/DoView.h"

#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "stata/DoFileModel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

namespace {

// A text cell and a statistic cell: one macro line each, one command.
DoFileModel exampleModel()
{
    DoFileModel model(QStringLiteral("survey.dta"), 2, 2);
    model.append({QString(), QStringLiteral("local t_1_1 \"Ripartizione\"")});
    model.append({QStringLiteral("summarize eta if ripartizione==1 & sesso==1"),
                  QStringLiteral("local t_2_2: display %9.2f r(mean)")});
    return model;
}

} // namespace

class DoViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void switches_data();
    void switches();
    void noExportChangesNothing();
    void saveAsWritesWhatIsShown();
    void saveAsUnwritableTellsUser();
    void closingHidesOnly();

private:
    QString shownText() const
    {
        return m_view->findChild<QPlainTextEdit *>("textEdit")->toPlainText();
    }
    QAction *action(const char *name) const { return m_view->findChild<QAction *>(name); }

    TemporaryWorkingDirectory *m_directory = nullptr;
    const DoFileModel m_model = exampleModel();
    QWidget *m_parent = nullptr;
    DoView *m_view = nullptr;
};

void DoViewTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    m_parent = new QWidget;
    m_view = new DoView(m_model, QString(), m_parent);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void DoViewTest::cleanup()
{
    delete m_parent;
    delete m_directory;
}

void DoViewTest::form()
{
    QCOMPARE(m_view->windowTitle(), QStringLiteral("View output do file"));
    QVERIFY(m_view->isWindow());
    QCOMPARE(m_view->parentWidget(), m_parent);
    QVERIFY(m_view->findChild<QPlainTextEdit *>("textEdit")->isReadOnly());

    // Every menu and entry: its object name, text and check mark.
    QStringList entries;
    for (QAction *menu : m_view->menuBar()->actions()) {
        entries.append(menu->menu()->objectName() + QLatin1Char(' ') + menu->text());
        for (QAction *entry : menu->menu()->actions()) {
            entries.append(QLatin1String("  ") + entry->objectName() + QLatin1Char(' ') +
                           entry->text() +
                           QLatin1String(!entry->isCheckable() ? ""
                                         : entry->isChecked()  ? " [x]"
                                                               : " [ ]"));
        }
    }
    QCOMPARE(
        entries,
        (QStringList{"fileMenu File", "  saveAsAction Save as...", "viewCommandsMenu View commands",
                     "  mainViewCommandsAction Main [x]", "  macroViewCommandsAction Macro [x]",
                     "   ", "  noExportViewCommandsAction No Export [ ]"}));
}

void DoViewTest::switches_data()
{
    QTest::addColumn<QStringList>("trigger");
    QTest::addColumn<bool>("showMain");
    QTest::addColumn<bool>("showMacro");
    QTest::newRow("whole do-file") << QStringList() << true << true;
    QTest::newRow("main off") << QStringList{"mainViewCommandsAction"} << false << true;
    QTest::newRow("macro off") << QStringList{"macroViewCommandsAction"} << true << false;
    QTest::newRow("both off") << QStringList{"mainViewCommandsAction", "macroViewCommandsAction"}
                              << false << false;
    QTest::newRow("main off and on")
        << QStringList{"mainViewCommandsAction", "mainViewCommandsAction"} << true << true;
}

void DoViewTest::switches()
{
    QFETCH(QStringList, trigger);
    QFETCH(bool, showMain);
    QFETCH(bool, showMacro);
    for (const QString &name : trigger)
        action(qPrintable(name))->trigger();
    QCOMPARE(m_view->mainCommandsVisible(), showMain);
    QCOMPARE(m_view->macroCommandsVisible(), showMacro);
    QCOMPARE(action("mainViewCommandsAction")->isChecked(), showMain);
    QCOMPARE(action("macroViewCommandsAction")->isChecked(), showMacro);
    // What each switch leaves of the do-file is the model's own matter.
    QCOMPARE(shownText(), m_model.toString(showMain, showMacro, QString()));
}

void DoViewTest::noExportChangesNothing()
{
    action("mainViewCommandsAction")->trigger();
    const QString before = shownText();
    action("noExportViewCommandsAction")->trigger();
    QVERIFY(action("noExportViewCommandsAction")->isChecked());
    QCOMPARE(shownText(), before);
    QVERIFY(shownText().contains("file close checkFile"));
    action("noExportViewCommandsAction")->trigger();
    QVERIFY(!action("noExportViewCommandsAction")->isChecked());
    QCOMPARE(shownText(), before);
}

// A cancelled chooser writes nothing; a chosen file gets what is shown.
void DoViewTest::saveAsWritesWhatIsShown()
{
    ModalAnswerer answerer;
    cancelFileChooser(answerer);
    action("saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(QDir(m_directory->path()).entryList(QDir::Files), QStringList());

    action("mainViewCommandsAction")->trigger();
    const QString target = m_directory->filePath("saved.do");
    FileChooserSeen seen;
    chooseFile(answerer, target, &seen);
    action("saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.seen(), (QStringList{"QFileDialog", "QFileDialog"}));
    QCOMPARE(seen.caption, QStringLiteral("Save do file"));
    QCOMPARE(seen.filters, QStringList({"Do files (*.do)", "Text Documents (*.txt)"}));
    QCOMPARE(QDir(seen.directory).canonicalPath(), QDir(m_directory->path()).canonicalPath());
    QCOMPARE(fileText(target), shownText());
    QVERIFY(!shownText().contains("summarize"));
}

void DoViewTest::saveAsUnwritableTellsUser()
{
    // A folder that does not exist: the file dialog finds nothing on disk to
    // match the name against (a file standing where the folder should be can
    // make it ask whether to replace that file), and the save cannot open it.
    const QString target = m_directory->filePath("missingFolder/saved.do");
    QString message;
    ModalAnswerer answerer;
    chooseFile(answerer, target);
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    action("saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(message.startsWith("Cannot write file " + QDir::toNativeSeparators(target) + ":\n"),
             qPrintable(message));
    QCOMPARE(shownText(), m_model.toString(true, true, QString()));
}

void DoViewTest::closingHidesOnly()
{
    QPointer<DoView> view = m_view;
    QVERIFY(m_view->close());
    QCoreApplication::processEvents();
    QVERIFY(view);
    QVERIFY(!view->isVisible());
}

QTEST_MAIN(DoViewTest)
#include "DoViewTest.moc"
