#include "CellBuilders.h"
#include "DataRows.h"
#include "DialogControls.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "table/CellTextToolBar.h"
#include "table/FormatDialog.h"
#include "table/GenericToolBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

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

// A handler whose action opens another modal box (a confirmation, an add
// dialog) runs it from the dialog's own event loop, where the next handler
// can answer the box: the answerer does not poll while a handler runs.
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

    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
    TableWidget *m_table = nullptr;
    GenericToolBar *m_genericToolBar = nullptr;

    void showWindow()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    GridFixture::At cell(int row, int column) { return GridFixture::at(m_table, row, column); }
    void click(const char *name)
    {
        QTest::mouseClick(m_genericToolBar->findChild<QToolButton *>(QLatin1String(name)),
                          Qt::LeftButton);
    }
    QString lineText(const char *name)
    {
        return m_genericToolBar->findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    QComboBox *areaBox() { return m_genericToolBar->areaComboBox(); }

    // Row 0: two statistic cells of "mean" with different formats and a void
    // cell, all in area north, then a void cell without area. Row 1: a
    // condition, a void cell, a statistic missing from the catalogue, a
    // statistic without format. Area south holds cell (5, 5).
    void fillGrid()
    {
        m_window->areas()->insert(Area("north", "region==1"));
        m_window->areas()->insert(Area("south", "region==2"));
        m_genericToolBar->refreshAreaBox(*m_window->areas());
        cell(0, 0).setStatistic(statistic("mean", "income", QString(), "%9.2f"));
        cell(0, 1).setStatistic(statistic("mean", "age", QString(), "%9.3f"));
        for (int column = 0; column < 3; ++column)
            cell(0, column).setArea(QStringLiteral("north"));
        cell(1, 0).addMicroCondition(MicroCondition("1", "Male", "sex", "Sex"));
        cell(1, 0).addMicroCondition(MicroCondition("1", "Employed", "work", "Work"));
        cell(1, 2).setStatistic(statistic("ghost", "income", QString(), "%5.0f"));
        cell(1, 3).setStatistic(statistic("mean", "age"));
        cell(5, 5).setArea(QStringLiteral("south"));
    }

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        m_window = new MainWindow;
        m_table = m_window->tableWidget();
        m_genericToolBar = m_window->findChild<GenericToolBar *>(QStringLiteral("genericToolBar"));
        m_window->statisticCatalogue()->insert(
            "mean",
            Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1));
    }
    void cleanup()
    {
        delete m_window;
        delete m_directory;
    }

    // What a selection shows in the toolbars: result, format, format button,
    // area and cell text; the analysis of every kind of selection is the
    // grid's own test.
    void selectionShowsInTheToolbars()
    {
        fillGrid();
        const auto shown = [this] {
            return QStringList{
                lineText("resultLineEdit"), lineText("formatLineEdit"),
                m_genericToolBar->findChild<QToolButton *>("formatToolButton")->isEnabled() ? "on"
                                                                                            : "off",
                areaBox()->currentIndex() >= 0 ? areaBox()->currentText() : "",
                m_window->findChild<CellTextToolBar *>()->findChild<QLineEdit *>()->text()}
                .join(" | ");
        };
        GridFixture::selectAtOnce(*m_table, {{0, 0}});
        QCOMPARE(shown(), "r(mean) | %9.2f | on | north | " + m_table->finalCommand(0, 0));
        GridFixture::selectAtOnce(*m_table, {{1, 0}});
        QCOMPARE(shown(), QStringLiteral(" |  | off |  | Male | Employed"));
        m_table->clearSelection();
        QCOMPARE(shown(), QStringLiteral(" |  | off |  | "));
    }

    // Three statistic cells and a void cell selected: the format goes to the
    // statistic cells only; cells outside the selection keep theirs.
    void formatGoesToStatisticCellsOnly()
    {
        fillGrid();
        GridFixture::selectAtOnce(*m_table, {{0, 0, 0, 1}, {1, 2}, {0, 3}});
        ModalAnswerer answerer;
        answerer.answerDialog<FormatDialog>([](FormatDialog *dialog) {
            QTest::mouseClick(child<QRadioButton>(dialog, "fixedNumericRadioButton"),
                              Qt::LeftButton);
            QTest::mouseClick(child<QCheckBox>(dialog, "numericUseCommasInNumericOutputCheckBox"),
                              Qt::LeftButton);
        });
        click("formatToolButton");
        QCOMPARE(lineText("formatLineEdit"), QStringLiteral("%3.1fc"));
        QStringList formats;
        for (const auto &[row, column] : {std::pair{0, 0}, {0, 1}, {1, 2}, {0, 3}, {1, 3}})
            formats.append(cell(row, column).content().statistic().format);
        QCOMPARE(formats, QStringList({"%3.1fc", "%3.1fc", "%3.1fc", "", ""}));
        QCOMPARE(cell(0, 3).content().dataType(), CellContent::Kind::Void);
    }

    // Nothing is set up for a run yet, so each command reaches the main
    // window's first question, which the test declines.
    void shortcutsWorkWhileTheGridHasFocus()
    {
        showWindow();
        QSignalSpy run(m_genericToolBar, &GenericToolBar::quorinFlashToolButtonClicked);
        QSignalSpy start(m_genericToolBar, &GenericToolBar::startStataToolButtonClicked);
        ModalAnswerer answerer;
        answerer.enqueue([](QWidget *dialog) { dialog->close(); });
        QString question;
        answerer.answerMessageBox(QMessageBox::Cancel, &question);
        for (const Qt::Key key : {Qt::Key_T, Qt::Key_S}) {
            m_window->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), m_window);
            m_table->setFocus();
            QTRY_VERIFY(m_table->hasFocus());
            QTest::keyClick(m_table, key, Qt::AltModifier);
            QTRY_COMPARE(run.size() + start.size(), key == Qt::Key_T ? 1 : 2);
            QCOMPARE(run.size(), 1);
        }
        QTRY_COMPARE(answerer.seen(), (QStringList{"QuorinDialog", "QMessageBox"}));
        QCOMPARE(question, QStringLiteral("No Stata executable file name was set."));
    }

    // An area added from the toolbar goes last in the box until the
    // management dialog closes; one added in the dialog is selected there.
    void addedAreasAreSortedWhenTheManagementDialogCloses()
    {
        m_window->areas()->insert(Area("b", QString()));
        m_window->areas()->insert(Area("a", QString()));
        m_genericToolBar->refreshAreaBox(*m_window->areas());
        ModalAnswerer answerer;
        answerer.enqueue(addArea(QStringLiteral("A"), QStringLiteral("x==1")));
        click("addAreaToolButton");
        QCOMPARE(boxItems(areaBox()), (QStringList{"a", "b", "A"}));
        QCOMPARE(m_window->areas()->area(QStringLiteral("A")).condition(), QStringLiteral("x==1"));

        QString after; // selected, current, condition
        answerer.enqueue(inDialogLoop([&](QWidget *dialog) {
            auto *list = child<QListWidget>(dialog, "areaListWidget");
            list->selectAll();
            QTest::mouseClick(child<QToolButton>(dialog, "addAreaButton"), Qt::LeftButton);
            for (const QListWidgetItem *item : list->selectedItems())
                after += item->text() + " | ";
            after += list->currentItem()->text() + " | " +
                     child<QLineEdit>(dialog, "conditionLineEdit")->text();
            clickClose(dialog);
        }));
        answerer.enqueue(addArea(QStringLiteral("East"), QStringLiteral(" region==3 ")));
        click("areaManagementToolButton");
        QCOMPARE(after, QStringLiteral("East | East | region==3"));
        QCOMPARE(boxItems(areaBox()), (QStringList{"A", "East", "a", "b"}));
    }

    // Choosing an area in the box (Down moves to the next name and activates
    // it) selects its cells. Assign gives the dialog's choice to the selected
    // cells; Cancel assigns nothing. Remove takes the area the box shows from
    // the collection, the box and the cells, and does nothing when none is.
    void chooseAssignAndRemoveAreas()
    {
        fillGrid();
        showWindow();
        areaBox()->setFocus();
        areaBox()->setCurrentIndex(-1);
        QTest::keyClick(areaBox(), Qt::Key_Down);
        QCOMPARE(areaBox()->currentText(), QStringLiteral("north"));
        QList<QPair<int, int>> selected;
        for (const QModelIndex &index : m_table->selectionModel()->selectedIndexes())
            selected.append({index.row(), index.column()});
        std::sort(selected.begin(), selected.end());
        QCOMPARE(selected, (QList<QPair<int, int>>{{0, 0}, {0, 1}, {0, 2}}));

        GridFixture::selectAtOnce(*m_table, {{1, 3}, {1, 1}});
        ModalAnswerer answerer;
        answerer.enqueue([](QWidget *dialog) {
            child<QListWidget>(dialog, "areaListWidget")->setCurrentRow(1);
            clickOk(dialog);
        });
        click("assignAreaToolButton");
        QCOMPARE(cell(1, 3).content().area(), QStringLiteral("south"));
        QCOMPARE(cell(1, 1).content().area(), QStringLiteral("south"));
        QCOMPARE(areaBox()->currentText(), QStringLiteral("south"));

        GridFixture::selectAtOnce(*m_table, {{0, 3}});
        answerer.enqueue([](QWidget *dialog) { clickButton(dialog, QDialogButtonBox::Cancel); });
        click("assignAreaToolButton");
        QCOMPARE(cell(0, 3).content().area(), QString());

        m_table->clearSelection();
        click("removeAreaToolButton");
        QCOMPARE(m_window->areas()->names(), (QStringList{"north", "south"}));
        GridFixture::selectAtOnce(*m_table, {{0, 2}});
        QCOMPARE(areaBox()->currentText(), QStringLiteral("north"));
        click("removeAreaToolButton");
        QCOMPARE(boxItems(areaBox()), QStringList{QStringLiteral("south")});
        QCOMPARE(areaBox()->currentIndex(), -1);
        QCOMPARE(cell(0, 2).content().area(), QString());
        QCOMPARE(cell(5, 5).content().area(), QStringLiteral("south"));
    }

    // In the management dialog, each keystroke in the condition is stored at
    // once, trimmed, and used by the next command. Removing every area, once
    // confirmed, leaves its list, its condition and its Remove button empty
    // and disabled, and the areas gone from the collection, the box and the
    // cells.
    void editAndRemoveInTheManagementDialog()
    {
        fillGrid();
        ModalAnswerer answerer;
        QStringList conditionsWhileTyping;
        answerer.enqueue([&](QWidget *dialog) {
            QCOMPARE(child<QListWidget>(dialog, "areaListWidget")->currentItem()->text(), "north");
            auto *condition = child<QLineEdit>(dialog, "conditionLineEdit");
            condition->setFocus();
            condition->selectAll();
            for (const QChar character : QStringLiteral("age>=18 ")) {
                QTest::keyClick(condition, character.toLatin1());
                conditionsWhileTyping.append(m_window->areas()->area("north").condition());
            }
            clickClose(dialog);
        });
        click("areaManagementToolButton");
        QCOMPARE(conditionsWhileTyping,
                 (QStringList{"a", "ag", "age", "age>", "age>=", "age>=1", "age>=18", "age>=18"}));
        QCOMPARE(m_table->finalCommand(0, 0), QStringLiteral("summarize income if (age>=18)"));

        QString question, after; // Remove enabled, condition enabled, areas listed, condition
        answerer.enqueue(inDialogLoop([&](QWidget *dialog) {
            auto *list = child<QListWidget>(dialog, "areaListWidget");
            auto *remove = child<QToolButton>(dialog, "removeAreaButton");
            auto *condition = child<QLineEdit>(dialog, "conditionLineEdit");
            list->selectAll();
            QTest::mouseClick(remove, Qt::LeftButton);
            after = QStringLiteral("%1 %2 %3 [%4]")
                        .arg(remove->isEnabled())
                        .arg(condition->isEnabled())
                        .arg(list->count())
                        .arg(condition->text());
            clickClose(dialog);
        }));
        answerer.answerMessageBox(QMessageBox::Ok, &question);
        click("areaManagementToolButton");
        QCOMPARE(question, QStringLiteral("Do you want to remove selected area(s)?"));
        QCOMPARE(after, QStringLiteral("0 0 0 []"));
        QVERIFY(m_window->areas()->isEmpty());
        QCOMPARE(areaBox()->count(), 0);
        QCOMPARE(cell(5, 5).content().area(), QString());
    }
};

QTEST_MAIN(ToolBarsTest)
#include "ToolBarsTest.moc"
