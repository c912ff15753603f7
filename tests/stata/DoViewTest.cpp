#include "stata/DoView.h"

#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "model/CellContentGrid.h"
#include "stata/DoFileComposer.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

CellContentGrid exampleGrid()
{
    CellContentGrid grid(2, 2);
    grid(0, 0).setSimpleText(QStringLiteral("Ripartizione"));
    grid(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", "Sesso"));
    grid(1, 0).addMicroCondition(MicroCondition("1", "Nord", "ripartizione", "Ripartizione"));
    grid(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    return grid;
}

StatisticCatalogue meanCatalogue()
{
    StatisticCatalogue catalogue;
    catalogue.insert("mean", Command("mean", "summarize #var #if", "r(mean)", T::Scalar, 1, 1));
    return catalogue;
}

QByteArray fileContents(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QByteArray("(unreadable)");
    return file.readAll();
}

// Queues an answer to the next file dialog: select the file and accept, or
// reject when no name is given. What the dialog showed is kept in seen.
struct FileDialogSeen
{
    QString caption;
    QStringList filters;
    QString directory;
};

void answerFileDialog(ModalAnswerer &answerer, const QString &fileName,
                      FileDialogSeen *seen = nullptr)
{
    answerer.enqueue([fileName, seen](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        if (seen)
            *seen = {dialog->windowTitle(), dialog->nameFilters(),
                     dialog->directory().canonicalPath()};
        if (fileName.isEmpty()) {
            dialog->reject();
            return;
        }
        ModalAnswerer::typeFileName(dialog, fileName);
        static_cast<QDialog *>(dialog)->accept();
    });
}

} // namespace

class DoViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void menus();
    void showsWholeDoFile();
    void switches_data();
    void switches();
    void noExportChangesNothing();
    void keepsTextAfterGridChanges();
    void saveAsWritesWhatIsShown();
    void saveAsCancelledWritesNothing();
    void saveAsUnwritableTellsUser();
    void closingHidesOnly();

private:
    QString shownText() const
    {
        return m_view->findChild<QPlainTextEdit *>("textEdit")->toPlainText();
    }
    QAction *action(const char *name) const { return m_view->findChild<QAction *>(name); }

    TemporaryWorkingDirectory *m_directory = nullptr;
    CellContentGrid m_grid;
    const StatisticCatalogue m_catalogue = meanCatalogue();
    const AreaCollection m_areas;
    DoFileModel m_model;
    QWidget *m_parent = nullptr;
    DoView *m_view = nullptr;
};

void DoViewTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    m_grid = exampleGrid();
    m_model = DoFileComposer(m_grid, m_catalogue, m_areas).buildModel("survey.dta");
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
    QCOMPARE(m_view->size(), QSize(800, 600));
    QVERIFY(m_view->isWindow());
    QCOMPARE(m_view->parentWidget(), m_parent);
    QWidget *central = m_view->centralWidget();
    QCOMPARE(central->objectName(), QStringLiteral("centralwidget"));
    QCOMPARE(central->layout()->objectName(), QStringLiteral("verticalLayout"));
    auto *edit = m_view->findChild<QPlainTextEdit *>("textEdit");
    QVERIFY(edit);
    QVERIFY(edit->isReadOnly());
    QCOMPARE(m_view->menuBar()->objectName(), QStringLiteral("menubar"));
}

