#include "table/TableWidget.h"

#include "SignalRecorder.h"
#include "TableTestSupport.h"
#include "model/CellGrid.h"

#include <QDomDocument>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QPointer>
#include <QTest>

using namespace TableTest;

namespace {

// A "cells" element with the given counts and cells, written like a document.
QDomElement cellsElement(QDomDocument &document, const QString &rowCount,
                         const QString &columnCount)
{
    QDomElement cells = document.createElement(QStringLiteral("cells"));
    if (!rowCount.isNull())
        cells.setAttribute(QStringLiteral("rowCount"), rowCount);
    if (!columnCount.isNull())
        cells.setAttribute(QStringLiteral("columnCount"), columnCount);
    document.appendChild(cells);
    return cells;
}

void addSimpleTextCell(QDomDocument &document, QDomElement &cells, int row, int column,
                       const QString &text)
{
    CellContent content;
    content.setSimpleText(text);
    cells.appendChild(content.toXml(document, row, column));
}

// Marks every cell with its original position, so moves can be read back.
void markPositions(TableWidget &table)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column)
            table.cell(row, column)->setSimpleText(QStringLiteral("%1,%2").arg(row).arg(column));
    }
}

// Moves the current cell without selecting it.
void setCurrent(TableWidget &table, int row, int column)
{
    table.selectionModel()->setCurrentIndex(table.model()->index(row, column),
                                            QItemSelectionModel::NoUpdate);
}

} // namespace

class TableWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newGrid();
    void fileNames();
    void selectionIsDrawnInTheChosenColour();
    void clickingACellSelectsItsPosition();
    void newTableGivesVoidCellsOfDefaultSize();
    void newTableRefusesWhatItCannotHold_data();
    void newTableRefusesWhatItCannotHold();
    void canHoldBoundsCellsAndEachSide();
    void clearKeepsShapeAndEmptiesEverything();
    void loadCellsRestoresContents();
    void loadCellsFillsGapsAndIgnoresStrangers();
    void loadCellsReadsMalformedCountsAsZero();
    void loadCellsRefusesOversizedGrid_data();
    void loadCellsRefusesOversizedGrid();
    void removeRowsOfTwoRanges_data();
    void removeRowsOfTwoRanges();
    void removeRowsOfTwoRangesOverTheSameRows();
    void removeColumnsOfTwoRanges();
    void removalWithNothingSelectedDoesNothing();
    void removalMovesTheCurrentCell();
    void deleteKeyEmptiesMixedSelectionKeepingAreas();
    void removeStatisticsEmptiesOnlyThatStatistic();
    void selectAreaSelectsItsCells();
    void selectUnknownAreaLeavesNothingSelected();
    void areasOfSelectionAndRemoval();
    void formatGoesOnlyToStatisticCells();
    void formatViewsApplyToSelectedCellsOfAnyKind();
    void finalCommandAndIfConditionComeFromTheComposer();
    void itemsStayEmpty();
    void shapeChangesByOtherCodeKeepACellEverywhere();
    void largeGridKeepsACellAtEveryPosition();

private:
    StatisticCatalogue m_catalogue;
    AreaCollection m_areas;
    TableWidget *m_table = nullptr;
};

void TableWidgetTest::init()
{
    m_catalogue.clear();
    m_areas.clear();
    m_table = new TableWidget(&m_catalogue, &m_areas);
}

void TableWidgetTest::cleanup()
{
    delete m_table;
}

