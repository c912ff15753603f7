#include "SignalRecorder.h"
#include "TableTestSupport.h"
#include "table/MicroConditionListMimeData.h"
#include "table/StatisticMimeData.h"
#include "table/TableWidget.h"

#include <QDropEvent>
#include <QTest>

using namespace TableTest;

namespace {

const QString variableList = QStringLiteral("variableListWidget");
const QString modalityList = QStringLiteral("modalityListWidget");

MicroConditionListMimeData *modalities(const QStringList &values)
{
    auto *payload = new MicroConditionListMimeData;
    for (const QString &value : values)
        payload->append(modality(value, QStringLiteral("Label ") + value));
    return payload;
}

} // namespace

class TableDropTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void statisticOnUnselectedCell();
    void statisticOnSelectionOfSix();
    void statisticOnCellOutsideTheSelection();
    void statisticReplacesConditionKeepsArea();
    void emptyStatisticNameChangesNothing();
    void modalitiesAlongStrips_data();
    void modalitiesAlongStrips();
    void modalitiesOnBlockGiveFirstOnly();
    void cycleRestartsInEveryRange();
    void twoModalitiesOnUnselectedCell();
    void secondModalityMakesAlternatives();
    void otherSourceChangesNothingButAnalyses();
    void payloadOfTheWrongKindChangesNothing();
    void dropEventReachesTheGridSlot();
    void analysisShowsTheNewContent();

private:
    QStringList texts(const QList<QPair<int, int>> &positions) const;

    StatisticCatalogue m_catalogue;
    AreaCollection m_areas;
    TableWidget *m_table = nullptr;
};

void TableDropTest::init()
{
    m_catalogue.insert(QStringLiteral("mean"),
                       Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                               QStringLiteral("r(mean)"), T::Scalar, 1, 1));
    m_table = new TableWidget(&m_catalogue, &m_areas);
}

void TableDropTest::cleanup()
{
    delete m_table;
}

QStringList TableDropTest::texts(const QList<QPair<int, int>> &positions) const
{
    QStringList result;
    for (const auto &position : positions)
        result.append(m_table->cell(position.first, position.second)->text());
    return result;
}

void TableDropTest::statisticOnUnselectedCell()
{
    const StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("income"),
                                    QStringLiteral("Income"));
    m_table->dropPayload(m_table->cell(3, 4), &payload, variableList);
    const CellContent &content = m_table->cell(3, 4)->content();
    QCOMPARE(content.dataType(), T::Statistic);
    QCOMPARE(m_table->cell(3, 4)->text(), QStringLiteral("mean(income)"));
    QCOMPARE(content.statistic().varLabel, QStringLiteral("Income"));
    QVERIFY(content.statistic().format.isEmpty());
    QCOMPARE(m_table->cell(3, 5)->content().dataType(), T::Void);
}

void TableDropTest::statisticOnSelectionOfSix()
{
    select(*m_table, {QTableWidgetSelectionRange(1, 1, 2, 3)});
    const StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("income"), QString());
    m_table->dropPayload(m_table->cell(2, 2), &payload, variableList);
    for (int row = 1; row <= 2; ++row) {
        for (int column = 1; column <= 3; ++column)
            QCOMPARE(m_table->cell(row, column)->text(), QStringLiteral("mean(income)"));
    }
    QCOMPARE(m_table->cell(0, 1)->content().dataType(), T::Void);
    QCOMPARE(m_table->cell(1, 4)->content().dataType(), T::Void);
}

void TableDropTest::statisticOnCellOutsideTheSelection()
{
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 1, 1)});
    const StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("income"), QString());
    m_table->dropPayload(m_table->cell(5, 5), &payload, variableList);
    QCOMPARE(m_table->cell(5, 5)->content().dataType(), T::Statistic);
    QCOMPARE(m_table->cell(0, 0)->content().dataType(), T::Void);
}

void TableDropTest::statisticReplacesConditionKeepsArea()
{
    Cell *cell = m_table->cell(0, 0);
    cell->addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    cell->setArea(QStringLiteral("north"));
    cell->setStatisticFormatView(T::OnlyStatisticVariableName);
    const StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("income"), QString());
    m_table->dropPayload(cell, &payload, variableList);
    QCOMPARE(cell->content().dataType(), T::Statistic);
    QCOMPARE(cell->content().area(), QStringLiteral("north"));
    // The cell's own view stays.
    QCOMPARE(cell->text(), QStringLiteral("income"));
    QCOMPARE(cell->palette().color(QPalette::WindowText), QColor(QStringLiteral("purple")));
}

// With no statistic chosen in the panel the drop places nothing and the
// selection is not analysed again.
void TableDropTest::emptyStatisticNameChangesNothing()
{
    select(*m_table, {cellRange(0, 0)});
    SignalRecorder recorder(m_table);
    const StatisticMimeData payload(QString(), QStringLiteral("income"), QString());
    m_table->dropPayload(m_table->cell(0, 0), &payload, variableList);
    QCOMPARE(m_table->cell(0, 0)->content().dataType(), T::Void);
    QVERIFY(recorder.take().isEmpty());
}

void TableDropTest::modalitiesAlongStrips_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::newRow("horizontal strip of five") << true;
    QTest::newRow("vertical strip of five") << false;
}

