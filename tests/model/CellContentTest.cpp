#include "model/CellContent.h"

#include "CellBuilders.h"
#include "DataRows.h"
#include "model/DocumentReader.h"

#include <QTest>

Q_DECLARE_METATYPE(CellContent::StatisticFormatView)
Q_DECLARE_METATYPE(CellContent::ConditionFormatView)

using namespace CellBuilders;
using StatisticView = CellContent::StatisticFormatView;
using ConditionView = CellContent::ConditionFormatView;

namespace {

const Statistic meanOfIncome = statistic("mean", "income", "Income", "%9.2f");

MicroCondition sex(const char *value, const char *label)
{
    return term(value, label, "sesso", "Sex");
}

// A "cell" element read as the only cell of a document.
CellContent readCell(const QString &cell)
{
    DocumentReader reader;
    if (!reader.read(QStringLiteral("<quorin><cells rowCount=\"1\" columnCount=\"1\">%1"
                                    "</cells></quorin>")
                         .arg(cell)
                         .toUtf8()))
        qFatal("test document is refused");
    return reader.document().cells(0, 0);
}

} // namespace

class CellContentTest : public QObject
{
    Q_OBJECT

private slots:
    void kinds()
    {
        CellContent content;
        QCOMPARE(content.dataType(), CellContent::Kind::Void);
        QCOMPARE(content.statisticFormatView(), StatisticView::StatisticNameVariableName);
        QCOMPARE(content.conditionFormatView(), ConditionView::OnlyModalityLabel);
        QVERIFY(content.displayText().isEmpty() && content.area().isEmpty());
        QVERIFY(content.stataExpression().isEmpty());
        content.addMicroCondition(sex("1", "Maschio"));
        QCOMPARE(content.stataExpression(), QStringLiteral("sesso==1"));
        content.addMicroCondition(sex("2", "Femmina"));
        QCOMPARE(content.stataExpression(), QStringLiteral("(sesso==1 | sesso==2)"));
        content.setStatistic(meanOfIncome);
        QVERIFY(content.stataExpression().isEmpty());
        content.setSimpleText(QStringLiteral("Total"));
        QCOMPARE(content.displayText(), QStringLiteral("Total"));
        QVERIFY(content.stataExpression().isEmpty());

        // Values go in exactly as stored.
        const CellContent quoted = conditionCell({MicroCondition("\"m\"", "Male", "sex", "")});
        QCOMPARE(quoted.stataExpression(), QStringLiteral("sex==\"m\""));
    }

    void statisticText_data()
    {
        QTest::addColumn<StatisticView>("view");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("expected");
        dataRow("name", StatisticView::OnlyStatisticName, "Income", "mean");
        dataRow("variable name", StatisticView::OnlyStatisticVariableName, "Income", "income");
        dataRow("variable label", StatisticView::OnlyStatisticVariableLabel, "Income", "Income");
        dataRow("name(variable)", StatisticView::StatisticNameVariableName, "Income",
                "mean(income)");
        dataRow("name(label)", StatisticView::StatisticNameVariableLabel, "Income", "mean(Income)");
        dataRow("name(empty label)", StatisticView::StatisticNameVariableLabel, "", "mean()");
    }

    void statisticText()
    {
        QFETCH(StatisticView, view);
        QFETCH(QString, label);
        CellContent content = statisticCell(statistic("mean", "income", label, "%9.2f"));
        content.setStatisticFormatView(view);
        QTEST(content.displayText(), "expected");
    }

    void conditionText_data()
    {
        QTest::addColumn<ConditionView>("view");
        QTest::addColumn<QString>("expected");
        dataRow("label", ConditionView::OnlyModalityLabel, "Maschio | Femmina");
        dataRow("value", ConditionView::OnlyModalityValue, "1 | 2");
        dataRow("name=value", ConditionView::VariableNameEqualModalityValue, "sesso=1 | sesso=2");
        dataRow("name=label", ConditionView::VariableNameEqualModalityValueLabel,
                "sesso=Maschio | sesso=Femmina");
        dataRow("label=value", ConditionView::VariableLabelEqualModalityValue, "Sex=1 | Sex=2");
        dataRow("label=label", ConditionView::VariableLabelEqualModalityValueLabel,
                "Sex=Maschio | Sex=Femmina");
    }

