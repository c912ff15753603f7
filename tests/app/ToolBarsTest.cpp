#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/CellContent.h"
#include "model/DocumentModel.h"
#include "stata/DoFileComposer.h"
#include "table/AddAreaDialog.h"
#include "table/AreaManagementDialog.h"
#include "table/AssignAreaDialog.h"
#include "table/CellTextToolBar.h"
#include "table/FormatDialog.h"
#include "table/GenericToolBar.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QItemSelection>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

using Ranges = QList<GridFixture::Range>;

GridFixture::Range cellRange(int row, int column)
{
    return GridFixture::Range{row, column};
}

Statistic statistic(const QString &name, const QString &varName, const QString &format)
{
    Statistic result;
    result.statisticName = name;
    result.varName = varName;
    result.format = format;
    return result;
}

QStringList boxItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

QStringList listItems(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

void clickButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(which), Qt::LeftButton);
}

// Types a name and a condition into an add dialog and clicks OK.
ModalAnswerer::Handler addArea(const QString &name, const QString &condition,
                               QString *shownName = nullptr, QString *shownSelection = nullptr,
                               QString *shownCondition = nullptr)
{
    return [=](QWidget *dialog) {
        auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("nameLineEdit"));
        auto *conditionEdit = dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"));
        if (shownName)
            *shownName = nameEdit->text();
        if (shownSelection)
            *shownSelection = nameEdit->selectedText();
        if (shownCondition)
            *shownCondition = conditionEdit->text();
        nameEdit->selectAll();
        QTest::keyClicks(nameEdit, name);
        QTest::keyClicks(conditionEdit, condition);
        clickButton(dialog, QDialogButtonBox::Ok);
    };
}

// A handler's timer does not fire again while the handler runs, so a handler
// whose action opens another modal box (a confirmation, an add dialog) runs
// that action from the dialog's own event loop, where the next handler can
// answer the box.
ModalAnswerer::Handler inDialogLoop(const std::function<void(QWidget *)> &action)
{
    return [action](QWidget *dialog) {
        QTimer::singleShot(0, dialog, [action, dialog] { action(dialog); });
    };
}

} // namespace

class ToolBarsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void toolBarsStandOnTwoRows();
    void viewActionsShowAndHide();
    void selectionCases_data();
    void selectionCases();
    void nothingSelectedResetsEverything();
    void formatDialogOpensOnDefaultForAnEmptyFormat();
    void formatGoesToStatisticCellsOnly();
    void shortcutsWorkWhileTheGridHasFocus();
    void choosingAnAreaSelectsItsCells();
    void addingADuplicateNameWithBlanks();
    void addedAreaGoesLastUntilTheManagementDialogCloses();
    void removeWithNothingShownDoesNothing();
    void removeTheShownArea();
    void assignWithNoAreasRemovesAreas();
    void assignTheChosenArea();
    void deletingEveryAreaInTheManagementDialog();
    void editedConditionIsUsedByTheNextCommand();
    void managementDialogAddsAndSelectsTheNewArea();

private:
    void fillGrid();
    void selectAtOnce(const Ranges &ranges);
    void showWindow();
    GridFixture::At cell(int row, int column) { return GridFixture::at(m_table, row, column); }
    QToolButton *toolButton(const char *name)
    {
        return m_genericToolBar->findChild<QToolButton *>(QLatin1String(name));
    }
    QString resultText()
    {
        return m_genericToolBar->findChild<QLineEdit *>(QStringLiteral("resultLineEdit"))->text();
    }
    QString formatText()
    {
        return m_genericToolBar->findChild<QLineEdit *>(QStringLiteral("formatLineEdit"))->text();
    }
    QLineEdit *cellTextLine() { return m_cellTextToolBar->findChild<QLineEdit *>(); }
    QComboBox *areaBox() { return m_genericToolBar->areaComboBox(); }

    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
    TableWidget *m_table = nullptr;
    GenericToolBar *m_genericToolBar = nullptr;
    CellTextToolBar *m_cellTextToolBar = nullptr;
};

void ToolBarsTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    m_window = new MainWindow;
    m_table = m_window->tableWidget();
    m_genericToolBar = m_window->findChild<GenericToolBar *>(QStringLiteral("genericToolBar"));
    m_cellTextToolBar = m_window->findChild<CellTextToolBar *>(QStringLiteral("cellTextToolBar"));
    QVERIFY(m_genericToolBar);
    QVERIFY(m_cellTextToolBar);
    m_window->statisticCatalogue()->insert(QStringLiteral("mean"),
                                           Command(QStringLiteral("mean"),
                                                   QStringLiteral("summarize #var #if"),
                                                   QStringLiteral("r(mean)"), T::Scalar, 1, 1));
}

void ToolBarsTest::cleanup()
{
    delete m_window;
    delete m_directory;
}

void ToolBarsTest::showWindow()
{
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

// Row 0: two statistic cells of "mean" with different formats and a void
// cell, all in area north, then a void cell without area. Row 1: a condition,
// a simple text, a statistic missing from the catalogue, a statistic without
// format.
void ToolBarsTest::fillGrid()
{
    m_window->areas()->insert(Area(QStringLiteral("north"), QStringLiteral("region==1")));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    cell(0, 0).setStatistic(
        statistic(QStringLiteral("mean"), QStringLiteral("income"), QStringLiteral("%9.2f")));
    cell(0, 1).setStatistic(
        statistic(QStringLiteral("mean"), QStringLiteral("age"), QStringLiteral("%9.3f")));
    for (int column = 0; column < 3; ++column)
        cell(0, column).setArea(QStringLiteral("north"));
    cell(1, 0).addMicroCondition(MicroCondition(QStringLiteral("1"), QStringLiteral("Male"),
                                                QStringLiteral("sex"), QStringLiteral("Sex")));
    cell(1, 0).addMicroCondition(MicroCondition(QStringLiteral("1"), QStringLiteral("Employed"),
                                                QStringLiteral("work"), QStringLiteral("Work")));
    cell(1, 1).setSimpleText(QStringLiteral("Total"));
    cell(1, 2).setStatistic(
        statistic(QStringLiteral("ghost"), QStringLiteral("income"), QStringLiteral("%5.0f")));
    cell(1, 3).setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("age"), QString()));
}

void ToolBarsTest::selectAtOnce(const Ranges &ranges)
{
    GridFixture::selectAtOnce(*m_table, ranges);
}

void ToolBarsTest::toolBarsStandOnTwoRows()
{
    QCOMPARE(m_window->toolBarArea(m_cellTextToolBar), Qt::TopToolBarArea);
    QCOMPARE(m_window->toolBarArea(m_genericToolBar), Qt::TopToolBarArea);
    QVERIFY(m_window->toolBarBreak(m_genericToolBar));
    showWindow();
    QVERIFY(m_cellTextToolBar->geometry().bottom() < m_genericToolBar->geometry().top());
    QVERIFY(m_genericToolBar->geometry().bottom() <= m_table->geometry().top());
}

void ToolBarsTest::viewActionsShowAndHide()
{
    showWindow();
    auto *cellTextAction = m_window->findChild<QAction *>(QStringLiteral("cellTextBarViewAction"));
    auto *toolBarAction = m_window->findChild<QAction *>(QStringLiteral("toolBarViewAction"));
    cellTextAction->trigger();
    QVERIFY(!m_cellTextToolBar->isVisible());
    cellTextAction->trigger();
    QVERIFY(m_cellTextToolBar->isVisible());
    toolBarAction->trigger();
    QVERIFY(!m_genericToolBar->isVisible());
    QVERIFY(!toolBarAction->isChecked());
    toolBarAction->trigger();
    QVERIFY(m_genericToolBar->isVisible());
}

