#include "SignalRecorder.h"
#include "TableTestSupport.h"
#include "table/TableWidget.h"

#include <QItemSelection>
#include <QTest>

using namespace TableTest;

class SelectionAnalysisTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void nothingSelectedAlone();
    void singleVoidCell();
    void singleVoidCellWithArea();
    void singleStatisticCell();
    void singleStatisticCellWithConditions();
    void sameStatisticDifferentFormats();
    void statisticAndVoidCell();
    void differentStatistics();
    void statisticMissingFromCatalogue();
    void emptyFormatIsShared();
    void areas_data();
    void areas();
    void singleConditionCellShowsValueLabels();
    void singleSimpleTextCell();
    void oneCellInTwoRangesIsNotSingle();
    void overlappingRangesCountCellsTwice();
    void oneAnalysisPerSelectionChange();

private:
    void setUpCatalogue();
    void selectAtOnce(const QList<QTableWidgetSelectionRange> &ranges);

    StatisticCatalogue m_catalogue;
    AreaCollection m_areas;
    TableWidget *m_table = nullptr;
    SignalRecorder *m_recorder = nullptr;
};

void SelectionAnalysisTest::init()
{
    m_catalogue.clear();
    m_catalogue.insert(QStringLiteral("mean"),
                       Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                               QStringLiteral("r(mean)"), T::Scalar, 1, 1));
    m_catalogue.insert(QStringLiteral("median"),
                       Command(QStringLiteral("median"), QStringLiteral("centile #var #if"),
                               QStringLiteral("r(c_1)"), T::Scalar, 1, 1));
    m_areas = AreaCollection();
    m_table = new TableWidget(&m_catalogue, &m_areas);
    m_recorder = new SignalRecorder(m_table);
}

void SelectionAnalysisTest::cleanup()
{
    delete m_recorder;
    delete m_table;
}

// One selection change made of all the ranges, so the grid analyses once.
void SelectionAnalysisTest::selectAtOnce(const QList<QTableWidgetSelectionRange> &ranges)
{
    QItemSelection selection;
    for (const QTableWidgetSelectionRange &range : ranges) {
        selection.append(
            QItemSelectionRange(m_table->model()->index(range.topRow(), range.leftColumn()),
                                m_table->model()->index(range.bottomRow(), range.rightColumn())));
    }
    m_recorder->take();
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void SelectionAnalysisTest::nothingSelectedAlone()
{
    m_table->cell(1, 1)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    selectAtOnce({cellRange(1, 1)});
    m_recorder->take();
    m_table->clearSelection();
    QCOMPARE(m_recorder->take(), QStringList{QStringLiteral("nothingSelected")});
}

void SelectionAnalysisTest::singleVoidCell()
{
    selectAtOnce({cellRange(0, 0)});
    QCOMPARE(m_recorder->take(),
             (QStringList{"notSingleCellWithStatisticOrConditionSelected",
                          "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                          "cellsWithDifferentOrVoidAreaSelected"}));
}

void SelectionAnalysisTest::singleVoidCellWithArea()
{
    m_table->cell(0, 0)->setArea(QStringLiteral("north"));
    selectAtOnce({cellRange(0, 0)});
    QCOMPARE(m_recorder->take(),
             (QStringList{"notSingleCellWithStatisticOrConditionSelected",
                          "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                          "allCellsWithSameAndNotVoidAreaSelected(north)"}));
}

void SelectionAnalysisTest::singleStatisticCell()
{
    m_table->cell(2, 3)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income"),
                                                QString(), QStringLiteral("%9.2f")));
    selectAtOnce({cellRange(2, 3)});
    QCOMPARE(m_table->finalCommand(2, 3), QStringLiteral("summarize income "));
    QCOMPARE(m_recorder->take(), (QStringList{"singleCellWithStatisticSelected(summarize income )",
                                              "allCellsWithSameStatisticSelected(r(mean))",
                                              "cellsWithSameFormatSelected(%9.2f)",
                                              "cellsWithDifferentOrVoidAreaSelected"}));
}

// The cell text toolbar gets the whole command, conditions and area included.
void SelectionAnalysisTest::singleStatisticCellWithConditions()
{
    m_areas.insert(Area(QStringLiteral("north"), QStringLiteral("region==1")));
    m_table->cell(1, 0)->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    m_table->cell(1, 0)->setArea(QStringLiteral("north"));
    m_table->cell(1, 2)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(1, 2)->setArea(QStringLiteral("north"));
    selectAtOnce({cellRange(1, 2)});
    QCOMPARE(
        m_recorder->take(),
        (QStringList{"singleCellWithStatisticSelected(summarize income if (region==1) & "
                     "sex==1)",
                     "allCellsWithSameStatisticSelected(r(mean))", "cellsWithSameFormatSelected()",
                     "allCellsWithSameAndNotVoidAreaSelected(north)"}));
}

void SelectionAnalysisTest::sameStatisticDifferentFormats()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income"),
                                                QString(), QStringLiteral("%9.2f")));
    m_table->cell(0, 1)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("age"),
                                                QString(), QStringLiteral("%9.3f")));
    selectAtOnce({QTableWidgetSelectionRange(0, 0, 0, 1)});
    QCOMPARE(m_recorder->take(), (QStringList{"allCellsWithSameStatisticSelected(r(mean))",
                                              "cellsWithDifferentFormatSelected",
                                              "cellsWithDifferentOrVoidAreaSelected"}));
}

