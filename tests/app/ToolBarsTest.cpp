#include "CellBuilders.h"
#include "DataRows.h"
#include "DialogControls.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/CellContent.h"
#include "model/DocumentModel.h"
#include "table/CellTextToolBar.h"
#include "table/FormatDialog.h"
#include "table/GenericToolBar.h"
#include "table/TableWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
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
using CellBuilders::statistic;

QStringList boxItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

template <typename Widget>
Widget *child(QWidget *dialog, const char *name)
{
    return namedChild<Widget>(dialog, QLatin1String(name));
}

void clickClose(QWidget *dialog)
{
    child<QPushButton>(dialog, "closeButton")->click();
}

// Types a name and a condition into an add dialog and clicks OK.
ModalAnswerer::Handler addArea(const QString &name, const QString &condition)
{
    return [=](QWidget *dialog) {
        auto *nameEdit = child<QLineEdit>(dialog, "nameLineEdit");
        nameEdit->selectAll();
        QTest::keyClicks(nameEdit, name);
        QTest::keyClicks(child<QLineEdit>(dialog, "conditionLineEdit"), condition);
        clickOk(dialog);
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
    void selectionCases_data();
    void selectionCases();
    void formatGoesToStatisticCellsOnly();
    void shortcutsWorkWhileTheGridHasFocus();
    void choosingAnAreaSelectsItsCells();
    void addedAreaGoesLastUntilTheManagementDialogCloses();
    void removeTheShownArea();
    void assignTheChosenArea();
    void deletingEveryAreaInTheManagementDialog();
    void editedConditionIsUsedByTheNextCommand();
    void managementDialogAddsAndSelectsTheNewArea();

private:
    void fillGrid();
    void addSouth(int row, int column);
    void showWindow();
    GridFixture::At cell(int row, int column) { return GridFixture::at(m_table, row, column); }
    QToolButton *toolButton(const char *name)
    {
        return m_genericToolBar->findChild<QToolButton *>(QLatin1String(name));
    }
    QString lineText(const char *name)
    {
        return m_genericToolBar->findChild<QLineEdit *>(QLatin1String(name))->text();
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
    m_window->statisticCatalogue()->insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                                           Command::ResultType::Scalar, 1, 1));
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
    m_window->areas()->insert(Area("north", "region==1"));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    cell(0, 0).setStatistic(statistic("mean", "income", QString(), "%9.2f"));
    cell(0, 1).setStatistic(statistic("mean", "age", QString(), "%9.3f"));
    for (int column = 0; column < 3; ++column)
        cell(0, column).setArea(QStringLiteral("north"));
    cell(1, 0).addMicroCondition(MicroCondition("1", "Male", "sex", "Sex"));
    cell(1, 0).addMicroCondition(MicroCondition("1", "Employed", "work", "Work"));
    cell(1, 1).setSimpleText(QStringLiteral("Total"));
    cell(1, 2).setStatistic(statistic("ghost", "income", QString(), "%5.0f"));
    cell(1, 3).setStatistic(statistic("mean", "age"));
}

// A second area, "south", holding one cell.
void ToolBarsTest::addSouth(int row, int column)
{
    m_window->areas()->insert(Area("south", "region==2"));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    cell(row, column).setArea(QStringLiteral("south"));
}

// One smoke check of the window's form: the cell text bar above the generic
// one, both above the grid.
void ToolBarsTest::toolBarsStandOnTwoRows()
{
    QVERIFY(m_window->toolBarBreak(m_genericToolBar));
    showWindow();
    QVERIFY(m_cellTextToolBar->geometry().bottom() < m_genericToolBar->geometry().top());
    QVERIFY(m_genericToolBar->geometry().bottom() <= m_table->geometry().top());
}

// What a selection shows in the toolbars; the analysis of every kind of
// selection is the grid's own test. An empty selection after one cell is the
// selection cleared; "*" stands for the final command of the single selected
// cell.
void ToolBarsTest::selectionCases_data()
{
    QTest::addColumn<Ranges>("before");
    QTest::addColumn<Ranges>("ranges");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("formatButton");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("cellText");
    const Ranges none;
    const auto one = [](int row, int column) { return GridFixture::Range{row, column}; };
    // clang-format off
    dataRow("one statistic", none, Ranges{one(0, 0)}, "r(mean)", "%9.2f", true, "north", "*");
    dataRow("same statistic, different formats", Ranges{one(1, 1)}, Ranges{{0, 0, 0, 1}}, "r(mean)", "", true, "north", "Total");
    dataRow("void cell", none, Ranges{one(0, 3)}, "", "", false, "", "");
    dataRow("statistic without format", none, Ranges{one(1, 3)}, "r(mean)", "", true, "", "*");
    dataRow("condition", none, Ranges{one(1, 0)}, "", "", false, "", "Male | Employed");
    dataRow("nothing selected", Ranges{one(0, 0)}, none, "", "", false, "", "");
    // clang-format on
}