void ToolBarsTest::selectionCases_data()
{
    QTest::addColumn<Ranges>("before");
    QTest::addColumn<Ranges>("ranges");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("formatButton");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("cellText");
    QTest::addColumn<QString>("cellColour");

    // "*" stands for the final command of the single selected cell.
    const QString finalCommand = QStringLiteral("*");
    QTest::newRow("one statistic") << Ranges() << Ranges{cellRange(0, 0)} << "r(mean)"
                                   << "%9.2f" << true << "north" << finalCommand << "color: purple";
    QTest::newRow("same statistic, different formats")
        << Ranges{cellRange(1, 1)} << Ranges{GridFixture::Range{0, 0, 0, 1}} << "r(mean)"
        << QString() << true << "north"
        << "Total"
        << "color: blue";
    QTest::newRow("statistic and void cell")
        << Ranges{cellRange(0, 0)} << Ranges{cellRange(0, 0), cellRange(0, 3)} << QString()
        << "%9.2f" << true << QString() << finalCommand << "color: purple";
    QTest::newRow("three cells in north")
        << Ranges() << Ranges{GridFixture::Range{0, 0, 0, 2}} << QString() << QString() << true
        << "north" << QString() << QString();
    QTest::newRow("one of them without area")
        << Ranges() << Ranges{GridFixture::Range{0, 0, 0, 3}} << QString() << QString() << true
        << QString() << QString() << QString();
    QTest::newRow("void cell with area")
        << Ranges{cellRange(1, 1)} << Ranges{cellRange(0, 2)} << QString() << QString() << false
        << "north" << QString() << "color: blue";
    QTest::newRow("void cell") << Ranges() << Ranges{cellRange(0, 3)} << QString() << QString()
                               << false << QString() << QString() << QString();
    QTest::newRow("statistic missing from the catalogue")
        << Ranges() << Ranges{cellRange(1, 2)} << QString() << "%5.0f" << true << QString()
        << finalCommand << "color: purple";
    QTest::newRow("statistic without format")
        << Ranges() << Ranges{cellRange(1, 3)} << "r(mean)" << QString() << true << QString()
        << finalCommand << "color: purple";
    QTest::newRow("condition") << Ranges() << Ranges{cellRange(1, 0)} << QString() << QString()
                               << false << QString() << "Male | Employed"
                               << "color: green";
    QTest::newRow("simple text") << Ranges() << Ranges{cellRange(1, 1)} << QString() << QString()
                                 << false << QString() << "Total"
                                 << "color: blue";
}

void ToolBarsTest::selectionCases()
{
    QFETCH(Ranges, before);
    QFETCH(Ranges, ranges);
    fillGrid();
    if (!before.isEmpty())
        selectAtOnce(before);
    selectAtOnce(ranges);
    QTEST(resultText(), "result");
    QTEST(formatText(), "format");
    QTEST(toolButton("formatToolButton")->isEnabled(), "formatButton");
    QFETCH(QString, area);
    QCOMPARE(areaBox()->currentIndex() >= 0 ? areaBox()->currentText() : QString(), area);
    QFETCH(QString, cellText);
    if (cellText == QLatin1String("*")) {
        const GridFixture::Range single = (before.isEmpty() ? ranges : before).first();
        cellText = m_table->finalCommand(single.top, single.left);
    }
    QCOMPARE(cellTextLine()->text(), cellText);
    QFETCH(QString, cellColour);
    if (!cellColour.isEmpty())
        QCOMPARE(cellTextLine()->styleSheet(), cellColour);
}

void ToolBarsTest::nothingSelectedResetsEverything()
{
    fillGrid();
    selectAtOnce({cellRange(0, 0)});
    QVERIFY(!resultText().isEmpty());
    QVERIFY(!cellTextLine()->text().isEmpty());
    QCOMPARE(areaBox()->currentText(), QStringLiteral("north"));

    m_table->clearSelection();
    QVERIFY(resultText().isEmpty());
    QVERIFY(formatText().isEmpty());
    QVERIFY(!toolButton("formatToolButton")->isEnabled());
    QCOMPARE(areaBox()->currentIndex(), -1);
    QVERIFY(cellTextLine()->text().isEmpty());
}

void ToolBarsTest::formatDialogOpensOnDefaultForAnEmptyFormat()
{
    fillGrid();
    selectAtOnce({cellRange(1, 3)});
    QVERIFY(formatText().isEmpty());
    QVERIFY(toolButton("formatToolButton")->isEnabled());
    ModalAnswerer answerer;
    QString openedOn;
    answerer.answerDialog<FormatDialog>(
        [&openedOn](FormatDialog *dialog) { openedOn = dialog->format(); });
    QTest::mouseClick(toolButton("formatToolButton"), Qt::LeftButton);
    QCOMPARE(openedOn, QStringLiteral("%3.1f"));
    QCOMPARE(cell(1, 3).content().statistic().format, QStringLiteral("%3.1f"));
    QCOMPARE(formatText(), QStringLiteral("%3.1f"));
}

