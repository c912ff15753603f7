#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/DocumentModel.h"
#include "panel/VariablesWidget.h"
#include "table/TableWidget.h"
#include "table/VariableListWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class MainWindowPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void panelIsDockedLeftAndVisible();
    void closingThePanelUnchecksVariables();
    void uncheckingVariablesHidesThePanel();
    void panelEditsTheWindowsCatalogue();
    void removingAStatisticEmptiesTheCellsShowingIt();

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
    VariablesWidget *m_panel = nullptr;
    QAction *m_viewVariableAction = nullptr;
};

void MainWindowPanelTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_panel = m_window->findChild<VariablesWidget *>(QStringLiteral("variablesDockWidget"));
    m_viewVariableAction = m_window->findChild<QAction *>(QStringLiteral("viewVariableAction"));
    QVERIFY(m_panel);
    QVERIFY(m_viewVariableAction);
}

void MainWindowPanelTest::cleanup()
{
    delete m_window;
    delete m_directory;
}

void MainWindowPanelTest::panelIsDockedLeftAndVisible()
{
    QCOMPARE(m_panel->parent(), m_window);
    QCOMPARE(m_window->dockWidgetArea(m_panel), Qt::LeftDockWidgetArea);
    QVERIFY(!m_panel->isFloating());
    QVERIFY(m_panel->isVisible());
    QVERIFY(m_viewVariableAction->isChecked());
}

void MainWindowPanelTest::closingThePanelUnchecksVariables()
{
    auto *closeButton =
        m_panel->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_closebutton"));
    QVERIFY(closeButton);
    QVERIFY(closeButton->isVisible());
    QTest::mouseClick(closeButton, Qt::LeftButton);
    QTRY_VERIFY(!m_panel->isVisible());
    QVERIFY(!m_viewVariableAction->isChecked());

    m_viewVariableAction->trigger();
    QTRY_VERIFY(m_panel->isVisible());
    QVERIFY(m_viewVariableAction->isChecked());
    QCOMPARE(m_window->dockWidgetArea(m_panel), Qt::LeftDockWidgetArea);
}

void MainWindowPanelTest::uncheckingVariablesHidesThePanel()
{
    m_viewVariableAction->trigger();
    QVERIFY(!m_viewVariableAction->isChecked());
    QTRY_VERIFY(!m_panel->isVisible());
    m_viewVariableAction->trigger();
    QTRY_VERIFY(m_panel->isVisible());
}

void MainWindowPanelTest::panelEditsTheWindowsCatalogue()
{
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("nameLineEdit")),
                         QStringLiteral("mean"));
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("commandFormatLineEdit")),
                         QStringLiteral("summarize #var #if"));
        dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Ok)
            ->click();
    });
    m_panel->findChild<QToolButton *>(QStringLiteral("addStatisticToolButton"))->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(m_window->statisticCatalogue()->keys(), QStringList{"mean"});
    QCOMPARE(m_window->statisticCatalogue()->value(QStringLiteral("mean")).format(),
             QStringLiteral("summarize #var #if"));
}

void MainWindowPanelTest::removingAStatisticEmptiesTheCellsShowingIt()
{
    m_window->document()->setStatistics(
        {Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                 QStringLiteral("r(mean)"), T::Scalar, 1, 1),
         Command(QStringLiteral("sd"), QStringLiteral("summarize #var #if"),
                 QStringLiteral("r(sd)"), T::Scalar, 1, 1)});
    m_window->document()->addVariable(
        Variable(QStringLiteral("income"), QStringLiteral("Income"), 0));
    auto *variables =
        m_panel->findChild<VariableListWidget *>(QStringLiteral("variableListWidget"));
    auto *statistics = m_panel->findChild<QComboBox *>(QStringLiteral("statisticComboBox"));
    variables->setCurrentItem(variables->topLevelItem(0));

    // Place what a drag from the variable list carries, as the grid receives it.
    TableWidget *grid = m_window->tableWidget();
    const auto dropChosenStatistic = [&](int row, int column) {
        const std::unique_ptr<StatisticMimeData> payload = variables->createStatisticMimeData();
        grid->clearSelection();
        grid->dropPayload(row, column, payload.get(), QStringLiteral("variableListWidget"));
    };
    dropChosenStatistic(0, 0);
    dropChosenStatistic(2, 3);
    statistics->setCurrentText(QStringLiteral("sd"));
    dropChosenStatistic(1, 1);
    QCOMPARE(GridFixture::at(grid, 0, 0).content().dataType(), T::Statistic);
    QCOMPARE(GridFixture::at(grid, 2, 3).content().statistic().statisticName,
             QStringLiteral("mean"));

    statistics->setCurrentText(QStringLiteral("mean"));
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Yes);
    m_panel->findChild<QToolButton *>(QStringLiteral("removeStatisticToolButton"))->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(GridFixture::at(grid, 0, 0).content().dataType(), T::Void);
    QCOMPARE(GridFixture::at(grid, 2, 3).content().dataType(), T::Void);
    QCOMPARE(GridFixture::at(grid, 1, 1).content().dataType(), T::Statistic);
    QCOMPARE(GridFixture::at(grid, 1, 1).content().statistic().statisticName, QStringLiteral("sd"));
    QCOMPARE(statistics->currentText(), QStringLiteral("sd"));
}

QTEST_MAIN(MainWindowPanelTest)
#include "MainWindowPanelTest.moc"