void ToolBarsTest::selectionCases()
{
    QFETCH(Ranges, before);
    QFETCH(Ranges, ranges);
    fillGrid();
    if (!before.isEmpty())
        GridFixture::selectAtOnce(*m_table, before);
    if (ranges.isEmpty())
        m_table->clearSelection();
    else
        GridFixture::selectAtOnce(*m_table, ranges);
    QTEST(lineText("resultLineEdit"), "result");
    QTEST(lineText("formatLineEdit"), "format");
    QTEST(toolButton("formatToolButton")->isEnabled(), "formatButton");
    QFETCH(QString, area);
    QCOMPARE(areaBox()->currentIndex() >= 0 ? areaBox()->currentText() : QString(), area);
    QFETCH(QString, cellText);
    if (cellText == QLatin1String("*")) {
        const GridFixture::Range single = (before.isEmpty() ? ranges : before).first();
        cellText = m_table->finalCommand(single.top, single.left);
    }
    QCOMPARE(cellTextLine()->text(), cellText);
}

void ToolBarsTest::formatGoesToStatisticCellsOnly()
{
    fillGrid();
    // Three statistic cells and a void cell.
    GridFixture::selectAtOnce(*m_table, {{0, 0, 0, 1}, {1, 2}, {0, 3}});
    ModalAnswerer answerer;
    answerer.answerDialog<FormatDialog>([](FormatDialog *dialog) {
        QTest::mouseClick(child<QRadioButton>(dialog, "fixedNumericRadioButton"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(dialog, "numericUseCommasInNumericOutputCheckBox"),
                          Qt::LeftButton);
    });
    QTest::mouseClick(toolButton("formatToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.pending(), 0);
    const QString chosen = QStringLiteral("%3.1fc");
    QCOMPARE(lineText("formatLineEdit"), chosen);
    QCOMPARE(cell(0, 0).content().statistic().format, chosen);
    QCOMPARE(cell(0, 1).content().statistic().format, chosen);
    QCOMPARE(cell(1, 2).content().statistic().format, chosen);
    QCOMPARE(cell(0, 3).content().dataType(), CellContent::Kind::Void);
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
    QCOMPARE(question, QStringLiteral("No Stata executable file name was set."));
}

void ToolBarsTest::choosingAnAreaSelectsItsCells()
{
    fillGrid();
    addSouth(4, 4);
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
    QCOMPARE(m_table->selectionModel()->selectedIndexes(),
             QModelIndexList{m_table->model()->index(4, 4)});
}

void ToolBarsTest::addedAreaGoesLastUntilTheManagementDialogCloses()
{
    m_window->areas()->insert(Area("b", QString()));
    m_window->areas()->insert(Area("a", QString()));
    m_genericToolBar->refreshAreaBox(*m_window->areas());
    ModalAnswerer answerer;
    answerer.enqueue(addArea(QStringLiteral("A"), QStringLiteral("x==1")));
    QTest::mouseClick(toolButton("addAreaToolButton"), Qt::LeftButton);
    QCOMPARE(boxItems(areaBox()), (QStringList{"a", "b", "A"}));
    // The box still shows what the selection has: nothing.
    QCOMPARE(areaBox()->currentIndex(), -1);
    QCOMPARE(m_window->areas()->area(QStringLiteral("A")).condition(), QStringLiteral("x==1"));

    answerer.enqueue(clickClose);
    QTest::mouseClick(toolButton("areaManagementToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.seen().last(), QStringLiteral("AreaManagementDialog"));
    QCOMPARE(boxItems(areaBox()), (QStringList{"A", "a", "b"}));
}

// Remove takes the area the box shows, from the collection and from its
// cells; with nothing shown it does nothing.
void ToolBarsTest::removeTheShownArea()
{
    fillGrid();
    addSouth(5, 5);
    m_table->clearSelection();
    QTest::mouseClick(toolButton("removeAreaToolButton"), Qt::LeftButton);
    QCOMPARE(m_window->areas()->names(), (QStringList{"north", "south"}));
    QCOMPARE(cell(0, 0).content().area(), QStringLiteral("north"));

    GridFixture::selectAtOnce(*m_table, {{0, 2}});
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

// The dialog's choice goes to the selected cells; Cancel assigns nothing, and
// OK with no areas to choose from removes theirs.
void ToolBarsTest::assignTheChosenArea()
{
    fillGrid();
    addSouth(3, 3);
    GridFixture::selectAtOnce(*m_table, {{1, 3}, {1, 1}});
    ModalAnswerer answerer;
    QString condition;
    answerer.enqueue([&condition](QWidget *dialog) {
        child<QListWidget>(dialog, "areaListWidget")->setCurrentRow(1);
        condition = child<QLineEdit>(dialog, "conditionLineEdit")->text();
        clickOk(dialog);
    });
    QTest::mouseClick(toolButton("assignAreaToolButton"), Qt::LeftButton);
    QCOMPARE(condition, QStringLiteral("region==2"));
    QCOMPARE(cell(1, 3).content().area(), QStringLiteral("south"));
    QCOMPARE(cell(1, 1).content().area(), QStringLiteral("south"));
    QCOMPARE(areaBox()->currentText(), QStringLiteral("south"));
    QCOMPARE(m_table->finalCommand(1, 3), QStringLiteral("summarize age if (region==2)"));

    GridFixture::selectAtOnce(*m_table, {{0, 3}});
    answerer.enqueue([](QWidget *dialog) { clickButton(dialog, QDialogButtonBox::Cancel); });
    QTest::mouseClick(toolButton("assignAreaToolButton"), Qt::LeftButton);
    QCOMPARE(cell(0, 3).content().area(), QString());

    m_window->areas()->remove(QStringLiteral("north"));
    m_window->areas()->remove(QStringLiteral("south"));
    GridFixture::selectAtOnce(*m_table, {{1, 1, 1, 3}});
    answerer.enqueue(clickOk);
    QTest::mouseClick(toolButton("assignAreaToolButton"), Qt::LeftButton);
    QCOMPARE(cell(1, 1).content().area(), QString());
    QCOMPARE(cell(1, 3).content().area(), QString());
    QCOMPARE(cell(3, 3).content().area(), QStringLiteral("south"));
    QCOMPARE(areaBox()->currentIndex(), -1);
}

void ToolBarsTest::deletingEveryAreaInTheManagementDialog()
{
    fillGrid();
    addSouth(5, 5);
    ModalAnswerer answerer;
    QString question;
    bool removeEnabledBefore = false, removeEnabledAfter = true, conditionEnabledAfter = true;
    QString conditionAfter = QStringLiteral("unset");
    int listedAfter = -1;
    answerer.enqueue(inDialogLoop([&](QWidget *dialog) {
        auto *list = child<QListWidget>(dialog, "areaListWidget");
        auto *remove = child<QToolButton>(dialog, "removeAreaButton");
        auto *condition = child<QLineEdit>(dialog, "conditionLineEdit");
        removeEnabledBefore = remove->isEnabled();
        list->selectAll();
        QTest::mouseClick(remove, Qt::LeftButton);
        removeEnabledAfter = remove->isEnabled();
        conditionEnabledAfter = condition->isEnabled();
        conditionAfter = condition->text();
        listedAfter = list->count();
        clickClose(dialog);
    }));
    answerer.answerMessageBox(QMessageBox::Ok, &question);
    QTest::mouseClick(toolButton("areaManagementToolButton"), Qt::LeftButton);

    QCOMPARE(answerer.seen(), (QStringList{"AreaManagementDialog", "QMessageBox"}));
    QCOMPARE(question, QStringLiteral("Do you want to remove selected area(s)?"));
    QVERIFY(removeEnabledBefore);
    QVERIFY(!removeEnabledAfter);
    QVERIFY(!conditionEnabledAfter);
    QCOMPARE(conditionAfter, QString());
    QCOMPARE(listedAfter, 0);
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
    answerer.enqueue([&](QWidget *dialog) {
        QCOMPARE(child<QListWidget>(dialog, "areaListWidget")->currentItem()->text(),
                 QStringLiteral("north"));
        auto *condition = child<QLineEdit>(dialog, "conditionLineEdit");
        QVERIFY(condition->isEnabled());
        condition->setFocus();
        condition->selectAll();
        for (const QChar character : QStringLiteral("age>=18 ")) {
            QTest::keyClick(condition, character.toLatin1());
            conditionsWhileTyping.append(m_window->areas()->area("north").condition());
        }
        clickClose(dialog);
    });
    QTest::mouseClick(toolButton("areaManagementToolButton"), Qt::LeftButton);
    // Each keystroke is stored at once, trimmed.
    QCOMPARE(conditionsWhileTyping,
             (QStringList{"a", "ag", "age", "age>", "age>=", "age>=1", "age>=18", "age>=18"}));
    QCOMPARE(m_table->finalCommand(0, 0), QStringLiteral("summarize income if (age>=18)"));
    QCOMPARE(m_table->finalCommand(0, 1), QStringLiteral("summarize age if (age>=18)"));
}

void ToolBarsTest::managementDialogAddsAndSelectsTheNewArea()
{
    fillGrid();
    addSouth(5, 5);
    ModalAnswerer answerer;
    QStringList selectedAfter;
    QString currentAfter, conditionAfter, message;
    answerer.enqueue(inDialogLoop([&](QWidget *dialog) {
        auto *list = child<QListWidget>(dialog, "areaListWidget");
        list->selectAll();
        QTest::mouseClick(child<QToolButton>(dialog, "addAreaButton"), Qt::LeftButton);
        for (const QListWidgetItem *item : list->selectedItems())
            selectedAfter.append(item->text());
        currentAfter = list->currentItem()->text();
        conditionAfter = child<QLineEdit>(dialog, "conditionLineEdit")->text();
        clickClose(dialog);
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