    void conditionText()
    {
        QFETCH(ConditionView, view);
        CellContent content;
        content.setConditionFormatView(view);
        content.addMicroCondition(sex("1", "Maschio"));
        content.addMicroCondition(sex("2", "Femmina"));
        QTEST(content.displayText(), "expected");
        // The toolbar's label ignores the view.
        QCOMPARE(content.conditionLabel(), QStringLiteral("Maschio | Femmina"));
    }

    // A view chosen on an empty cell applies to what comes later. Clearing
    // keeps the area, the views and the statistic's display format.
    void viewsAndClearing()
    {
        CellContent content = voidCell("north");
        content.setStatisticFormatView(StatisticView::OnlyStatisticVariableLabel);
        content.setConditionFormatView(ConditionView::OnlyModalityValue);
        QVERIFY(content.displayText().isEmpty());
        content.setStatistic(meanOfIncome);
        QCOMPARE(content.displayText(), QStringLiteral("Income"));
        content.clearContent();
        QCOMPARE(content.dataType(), CellContent::Kind::Void);
        QCOMPARE(content.area(), QStringLiteral("north"));
        QVERIFY(content.displayText().isEmpty());
        QVERIFY(content.statistic().statisticName.isEmpty() &&
                content.statistic().varName.isEmpty());
        QCOMPARE(content.statistic().format, QStringLiteral("%9.2f"));
        content.addMicroCondition(sex("2", "Femmina"));
        QCOMPARE(content.displayText(), QStringLiteral("2"));
    }

    void damagedCells()
    {
        const CellContent empty = readCell(QStringLiteral("<cell dataType=\"condition\"/>"));
        QCOMPARE(empty.dataType(), CellContent::Kind::Condition);
        QVERIFY(empty.condition().isEmpty());
        QVERIFY(empty.displayText().isEmpty() && empty.conditionLabel().isEmpty());
        QVERIFY(empty.stataExpression().isEmpty()); // restricts nothing

        const CellContent unknown = readCell(QStringLiteral(
            "<cell dataType=\"picture\" area=\"a\"><simpletext text=\"x\"/></cell>"));
        QCOMPARE(unknown.dataType(), CellContent::Kind::Void);
        QCOMPARE(unknown.area(), QStringLiteral("a"));

        const CellContent bare = readCell(QStringLiteral("<cell dataType=\"statistic\"/>"));
        QCOMPARE(bare.dataType(), CellContent::Kind::Statistic);
        QCOMPARE(bare.displayText(), QStringLiteral("()"));
    }

    void cellThatStopsBeingAConditionLosesItsTerms_data()
    {
        QTest::addColumn<int>("change");
        dataRow("statistic", 0);
        dataRow("simple text", 1);
        dataRow("cleared", 2);
    }

    // "Male", then something else, then "Female": the condition is "Female"
    // alone, not the wider "Male | Female". Terms added to a condition stay.
    void cellThatStopsBeingAConditionLosesItsTerms()
    {
        QFETCH(int, change);
        CellContent content;
        content.addMicroCondition(sex("1", "Male"));
        if (change == 0)
            content.setStatistic(statistic("mean", "income"));
        else if (change == 1)
            content.setSimpleText(QStringLiteral("Total"));
        else
            content.clearContent();
        QVERIFY(content.condition().isEmpty());
        content.addMicroCondition(sex("2", "Female"));
        QCOMPARE(content.displayText(), QStringLiteral("Female"));
        QCOMPARE(content.stataExpression(), QStringLiteral("sesso==2"));
        content.addMicroCondition(sex("1", "Male"));
        QCOMPARE(content.stataExpression(), QStringLiteral("(sesso==2 | sesso==1)"));
    }
};

QTEST_GUILESS_MAIN(CellContentTest)
#include "CellContentTest.moc"
