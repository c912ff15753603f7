#include "model/CellContent.h"

#include "DataRows.h"

#include <QDomDocument>
#include <QTest>

Q_DECLARE_METATYPE(T::StatisticFormatView)
Q_DECLARE_METATYPE(T::ConditionFormatView)

namespace {

Statistic meanOfIncome()
{
    return Statistic{QStringLiteral("income"), QStringLiteral("Income"), QStringLiteral("mean"),
                     QStringLiteral("%9.2f")};
}

MicroCondition sex(const QString &value, const QString &label)
{
    return MicroCondition(value, label, QStringLiteral("sesso"), QStringLiteral("Sex"));
}

} // namespace

class CellContentTest : public QObject
{
    Q_OBJECT

private slots:
    void newCellIsVoidWithDefaultViews();
    void statisticText_data();
    void statisticText();
    void conditionText_data();
    void conditionText();
    void colours();
    void stataExpression();
    void emptyConditionRestrictsNothing();
    void clearKeepsAreaAndFormat();
    void viewsOnVoidApplyLater();
    void unknownDataTypeReadsAsVoid();
    void cellThatStopsBeingAConditionLosesItsTerms_data();
    void cellThatStopsBeingAConditionLosesItsTerms();
};

void CellContentTest::newCellIsVoidWithDefaultViews()
{
    const CellContent content;
    QCOMPARE(content.dataType(), T::Void);
    QCOMPARE(content.statisticFormatView(), T::StatisticNameVariableName);
    QCOMPARE(content.conditionFormatView(), T::OnlyModalityLabel);
    QVERIFY(content.displayText().isEmpty());
    QVERIFY(content.area().isEmpty());
    QVERIFY(content.stataExpression().isEmpty());
}

void CellContentTest::statisticText_data()
{
    QTest::addColumn<T::StatisticFormatView>("view");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("expected");
    dataRow("name", T::OnlyStatisticName, "Income", "mean");
    dataRow("variable name", T::OnlyStatisticVariableName, "Income", "income");
    dataRow("variable label", T::OnlyStatisticVariableLabel, "Income", "Income");
    dataRow("name(variable)", T::StatisticNameVariableName, "Income", "mean(income)");
    dataRow("name(label)", T::StatisticNameVariableLabel, "Income", "mean(Income)");
    dataRow("name(empty label)", T::StatisticNameVariableLabel, "", "mean()");
}

void CellContentTest::statisticText()
{
    QFETCH(T::StatisticFormatView, view);
    QFETCH(QString, label);
    QFETCH(QString, expected);
    CellContent content;
    Statistic statistic = meanOfIncome();
    statistic.varLabel = label;
    content.setStatistic(statistic);
    content.setStatisticFormatView(view);
    QCOMPARE(content.displayText(), expected);
}

void CellContentTest::conditionText_data()
{
    QTest::addColumn<T::ConditionFormatView>("view");
    QTest::addColumn<QString>("expected");
    dataRow("label", T::OnlyModalityLabel, "Maschio | Femmina");
    dataRow("value", T::OnlyModalityValue, "1 | 2");
    dataRow("name=value", T::VariableNameEqualModalityValue, "sesso=1 | sesso=2");
    dataRow("name=label", T::VariableNameEqualModalityValueLabel, "sesso=Maschio | sesso=Femmina");
    dataRow("label=value", T::VariableLabelEqualModalityValue, "Sex=1 | Sex=2");
    dataRow("label=label", T::VariableLabelEqualModalityValueLabel, "Sex=Maschio | Sex=Femmina");
}

void CellContentTest::conditionText()
{
    QFETCH(T::ConditionFormatView, view);
    QFETCH(QString, expected);
    CellContent content;
    content.setConditionFormatView(view);
    content.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Maschio")));
    content.addMicroCondition(sex(QStringLiteral("2"), QStringLiteral("Femmina")));
    QCOMPARE(content.displayText(), expected);
    // The toolbar's label ignores the view.
    QCOMPARE(content.conditionLabel(), QStringLiteral("Maschio | Femmina"));
}

void CellContentTest::colours()
{
    CellContent content;
    QStringList colours{content.colorName() + QLatin1Char('/') + content.colorStyleSheet()};
    content.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Maschio")));
    colours.append(content.colorName() + QLatin1Char('/') + content.colorStyleSheet());
    content.setStatistic(meanOfIncome());
    colours.append(content.colorName() + QLatin1Char('/') + content.colorStyleSheet());
    content.setSimpleText(QStringLiteral("Total"));
    colours.append(content.colorName() + QLatin1Char('/') + content.colorStyleSheet());
    QCOMPARE(colours,
             (QStringList{"/", "green/color: green", "purple/color: purple", "blue/color: blue"}));
    QCOMPARE(content.displayText(), QStringLiteral("Total"));
}

