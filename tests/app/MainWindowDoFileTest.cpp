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

// "View output do file" from the Stata menu shows the do-file of the main
// window's own grid, as it is when asked, in a viewer of its own.
class MainWindowDoFileTest : public QObject
{
    Q_OBJECT

    DoView *viewOutputDoFile(MainWindow &window)
    {
        window.findChild<QAction *>("viewOutputDoFileAction")->trigger();
        return window.findChildren<DoView *>(QString(), Qt::FindDirectChildrenOnly).last();
    }
    static QString shownText(const DoView *view)
    {
        return view->findChild<QPlainTextEdit *>("textEdit")->toPlainText();
    }

private slots:
    void viewerShowsTheGridAsItWas()
    {
        TemporaryWorkingDirectory directory;
        MainWindow window;
        window.statisticCatalogue()->insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                                            Command::ResultType::Scalar, 1, 1));
        window.document()->setStataDatasetFileName(QStringLiteral("survey.dta"));
        window.document()->setOutputFileName(QStringLiteral("table.csv"));
        TableWidget *table = window.tableWidget();
        GridFixture::at(table, 0, 1)
            .addMicroCondition(MicroCondition("2", "Femmina", "sesso", "Sesso"));
        GridFixture::at(table, 1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%5.1f"});

        DoView *first = viewOutputDoFile(window);
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
        DoView *second = viewOutputDoFile(window);
        QVERIFY(second != first);
        QVERIFY(shownText(second).contains("\nlocal t_1_1 \"Età media\"\n"));
        QVERIFY(!shownText(second).contains("summarize"));
    }
};

QTEST_MAIN(MainWindowDoFileTest)
#include "MainWindowDoFileTest.moc"