void TableDropTest::modalitiesAlongStrips()
{
    QFETCH(bool, horizontal);
    QList<QPair<int, int>> strip;
    for (int i = 0; i < 5; ++i)
        strip.append(horizontal ? qMakePair(2, 1 + i) : qMakePair(1 + i, 2));
    select(*m_table, {QTableWidgetSelectionRange(strip.first().first, strip.first().second,
                                                 strip.last().first, strip.last().second)});
    const QScopedPointer<MicroConditionListMimeData> payload(modalities({"1", "2", "3"}));
    m_table->dropPayload(m_table->cell(strip.at(2).first, strip.at(2).second), payload.data(),
                         modalityList);
    QCOMPARE(texts(strip), (QStringList{"Label 1", "Label 2", "Label 3", "Label 1", "Label 2"}));
}

void TableDropTest::modalitiesOnBlockGiveFirstOnly()
{
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 1, 1)});
    const QScopedPointer<MicroConditionListMimeData> payload(modalities({"1", "2", "3"}));
    m_table->dropPayload(m_table->cell(1, 1), payload.data(), modalityList);
    QCOMPARE(texts({{0, 0}, {0, 1}, {1, 0}, {1, 1}}),
             (QStringList{"Label 1", "Label 1", "Label 1", "Label 1"}));
}

// Each range starts again from the first modality; a single-cell range gets
// the first one.
void TableDropTest::cycleRestartsInEveryRange()
{
    select(*m_table, {QTableWidgetSelectionRange(0, 0, 0, 2),
                      QTableWidgetSelectionRange(2, 0, 2, 1), cellRange(4, 4)});
    const QScopedPointer<MicroConditionListMimeData> payload(modalities({"1", "2"}));
    m_table->dropPayload(m_table->cell(0, 0), payload.data(), modalityList);
    QCOMPARE(texts({{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}, {4, 4}}),
             (QStringList{"Label 1", "Label 2", "Label 1", "Label 1", "Label 2", "Label 1"}));
}

void TableDropTest::twoModalitiesOnUnselectedCell()
{
    const QScopedPointer<MicroConditionListMimeData> payload(modalities({"1", "2"}));
    m_table->dropPayload(m_table->cell(4, 0), payload.data(), modalityList);
    QCOMPARE(m_table->cell(4, 0)->text(), QStringLiteral("Label 1"));
    QCOMPARE(m_table->cell(4, 0)->content().condition().count(), 1);
}

void TableDropTest::secondModalityMakesAlternatives()
{
    Cell *cell = m_table->cell(0, 0);
    const QScopedPointer<MicroConditionListMimeData> first(modalities({"1"}));
    const QScopedPointer<MicroConditionListMimeData> second(modalities({"2"}));
    m_table->dropPayload(cell, first.data(), modalityList);
    QCOMPARE(cell->content().stataExpression(), QStringLiteral("sex==1"));
    m_table->dropPayload(cell, second.data(), modalityList);
    QCOMPARE(cell->text(), QStringLiteral("Label 1 | Label 2"));
    QCOMPARE(cell->content().stataExpression(), QStringLiteral("(sex==1 | sex==2)"));
    QCOMPARE(cell->palette().color(QPalette::WindowText), QColor(QStringLiteral("green")));
}

void TableDropTest::otherSourceChangesNothingButAnalyses()
{
    select(*m_table, {cellRange(0, 0)});
    SignalRecorder recorder(m_table);
    const StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("income"), QString());
    m_table->dropPayload(m_table->cell(0, 0), &payload, QStringLiteral("statisticComboBox"));
    m_table->dropPayload(m_table->cell(0, 0), &payload, QString());
    QCOMPARE(m_table->cell(0, 0)->content().dataType(), T::Void);
    QCOMPARE(recorder.take().size(), 8);
}

void TableDropTest::payloadOfTheWrongKindChangesNothing()
{
    const QScopedPointer<MicroConditionListMimeData> conditions(modalities({"1"}));
    const StatisticMimeData statisticPayload(QStringLiteral("mean"), QStringLiteral("income"),
                                             QString());
    m_table->dropPayload(m_table->cell(0, 0), conditions.data(), variableList);
    m_table->dropPayload(m_table->cell(0, 1), &statisticPayload, modalityList);
    const QScopedPointer<MicroConditionListMimeData> none(modalities({}));
    m_table->dropPayload(m_table->cell(0, 2), none.data(), modalityList);
    QCOMPARE(texts({{0, 0}, {0, 1}, {0, 2}}), (QStringList{"", "", ""}));
}

// A drop delivered to a cell goes through its signal into the grid's slot.
// Without a running drag there is no source object, so it counts as a drop
// from elsewhere: nothing changes, the selection is analysed again.
void TableDropTest::dropEventReachesTheGridSlot()
{
    select(*m_table, {cellRange(1, 1)});
    SignalRecorder recorder(m_table);
    const StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("income"), QString());
    QDropEvent event(QPointF(2, 2), Qt::CopyAction, &payload, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject *>(m_table->cell(1, 1))->event(&event);
    QCOMPARE(recorder.take(),
             (QStringList{"notSingleCellWithStatisticOrConditionSelected",
                          "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                          "cellsWithDifferentOrVoidAreaSelected"}));
    QCOMPARE(m_table->cell(1, 1)->content().dataType(), T::Void);
}

void TableDropTest::analysisShowsTheNewContent()
{
    select(*m_table, {cellRange(1, 1)});
    SignalRecorder recorder(m_table);
    const StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("income"), QString());
    m_table->dropPayload(m_table->cell(1, 1), &payload, variableList);
    QCOMPARE(recorder.take(), (QStringList{"singleCellWithStatisticSelected(summarize income )",
                                           "allCellsWithSameStatisticSelected(r(mean))",
                                           "cellsWithSameFormatSelected()",
                                           "cellsWithDifferentOrVoidAreaSelected"}));
}

QTEST_MAIN(TableDropTest)
#include "TableDropTest.moc"
