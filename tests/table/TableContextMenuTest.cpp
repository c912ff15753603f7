#include "table/TableContextMenu.h"

#include "ModalAnswerer.h"
#include "SignalRecorder.h"
#include "TableTestSupport.h"
#include "table/EditSimpleTextDialog.h"
#include "table/InsertRowsColumnsDialog.h"
#include "table/SetSimpleTextDialog.h"
#include "table/TableWidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace TableTest;

namespace {

void markPositions(TableWidget &table)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column)
            table.cell(row, column)->setSimpleText(QStringLiteral("%1,%2").arg(row).arg(column));
    }
}

void setCurrent(TableWidget &table, int row, int column)
{
    table.selectionModel()->setCurrentIndex(table.model()->index(row, column),
                                            QItemSelectionModel::NoUpdate);
}

// Text and submenu entries of a menu, "Text > Entry" for submenu entries.
QStringList entries(const QMenu *menu, const QString &prefix = QString())
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            texts.append(QStringLiteral("-"));
        else if (action->menu())
            texts += entries(action->menu(), prefix + action->text() + QStringLiteral(" > "));
        else
            texts.append(prefix + action->text());
    }
    return texts;
}

} // namespace

class TableContextMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void entriesInOrder();
    void everyEntryIsEnabledWithNothingSelected();
    void rightClickOpensTheMenu();
    void insertionDialogs_data();
    void insertionDialogs();
    void insertRowsUp();
    void insertRowsDown();
    void insertColumnsLeft();
    void insertColumnsRight();
    void insertionKeepsRowHeightsWithTheirRows();
    void insertionMovesTheSelectionWithItsCells();
    void cancelledInsertionChangesNothing();
    void insertionWithoutCurrentCell();
    void insertionBeyondTheLimitIsRefused();
    void removalEntries();
    void formatViewEntries_data();
    void formatViewEntries();
    void setSimpleTextOnEverySelectedCell();
    void setSimpleTextWithEmptyTextChangesNothing();
    void setSimpleTextWithNothingSelectedOpensNothing();
    void editSimpleTextEditsTheTopLeftCell();
    void editSimpleTextOnlyOnSimpleTextCells();
    void editSimpleTextWithTwoRangesDoesNothing();
    void editSimpleTextMayEmptyTheText();

private:
    QAction *entry(const QString &objectName) const;
    void insertThrough(const QString &objectName, int count);

    StatisticCatalogue m_catalogue;
    AreaCollection m_areas;
    TableWidget *m_table = nullptr;
    TableContextMenu *m_menu = nullptr;
};

void TableContextMenuTest::init()
{
    m_table = new TableWidget(&m_catalogue, &m_areas);
    m_menu = m_table->findChild<TableContextMenu *>();
}

void TableContextMenuTest::cleanup()
{
    delete m_table;
}

QAction *TableContextMenuTest::entry(const QString &objectName) const
{
    return m_menu->findChild<QAction *>(objectName);
}

// Chooses an insertion entry and answers its dialog with the count.
void TableContextMenuTest::insertThrough(const QString &objectName, int count)
{
    ModalAnswerer answerer;
    answerer.answerDialog<InsertRowsColumnsDialog>([count](InsertRowsColumnsDialog *dialog) {
        dialog->findChild<QSpinBox *>(QStringLiteral("spinBox"))->setValue(count);
    });
    entry(objectName)->trigger();
    QCOMPARE(answerer.pending(), 0);
}

void TableContextMenuTest::entriesInOrder()
{
    QVERIFY(m_menu);
    QCOMPARE(m_menu->parent(), m_table);
    QCOMPARE(entries(m_menu),
             (QStringList{"Insert rows > Up...", "Insert rows > Down...",
                          "Insert columns > Left...", "Insert columns > Right...", "Remove row(s)",
                          "Remove column(s)", "Format statistic view > Statistic name",
                          "Format statistic view > Statistic's variable name",
                          "Format statistic view > Statistic's variable label",
                          "Format statistic view > Statistic(Variable name)",
                          "Format statistic view > Statistic(Variable label)",
                          "Format condition view > Modality label",
                          "Format condition view > Modality value",
                          "Format condition view > Variable name = Modality value",
                          "Format condition view > Variable name = Value label",
                          "Format condition view > Variable label = Modality Value",
                          "Format condition view > Variable label = Modality value label",
                          "Set simple text", "Edit simple text"}));
}

