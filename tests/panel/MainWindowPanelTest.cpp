#include "DialogControls.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "panel/VariablesWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>

// The panel's own behaviour is tested on the panel alone, and its edits of the
// window's document by the window's command tests: here only its place.
class MainWindowPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void panelIsDockedLeftAndFollowsItsAction()
    {
        TemporaryWorkingDirectory directory;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *panel = namedChild<VariablesWidget>(&window, QStringLiteral("variablesDockWidget"));
        auto *action = namedChild<QAction>(&window, QStringLiteral("viewVariableAction"));
        QCOMPARE(window.dockWidgetArea(panel), Qt::LeftDockWidgetArea);
        QVERIFY(!panel->isFloating() && panel->isVisible() && action->isChecked());

        // Closed by its own button, the action is unchecked; the action brings it back.
        QTest::mouseClick(namedChild<QAbstractButton>(panel, "qt_dockwidget_closebutton"),
                          Qt::LeftButton);
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(!action->isChecked());
        action->trigger();
        QTRY_VERIFY(panel->isVisible());
        QVERIFY(action->isChecked());
    }
};

QTEST_MAIN(MainWindowPanelTest)
#include "MainWindowPanelTest.moc"