void TableWidgetTest::newGrid()
{
    QCOMPARE(m_table->objectName(), QStringLiteral("tableWidget"));
    QCOMPARE(m_table->parentWidget(), nullptr);
    QCOMPARE(m_table->rowCount(), 50);
    QCOMPARE(m_table->columnCount(), 15);
    QString problem;
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    for (int row = 0; row < 50; ++row) {
        for (int column = 0; column < 15; ++column) {
            QCOMPARE(m_table->cell(row, column)->content().dataType(), T::Void);
            QVERIFY(m_table->cell(row, column)->text().isEmpty());
        }
    }
    QCOMPARE(m_table->cell(50, 0), nullptr);
    QCOMPARE(m_table->cell(0, -1), nullptr);
    QCOMPARE(m_table->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(m_table->selectionBehavior(), QAbstractItemView::SelectItems);
    QCOMPARE(m_table->model()->headerData(0, Qt::Vertical).toInt(), 1);
    QCOMPARE(m_table->model()->headerData(14, Qt::Horizontal).toInt(), 15);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        QCOMPARE(m_table->palette().color(group, QPalette::Highlight), QColor(216, 238, 252));
}

void TableWidgetTest::fileNames()
{
    QVERIFY(m_table->stataDatasetFileName().isEmpty());
    QVERIFY(m_table->outputFileName().isEmpty());
    m_table->setStataDatasetFileName(QStringLiteral("/data/survey.dta"));
    m_table->setOutputFileName(QStringLiteral("/data/out.csv"));
    QCOMPARE(m_table->stataDatasetFileName(), QStringLiteral("/data/survey.dta"));
    QCOMPARE(m_table->outputFileName(), QStringLiteral("/data/out.csv"));
}

void TableWidgetTest::selectionIsDrawnInTheChosenColour()
{
    m_table->resize(600, 400);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table));
    select(*m_table, {cellRange(1, 1)});
    const QRect rect = m_table->visualRect(m_table->model()->index(1, 1));
    const QImage image = m_table->viewport()->grab().toImage();
    QCOMPARE(QColor(image.pixel(rect.center())), QColor(216, 238, 252));
    const QRect unselected = m_table->visualRect(m_table->model()->index(3, 3));
    QVERIFY(QColor(image.pixel(unselected.center())) != QColor(216, 238, 252));
}

void TableWidgetTest::clickingACellSelectsItsPosition()
{
    m_table->resize(600, 400);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table));
    Cell *cell = m_table->cell(2, 3);
    cell->setSimpleText(QStringLiteral("Total"));
    QTRY_VERIFY(cell->isVisible());
    QTest::mouseClick(cell, Qt::LeftButton, Qt::NoModifier, cell->rect().center());
    const QList<QTableWidgetSelectionRange> ranges = m_table->selectedRanges();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(ranges.first().topRow(), 2);
    QCOMPARE(ranges.first().leftColumn(), 3);
    QCOMPARE(ranges.first().rowCount(), 1);
    QCOMPARE(ranges.first().columnCount(), 1);
    QCOMPARE(m_table->currentRow(), 2);
    QCOMPARE(m_table->currentColumn(), 3);
}

void TableWidgetTest::newTableGivesVoidCellsOfDefaultSize()
{
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Total"));
    m_table->verticalHeader()->resizeSection(0, 77);
    QVERIFY(m_table->newTable(7, 4));
    QCOMPARE(m_table->rowCount(), 7);
    QCOMPARE(m_table->columnCount(), 4);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
    QCOMPARE(m_table->cell(0, 0)->content().dataType(), T::Void);
    QVERIFY(m_table->cell(0, 0)->text().isEmpty());
    QCOMPARE(m_table->rowHeight(0), m_table->verticalHeader()->defaultSectionSize());
    QVERIFY(m_table->newTable(0, 0));
    QCOMPARE(m_table->rowCount(), 0);
    QVERIFY(m_table->newTable(999, 1));
    QVERIFY(everyPositionHoldsItsCell(*m_table));
}

void TableWidgetTest::newTableRefusesWhatItCannotHold_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("999 x 999") << 999 << 999;
    QTest::newRow("one cell too many") << TableWidget::maximumCellCount + 1 << 1;
    QTest::newRow("negative rows") << -1 << 5;
    QTest::newRow("negative columns") << 5 << -3;
    QTest::newRow("overflowing product") << 65536 << 65536;
}

void TableWidgetTest::newTableRefusesWhatItCannotHold()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    m_table->cell(1, 1)->setSimpleText(QStringLiteral("kept"));
    QVERIFY(!TableWidget::canHold(rows, columns));
    QVERIFY(!m_table->newTable(rows, columns));
    QCOMPARE(m_table->rowCount(), 50);
    QCOMPARE(m_table->columnCount(), 15);
    QCOMPARE(m_table->cell(1, 1)->text(), QStringLiteral("kept"));
    QVERIFY(TableWidget::tooLargeMessage(rows, columns).contains(QString::number(rows)));
}

