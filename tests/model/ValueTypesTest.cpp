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
    void variableXmlRoundTrip();
    void missingAttributesReadAsEmpty();
    void conditionReadsTermsAnywhereBelow();
    void variantHoldsVariableAndModality();
    void commandXml_data();
    void commandXml();
    void catalogueKeepsDocumentOrderAndDuplicates();
    void catalogueWritesInGivenOrder();
    void areasSortByCodeUnitAndLaterWins();
    void unknownAreaIsEmpty();
};

void ValueTypesTest::conditionLabel_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no terms") << QStringList() << QString();
    QTest::newRow("one term") << QStringList{QStringLiteral("Maschio")}
                              << QStringLiteral("Maschio");
    QTest::newRow("two terms") << QStringList{QStringLiteral("Nord"), QStringLiteral("Centro")}
                               << QStringLiteral("Nord | Centro");
    QTest::newRow("empty label in the middle")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("c")}
        << QStringLiteral("a |  | c");
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

void ValueTypesTest::variableXmlRoundTrip()
{
    Variable variable(QStringLiteral("ripartizione"), QStringLiteral("Area \"geo\" & <co>"), 251);
    variable.appendModality(
        Modality(QStringLiteral("1"), QStringLiteral("Nord"), variable.name(), variable.label()));
    variable.appendModality(
        Modality(QStringLiteral("-9"), QStringLiteral("Città"), variable.name(), variable.label()));
    QDomDocument document;
    const QDomElement element = variable.toXml(document);
    QCOMPARE(element.tagName(), QStringLiteral("variable"));
    QCOMPARE(element.attribute(QStringLiteral("vartype")), QStringLiteral("251"));
    QCOMPARE(element.childNodes().size(), 2);

    // Through text, as a saved document goes.
    document.appendChild(element);
    QDomDocument reread;
    QVERIFY(reread.setContent(document.toString()));
    const QDomElement root = reread.documentElement();
    const Variable back(root);
    QCOMPARE(back.name(), variable.name());
    QCOMPARE(back.label(), variable.label());
    QCOMPARE(back.varType(), quint8(251));
    QVERIFY(back.modalities().isEmpty()); // the loader adds them
    const Modality second(root.childNodes().at(1).toElement(), back.name(), back.label());
    QCOMPARE(second.value(), QStringLiteral("-9"));
    QCOMPARE(second.valueLabel(), QStringLiteral("Città"));
    QCOMPARE(second.varName(), QStringLiteral("ripartizione"));
    QCOMPARE(second.varLabel(), variable.label());
}

void ValueTypesTest::missingAttributesReadAsEmpty()
{
    QDomDocument document;
    const QDomElement variable = parse(document, QStringLiteral("<variable/>"));
    QCOMPARE(Variable(variable).name(), QString());
    QCOMPARE(Variable(variable).varType(), quint8(0));

    QDomDocument other;
    const QDomElement odd = parse(other, QStringLiteral("<variable name=\"x\" vartype=\"abc\"/>"));
    QCOMPARE(Variable(odd).varType(), quint8(0));

    QDomDocument third;
    const MicroCondition empty(parse(third, QStringLiteral("<microCondition value=\"2\"/>")));
    QCOMPARE(empty.value(), QStringLiteral("2"));
    QCOMPARE(empty.valueLabel(), QString());
    QCOMPARE(empty.varName(), QString());

    QDomDocument fourth;
    const Area area(parse(fourth, QStringLiteral("<area/>")));
    QCOMPARE(area.name(), QString());
    QCOMPARE(area.condition(), QString());
}