// Non-statistic cells do not disturb the format group.
void SelectionAnalysisTest::statisticAndVoidCell()
{
    m_table->cell(0, 1)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income"),
                                                QString(), QStringLiteral("%9.2f")));
    selectAtOnce({QTableWidgetSelectionRange(0, 0, 0, 1)});
    QCOMPARE(m_recorder->take(), (QStringList{"notAllCellsWithSameStatisticSelected",
                                              "cellsWithSameFormatSelected(%9.2f)",
                                              "cellsWithDifferentOrVoidAreaSelected"}));
}

void SelectionAnalysisTest::differentStatistics()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(1, 0)->setStatistic(
        statistic(QStringLiteral("median"), QStringLiteral("income")));
    selectAtOnce({cellRange(0, 0), cellRange(1, 0)});
    QCOMPARE(m_recorder->take(),
             (QStringList{"notAllCellsWithSameStatisticSelected", "cellsWithSameFormatSelected()",
                          "cellsWithDifferentOrVoidAreaSelected"}));
}

void SelectionAnalysisTest::statisticMissingFromCatalogue()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("gini"), QStringLiteral("income")));
    m_table->cell(0, 1)->setStatistic(statistic(QStringLiteral("gini"), QStringLiteral("age")));
    selectAtOnce({QTableWidgetSelectionRange(0, 0, 0, 1)});
    QCOMPARE(m_recorder->take(),
             (QStringList{"allCellsWithSameStatisticSelected()", "cellsWithSameFormatSelected()",
                          "cellsWithDifferentOrVoidAreaSelected"}));
}

void SelectionAnalysisTest::emptyFormatIsShared()
{
    m_table->cell(3, 3)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    m_table->cell(4, 4)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("age")));
    selectAtOnce({cellRange(3, 3), cellRange(4, 4)});
    const QStringList recorded = m_recorder->take();
    QVERIFY(recorded.contains(QStringLiteral("cellsWithSameFormatSelected()")));
}

