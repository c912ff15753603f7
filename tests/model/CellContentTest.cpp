#include "model/CellContent.h"

#include "ElementAttributes.h"
#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"

#include <QDomDocument>
#include <QTest>

Q_DECLARE_METATYPE(CellContent::StatisticFormatView)
Q_DECLARE_METATYPE(CellContent::ConditionFormatView)

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

// The content through a saved document and back.
CellContent roundTrip(const CellContent &content, int row = 3, int column = 4)
{
    Document document;
    document.cells = CellContentGrid(row + 1, column + 1);
    document.cells(row, column) = content;
    DocumentReader reader;
    if (!reader.read(DocumentWriter::toXml(document)))
        qFatal("written cell is refused");
    return reader.document().cells(row, column);
}

// A "cell" element read as the only cell of a document.
CellContent readCell(const QString &cell)
{
    DocumentReader reader;
    const QString xml = QStringLiteral("<quorin><cells rowCount=\"1\" columnCount=\"1\">") + cell +
                        QStringLiteral("</cells></quorin>");
    if (!reader.read(xml.toUtf8()))
        qFatal("test document is refused");
    return reader.document().cells(0, 0);
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
    void xmlRoundTripOfEveryKind();
    void xmlLayout();
    void unknownDataTypeReadsAsVoid();
    void cellThatStopsBeingAConditionLosesItsTerms_data();
    void cellThatStopsBeingAConditionLosesItsTerms();
};

void CellContentTest::newCellIsVoidWithDefaultViews()
{
    const CellContent content;
    QCOMPARE(content.dataType(), CellContent::Kind::Void);
    QCOMPARE(content.statisticFormatView(),
             CellContent::StatisticFormatView::StatisticNameVariableName);
    QCOMPARE(content.conditionFormatView(), CellContent::ConditionFormatView::OnlyModalityLabel);
    QVERIFY(content.displayText().isEmpty());
    QVERIFY(content.area().isEmpty());
    QVERIFY(content.stataExpression().isEmpty());
}

void CellContentTest::statisticText_data()
{
    QTest::addColumn<CellContent::StatisticFormatView>("view");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name") << CellContent::StatisticFormatView::OnlyStatisticName << "Income"
                          << "mean";
    QTest::newRow("variable name")
        << CellContent::StatisticFormatView::OnlyStatisticVariableName << "Income"
        << "income";
    QTest::newRow("variable label")
        << CellContent::StatisticFormatView::OnlyStatisticVariableLabel << "Income"
        << "Income";
    QTest::newRow("name(variable)")
        << CellContent::StatisticFormatView::StatisticNameVariableName << "Income"
        << "mean(income)";
    QTest::newRow("name(label)") << CellContent::StatisticFormatView::StatisticNameVariableLabel
                                 << "Income"
                                 << "mean(Income)";
    QTest::newRow("name(empty label)")
        << CellContent::StatisticFormatView::StatisticNameVariableLabel << ""
        << "mean()";
}

void CellContentTest::statisticText()
{
    QFETCH(CellContent::StatisticFormatView, view);
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
    QTest::addColumn<CellContent::ConditionFormatView>("view");
    QTest::addColumn<QString>("expected");
    QTest::newRow("label") << CellContent::ConditionFormatView::OnlyModalityLabel
                           << "Maschio | Femmina";
    QTest::newRow("value") << CellContent::ConditionFormatView::OnlyModalityValue << "1 | 2";
    QTest::newRow("name=value") << CellContent::ConditionFormatView::VariableNameEqualModalityValue
                                << "sesso=1 | sesso=2";
    QTest::newRow("name=label")
        << CellContent::ConditionFormatView::VariableNameEqualModalityValueLabel
        << "sesso=Maschio | sesso=Femmina";
    QTest::newRow("label=value")
        << CellContent::ConditionFormatView::VariableLabelEqualModalityValue << "Sex=1 | Sex=2";
    QTest::newRow("label=label")
        << CellContent::ConditionFormatView::VariableLabelEqualModalityValueLabel
        << "Sex=Maschio | Sex=Femmina";
}

void CellContentTest::conditionText()
{
    QFETCH(CellContent::ConditionFormatView, view);
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
    QVERIFY(content.colorStyleSheet().isEmpty());
    QVERIFY(content.colorName().isEmpty());
    content.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Maschio")));
    QCOMPARE(content.colorStyleSheet(), QStringLiteral("color: green"));
    QCOMPARE(content.colorName(), QStringLiteral("green"));
    content.setStatistic(meanOfIncome());
    QCOMPARE(content.colorStyleSheet(), QStringLiteral("color: purple"));
    QCOMPARE(content.colorName(), QStringLiteral("purple"));
    content.setSimpleText(QStringLiteral("Total"));
    QCOMPARE(content.colorStyleSheet(), QStringLiteral("color: blue"));
    QCOMPARE(content.colorName(), QStringLiteral("blue"));
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
    const CellContent content(elementAttributes(
        QStringLiteral("<cell row=\"0\" col=\"0\" area=\"\" dataType=\"condition\"/>")));
    QCOMPARE(content.dataType(), CellContent::Kind::Condition);
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
    QCOMPARE(content.dataType(), CellContent::Kind::Void);
    QCOMPARE(content.area(), QStringLiteral("north"));
    QVERIFY(content.displayText().isEmpty());
    QVERIFY(content.statistic().statisticName.isEmpty());
    QVERIFY(content.statistic().varName.isEmpty());
    QCOMPARE(content.statistic().format, QStringLiteral("%9.2f"));

    content.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Maschio")));
    content.clearContent();
    QVERIFY(content.condition().isEmpty());
    // A new condition starts from no terms.
    content.addMicroCondition(sex(QStringLiteral("2"), QStringLiteral("Femmina")));
    QCOMPARE(content.stataExpression(), QStringLiteral("sesso==2"));
}