void TableWidgetTest::canHoldBoundsCellsAndEachSide()
{
    const int most = TableWidget::maximumCellCount;
    QVERIFY(TableWidget::canHold(0, 0));
    QVERIFY(TableWidget::canHold(999, 30));
    QVERIFY(TableWidget::canHold(most, 1));
    QVERIFY(TableWidget::canHold(0, most));
    QVERIFY(!TableWidget::canHold(0, most + 1));
    QVERIFY(!TableWidget::canHold(most + 1, 0));
}

void TableWidgetTest::clearKeepsShapeAndEmptiesEverything()
{
    m_table->newTable(6, 5);
    Cell *statisticCell = m_table->cell(1, 1);
    statisticCell->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    statisticCell->setArea(QStringLiteral("north"));
    statisticCell->setStatisticFormatView(T::OnlyStatisticName);
    m_table->cell(2, 2)->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    m_table->verticalHeader()->resizeSection(2, 61);
    m_table->horizontalHeader()->resizeSection(3, 170);
    select(*m_table, {cellRange(1, 1)});
    SignalRecorder recorder(m_table);

    m_table->clear();

    QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
    QCOMPARE(m_table->rowCount(), 6);
    QCOMPARE(m_table->columnCount(), 5);
    QVERIFY(m_table->selectedRanges().isEmpty());
    QCOMPARE(m_table->currentRow(), -1);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column) {
            const CellContent &content = m_table->cell(row, column)->content();
            QCOMPARE(content.dataType(), T::Void);
            QVERIFY(content.area().isEmpty());
            QCOMPARE(content.statisticFormatView(), T::StatisticNameVariableName);
            QVERIFY(m_table->cell(row, column)->text().isEmpty());
        }
    }
    QCOMPARE(m_table->rowHeight(2), m_table->verticalHeader()->defaultSectionSize());
    QCOMPARE(m_table->columnWidth(3), m_table->horizontalHeader()->defaultSectionSize());
}

void TableWidgetTest::loadCellsRestoresContents()
{
    QDomDocument document;
    QDomElement cells = cellsElement(document, QStringLiteral("2"), QStringLiteral("3"));
    CellContent mean;
    mean.setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income"),
                                QStringLiteral("Income"), QStringLiteral("%9.2f")));
    mean.setArea(QStringLiteral("north"));
    CellContent male;
    male.addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const CellContent &content = column == 0 ? male : mean;
            cells.appendChild(content.toXml(document, row, column));
        }
    }
    m_table->cell(0, 1)->setStatisticFormatView(T::OnlyStatisticName);
    m_table->verticalHeader()->resizeSection(0, 90);
    QVERIFY(m_table->loadCells(cells));
    QCOMPARE(m_table->rowCount(), 2);
    QCOMPARE(m_table->columnCount(), 3);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
    QCOMPARE(rowTexts(*m_table, 1), (QStringList{"Male", "mean(income)", "mean(income)"}));
    QCOMPARE(m_table->cell(0, 1)->content().statistic().format, QStringLiteral("%9.2f"));
    QCOMPARE(m_table->cell(0, 1)->content().area(), QStringLiteral("north"));
    QCOMPARE(m_table->cell(0, 1)->content().statisticFormatView(), T::StatisticNameVariableName);
    QCOMPARE(m_table->cell(1, 0)->palette().color(QPalette::WindowText),
             QColor(QStringLiteral("green")));
    QCOMPARE(m_table->rowHeight(0), m_table->verticalHeader()->defaultSectionSize());
}

void TableWidgetTest::loadCellsFillsGapsAndIgnoresStrangers()
{
    QDomDocument document;
    QDomElement cells = cellsElement(document, QStringLiteral("3"), QStringLiteral("3"));
    addSimpleTextCell(document, cells, 1, 1, QStringLiteral("first"));
    addSimpleTextCell(document, cells, 1, 1, QStringLiteral("later wins"));
    addSimpleTextCell(document, cells, 3, 0, QStringLiteral("below"));
    addSimpleTextCell(document, cells, 0, 3, QStringLiteral("right"));
    addSimpleTextCell(document, cells, -1, 0, QStringLiteral("negative"));
    // Without "row" and "col" a cell lands at (0, 0).
    CellContent origin;
    origin.setSimpleText(QStringLiteral("origin"));
    QDomElement noPosition = origin.toXml(document, 0, 0);
    noPosition.removeAttribute(QStringLiteral("row"));
    noPosition.removeAttribute(QStringLiteral("col"));
    cells.appendChild(noPosition);
    m_table->cell(2, 2)->setSimpleText(QStringLiteral("old content"));

    QVERIFY(m_table->loadCells(cells));
    QCOMPARE(m_table->rowCount(), 3);
    QCOMPARE(m_table->columnCount(), 3);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
    QCOMPARE(rowTexts(*m_table, 0), (QStringList{"origin", "", ""}));
    QCOMPARE(rowTexts(*m_table, 1), (QStringList{"", "later wins", ""}));
    QCOMPARE(rowTexts(*m_table, 2), (QStringList{"", "", ""}));
    QCOMPARE(m_table->cell(2, 2)->content().dataType(), T::Void);
}