void ValueTypesTest::conditionReadsTermsAnywhereBelow()
{
    QDomDocument document;
    const QDomElement root = parse(
        document, QStringLiteral("<cell><condition><microCondition value=\"1\" valueLabel=\"A\"/>"
                                 "<x><microCondition value=\"2\" valueLabel=\"B\"/></x>"
                                 "</condition></cell>"));
    const Condition condition(root);
    QCOMPARE(condition.count(), 2);
    QCOMPARE(condition.label(), QStringLiteral("A | B"));

    QDomDocument written;
    Condition original;
    original.append(term(QStringLiteral("1"), QStringLiteral("Maschio")));
    const QDomElement element = original.toXml(written);
    QCOMPARE(element.tagName(), QStringLiteral("condition"));
    const QDomElement child = element.firstChildElement();
    QCOMPARE(child.tagName(), QStringLiteral("microCondition"));
    QCOMPARE(child.attribute(QStringLiteral("varName")), QStringLiteral("sesso"));
    QCOMPARE(child.attribute(QStringLiteral("varLabel")), QStringLiteral("Sex"));
    QCOMPARE(child.attribute(QStringLiteral("valueLabel")), QStringLiteral("Maschio"));
}

void ValueTypesTest::variantHoldsVariableAndModality()
{
    QCOMPARE(QMetaType::fromType<Variable>().name(), "Variable");
    QCOMPARE(QMetaType::fromType<Modality>().name(), "Modality");
    Variable variable(QStringLiteral("eta"), QStringLiteral("Age"), 0);
    variable.appendModality(Modality(QStringLiteral("1"), QStringLiteral("young"),
                                     QStringLiteral("eta"), QStringLiteral("Age")));
    const QVariant held = QVariant::fromValue(variable);
    QCOMPARE(held.value<Variable>().modalities().size(), 1);
    QCOMPARE(held.value<Variable>().modalities().first().valueLabel(), QStringLiteral("young"));
}

void ValueTypesTest::commandXml_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("scalar")
        << QStringLiteral("<command name=\"mean\" format=\"summarize #var #if\" result=\"r(mean)\" "
                          "resultType=\"scalar\"/>")
        << int(T::Scalar) << 1 << 1;
    QTest::newRow("macro") << QStringLiteral("<command name=\"m\" resultType=\"macro\"/>")
                           << int(T::Macro) << 1 << 1;
    QTest::newRow("matrix")
        << QStringLiteral("<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"2\" "
                          "resultMatrixColumn=\"3\"/>")
        << int(T::Matrix) << 2 << 3;
    QTest::newRow("matrix without coordinates")
        << QStringLiteral("<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"x\"/>")
        << int(T::Matrix) << 0 << 0;
    QTest::newRow("scalar ignores coordinates")
        << QStringLiteral("<command name=\"s\" resultType=\"scalar\" resultMatrixRow=\"7\"/>")
        << int(T::Scalar) << 1 << 1;
    QTest::newRow("unknown type reads as scalar")
        << QStringLiteral("<command name=\"u\" resultType=\"vector\"/>") << int(T::Scalar) << 1
        << 1;
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

void ValueTypesTest::catalogueKeepsDocumentOrderAndDuplicates()
{
    QDomDocument document;
    const QDomElement commands = parse(
        document, QStringLiteral("<commands>"
                                 "<command name=\"mean\" format=\"old\" resultType=\"scalar\"/>"
                                 "<command name=\"count\" format=\"count #if\"/>"
                                 "<command name=\"mean\" format=\"new\" resultType=\"scalar\"/>"
                                 "</commands>"));
    const QList<Command> read = StatisticCatalogueXml::read(commands);
    QCOMPARE(read.size(), 3);
    StatisticCatalogue catalogue;
    QStringList order;
    for (const Command &command : read) {
        catalogue.insert(command.name(), command);
        order.append(command.name());
    }
    QCOMPARE(catalogue.size(), 2);
    QCOMPARE(catalogue.value(QStringLiteral("mean")).format(), QStringLiteral("new"));
    QCOMPARE(order, (QStringList{QStringLiteral("mean"), QStringLiteral("count"),
                                 QStringLiteral("mean")}));

    // Saving again writes the later entry twice.
    QDomDocument out;
    const QDomElement written = StatisticCatalogueXml::write(out, order, catalogue);
    QCOMPARE(written.childNodes().size(), 3);
    QCOMPARE(written.childNodes().at(0).toElement().attribute(QStringLiteral("format")),
             QStringLiteral("new"));
    QCOMPARE(written.childNodes().at(2).toElement().attribute(QStringLiteral("format")),
             QStringLiteral("new"));

    // An unknown name gives a default command.
    const Command unknown = catalogue.value(QStringLiteral("median"));
    QVERIFY(unknown.format().isEmpty());
    QVERIFY(unknown.result().isEmpty());
}

