#include "app/MainWindow.h"

#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "model/DocumentModel.h"
#include "stata/DoView.h"
#include "stata/StataRunController.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

// One smoke check of the main window's form and of each information window,
// and the do-file viewer of the Stata menu.
class MainWindowTest : public QObject
{
    Q_OBJECT

    TemporaryWorkingDirectory m_directory;

private slots:
    // Each menu's entries in order, as "text shortcut", separators as "-",
    // submenus by their title.
    void menus()
    {
        MainWindow window;
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
        MainWindow window;
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
        MainWindow window;
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
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
