#include "DataRows.h"
#include "model/AreaCollection.h"
#include "model/Condition.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"

#include <QDomDocument>
#include <QTest>

namespace {

QDomElement parse(QDomDocument &document, const QString &xml)
{
    if (!document.setContent(xml))
        qFatal("test XML is not well-formed");
    return document.documentElement();
}

MicroCondition term(const QString &value, const QString &valueLabel)
{
    return MicroCondition(value, valueLabel, QStringLiteral("sesso"), QStringLiteral("Sex"));
}

} // namespace

class ValueTypesTest : public QObject
{
    Q_OBJECT

private slots:
    void conditionLabel_data();
    void conditionLabel();
    void missingAttributesReadAsEmpty();
    void conditionReadsTermsAnywhereBelow();
    void commandXml_data();
    void commandXml();
    void catalogueKeepsDocumentOrderAndDuplicates();
    void areasSortByCodeUnitAndLaterWins();
};

void ValueTypesTest::conditionLabel_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("expected");
    dataRow("no terms", QStringList(), "");
    dataRow("one term", QStringList{"Maschio"}, "Maschio");
    dataRow("two terms", QStringList{"Nord", "Centro"}, "Nord | Centro");
    dataRow("empty label in the middle", QStringList{"a", "", "c"}, "a |  | c");
}

void ValueTypesTest::conditionLabel()
{
    QFETCH(QStringList, labels);
    QFETCH(QString, expected);
    Condition condition;
    for (int i = 0; i < labels.size(); ++i)
        condition.append(term(QString::number(i + 1), labels.at(i)));
    QCOMPARE(condition.label(), expected);
}

void ValueTypesTest::missingAttributesReadAsEmpty()
{
    QDomDocument document;
    QCOMPARE(Variable(parse(document, QStringLiteral("<variable name=\"x\" vartype=\"abc\"/>")))
                 .varType(),
             quint8(0));
    const MicroCondition term(parse(document, QStringLiteral("<microCondition value=\"2\"/>")));
    QCOMPARE(term.value(), QStringLiteral("2"));
    QVERIFY(term.valueLabel().isEmpty());
    QVERIFY(term.varName().isEmpty());
}

void ValueTypesTest::conditionReadsTermsAnywhereBelow()
{
    QDomDocument document;
    const Condition condition(parse(
        document, QStringLiteral("<cell><condition><microCondition value=\"1\" valueLabel=\"A\"/>"
                                 "<x><microCondition value=\"2\" valueLabel=\"B\"/></x>"
                                 "</condition></cell>")));
    QCOMPARE(condition.count(), 2);
    QCOMPARE(condition.label(), QStringLiteral("A | B"));
}

void ValueTypesTest::commandXml_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    dataRow("scalar",
            "<command name=\"mean\" format=\"summarize #var #if\" result=\"r(mean)\" "
            "resultType=\"scalar\"/>",
            int(T::Scalar), 1, 1);
    dataRow("macro", "<command name=\"m\" resultType=\"macro\"/>", int(T::Macro), 1, 1);
    dataRow("matrix",
            "<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"2\" "
            "resultMatrixColumn=\"3\"/>",
            int(T::Matrix), 2, 3);
    dataRow("matrix without coordinates",
            "<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"x\"/>", int(T::Matrix), 0,
            0);
    dataRow("scalar ignores coordinates",
            "<command name=\"s\" resultType=\"scalar\" resultMatrixRow=\"7\"/>", int(T::Scalar), 1,
            1);
    dataRow("unknown type reads as scalar", "<command name=\"u\" resultType=\"vector\"/>",
            int(T::Scalar), 1, 1);
}

void ValueTypesTest::commandXml()
{
    QFETCH(QString, xml);
    QFETCH(int, type);
    QFETCH(int, row);
    QFETCH(int, column);
    QDomDocument document;
    const Command command(parse(document, xml));
    QCOMPARE(int(command.resultType()), type);
    QCOMPARE(command.resultMatrixRow(), row);
    QCOMPARE(command.resultMatrixColumn(), column);

    // Written again, only a matrix carries coordinates.
    QDomDocument out;
    const QDomElement element = command.toXml(out);
    QCOMPARE(element.hasAttribute(QStringLiteral("resultMatrixRow")), type == T::Matrix);
    QCOMPARE(Command(element).resultMatrixColumn(), column);
    QCOMPARE(int(Command(element).resultType()), type);
}

// The later of two entries of a name wins, and saving writes it in both places.
void ValueTypesTest::catalogueKeepsDocumentOrderAndDuplicates()
{
    QDomDocument document;
    const QList<Command> read = StatisticCatalogueXml::read(parse(
        document, QStringLiteral("<commands>"
                                 "<command name=\"mean\" format=\"old\" resultType=\"scalar\"/>"
                                 "<command name=\"count\" format=\"count #if\"/>"
                                 "<command name=\"mean\" format=\"new\" resultType=\"scalar\"/>"
                                 "</commands>")));
    StatisticCatalogue catalogue;
    QStringList order;
    for (const Command &command : read) {
        catalogue.insert(command.name(), command);
        order.append(command.name());
    }
    QCOMPARE(order, (QStringList{"mean", "count", "mean"}));
    QCOMPARE(catalogue.size(), 2);
    QDomDocument out;
    QStringList formats;
    const QDomElement written = StatisticCatalogueXml::write(out, order, catalogue);
    for (QDomElement e = written.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        formats.append(e.attribute(QStringLiteral("format")));
    QCOMPARE(formats, (QStringList{"new", "count #if", "new"}));
    // An unknown name gives a default command.
    QVERIFY(catalogue.value(QStringLiteral("median")).format().isEmpty());
    QVERIFY(!StatisticCatalogueXml::write(out, {}, {}).hasChildNodes());
}

void ValueTypesTest::areasSortByCodeUnitAndLaterWins()
{
    QDomDocument document;
    const AreaCollection areas(
        parse(document, QStringLiteral("<areas><area name=\"north\" condition=\"reg==1\"/>"
                                       "<area name=\"North\" condition=\"reg==9\"/>"
                                       "<area name=\"b\" condition=\"x\"/>"
                                       "<area name=\"north\" condition=\"reg==2\"/></areas>")));
    QCOMPARE(areas.names(), (QStringList{"North", "b", "north"}));
    QCOMPARE(areas.area(QStringLiteral("north")).condition(), QStringLiteral("reg==2"));
    QVERIFY(areas.area(QStringLiteral("south")).condition().isEmpty());
    // Loading replaces what was there.
    AreaCollection reloaded;
    reloaded.insert(Area(QStringLiteral("stale"), QStringLiteral("1")));
    QDomDocument out;
    reloaded.load(areas.toXml(out));
    QCOMPARE(reloaded.names(), areas.names());
    QCOMPARE(reloaded.area(QStringLiteral("north")).condition(), QStringLiteral("reg==2"));
}

QTEST_GUILESS_MAIN(ValueTypesTest)
#include "ValueTypesTest.moc"
