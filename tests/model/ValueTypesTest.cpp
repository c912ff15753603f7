#include "ElementAttributes.h"
#include "model/AreaCollection.h"
#include "model/Condition.h"
#include "model/DocumentReader.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"

#include <QDomDocument>
#include <QTest>

namespace {

// The element as text, as a saved document holds it.
QString written(const QDomElement &element)
{
    QDomDocument document;
    document.appendChild(document.importNode(element, true));
    return document.toString();
}

Document readDocument(const QString &xml)
{
    DocumentReader reader;
    if (!reader.read(xml.toUtf8()))
        qFatal("test document is refused");
    return reader.document();
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
    const QString text = written(element);
    const Variable back(elementAttributes(text));
    QCOMPARE(back.name(), variable.name());
    QCOMPARE(back.label(), variable.label());
    QCOMPARE(back.varType(), quint8(251));
    QVERIFY(back.modalities().isEmpty()); // the loader adds them
    const Modality second(elementAttributes(text, 2), back.name(), back.label());
    QCOMPARE(second.value(), QStringLiteral("-9"));
    QCOMPARE(second.valueLabel(), QStringLiteral("Città"));
    QCOMPARE(second.varName(), QStringLiteral("ripartizione"));
    QCOMPARE(second.varLabel(), variable.label());
}

void ValueTypesTest::missingAttributesReadAsEmpty()
{
    const Variable variable(elementAttributes(QStringLiteral("<variable/>")));
    QCOMPARE(variable.name(), QString());
    QCOMPARE(variable.varType(), quint8(0));

    const Variable odd(elementAttributes(QStringLiteral("<variable name=\"x\" vartype=\"abc\"/>")));
    QCOMPARE(odd.varType(), quint8(0));

    const MicroCondition empty(elementAttributes(QStringLiteral("<microCondition value=\"2\"/>")));
    QCOMPARE(empty.value(), QStringLiteral("2"));
    QCOMPARE(empty.valueLabel(), QString());
    QCOMPARE(empty.varName(), QString());

    const Area area(elementAttributes(QStringLiteral("<area/>")));
    QCOMPARE(area.name(), QString());
    QCOMPARE(area.condition(), QString());
}

void ValueTypesTest::conditionReadsTermsAnywhereBelow()
{
    const Document document = readDocument(QStringLiteral(
        "<quorin><cells rowCount=\"1\" columnCount=\"1\"><cell dataType=\"condition\">"
        "<condition><microCondition value=\"1\" valueLabel=\"A\"/>"
        "<x><microCondition value=\"2\" valueLabel=\"B\"/></x></condition>"
        "<condition><microCondition value=\"3\" valueLabel=\"C\"/></condition>"
        "</cell></cells></quorin>"));
    const Condition &condition = document.cells(0, 0).condition();
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
        << int(Command::ResultType::Scalar) << 1 << 1;
    QTest::newRow("macro") << QStringLiteral("<command name=\"m\" resultType=\"macro\"/>")
                           << int(Command::ResultType::Macro) << 1 << 1;
    QTest::newRow("matrix")
        << QStringLiteral("<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"2\" "
                          "resultMatrixColumn=\"3\"/>")
        << int(Command::ResultType::Matrix) << 2 << 3;
    QTest::newRow("matrix without coordinates")
        << QStringLiteral("<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"x\"/>")
        << int(Command::ResultType::Matrix) << 0 << 0;
    QTest::newRow("scalar ignores coordinates")
        << QStringLiteral("<command name=\"s\" resultType=\"scalar\" resultMatrixRow=\"7\"/>")
        << int(Command::ResultType::Scalar) << 1 << 1;
    QTest::newRow("unknown type reads as scalar")
        << QStringLiteral("<command name=\"u\" resultType=\"vector\"/>")
        << int(Command::ResultType::Scalar) << 1 << 1;
}

void ValueTypesTest::commandXml()
{
    QFETCH(QString, xml);
    QFETCH(int, type);
    QFETCH(int, row);
    QFETCH(int, column);
    const Command command(elementAttributes(xml));
    QCOMPARE(int(command.resultType()), type);
    QCOMPARE(command.resultMatrixRow(), row);
    QCOMPARE(command.resultMatrixColumn(), column);

    // Written again, only a matrix carries coordinates.
    QDomDocument out;
    const QDomElement element = command.toXml(out);
    QCOMPARE(element.hasAttribute(QStringLiteral("resultMatrixRow")),
             type == int(Command::ResultType::Matrix));
    const Command back(elementAttributes(written(element)));
    QCOMPARE(back.resultMatrixColumn(), column);
    QCOMPARE(int(back.resultType()), type);
}

void ValueTypesTest::catalogueKeepsDocumentOrderAndDuplicates()
{
    const QList<Command> read =
        readDocument(QStringLiteral("<quorin><commands>"
                                    "<command name=\"mean\" format=\"old\" resultType=\"scalar\"/>"
                                    "<command name=\"count\" format=\"count #if\"/>"
                                    "<command name=\"mean\" format=\"new\" resultType=\"scalar\"/>"
                                    "</commands></quorin>"))
            .commands;
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
    catalogue.insert(QStringLiteral("b"),
                     Command(QStringLiteral("b"), QStringLiteral("fb"), QStringLiteral("r(b)"),
                             Command::ResultType::Matrix, 2, 4));
    catalogue.insert(QStringLiteral("a"),
                     Command(QStringLiteral("a"), QStringLiteral("fa"), QStringLiteral("r(a)"),
                             Command::ResultType::Macro, 1, 1));
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
    QVERIFY(
        readDocument(QStringLiteral("<quorin>") + ::written(empty) + QStringLiteral("</quorin>"))
            .commands.isEmpty());
}

void ValueTypesTest::areasSortByCodeUnitAndLaterWins()
{
    const AreaCollection areas =
        readDocument(QStringLiteral("<quorin><areas><area name=\"north\" condition=\"reg==1\"/>"
                                    "<area name=\"North\" condition=\"reg==9\"/>"
                                    "<x><area name=\"b\" condition=\"x\"/></x>"
                                    "<area name=\"north\" condition=\"reg==2\"/></areas></quorin>"))
            .areas;
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

    const AreaCollection reloaded =
        readDocument(QStringLiteral("<quorin>") + ::written(written) + QStringLiteral("</quorin>"))
            .areas;
    QCOMPARE(reloaded, areas);
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