void DoViewTest::menus()
{
    const QList<QAction *> menus = m_view->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus.at(0)->menu()->objectName(), QStringLiteral("fileMenu"));
    QCOMPARE(menus.at(0)->text(), QStringLiteral("File"));
    QCOMPARE(menus.at(1)->menu()->objectName(), QStringLiteral("viewCommandsMenu"));
    QCOMPARE(menus.at(1)->text(), QStringLiteral("View commands"));

    const QList<QAction *> file = menus.at(0)->menu()->actions();
    QCOMPARE(file.size(), 1);
    QCOMPARE(file.at(0)->objectName(), QStringLiteral("saveAsAction"));
    QCOMPARE(file.at(0)->text(), QStringLiteral("Save as..."));

    const QList<QAction *> view = menus.at(1)->menu()->actions();
    QCOMPARE(view.size(), 4);
    QCOMPARE(view.at(0)->objectName(), QStringLiteral("mainViewCommandsAction"));
    QCOMPARE(view.at(0)->text(), QStringLiteral("Main"));
    QCOMPARE(view.at(1)->objectName(), QStringLiteral("macroViewCommandsAction"));
    QCOMPARE(view.at(1)->text(), QStringLiteral("Macro"));
    QVERIFY(view.at(2)->isSeparator());
    QCOMPARE(view.at(3)->objectName(), QStringLiteral("noExportViewCommandsAction"));
    QCOMPARE(view.at(3)->text(), QStringLiteral("No Export"));
    for (int i : {0, 1, 3})
        QVERIFY(view.at(i)->isCheckable());
    QVERIFY(view.at(0)->isChecked());
    QVERIFY(view.at(1)->isChecked());
    QVERIFY(!view.at(3)->isChecked());
}

void DoViewTest::showsWholeDoFile()
{
    QCOMPARE(shownText(), m_model.toString(true, true, QString()));
    QVERIFY(shownText().contains("\nfile open outputFile using \"\", write text replace\n"));
    QVERIFY(shownText().contains("\nsummarize eta if ripartizione==1 & sesso==1\n"));
}

void DoViewTest::switches_data()
{
    QTest::addColumn<QStringList>("trigger");
    QTest::addColumn<bool>("showMain");
    QTest::addColumn<bool>("showMacro");
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
    QCOMPARE(shownText(), m_model.toString(showMain, showMacro, QString()));
    QCOMPARE(shownText().contains("summarize eta"), showMain);
    QCOMPARE(shownText().contains("local t_1_1 \"Ripartizione\""), showMacro);
    QCOMPARE(shownText().contains("local t_2_2: display %9.2f r(mean)"), showMacro);
    QVERIFY(shownText().startsWith("use \"survey.dta\"\ntempname tempMatrix\n"));
    QVERIFY(shownText().endsWith(m_model.exportSection(QString())));
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

void DoViewTest::keepsTextAfterGridChanges()
{
    const QString before = shownText();
    m_grid(0, 0).setSimpleText(QStringLiteral("Area"));
    m_grid(1, 1).clearContent();
    const DoFileModel changed = DoFileComposer(m_grid, m_catalogue, m_areas).buildModel("x.dta");
    QVERIFY(changed.toString(true, true, QString()) != before);
    action("macroViewCommandsAction")->trigger();
    action("macroViewCommandsAction")->trigger();
    QCOMPARE(shownText(), before);
}

void DoViewTest::saveAsWritesWhatIsShown()
{
    action("mainViewCommandsAction")->trigger();
    const QString target = m_directory->filePath("saved.do");
    FileDialogSeen seen;
    ModalAnswerer answerer;
    answerFileDialog(answerer, target, &seen);
    action("saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.seen(), QStringList{"QFileDialog"});
    QCOMPARE(seen.caption, QStringLiteral("Save do file"));
    QCOMPARE(seen.filters, QStringList({"Do files (*.do)", "Text Documents (*.txt)"}));
    QCOMPARE(seen.directory, QDir(m_directory->path()).canonicalPath());
    QCOMPARE(QString::fromUtf8(fileContents(target)), shownText());
    QVERIFY(!shownText().contains("summarize"));
}

void DoViewTest::saveAsCancelledWritesNothing()
{
    ModalAnswerer answerer;
    answerFileDialog(answerer, QString());
    action("saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(QDir(m_directory->path()).entryList(QDir::Files), QStringList());
}

void DoViewTest::saveAsUnwritableTellsUser()
{
    // A folder that does not exist: the file dialog finds nothing on disk to
    // match the name against (a file standing where the folder should be can
    // make it ask whether to replace that file), and the save cannot open it.
    const QString target = m_directory->filePath("missingFolder/saved.do");
    QString message;
    ModalAnswerer answerer;
    answerFileDialog(answerer, target);
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