void ValueTypesTest::catalogueWritesInGivenOrder()
{
    StatisticCatalogue catalogue;
    catalogue.insert(QStringLiteral("b"), Command(QStringLiteral("b"), QStringLiteral("fb"),
                                                  QStringLiteral("r(b)"), T::Matrix, 2, 4));
    catalogue.insert(QStringLiteral("a"), Command(QStringLiteral("a"), QStringLiteral("fa"),
                                                  QStringLiteral("r(a)"), T::Macro, 1, 1));
    QDomDocument out;
    const QDomElement written =
        StatisticCatalogueXml::write(out, {QStringLiteral("b"), QStringLiteral("a")}, catalogue);
    QCOMPARE(written.tagName(), QStringLiteral("commands"));
    const QDomElement first = written.firstChildElement();
    QCOMPARE(first.attribute(QStringLiteral("name")), QStringLiteral("b"));
    QCOMPARE(first.attribute(QStringLiteral("resultType")), QStringLiteral("matrix"));
    QCOMPARE(first.attribute(QStringLiteral("resultMatrixColumn")), QStringLiteral("4"));
    const QDomElement second = first.nextSiblingElement();
    QCOMPARE(second.attribute(QStringLiteral("resultType")), QStringLiteral("macro"));
    QVERIFY(!second.hasAttribute(QStringLiteral("resultMatrixRow")));

    QDomDocument emptyDocument;
    const QDomElement empty = StatisticCatalogueXml::write(emptyDocument, {}, {});
    QVERIFY(!empty.hasChildNodes());
    QVERIFY(StatisticCatalogueXml::read(empty).isEmpty());
}

void ValueTypesTest::areasSortByCodeUnitAndLaterWins()
{
    QDomDocument document;
    const QDomElement element =
        parse(document, QStringLiteral("<areas><area name=\"north\" condition=\"reg==1\"/>"
                                       "<area name=\"North\" condition=\"reg==9\"/>"
                                       "<area name=\"b\" condition=\"x\"/>"
                                       "<area name=\"north\" condition=\"reg==2\"/></areas>"));
    const AreaCollection areas(element);
    QCOMPARE(areas.count(), 3);
    QCOMPARE(areas.names(),
             (QStringList{QStringLiteral("North"), QStringLiteral("b"), QStringLiteral("north")}));
    QCOMPARE(areas.area(QStringLiteral("north")).condition(), QStringLiteral("reg==2"));

    QDomDocument out;
    const QDomElement written = areas.toXml(out);
    QCOMPARE(written.tagName(), QStringLiteral("areas"));
    QStringList writtenNames;
    for (QDomElement e = written.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        writtenNames.append(e.attribute(QStringLiteral("name")));
    QCOMPARE(writtenNames, areas.names());

    AreaCollection reloaded;
    reloaded.insert(Area(QStringLiteral("stale"), QStringLiteral("1")));
    reloaded.load(written);
    QCOMPARE(reloaded.names(), areas.names());
}

void ValueTypesTest::unknownAreaIsEmpty()
{
    AreaCollection areas;
    areas.insert(Area(QStringLiteral("north"), QStringLiteral("reg==1")));
    const Area missing = areas.area(QStringLiteral("south"));
    QVERIFY(missing.name().isEmpty());
    QVERIFY(missing.condition().isEmpty());
    areas.remove(QStringLiteral("north"));
    QVERIFY(areas.isEmpty());
}

QTEST_GUILESS_MAIN(ValueTypesTest)
#include "ValueTypesTest.moc"