void TableWidgetTest::loadCellsReadsMalformedCountsAsZero()
{
    QDomDocument document;
    QDomElement cells = cellsElement(document, QStringLiteral("many"), QString());
    addSimpleTextCell(document, cells, 0, 0, QStringLiteral("nowhere"));
    QVERIFY(m_table->loadCells(cells));
    QCOMPARE(m_table->rowCount(), 0);
    QCOMPARE(m_table->columnCount(), 0);
}

void TableWidgetTest::loadCellsRefusesOversizedGrid_data()
{
    QTest::addColumn<QString>("rowCount");
    QTest::addColumn<QString>("columnCount");
    QTest::newRow("999 x 999") << "999"
                               << "999";
    QTest::newRow("a billion rows") << "1000000000"
                                    << "1000000000";
    QTest::newRow("no rows, a billion columns") << "0"
                                                << "1000000000";
    QTest::newRow("negative") << "-4"
                              << "3";
}

void TableWidgetTest::loadCellsRefusesOversizedGrid()
{
    QFETCH(QString, rowCount);
    QFETCH(QString, columnCount);
    QDomDocument document;
    QDomElement cells = cellsElement(document, rowCount, columnCount);
    addSimpleTextCell(document, cells, 0, 0, QStringLiteral("new"));
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("kept"));
    QVERIFY(!m_table->loadCells(cells));
    QCOMPARE(m_table->rowCount(), 50);
    QCOMPARE(m_table->columnCount(), 15);
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("kept"));
}

void TableWidgetTest::removeRowsOfTwoRanges_data()
{
    QTest::addColumn<bool>("lowerFirst");
    QTest::newRow("row 2, then row 4") << false;
    QTest::newRow("row 4, then row 2") << true;
}

void TableWidgetTest::removeRowsOfTwoRanges()
{
    QFETCH(bool, lowerFirst);
    m_table->newTable(7, 3);
    markPositions(*m_table);
    const QTableWidgetSelectionRange rowTwo(2, 0, 2, 2);
    const QTableWidgetSelectionRange rowFour(4, 1, 4, 1);
    select(*m_table, lowerFirst ? QList{rowFour, rowTwo} : QList{rowTwo, rowFour});
    m_table->removeRowsOfSelectedCells();
    QCOMPARE(m_table->rowCount(), 5);
    QCOMPARE(columnTexts(*m_table, 0), (QStringList{"0,0", "1,0", "3,0", "5,0", "6,0"}));
    QVERIFY(everyPositionHoldsItsCell(*m_table));
    QVERIFY(m_table->selectedRanges().isEmpty());
}

void TableWidgetTest::removeRowsOfTwoRangesOverTheSameRows()
{
    m_table->newTable(6, 4);
    markPositions(*m_table);
    select(*m_table,
           {QTableWidgetSelectionRange(1, 0, 2, 0), QTableWidgetSelectionRange(1, 3, 3, 3)});
    m_table->removeRowsOfSelectedCells();
    QCOMPARE(columnTexts(*m_table, 0), (QStringList{"0,0", "4,0", "5,0"}));
    QVERIFY(everyPositionHoldsItsCell(*m_table));
}

void TableWidgetTest::removeColumnsOfTwoRanges()
{
    m_table->newTable(3, 6);
    markPositions(*m_table);
    m_table->horizontalHeader()->resizeSection(5, 133);
    select(*m_table, {QTableWidgetSelectionRange(0, 4, 2, 4),
                      QTableWidgetSelectionRange(1, 1, 1, 2), cellRange(0, 1)});
    m_table->removeColumnsOfSelectedCells();
    QCOMPARE(rowTexts(*m_table, 2), (QStringList{"2,0", "2,3", "2,5"}));
    // Column widths go with their columns.
    QCOMPARE(m_table->columnWidth(2), 133);
    QVERIFY(everyPositionHoldsItsCell(*m_table));
}