void TableContextMenuTest::everyEntryIsEnabledWithNothingSelected()
{
    QVERIFY(m_table->selectedRanges().isEmpty());
    const QList<QAction *> actions = m_menu->findChildren<QAction *>();
    QVERIFY(actions.size() >= 19);
    for (const QAction *action : actions)
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
}

void TableContextMenuTest::rightClickOpensTheMenu()
{
    m_table->resize(600, 400);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table));
    Cell *cell = m_table->cell(1, 1);
    QTRY_VERIFY(cell->isVisible());
    QPointer<QWidget> opened;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            opened = popup;
            popup->close();
        }
    });
    closer.start();
    // The event a right click on the cell produces; the label ignores it and
    // it goes on to the grid.
    const QPoint position = cell->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, position, cell->mapToGlobal(position));
    QApplication::sendEvent(cell, &event);
    QTRY_VERIFY(opened);
    QCOMPARE(opened.data(), m_menu);
}

void TableContextMenuTest::insertionDialogs_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::newRow("rows up") << 0 << 0 << "Insert rows up"
                             << "Number of rows:";
    QTest::newRow("rows down") << 0 << 1 << "Insert rows down"
                               << "Number of rows:";
    QTest::newRow("columns left") << 1 << 2 << "Insert columns left"
                                  << "Number of columns:";
    QTest::newRow("columns right") << 1 << 3 << "Insert columns right"
                                   << "Number of columns:";
}

void TableContextMenuTest::insertionDialogs()
{
    QFETCH(int, kind);
    QFETCH(int, direction);
    QFETCH(QString, title);
    QFETCH(QString, label);
    InsertRowsColumnsDialog dialog{static_cast<InsertRowsColumnsDialog::Kind>(kind),
                                   static_cast<InsertRowsColumnsDialog::Direction>(direction)};
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(), label);
    const QSpinBox *spinBox = dialog.findChild<QSpinBox *>(QStringLiteral("spinBox"));
    QCOMPARE(spinBox->minimum(), 1);
    QCOMPARE(spinBox->maximum(), 999);
    QCOMPARE(dialog.count(), 1);
    QCOMPARE(dialog.size(), QSize(236, 71));
}

// Three rows above current row 5: the former row 5 ends at row 8, the current
// cell with it, and rows 5 to 7 are new void cells.
void TableContextMenuTest::insertRowsUp()
{
    m_table->newTable(10, 3);
    markPositions(*m_table);
    m_table->cell(5, 1)->setArea(QStringLiteral("north"));
    setCurrent(*m_table, 5, 1);
    insertThrough(QStringLiteral("insertRowsUpAction"), 3);
    QCOMPARE(m_table->rowCount(), 13);
    QCOMPARE(columnTexts(*m_table, 0), (QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "", "", "",
                                                    "5,0", "6,0", "7,0", "8,0", "9,0"}));
    QCOMPARE(m_table->currentRow(), 8);
    QCOMPARE(m_table->currentColumn(), 1);
    QCOMPARE(m_table->cell(8, 1)->content().area(), QStringLiteral("north"));
    for (int row = 5; row < 8; ++row) {
        const CellContent &content = m_table->cell(row, 1)->content();
        QCOMPARE(content.dataType(), T::Void);
        QVERIFY(content.area().isEmpty());
    }
    QVERIFY(everyPositionHoldsItsCell(*m_table));
}

void TableContextMenuTest::insertRowsDown()
{
    m_table->newTable(10, 2);
    markPositions(*m_table);
    setCurrent(*m_table, 5, 0);
    insertThrough(QStringLiteral("insertRowsDownAction"), 2);
    QCOMPARE(columnTexts(*m_table, 1).mid(4, 6), (QStringList{"4,1", "5,1", "", "", "6,1", "7,1"}));
    QCOMPARE(m_table->currentRow(), 5);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
}

void TableContextMenuTest::insertColumnsLeft()
{
    m_table->newTable(2, 5);
    markPositions(*m_table);
    setCurrent(*m_table, 1, 2);
    insertThrough(QStringLiteral("insertColumnsLeftAction"), 2);
    QCOMPARE(rowTexts(*m_table, 1), (QStringList{"1,0", "1,1", "", "", "1,2", "1,3", "1,4"}));
    QCOMPARE(m_table->currentColumn(), 4);
    QCOMPARE(m_table->currentRow(), 1);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
}