void CellContentTest::stataExpression()
{
    CellContent content;
    content.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Maschio")));
    QCOMPARE(content.stataExpression(), QStringLiteral("sesso==1"));
    content.addMicroCondition(sex(QStringLiteral("2"), QStringLiteral("Femmina")));
    QCOMPARE(content.stataExpression(), QStringLiteral("(sesso==1 | sesso==2)"));
    QCOMPARE(content.displayText(), QStringLiteral("Maschio | Femmina"));

    // Values go in exactly as stored.
    CellContent text;
    text.addMicroCondition(MicroCondition(QStringLiteral("\"m\""), QStringLiteral("Male"),
                                          QStringLiteral("sex"), QString()));
    QCOMPARE(text.stataExpression(), QStringLiteral("sex==\"m\""));

    content.setSimpleText(QStringLiteral("x"));
    QVERIFY(content.stataExpression().isEmpty());
    content.setStatistic(meanOfIncome());
    QVERIFY(content.stataExpression().isEmpty());
}

void CellContentTest::emptyConditionRestrictsNothing()
{
    QDomDocument document;
    QVERIFY(document.setContent(
        QStringLiteral("<cell row=\"0\" col=\"0\" area=\"\" dataType=\"condition\"/>")));
    const CellContent content(document.documentElement());
    QCOMPARE(content.dataType(), T::Condition);
    QVERIFY(content.condition().isEmpty());
    QVERIFY(content.displayText().isEmpty());
    QVERIFY(content.stataExpression().isEmpty());
}

void CellContentTest::clearKeepsAreaAndFormat()
{
    CellContent content;
    content.setArea(QStringLiteral("north"));
    content.setStatistic(meanOfIncome());
    content.clearContent();
    QCOMPARE(content.dataType(), T::Void);
    QCOMPARE(content.area(), QStringLiteral("north"));
    QVERIFY(content.displayText().isEmpty());
    QVERIFY(content.statistic().statisticName.isEmpty());
    QVERIFY(content.statistic().varName.isEmpty());
    QCOMPARE(content.statistic().format, QStringLiteral("%9.2f"));
}

void CellContentTest::viewsOnVoidApplyLater()
{
    CellContent content;
    content.setStatisticFormatView(T::OnlyStatisticVariableLabel);
    content.setConditionFormatView(T::OnlyModalityValue);
    QVERIFY(content.displayText().isEmpty());
    content.setStatistic(meanOfIncome());
    QCOMPARE(content.displayText(), QStringLiteral("Income"));
    content.clearContent();
    content.addMicroCondition(sex(QStringLiteral("2"), QStringLiteral("Femmina")));
    QCOMPARE(content.displayText(), QStringLiteral("2"));
}

void CellContentTest::unknownDataTypeReadsAsVoid()
{
    QDomDocument document;
    QVERIFY(document.setContent(
        QStringLiteral("<cell dataType=\"picture\" area=\"a\"><simpletext text=\"x\"/></cell>")));
    const CellContent content(document.documentElement());
    QCOMPARE(content.dataType(), T::Void);
    QCOMPARE(content.area(), QStringLiteral("a"));

    QDomDocument missing;
    QVERIFY(missing.setContent(QStringLiteral("<cell dataType=\"statistic\"/>")));
    const CellContent bare(missing.documentElement());
    QCOMPARE(bare.dataType(), T::Statistic);
    QCOMPARE(bare.displayText(), QStringLiteral("()"));
}

void CellContentTest::cellThatStopsBeingAConditionLosesItsTerms_data()
{
    QTest::addColumn<int>("change");
    dataRow("statistic", 0);
    dataRow("simple text", 1);
    dataRow("cleared", 2);
}

// "Male", then something else, then "Female": the condition is "Female"
// alone, not the wider "Male | Female". Terms added to a condition stay.
void CellContentTest::cellThatStopsBeingAConditionLosesItsTerms()
{
    QFETCH(int, change);
    CellContent content;
    content.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Male")));
    if (change == 0)
        content.setStatistic(
            Statistic{QStringLiteral("income"), QString(), QStringLiteral("mean"), QString()});
    else if (change == 1)
        content.setSimpleText(QStringLiteral("Total"));
    else
        content.clearContent();
    QVERIFY(content.condition().isEmpty());
    content.addMicroCondition(sex(QStringLiteral("2"), QStringLiteral("Female")));
    QCOMPARE(content.displayText(), QStringLiteral("Female"));
    QCOMPARE(content.stataExpression(), QStringLiteral("sesso==2"));
    content.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Male")));
    QCOMPARE(content.stataExpression(), QStringLiteral("(sesso==2 | sesso==1)"));
}

QTEST_GUILESS_MAIN(CellContentTest)
#include "CellContentTest.moc"