void ToolBarsTest::formatGoesToStatisticCellsOnly()
{
    fillGrid();
    // Three statistic cells and a void cell.
    selectAtOnce({GridFixture::Range{0, 0, 0, 1}, cellRange(1, 2), cellRange(0, 3)});
    QVERIFY(formatText().isEmpty());
    ModalAnswerer answerer;
    answerer.answerDialog<FormatDialog>([](FormatDialog *dialog) {
        auto *fixed = dialog->findChild<QRadioButton *>(QStringLiteral("fixedNumericRadioButton"));
        QTest::mouseClick(fixed, Qt::LeftButton);
        auto *commas = dialog->findChild<QCheckBox *>(
            QStringLiteral("numericUseCommasInNumericOutputCheckBox"));
        QTest::mouseClick(commas, Qt::LeftButton);
    });
    QTest::mouseClick(toolButton("formatToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    const QString chosen = QStringLiteral("%3.1fc");
    QCOMPARE(formatText(), chosen);
    QCOMPARE(cell(0, 0).content().statistic().format, chosen);
    QCOMPARE(cell(0, 1).content().statistic().format, chosen);
    QCOMPARE(cell(1, 2).content().statistic().format, chosen);
    QCOMPARE(cell(0, 3).content().dataType(), T::Void);
    QCOMPARE(cell(0, 3).content().statistic().format, QString());
    // Cells outside the selection keep theirs.
    QCOMPARE(cell(1, 3).content().statistic().format, QString());
}

void ToolBarsTest::shortcutsWorkWhileTheGridHasFocus()
{
    showWindow();
    m_table->setFocus();
    QTRY_VERIFY(m_table->hasFocus());
    QSignalSpy run(m_genericToolBar, &GenericToolBar::quorinFlashToolButtonClicked);
    QSignalSpy start(m_genericToolBar, &GenericToolBar::startStataToolButtonClicked);
    // Nothing is set up for a run yet, so each command reaches the main
    // window's first question, which the test declines.
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) { dialog->close(); });
    QString question;
    answerer.answerMessageBox(QMessageBox::Cancel, &question);

    QTest::keyClick(m_table, Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(run.size(), 1);
    QCOMPARE(start.size(), 0);
    QTRY_COMPARE(answerer.seen(), QStringList{QStringLiteral("QuorinDialog")});
    // Back in the window, as after any dialog.
    m_window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), m_window);
    m_table->setFocus();
    QTRY_VERIFY(m_table->hasFocus());
    QTest::keyClick(m_table, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(start.size(), 1);
    QCOMPARE(run.size(), 1);
    QTRY_COMPARE(answerer.seen().size(), 2);
    QCOMPARE(answerer.seen().last(), QStringLiteral("QMessageBox"));
    QCOMPARE(question, QStringLiteral("No Stata executable file name was set."));
}

void ToolBarsTest::choosingAnAreaSelectsItsCells()
{
    fillGrid();
    m_window->areas()->insert(Area(QStringLiteral("south"), QString()));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    cell(4, 4).setArea(QStringLiteral("south"));
    showWindow();
    areaBox()->setFocus();
    // Down moves to the next name and activates it, as choosing from the list does.
    areaBox()->setCurrentIndex(-1);
    QTest::keyClick(areaBox(), Qt::Key_Down);
    QCOMPARE(areaBox()->currentText(), QStringLiteral("north"));
    QList<QPair<int, int>> selected;
    for (const QModelIndex &index : m_table->selectionModel()->selectedIndexes())
        selected.append({index.row(), index.column()});
    std::sort(selected.begin(), selected.end());
    QCOMPARE(selected, (QList<QPair<int, int>>{{0, 0}, {0, 1}, {0, 2}}));

    QTest::keyClick(areaBox(), Qt::Key_Down);
    QCOMPARE(m_table->selectionModel()->selectedIndexes().size(), 1);
    QCOMPARE(m_table->selectionModel()->selectedIndexes().first(), m_table->model()->index(4, 4));
}