void TableContextMenuTest::insertColumnsRight()
{
    m_table->newTable(2, 5);
    markPositions(*m_table);
    setCurrent(*m_table, 0, 1);
    insertThrough(QStringLiteral("insertColumnsRightAction"), 3);
    QCOMPARE(m_table->columnCount(), 8);
    QCOMPARE(rowTexts(*m_table, 0), (QStringList{"0,0", "0,1", "", "", "", "0,2", "0,3", "0,4"}));
    QCOMPARE(m_table->currentColumn(), 1);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
}

void TableContextMenuTest::insertionKeepsRowHeightsWithTheirRows()
{
    m_table->newTable(4, 2);
    QHeaderView *rows = m_table->verticalHeader();
    rows->resizeSection(1, 51);
    rows->resizeSection(2, 72);
    m_table->horizontalHeader()->resizeSection(1, 140);
    setCurrent(*m_table, 1, 1);
    insertThrough(QStringLiteral("insertRowsUpAction"), 1);
    QCOMPARE(m_table->rowHeight(1), rows->defaultSectionSize());
    QCOMPARE(m_table->rowHeight(2), 51);
    QCOMPARE(m_table->rowHeight(3), 72);
    insertThrough(QStringLiteral("insertColumnsLeftAction"), 1);
    QCOMPARE(m_table->columnWidth(1), m_table->horizontalHeader()->defaultSectionSize());
    QCOMPARE(m_table->columnWidth(2), 140);
}

// The selection stays on its cells: a range below moves down, one across the
// insertion splits around the new rows.
void TableContextMenuTest::insertionMovesTheSelectionWithItsCells()
{
    m_table->newTable(10, 3);
    markPositions(*m_table);
    select(*m_table,
           {QTableWidgetSelectionRange(6, 0, 7, 0), QTableWidgetSelectionRange(2, 2, 5, 2)});
    setCurrent(*m_table, 4, 1);
    SignalRecorder recorder(m_table);
    insertThrough(QStringLiteral("insertRowsUpAction"), 2);
    QStringList selected;
    for (const QTableWidgetSelectionRange &range : m_table->selectedRanges()) {
        selected.append(QStringLiteral("%1-%2").arg(
            m_table->cell(range.topRow(), range.leftColumn())->text(),
            m_table->cell(range.bottomRow(), range.rightColumn())->text()));
    }
    QCOMPARE(selected, (QStringList{"6,0-7,0", "2,2-3,2", "4,2-5,2"}));
    // The selected contents did not change: the toolbars are not told again.
    QVERIFY(recorder.take().isEmpty());
}

void TableContextMenuTest::cancelledInsertionChangesNothing()
{
    markPositions(*m_table);
    setCurrent(*m_table, 3, 3);
    ModalAnswerer answerer;
    answerer.answerDialog<InsertRowsColumnsDialog>(nullptr, false);
    entry(QStringLiteral("insertColumnsRightAction"))->trigger();
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("InsertRowsColumnsDialog")});
    QCOMPARE(m_table->rowCount(), 50);
    QCOMPARE(m_table->columnCount(), 15);
    QCOMPARE(m_table->cell(3, 4)->text(), QStringLiteral("3,4"));
}

// Without a current cell, Up and Left insert nothing, Down and Right insert
// at the start.
void TableContextMenuTest::insertionWithoutCurrentCell()
{
    m_table->newTable(3, 3);
    markPositions(*m_table);
    QCOMPARE(m_table->currentRow(), -1);
    insertThrough(QStringLiteral("insertRowsUpAction"), 2);
    insertThrough(QStringLiteral("insertColumnsLeftAction"), 2);
    QCOMPARE(m_table->rowCount(), 3);
    QCOMPARE(m_table->columnCount(), 3);
    insertThrough(QStringLiteral("insertRowsDownAction"), 1);
    insertThrough(QStringLiteral("insertColumnsRightAction"), 1);
    QCOMPARE(rowTexts(*m_table, 0), (QStringList{"", "", "", ""}));
    QCOMPARE(rowTexts(*m_table, 1), (QStringList{"", "0,0", "0,1", "0,2"}));
}

