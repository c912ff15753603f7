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

    void informationDialogs_data()
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

    // Each opens modally with its title and its text, and closes.
    void informationDialogs()
    {
        QFETCH(QString, button);
        MainWindow window;
        ModalAnswerer answerer;
        QString title, texts;
        answerer.enqueue([&](QWidget *widget) {
            title = widget->windowTitle();
            for (const QLabel *label : widget->findChildren<QLabel *>())
                texts += label->text();
            for (const QWidget *edit : widget->findChildren<QWidget *>(QStringLiteral("textEdit")))
                texts += edit->property("plainText").toString();
            widget->findChild<QPushButton *>(button)->click();
        });
        QFETCH(QString, action);
        window.findChild<QAction *>(action)->trigger();
        QCOMPARE(answerer.pending(), 0);
        QTEST(title, "title");
        QFETCH(QString, shows);
        QVERIFY(texts.contains(shows));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