void ToolBarsTest::addingADuplicateNameWithBlanks()
{
    ModalAnswerer answerer;
    QString message, shownName, shownSelection, shownCondition = QStringLiteral("unset");
    answerer.enqueue(addArea(QStringLiteral("north"), QStringLiteral("region==1")));
    QTest::mouseClick(toolButton("addAreaToolButton"), Qt::LeftButton);
    QCOMPARE(boxItems(areaBox()), QStringList{QStringLiteral("north")});

    answerer.enqueue(addArea(QStringLiteral(" north "), QStringLiteral("region==2")));
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    answerer.enqueue([&](QWidget *dialog) {
        auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("nameLineEdit"));
        shownName = nameEdit->text();
        shownSelection = nameEdit->selectedText();
        shownCondition =
            dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"))->text();
        clickButton(dialog, QDialogButtonBox::Cancel);
    });
    QTest::mouseClick(toolButton("addAreaToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.seen().mid(1),
             (QStringList{"AddAreaDialog", "QMessageBox", "AddAreaDialog"}));
    QCOMPARE(message,
             QStringLiteral("The area name north already exists.\nPlease choose another name"));
    QCOMPARE(shownName, QStringLiteral("north"));
    QCOMPARE(shownSelection, QStringLiteral("north"));
    QCOMPARE(shownCondition, QString());
    QCOMPARE(m_window->areas()->names(), QStringList{QStringLiteral("north")});
    QCOMPARE(m_window->areas()->area(QStringLiteral("north")).condition(),
             QStringLiteral("region==1"));
    QCOMPARE(boxItems(areaBox()), QStringList{QStringLiteral("north")});
}