void TableContextMenuTest::insertionBeyondTheLimitIsRefused()
{
    // Ten columns keep building a grid of the largest size quick.
    const int rows = TableWidget::maximumCellCount / 10;
    QVERIFY(m_table->newTable(rows, 10));
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("kept"));
    setCurrent(*m_table, 0, 0);
    ModalAnswerer answerer;
    answerer.answerDialog<InsertRowsColumnsDialog>(nullptr);
    QString message;
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    entry(QStringLiteral("insertRowsUpAction"))->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(message, TableWidget::tooLargeMessage(rows + 1, 10));
    QCOMPARE(m_table->rowCount(), rows);
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("kept"));
}

void TableContextMenuTest::removalEntries()
{
    m_table->newTable(4, 4);
    markPositions(*m_table);
    select(*m_table, {cellRange(1, 2)});
    entry(QStringLiteral("removeRowsAction"))->trigger();
    QCOMPARE(columnTexts(*m_table, 0), (QStringList{"0,0", "2,0", "3,0"}));
    select(*m_table, {cellRange(0, 0)});
    entry(QStringLiteral("removeColumnsAction"))->trigger();
    QCOMPARE(rowTexts(*m_table, 0), (QStringList{"0,1", "0,2", "0,3"}));
    // With nothing selected they change nothing.
    entry(QStringLiteral("removeRowsAction"))->trigger();
    entry(QStringLiteral("removeColumnsAction"))->trigger();
    QCOMPARE(m_table->rowCount(), 3);
    QCOMPARE(m_table->columnCount(), 3);
}

void TableContextMenuTest::formatViewEntries_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("statisticText");
    QTest::addColumn<QString>("conditionText");
    QTest::newRow("statistic name") << "onlyStatisticNameAction"
                                    << "mean"
                                    << "Male";
    QTest::newRow("variable name") << "onlyStatisticVariableNameAction"
                                   << "income"
                                   << "Male";
    QTest::newRow("variable label") << "onlyStatisticVariableLabelAction"
                                    << "Income"
                                    << "Male";
    QTest::newRow("statistic(name)") << "statisticNameVariableNameAction"
                                     << "mean(income)"
                                     << "Male";
    QTest::newRow("statistic(label)") << "statisticNameVariableLabelAction"
                                      << "mean(Income)"
                                      << "Male";
    QTest::newRow("modality label") << "onlyModalityLabelAction"
                                    << "mean(income)"
                                    << "Male";
    QTest::newRow("modality value") << "onlyModalityValueAction"
                                    << "mean(income)"
                                    << "1";
    QTest::newRow("name = value") << "variableNameEqualModalityValueAction"
                                  << "mean(income)"
                                  << "sex=1";
    QTest::newRow("name = label") << "variableNameEqualModalityValueLabelAction"
                                  << "mean(income)"
                                  << "sex=Male";
    QTest::newRow("label = value") << "variableLabelEqualModalityValueAction"
                                   << "mean(income)"
                                   << "Sex=1";
    QTest::newRow("label = label") << "variableLabelEqualModalityValueLabelAction"
                                   << "mean(income)"
                                   << "Sex=Male";
}

void TableContextMenuTest::formatViewEntries()
{
    QFETCH(QString, action);
    QFETCH(QString, statisticText);
    QFETCH(QString, conditionText);
    m_table->cell(0, 0)->setStatistic(
        statistic(QStringLiteral("mean"), QStringLiteral("income"), QStringLiteral("Income")));
    m_table->cell(0, 1)->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    m_table->cell(1, 0)->setStatistic(
        statistic(QStringLiteral("mean"), QStringLiteral("income"), QStringLiteral("Income")));
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 1)});
    entry(action)->trigger();
    QCOMPARE(m_table->cell(0, 0)->text(), statisticText);
    QCOMPARE(m_table->cell(0, 1)->text(), conditionText);
    QCOMPARE(m_table->cell(1, 0)->text(), QStringLiteral("mean(income)"));
}