void SelectionAnalysisTest::areas_data()
{
    QTest::addColumn<QStringList>("cellAreas");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all north") << QStringList{"north", "north", "north"}
                               << "allCellsWithSameAndNotVoidAreaSelected(north)";
    QTest::newRow("one without area")
        << QStringList{"north", "", "north"} << "cellsWithDifferentOrVoidAreaSelected";
    QTest::newRow("first without area")
        << QStringList{"", "north", "north"} << "cellsWithDifferentOrVoidAreaSelected";
    QTest::newRow("two areas") << QStringList{"north", "south", "north"}
                               << "cellsWithDifferentOrVoidAreaSelected";
    QTest::newRow("none") << QStringList{"", "", ""} << "cellsWithDifferentOrVoidAreaSelected";
    QTest::newRow("case differs") << QStringList{"north", "North", "north"}
                                  << "cellsWithDifferentOrVoidAreaSelected";
}

void SelectionAnalysisTest::areas()
{
    QFETCH(QStringList, cellAreas);
    QFETCH(QString, expected);
    for (int column = 0; column < cellAreas.size(); ++column)
        m_table->cell(0, column)->setArea(cellAreas.at(column));
    selectAtOnce({QTableWidgetSelectionRange(0, 0, 0, 2)});
    const QStringList recorded = m_recorder->take();
    QCOMPARE(recorded.size(), 3);
    QCOMPARE(recorded.last(), expected);
}

void SelectionAnalysisTest::singleConditionCellShowsValueLabels()
{
    Cell *cell = m_table->cell(0, 2);
    cell->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    cell->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Employed"),
                                     QStringLiteral("work"), QStringLiteral("Work")));
    // The toolbar shows value labels whatever the cell's own view.
    cell->setConditionFormatView(T::VariableNameEqualModalityValue);
    selectAtOnce({cellRange(0, 2)});
    QCOMPARE(m_recorder->take(),
             (QStringList{"singleCellWithConditionSelected(Male | Employed)",
                          "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                          "cellsWithDifferentOrVoidAreaSelected"}));
}

void SelectionAnalysisTest::singleSimpleTextCell()
{
    m_table->cell(5, 0)->setSimpleText(QStringLiteral("Total"));
    m_table->cell(5, 0)->setArea(QStringLiteral("south"));
    selectAtOnce({cellRange(5, 0)});
    QCOMPARE(m_recorder->take(),
             (QStringList{"singleCellWithSimpleTextSelected(Total)",
                          "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                          "allCellsWithSameAndNotVoidAreaSelected(south)"}));
}

// Two ranges are never a single cell, even when they name the same one.
void SelectionAnalysisTest::oneCellInTwoRangesIsNotSingle()
{
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Total"));
    selectAtOnce({cellRange(0, 0), cellRange(0, 0)});
    QCOMPARE(m_recorder->take(),
             (QStringList{"notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                          "cellsWithDifferentOrVoidAreaSelected"}));
}

void SelectionAnalysisTest::overlappingRangesCountCellsTwice()
{
    m_table->cell(0, 0)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income"),
                                                QString(), QStringLiteral("%9.2f")));
    m_table->cell(0, 1)->setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("age"),
                                                QString(), QStringLiteral("%9.2f")));
    selectAtOnce({QTableWidgetSelectionRange(0, 0, 0, 1), cellRange(0, 1)});
    QCOMPARE(m_recorder->take(), (QStringList{"allCellsWithSameStatisticSelected(r(mean))",
                                              "cellsWithSameFormatSelected(%9.2f)",
                                              "cellsWithDifferentOrVoidAreaSelected"}));
}

// Adding a range with Ctrl is a selection change of its own.
void SelectionAnalysisTest::oneAnalysisPerSelectionChange()
{
    m_recorder->take();
    select(*m_table, {cellRange(0, 0), cellRange(2, 2)});
    QCOMPARE(
        m_recorder->take(),
        (QStringList{"notSingleCellWithStatisticOrConditionSelected",
                     "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                     "cellsWithDifferentOrVoidAreaSelected", "notAllCellsWithSameStatisticSelected",
                     "allNotStatisticCellsSelected", "cellsWithDifferentOrVoidAreaSelected"}));
}

QTEST_MAIN(SelectionAnalysisTest)
#include "SelectionAnalysisTest.moc"