void ToolBarsTest::addedAreaGoesLastUntilTheManagementDialogCloses()
{
    m_window->areas()->insert(Area(QStringLiteral("b"), QString()));
    m_window->areas()->insert(Area(QStringLiteral("a"), QString()));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    QCOMPARE(boxItems(areaBox()), (QStringList{"a", "b"}));

    ModalAnswerer answerer;
    answerer.enqueue(addArea(QStringLiteral("A"), QStringLiteral("x==1")));
    QTest::mouseClick(toolButton("addAreaToolButton"), Qt::LeftButton);
    QCOMPARE(boxItems(areaBox()), (QStringList{"a", "b", "A"}));
    // The box still shows what the selection has: nothing.
    QCOMPARE(areaBox()->currentIndex(), -1);
    QCOMPARE(m_window->areas()->area(QStringLiteral("A")).condition(), QStringLiteral("x==1"));

    answerer.enqueue([](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Area management"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("closeButton")),
                          Qt::LeftButton);
    });
    QTest::mouseClick(toolButton("areaManagementToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.seen().last(), QStringLiteral("AreaManagementDialog"));
    QCOMPARE(boxItems(areaBox()), (QStringList{"A", "a", "b"}));
}

void ToolBarsTest::removeWithNothingShownDoesNothing()
{
    fillGrid();
    m_table->clearSelection();
    QCOMPARE(areaBox()->currentIndex(), -1);
    QTest::mouseClick(toolButton("removeAreaToolButton"), Qt::LeftButton);
    QCOMPARE(m_window->areas()->names(), QStringList{QStringLiteral("north")});
    QCOMPARE(boxItems(areaBox()), QStringList{QStringLiteral("north")});
    QCOMPARE(cell(0, 0).content().area(), QStringLiteral("north"));
}

void ToolBarsTest::removeTheShownArea()
{
    fillGrid();
    m_window->areas()->insert(Area(QStringLiteral("south"), QStringLiteral("region==2")));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    cell(5, 5).setArea(QStringLiteral("south"));
    selectAtOnce({cellRange(0, 2)});
    QCOMPARE(areaBox()->currentText(), QStringLiteral("north"));

    QTest::mouseClick(toolButton("removeAreaToolButton"), Qt::LeftButton);
    QCOMPARE(m_window->areas()->names(), QStringList{QStringLiteral("south")});
    QCOMPARE(boxItems(areaBox()), QStringList{QStringLiteral("south")});
    QCOMPARE(areaBox()->currentIndex(), -1);
    for (int column = 0; column < 3; ++column)
        QCOMPARE(cell(0, column).content().area(), QString());
    QCOMPARE(cell(5, 5).content().area(), QStringLiteral("south"));
    // The statistic's command no longer carries the removed condition.
    QCOMPARE(m_table->finalCommand(0, 0), QStringLiteral("summarize income "));
}

void ToolBarsTest::assignWithNoAreasRemovesAreas()
{
    cell(2, 2).setArea(QStringLiteral("gone"));
    cell(2, 3).setArea(QStringLiteral("gone"));
    cell(3, 3).setArea(QStringLiteral("kept"));
    selectAtOnce({GridFixture::Range{2, 2, 2, 3}});
    ModalAnswerer answerer;
    int listed = -1;
    answerer.enqueue([&listed](QWidget *dialog) {
        listed = dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"))->count();
        clickButton(dialog, QDialogButtonBox::Ok);
    });
    QTest::mouseClick(toolButton("assignAreaToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("AssignAreaDialog")});
    QCOMPARE(listed, 0);
    QCOMPARE(cell(2, 2).content().area(), QString());
    QCOMPARE(cell(2, 3).content().area(), QString());
    QCOMPARE(cell(3, 3).content().area(), QStringLiteral("kept"));
    QCOMPARE(areaBox()->currentIndex(), -1);
}

void ToolBarsTest::assignTheChosenArea()
{
    fillGrid();
    m_window->areas()->insert(Area(QStringLiteral("south"), QStringLiteral("region==2")));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    selectAtOnce({cellRange(1, 3), cellRange(1, 1)});
    ModalAnswerer answerer;
    QString condition;
    answerer.enqueue([&condition](QWidget *dialog) {
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"));
        list->setCurrentRow(1);
        condition = dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"))->text();
        clickButton(dialog, QDialogButtonBox::Ok);
    });
    QTest::mouseClick(toolButton("assignAreaToolButton"), Qt::LeftButton);
    QCOMPARE(condition, QStringLiteral("region==2"));
    QCOMPARE(cell(1, 3).content().area(), QStringLiteral("south"));
    QCOMPARE(cell(1, 1).content().area(), QStringLiteral("south"));
    QCOMPARE(areaBox()->currentText(), QStringLiteral("south"));
    QCOMPARE(m_table->finalCommand(1, 3), QStringLiteral("summarize age if (region==2)"));

    // Cancel assigns nothing.
    selectAtOnce({cellRange(0, 3)});
    answerer.enqueue([](QWidget *dialog) { clickButton(dialog, QDialogButtonBox::Cancel); });
    QTest::mouseClick(toolButton("assignAreaToolButton"), Qt::LeftButton);
    QCOMPARE(cell(0, 3).content().area(), QString());
}

void ToolBarsTest::deletingEveryAreaInTheManagementDialog()
{
    fillGrid();
    m_window->areas()->insert(Area(QStringLiteral("south"), QStringLiteral("region==2")));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    cell(5, 5).setArea(QStringLiteral("south"));

    ModalAnswerer answerer;
    QString question;
    bool removeEnabledBefore = false, removeEnabledAfter = true, conditionEnabledAfter = true;
    QString conditionAfter = QStringLiteral("unset");
    QStringList listedAfter = {QStringLiteral("unset")};
    answerer.enqueue(inDialogLoop([&](QWidget *dialog) {
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"));
        auto *remove = dialog->findChild<QToolButton *>(QStringLiteral("removeAreaButton"));
        auto *condition = dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"));
        removeEnabledBefore = remove->isEnabled();
        list->selectAll();
        QTest::mouseClick(remove, Qt::LeftButton);
        removeEnabledAfter = remove->isEnabled();
        conditionEnabledAfter = condition->isEnabled();
        conditionAfter = condition->text();
        listedAfter = listItems(list);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("closeButton")),
                          Qt::LeftButton);
    }));
    answerer.answerMessageBox(QMessageBox::Ok, &question);
    QTest::mouseClick(toolButton("areaManagementToolButton"), Qt::LeftButton);

    QCOMPARE(answerer.seen(), (QStringList{"AreaManagementDialog", "QMessageBox"}));
    QCOMPARE(question, QStringLiteral("Do you want to remove selected area(s)?"));
    QVERIFY(removeEnabledBefore);
    QVERIFY(!removeEnabledAfter);
    QVERIFY(!conditionEnabledAfter);
    QCOMPARE(conditionAfter, QString());
    QCOMPARE(listedAfter, QStringList());
    QVERIFY(m_window->areas()->isEmpty());
    QCOMPARE(areaBox()->count(), 0);
    QCOMPARE(cell(0, 0).content().area(), QString());
    QCOMPARE(cell(5, 5).content().area(), QString());
}

void ToolBarsTest::editedConditionIsUsedByTheNextCommand()
{
    fillGrid();
    ModalAnswerer answerer;
    QStringList conditionsWhileTyping;
    bool conditionEnabled = false;
    answerer.enqueue([&](QWidget *dialog) {
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"));
        auto *condition = dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("north"));
        conditionEnabled = condition->isEnabled();
        condition->setFocus();
        condition->selectAll();
        for (const QChar character : QStringLiteral("age>=18 ")) {
            QTest::keyClick(condition, character.toLatin1());
            conditionsWhileTyping.append(
                m_window->areas()->area(QStringLiteral("north")).condition());
        }
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("closeButton")),
                          Qt::LeftButton);
    });
    QTest::mouseClick(toolButton("areaManagementToolButton"), Qt::LeftButton);
    QVERIFY(conditionEnabled);
    // Each keystroke is stored at once, trimmed.
    QCOMPARE(conditionsWhileTyping,
             (QStringList{"a", "ag", "age", "age>", "age>=", "age>=1", "age>=18", "age>=18"}));
    const DoFileComposer composer(m_table->cells()->cells(), *m_window->statisticCatalogue(),
                                  *m_window->areas());
    QCOMPARE(composer.finalCommand(0, 0), QStringLiteral("summarize income if (age>=18)"));
    QCOMPARE(m_table->finalCommand(0, 1), QStringLiteral("summarize age if (age>=18)"));
}