void TableContextMenuTest::setSimpleTextOnEverySelectedCell()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(0, 0)->setArea(QStringLiteral("north"));
    m_table->cell(0, 1)->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 2)});
    ModalAnswerer answerer;
    QString title;
    answerer.answerDialog<SetSimpleTextDialog>([&title](SetSimpleTextDialog *dialog) {
        title = dialog->windowTitle();
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))
            ->setText(QStringLiteral(" Total "));
    });
    entry(QStringLiteral("setSimpleTextAction"))->trigger();
    QCOMPARE(title, QStringLiteral("Set simple text"));
    for (int column = 0; column < 3; ++column) {
        const Cell *cell = m_table->cell(0, column);
        QCOMPARE(cell->content().dataType(), T::SimpleText);
        QCOMPARE(cell->text(), QStringLiteral(" Total "));
        QCOMPARE(cell->palette().color(QPalette::WindowText), QColor(QStringLiteral("blue")));
    }
    QCOMPARE(m_table->cell(0, 0)->content().area(), QStringLiteral("north"));
    QCOMPARE(m_table->cell(0, 3)->content().dataType(), T::Void);
}

void TableContextMenuTest::setSimpleTextWithEmptyTextChangesNothing()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 1)});
    ModalAnswerer answerer;
    answerer.answerDialog<SetSimpleTextDialog>(nullptr);
    entry(QStringLiteral("setSimpleTextAction"))->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("mean(income)"));
    QCOMPARE(m_table->cell(0, 1)->content().dataType(), T::Void);
}

void TableContextMenuTest::setSimpleTextWithNothingSelectedOpensNothing()
{
    ModalAnswerer answerer;
    answerer.answerDialog<SetSimpleTextDialog>(nullptr);
    entry(QStringLiteral("setSimpleTextAction"))->trigger();
    QCoreApplication::processEvents();
    QVERIFY(answerer.seen().isEmpty());
}

void TableContextMenuTest::editSimpleTextEditsTheTopLeftCell()
{
    m_table->cell(2, 2)->setSimpleText(QStringLiteral("Total"));
    m_table->cell(2, 3)->setSimpleText(QStringLiteral("Other"));
    select(*m_table, {QTableWidgetSelectionRange(2, 2, 3, 3)});
    ModalAnswerer answerer;
    QString shown;
    QString title;
    answerer.answerDialog<EditSimpleTextDialog>([&](EditSimpleTextDialog *dialog) {
        title = dialog->windowTitle();
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
        shown = edit->text();
        edit->setText(QStringLiteral("Grand total"));
    });
    entry(QStringLiteral("editSimpleTextAction"))->trigger();
    QCOMPARE(title, QStringLiteral("Edit simple text"));
    QCOMPARE(shown, QStringLiteral("Total"));
    QCOMPARE(m_table->cell(2, 2)->text(), QStringLiteral("Grand total"));
    QCOMPARE(m_table->cell(2, 3)->text(), QStringLiteral("Other"));
}

void TableContextMenuTest::editSimpleTextOnlyOnSimpleTextCells()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(0, 1)->setSimpleText(QStringLiteral("Total"));
    ModalAnswerer answerer;
    answerer.answerDialog<EditSimpleTextDialog>(nullptr);
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 1)});
    entry(QStringLiteral("editSimpleTextAction"))->trigger();
    m_table->clearSelection();
    select(*m_table, {cellRange(5, 5)});
    entry(QStringLiteral("editSimpleTextAction"))->trigger();
    QCoreApplication::processEvents();
    QVERIFY(answerer.seen().isEmpty());
}

void TableContextMenuTest::editSimpleTextWithTwoRangesDoesNothing()
{
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Total"));
    select(*m_table, {cellRange(0, 0), cellRange(3, 3)});
    ModalAnswerer answerer;
    answerer.answerDialog<EditSimpleTextDialog>(nullptr);
    entry(QStringLiteral("editSimpleTextAction"))->trigger();
    QCoreApplication::processEvents();
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("Total"));
}

void TableContextMenuTest::editSimpleTextMayEmptyTheText()
{
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Total"));
    select(*m_table, {cellRange(0, 0)});
    ModalAnswerer answerer;
    answerer.answerDialog<EditSimpleTextDialog>([](EditSimpleTextDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->clear();
    });
    entry(QStringLiteral("editSimpleTextAction"))->trigger();
    QCOMPARE(m_table->cell(0, 0)->content().dataType(), T::SimpleText);
    QVERIFY(m_table->cell(0, 0)->text().isEmpty());
}

QTEST_MAIN(TableContextMenuTest)
#include "TableContextMenuTest.moc"