void CellContentTest::viewsOnVoidApplyLater()
{
    CellContent content;
    content.setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticVariableLabel);
    content.setConditionFormatView(CellContent::ConditionFormatView::OnlyModalityValue);
    QVERIFY(content.displayText().isEmpty());
    content.setStatistic(meanOfIncome());
    QCOMPARE(content.displayText(), QStringLiteral("Income"));
    content.clearContent();
    content.addMicroCondition(sex(QStringLiteral("2"), QStringLiteral("Femmina")));
    QCOMPARE(content.displayText(), QStringLiteral("2"));
}

void CellContentTest::xmlRoundTripOfEveryKind()
{
    CellContent statistic;
    statistic.setStatistic(meanOfIncome());
    statistic.setArea(QStringLiteral("north"));
    statistic.setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticName);
    const CellContent statisticBack = roundTrip(statistic);
    QCOMPARE(statisticBack.dataType(), CellContent::Kind::Statistic);
    QCOMPARE(statisticBack.statistic().statisticName, QStringLiteral("mean"));
    QCOMPARE(statisticBack.statistic().varName, QStringLiteral("income"));
    QCOMPARE(statisticBack.statistic().varLabel, QStringLiteral("Income"));
    QCOMPARE(statisticBack.statistic().format, QStringLiteral("%9.2f"));
    QCOMPARE(statisticBack.area(), QStringLiteral("north"));
    // Views are not saved: the loaded cell shows the default.
    QCOMPARE(statisticBack.displayText(), QStringLiteral("mean(income)"));

    CellContent condition;
    condition.addMicroCondition(sex(QStringLiteral("1"), QStringLiteral("Maschio")));
    condition.addMicroCondition(sex(QStringLiteral("2"), QStringLiteral("Femmina \"F\"")));
    condition.setConditionFormatView(CellContent::ConditionFormatView::OnlyModalityValue);
    const CellContent conditionBack = roundTrip(condition);
    QCOMPARE(conditionBack.dataType(), CellContent::Kind::Condition);
    QCOMPARE(conditionBack.displayText(), QStringLiteral("Maschio | Femmina \"F\""));
    QCOMPARE(conditionBack.stataExpression(), QStringLiteral("(sesso==1 | sesso==2)"));
    QCOMPARE(conditionBack.condition().terms().at(1).varLabel(), QStringLiteral("Sex"));

    CellContent text;
    text.setSimpleText(QStringLiteral("  Total <all> & more  "));
    QCOMPARE(roundTrip(text).simpleText(), text.simpleText());

    CellContent empty;
    empty.setArea(QStringLiteral("south"));
    const CellContent emptyBack = roundTrip(empty);
    QCOMPARE(emptyBack.dataType(), CellContent::Kind::Void);
    QCOMPARE(emptyBack.area(), QStringLiteral("south"));
}

void CellContentTest::xmlLayout()
{
    CellContent content;
    content.setSimpleText(QStringLiteral("Title"));
    QDomDocument document;
    const QDomElement element = content.toXml(document, 2, 7);
    QCOMPARE(element.tagName(), QStringLiteral("cell"));
    QCOMPARE(element.attribute(QStringLiteral("row")), QStringLiteral("2"));
    QCOMPARE(element.attribute(QStringLiteral("col")), QStringLiteral("7"));
    QVERIFY(element.hasAttribute(QStringLiteral("area")));
    QCOMPARE(element.attribute(QStringLiteral("dataType")), QStringLiteral("simpletext"));
    QCOMPARE(element.firstChildElement().tagName(), QStringLiteral("simpletext"));
    QCOMPARE(element.firstChildElement().attribute(QStringLiteral("text")),
             QStringLiteral("Title"));

    CellContent voidCell;
    QVERIFY(!voidCell.toXml(document, 0, 0).hasChildNodes());
    QCOMPARE(voidCell.toXml(document, 0, 0).attribute(QStringLiteral("dataType")),
             QStringLiteral("void"));
}

void CellContentTest::unknownDataTypeReadsAsVoid()
{
    const CellContent content(readCell(
        QStringLiteral("<cell dataType=\"picture\" area=\"a\"><simpletext text=\"x\"/></cell>")));
    QCOMPARE(content.dataType(), CellContent::Kind::Void);
    QCOMPARE(content.area(), QStringLiteral("a"));

    const CellContent bare(readCell(QStringLiteral("<cell dataType=\"statistic\"/>")));
    QCOMPARE(bare.dataType(), CellContent::Kind::Statistic);
    QCOMPARE(bare.displayText(), QStringLiteral("()"));
}

void CellContentTest::cellThatStopsBeingAConditionLosesItsTerms_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("statistic") << 0;
    QTest::newRow("simple text") << 1;
    QTest::newRow("cleared") << 2;
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