void ToolBarsTest::managementDialogAddsAndSelectsTheNewArea()
{
    fillGrid();
    m_window->areas()->insert(Area(QStringLiteral("south"), QStringLiteral("region==2")));
    m_genericToolBar->refreshAreaBox(*m_window->areas());

    ModalAnswerer answerer;
    QStringList selectedAfter;
    QString currentAfter, conditionAfter, message;
    answerer.enqueue(inDialogLoop([&](QWidget *dialog) {
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("areaListWidget"));
        list->selectAll();
        QTest::mouseClick(dialog->findChild<QToolButton *>(QStringLiteral("addAreaButton")),
                          Qt::LeftButton);
        for (const QListWidgetItem *item : list->selectedItems())
            selectedAfter.append(item->text());
        currentAfter = list->currentItem()->text();
        conditionAfter =
            dialog->findChild<QLineEdit *>(QStringLiteral("conditionLineEdit"))->text();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("closeButton")),
                          Qt::LeftButton);
    }));
    // A name of the collection is refused, then a new one is taken.
    answerer.enqueue(addArea(QStringLiteral("south "), QStringLiteral("x==0")));
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    answerer.enqueue(addArea(QStringLiteral("East"), QStringLiteral(" region==3 ")));
    QTest::mouseClick(toolButton("areaManagementToolButton"), Qt::LeftButton);

    QCOMPARE(message,
             QStringLiteral("The area name south already exists.\nPlease choose another name"));
    QCOMPARE(selectedAfter, QStringList{QStringLiteral("East")});
    QCOMPARE(currentAfter, QStringLiteral("East"));
    QCOMPARE(conditionAfter, QStringLiteral("region==3"));
    QCOMPARE(m_window->areas()->area(QStringLiteral("south")).condition(),
             QStringLiteral("region==2"));
    QCOMPARE(boxItems(areaBox()), (QStringList{"East", "north", "south"}));
}

QTEST_MAIN(ToolBarsTest)
#include "ToolBarsTest.moc"