void TableWidgetTest::removalWithNothingSelectedDoesNothing()
{
    markPositions(*m_table);
    m_table->removeRowsOfSelectedCells();
    m_table->removeColumnsOfSelectedCells();
    QCOMPARE(m_table->rowCount(), 50);
    QCOMPARE(m_table->columnCount(), 15);
    QCOMPARE(m_table->cell(49, 14)->text(), QStringLiteral("49,14"));
}

// The current cell follows its content, or moves to the nearest remaining row
// above (else below) when its row goes; the toolbars hear that nothing is
// selected any more.
void TableWidgetTest::removalMovesTheCurrentCell()
{
    m_table->newTable(8, 2);
    markPositions(*m_table);
    setCurrent(*m_table, 6, 1);
    select(*m_table, {QTableWidgetSelectionRange(2, 0, 3, 0)});
    SignalRecorder recorder(m_table);
    m_table->removeRowsOfSelectedCells();
    QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
    QCOMPARE(m_table->currentRow(), 4);
    QCOMPARE(m_table->currentColumn(), 1);
    QCOMPARE(m_table->cell(4, 1)->text(), QStringLiteral("6,1"));

    setCurrent(*m_table, 2, 0); // content "4,0"
    select(*m_table, {QTableWidgetSelectionRange(1, 0, 3, 0)});
    m_table->removeRowsOfSelectedCells();
    QCOMPARE(m_table->currentRow(), 0);
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("0,0"));

    setCurrent(*m_table, 0, 0);
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 0)});
    m_table->removeRowsOfSelectedCells();
    QCOMPARE(m_table->currentRow(), 0);
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("6,0"));
}

void TableWidgetTest::deleteKeyEmptiesMixedSelectionKeepingAreas()
{
    Cell *statisticCell = m_table->cell(0, 0);
    Cell *conditionCell = m_table->cell(0, 1);
    Cell *textCell = m_table->cell(0, 2);
    statisticCell->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    conditionCell->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    textCell->setSimpleText(QStringLiteral("Total"));
    statisticCell->setArea(QStringLiteral("north"));
    conditionCell->setArea(QStringLiteral("south"));
    m_table->cell(0, 3)->setSimpleText(QStringLiteral("not selected"));
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 2)});
    SignalRecorder recorder(m_table);

    QTest::keyClick(m_table, Qt::Key_Delete);

    QCOMPARE(rowTexts(*m_table, 0).mid(0, 4), (QStringList{"", "", "", "not selected"}));
    for (const Cell *cell : {statisticCell, conditionCell, textCell})
        QCOMPARE(cell->content().dataType(), T::Void);
    QCOMPARE(statisticCell->content().area(), QStringLiteral("north"));
    QCOMPARE(conditionCell->content().area(), QStringLiteral("south"));
    // Delete does not analyse the selection again.
    QVERIFY(recorder.take().isEmpty());
}

void TableWidgetTest::removeStatisticsEmptiesOnlyThatStatistic()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(0, 0)->setArea(QStringLiteral("north"));
    m_table->cell(7, 9)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("age")));
    m_table->cell(1, 0)->setStatistic(
        statistic(QStringLiteral("median"), QStringLiteral("income")));
    m_table->cell(2, 0)->setStatistic(statistic(QStringLiteral("Mean"), QStringLiteral("income")));
    m_table->cell(3, 0)->setSimpleText(QStringLiteral("mean"));
    m_table->removeStatistics(QStringLiteral("mean"));
    QCOMPARE(m_table->cell(0, 0)->content().dataType(), T::Void);
    QCOMPARE(m_table->cell(0, 0)->content().area(), QStringLiteral("north"));
    QCOMPARE(m_table->cell(7, 9)->content().dataType(), T::Void);
    QCOMPARE(m_table->cell(1, 0)->text(), QStringLiteral("median(income)"));
    QCOMPARE(m_table->cell(2, 0)->text(), QStringLiteral("Mean(income)"));
    QCOMPARE(m_table->cell(3, 0)->text(), QStringLiteral("mean"));
}

