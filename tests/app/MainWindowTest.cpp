#include "app/MainWindow.h"

#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

// One smoke check of the main window's form, and of each information window.
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
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
