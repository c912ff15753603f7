#include "GridFixture.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/DocumentModel.h"
#include "stata/DoView.h"
#include "stata/StataRunController.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QString shownText(const DoView *view)
{
    return view->findChild<QPlainTextEdit *>("textEdit")->toPlainText();
}

} // namespace

// "View output do file" from the Stata menu, on the main window's own grid.
class MainWindowDoFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensViewerOnTheGrid();
    void viewerKeepsItsTextAfterEdits();

private:
    void trigger() { m_window->findChild<QAction *>("viewOutputDoFileAction")->trigger(); }
    QList<DoView *> viewers() const
    {
        return m_window->findChildren<DoView *>(QString(), Qt::FindDirectChildrenOnly);
    }

    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
};

void MainWindowDoFileTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    m_window = new MainWindow;
    m_window->statisticCatalogue()->insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                                           Command::ResultType::Scalar, 1, 1));
    TableWidget *table = m_window->tableWidget();
    m_window->document()->setStataDatasetFileName(QStringLiteral("survey.dta"));
    m_window->document()->setOutputFileName(QStringLiteral("table.csv"));
    GridFixture::at(table, 0, 1)
        .addMicroCondition(MicroCondition("2", "Femmina", "sesso", "Sesso"));
    GridFixture::at(table, 1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%5.1f"});
}

void MainWindowDoFileTest::cleanup()
{
    delete m_window;
    delete m_directory;
}

void MainWindowDoFileTest::opensViewerOnTheGrid()
{
    QVERIFY(viewers().isEmpty());
    trigger();
    QCOMPARE(viewers().size(), 1);
    DoView *view = viewers().first();
    QVERIFY(view->isVisible());
    QVERIFY(view->isWindow());
    QCOMPARE(view->parentWidget(), m_window);
    const QString text = shownText(view);
    QCOMPARE(
        text,
        StataRunController::doFileModel(*m_window->document()).toString(true, true, QString()));
    QVERIFY(text.startsWith("use \"survey.dta\"\ntempname tempMatrix\nlocal t_1_2 \"Femmina\"\n"
                            "summarize eta if sesso==2\nlocal t_2_2: display %5.1f r(mean)\n"
                            "local nRow 50\nlocal nCol 15\n"));
    // The viewer shows no output file, whatever the grid's is.
    QVERIFY(text.contains("\nfile open outputFile using \"\", write text replace\n"));
}

void MainWindowDoFileTest::viewerKeepsItsTextAfterEdits()
{
    trigger();
    DoView *first = viewers().first();
    const QString before = shownText(first);
    GridFixture::at(m_window->tableWidget(), 1, 1).clearContent();
    GridFixture::at(m_window->tableWidget(), 0, 0).setSimpleText(QStringLiteral("Età media"));
    QCOMPARE(shownText(first), before);

    trigger();
    QCOMPARE(viewers().size(), 2);
    DoView *second = viewers().last();
    QVERIFY(second != first);
    QVERIFY(shownText(second).contains("\nlocal t_1_1 \"Età media\"\n"));
    QVERIFY(!shownText(second).contains("summarize"));

    // Closing hides a viewer; it stays with the main window.
    QVERIFY(first->close());
    QVERIFY(!first->isVisible());
    QCOMPARE(viewers().size(), 2);
    QCOMPARE(shownText(first), before);
}

QTEST_MAIN(MainWindowDoFileTest)
#include "MainWindowDoFileTest.moc"