void TableWidgetTest::selectAreaSelectsItsCells()
{
    m_table->cell(1, 1)->setArea(QStringLiteral("north"));
    m_table->cell(4, 2)->setArea(QStringLiteral("north"));
    m_table->cell(4, 3)->setArea(QStringLiteral("south"));
    select(*m_table, {cellRange(9, 9)});
    SignalRecorder recorder(m_table);
    m_table->selectArea(QStringLiteral("north"));
    QList<QPair<int, int>> selected;
    for (const QTableWidgetSelectionRange &range : m_table->selectedRanges()) {
        QCOMPARE(range.rowCount() * range.columnCount(), 1);
        selected.append({range.topRow(), range.leftColumn()});
    }
    QCOMPARE(selected, (QList<QPair<int, int>>{{1, 1}, {4, 2}}));
    QCOMPARE(recorder.take().last(),
             QStringLiteral("allCellsWithSameAndNotVoidAreaSelected(north)"));
}

void TableWidgetTest::selectUnknownAreaLeavesNothingSelected()
{
    m_table->cell(1, 1)->setArea(QStringLiteral("north"));
    select(*m_table, {cellRange(1, 1)});
    SignalRecorder recorder(m_table);
    m_table->selectArea(QStringLiteral("west"));
    QVERIFY(m_table->selectedRanges().isEmpty());
    QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
}

void TableWidgetTest::areasOfSelectionAndRemoval()
{
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Total"));
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 1, 1)});
    m_table->setAreaForCurrentSelection(QStringLiteral("north"));
    QCOMPARE(m_table->cell(1, 1)->content().area(), QStringLiteral("north"));
    QCOMPARE(m_table->cell(2, 2)->content().area(), QString());
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("Total"));
    m_table->cell(5, 5)->setArea(QStringLiteral("south"));
    m_table->removeAreaFromCells(QStringLiteral("north"));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column)
            QVERIFY(m_table->cell(row, column)->content().area().isEmpty());
    }
    QCOMPARE(m_table->cell(5, 5)->content().area(), QStringLiteral("south"));
}

void TableWidgetTest::formatGoesOnlyToStatisticCells()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(0, 1)->setSimpleText(QStringLiteral("Total"));
    m_table->cell(3, 3)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("age")));
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 1)});
    m_table->setFormatInSelectedStatisticsCells(QStringLiteral("%9.2f"));
    QCOMPARE(m_table->cell(0, 0)->content().statistic().format, QStringLiteral("%9.2f"));
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("mean(income)"));
    QCOMPARE(m_table->cell(0, 1)->content().dataType(), T::SimpleText);
    QVERIFY(m_table->cell(0, 1)->content().statistic().format.isEmpty());
    QVERIFY(m_table->cell(3, 3)->content().statistic().format.isEmpty());
}

void TableWidgetTest::formatViewsApplyToSelectedCellsOfAnyKind()
{
    m_table->cell(0, 0)->setStatistic(
        statistic(QStringLiteral("mean"), QStringLiteral("income"), QStringLiteral("Income")));
    m_table->cell(0, 1)->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    m_table->cell(1, 1)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("age")));
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 2)});
    m_table->setStatisticFormatView(T::StatisticNameVariableLabel);
    m_table->setConditionFormatView(T::VariableLabelEqualModalityValueLabel);
    QCOMPARE(rowTexts(*m_table, 0).mid(0, 3), (QStringList{"mean(Income)", "Sex=Male", ""}));
    QCOMPARE(m_table->cell(1, 1)->text(), QStringLiteral("mean(age)"));
    // The void cell keeps the view for the statistic it gets later.
    m_table->cell(0, 2)->setStatistic(
        statistic(QStringLiteral("mean"), QStringLiteral("income"), QStringLiteral("Income")));
    QCOMPARE(m_table->cell(0, 2)->text(), QStringLiteral("mean(Income)"));
}

