#include "DataRows.h"
#include "ElementAttributes.h"
#include "model/AreaCollection.h"
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

} // namespace

class ValueTypesTest : public QObject
{
    Q_OBJECT

private slots:
    void missingAttributesReadAsEmpty()
    {
        const Variable odd(
            elementAttributes(QStringLiteral("<variable name=\"x\" vartype=\"abc\"/>")));
        QCOMPARE(odd.varType(), quint8(0));
        const Area area(elementAttributes(QStringLiteral("<area/>")));
        QVERIFY(area.name().isEmpty() && area.condition().isEmpty());
        const MicroCondition empty(
            elementAttributes(QStringLiteral("<microCondition value=\"2\"/>")));
        QCOMPARE(
            QStringList({empty.value(), empty.valueLabel(), empty.varName(), empty.varLabel()}),
            QStringList({"2", "", "", ""}));
    }

    void commandXml_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<Command::ResultType>("type");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        using T = Command::ResultType;
        dataRow("scalar", "<command name=\"mean\" resultType=\"scalar\"/>", T::Scalar, 1, 1);
        dataRow("macro", "<command name=\"m\" resultType=\"macro\"/>", T::Macro, 1, 1);
        dataRow("matrix",
                "<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"2\" "
                "resultMatrixColumn=\"3\"/>",
                T::Matrix, 2, 3);
        dataRow("matrix without coordinates",
                "<command name=\"b\" resultType=\"matrix\" resultMatrixRow=\"x\"/>", T::Matrix, 0,
                0);
        dataRow("scalar ignores coordinates",
                "<command name=\"s\" resultType=\"scalar\" resultMatrixRow=\"7\"/>", T::Scalar, 1,
                1);
        dataRow("unknown type reads as scalar", "<command name=\"u\" resultType=\"vector\"/>",
                T::Scalar, 1, 1);
    }

    // Read, and written again: only a matrix carries coordinates.
    void commandXml()
    {
        QFETCH(QString, xml);
        QFETCH(Command::ResultType, type);
        QFETCH(int, column);
        const Command command(elementAttributes(xml));
        QCOMPARE(command.resultType(), type);
        QTEST(command.resultMatrixRow(), "row");
        QCOMPARE(command.resultMatrixColumn(), column);
        QDomDocument out;
        const QDomElement element = command.toXml(out);
        QCOMPARE(element.hasAttribute(QStringLiteral("resultMatrixRow")),
                 type == Command::ResultType::Matrix);
        const Command back(elementAttributes(written(element)));
        QCOMPARE(back.resultMatrixColumn(), column);
        QCOMPARE(back.resultType(), type);
    }

    // A name read twice keeps its place twice and the later definition; the
    // catalogue is written in the order given, an unknown name is a default.
    void catalogueKeepsDocumentOrderAndDuplicates()
    {
        const QList<Command> read =
            readDocument(QStringLiteral("<quorin><commands>"
                                        "<command name=\"mean\" format=\"old\"/>"
                                        "<command name=\"count\" format=\"count #if\"/>"
                                        "<command name=\"mean\" format=\"new\"/>"
                                        "</commands></quorin>"))
                .commands;
        StatisticCatalogue catalogue;
        QStringList order;
        for (const Command &command : read) {
            catalogue.insert(command.name(), command);
            order.append(command.name());
        }
        QCOMPARE(catalogue.size(), 2);
        QCOMPARE(order, QStringList({"mean", "count", "mean"}));
        QDomDocument out;
        const QDomElement element = StatisticCatalogueXml::write(out, order, catalogue);
        QCOMPARE(element.tagName(), QStringLiteral("commands"));
        QStringList formats;
        for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            formats.append(e.attribute("name") + '=' + e.attribute("format"));
        QCOMPARE(formats, QStringList({"mean=new", "count=count #if", "mean=new"}));
        QVERIFY(catalogue.value(QStringLiteral("median")).format().isEmpty());
        QVERIFY(catalogue.value(QStringLiteral("median")).result().isEmpty());
        QVERIFY(!StatisticCatalogueXml::write(out, {}, {}).hasChildNodes());
    }

    // Areas sort by code unit, a later name wins, and they go through a
    // document unchanged.
    void areasSortByCodeUnitAndLaterWins()
    {
        AreaCollection areas =
            readDocument(
                QStringLiteral("<quorin><areas><area name=\"north\" condition=\"reg==1\"/>"
                               "<area name=\"North\" condition=\"reg==9\"/>"
                               "<x><area name=\"b\" condition=\"x\"/></x>"
                               "<area name=\"north\" condition=\"reg==2\"/></areas></quorin>"))
                .areas;
        QCOMPARE(areas.names(), QStringList({"North", "b", "north"}));
        QCOMPARE(areas.area(QStringLiteral("north")).condition(), QStringLiteral("reg==2"));
        QDomDocument out;
        const QString text = written(areas.toXml(out));
        QCOMPARE(
            readDocument(QStringLiteral("<quorin>") + text + QStringLiteral("</quorin>")).areas,
            areas);
        QVERIFY(text.indexOf("\"North\"") < text.indexOf("\"b\""));
        QVERIFY(text.indexOf("\"b\"") < text.indexOf("\"north\""));

        const Area missing = areas.area(QStringLiteral("south"));
        QVERIFY(missing.name().isEmpty() && missing.condition().isEmpty());
        for (const QString &name : areas.names())
            areas.remove(name);
        QVERIFY(areas.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ValueTypesTest)
#include "ValueTypesTest.moc"