void TableWidgetTest::finalCommandAndIfConditionComeFromTheComposer()
{
    m_catalogue.insert(QStringLiteral("mean"),
                       Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                               QStringLiteral("r(mean)"), T::Scalar, 1, 1));
    m_areas.insert(Area(QStringLiteral("north"), QStringLiteral("region==1")));
    m_table->cell(0, 2)->addMicroCondition(modality(QStringLiteral("2"), QStringLiteral("Female")));
    m_table->cell(0, 2)->setArea(QStringLiteral("north"));
    m_table->cell(3, 2)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(3, 2)->setArea(QStringLiteral("north"));
    QCOMPARE(m_table->ifCondition(3, 2), QStringLiteral("if (region==1) & sex==2"));
    QCOMPARE(m_table->finalCommand(3, 2),
             QStringLiteral("summarize income if (region==1) & sex==2"));
    const CellGrid &grid = m_table->cellGrid();
    QCOMPARE(grid.rowCount(), 50);
    QCOMPARE(grid.columnCount(), 15);
    QCOMPARE(grid.contentAt(3, 2), &m_table->cell(3, 2)->content());
    QCOMPARE(grid.contentAt(50, 0), nullptr);
}

void TableWidgetTest::itemsStayEmpty()
{
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Total"));
    select(*m_table, {cellRange(0, 0)});
    QCOMPARE(m_table->item(0, 0), nullptr);
    QVERIFY(m_table->selectedItems().isEmpty());
}

// Rows and columns added or removed through QTableWidget's own functions, or a
// reset of its model, still leave a cell at every position.
void TableWidgetTest::shapeChangesByOtherCodeKeepACellEverywhere()
{
    m_table->newTable(5, 4);
    markPositions(*m_table);
    QTableWidget *base = m_table;
    base->insertRow(2);
    base->removeColumn(0);
    base->setColumnCount(5);
    base->setRowCount(4);
    QString problem;
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    QCOMPARE(m_table->cell(3, 0)->text(), QStringLiteral("2,1"));
    QCOMPARE(m_table->cell(2, 0)->content().dataType(), T::Void);
    base->clear();
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    QCOMPARE(m_table->cell(0, 0)->text(), QStringLiteral("0,1"));

    // A widget put in a cell's place replaces the cell; the grid forgets the
    // deleted cell and puts a new one back at its next change of shape.
    QPointer<Cell> replaced = m_table->cell(1, 1);
    base->setCellWidget(1, 1, new QLabel);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!replaced);
    QCOMPARE(m_table->cell(1, 1), nullptr);
    select(*m_table, {cellRange(3, 3)});
    m_table->removeRowsOfSelectedCells();
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    QCOMPARE(m_table->cell(1, 1)->content().dataType(), T::Void);
}

// Not a timing: large grids go through the same paths as small ones.
void TableWidgetTest::largeGridKeepsACellAtEveryPosition()
{
    m_table->resize(800, 600);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table));
    QVERIFY(m_table->newTable(200, 50));
    QString problem;
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    markPositions(*m_table);
    m_table->clear();
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    QVERIFY(m_table->cell(199, 49)->text().isEmpty());

    markPositions(*m_table);
    QItemSelection everyOtherRow;
    for (int row = 0; row < 200; row += 2) {
        everyOtherRow.append(
            QItemSelectionRange(m_table->model()->index(row, 0), m_table->model()->index(row, 49)));
    }
    m_table->selectionModel()->select(everyOtherRow, QItemSelectionModel::Select);
    m_table->removeRowsOfSelectedCells();
    QCOMPARE(m_table->rowCount(), 100);
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    QCOMPARE(m_table->cell(99, 49)->text(), QStringLiteral("199,49"));

    select(*m_table, {QTableWidgetSelectionRange(0, 10, 0, 34)});
    m_table->removeColumnsOfSelectedCells();
    QCOMPARE(m_table->columnCount(), 25);
    QVERIFY2(everyPositionHoldsItsCell(*m_table, &problem), qPrintable(problem));
    QCOMPARE(m_table->cell(0, 10)->text(), QStringLiteral("1,35"));

    // Cells in view are shown, the ones scrolled out of view are not.
    QCoreApplication::processEvents();
    QVERIFY(m_table->cell(0, 0)->isVisible());
    QVERIFY(!m_table->cell(99, 24)->isVisible());
    m_table->scrollToBottom();
    QCoreApplication::processEvents();
    QTRY_VERIFY(m_table->cell(99, 0)->isVisible());
    QVERIFY(!m_table->cell(0, 0)->isVisible());
}

QTEST_MAIN(TableWidgetTest)
#include "TableWidgetTest.moc"
