#include "ElementAttributes.h"
#include "model/AreaCollection.h"
#include "model/DocumentReader.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"

#include <QDomDocument>
#include <QTest>

namespace {

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
    // Odd attributes of damaged files: coordinates count for a matrix only,
    // unreadable numbers are 0 and an unknown type is a scalar.
    void oddAttributes()
    {
        using T = Command::ResultType;
        for (const auto &[attributes, type, row, column] :
             {std::tuple{"resultType=\"matrix\" resultMatrixRow=\"x\"", T::Matrix, 0, 0},
              {"resultType=\"scalar\" resultMatrixRow=\"7\"", T::Scalar, 1, 1},
              {"resultType=\"vector\"", T::Scalar, 1, 1}}) {
            const Command command(
                elementAttributes(QStringLiteral("<command %1/>").arg(QLatin1String(attributes))));
            QCOMPARE(command.resultType(), type);
            QCOMPARE(command.resultMatrixRow(), row);
            QCOMPARE(command.resultMatrixColumn(), column);
        }
        const Variable variable(elementAttributes(QStringLiteral("<variable vartype=\"abc\"/>")));
        QCOMPARE(variable.varType(), quint8(0));
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
        QStringList formats;
        for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            formats.append(e.attribute("name") + '=' + e.attribute("format"));
        QCOMPARE(formats, QStringList({"mean=new", "count=count #if", "mean=new"}));
        const Command unknown = catalogue.value(QStringLiteral("median"));
        QVERIFY(unknown.format().isEmpty() && unknown.result().isEmpty());
        QVERIFY(!StatisticCatalogueXml::write(out, {}, {}).hasChildNodes());
    }

    // Areas sort by code unit and a later name wins; an unknown one is empty.
    void areasSortByCodeUnitAndLaterWins()
    {
        const AreaCollection areas =
            readDocument(
                QStringLiteral("<quorin><areas><area name=\"north\" condition=\"reg==1\"/>"
                               "<area name=\"North\" condition=\"reg==9\"/>"
                               "<x><area name=\"b\" condition=\"x\"/></x>"
                               "<area name=\"north\" condition=\"reg==2\"/></areas></quorin>"))
                .areas;
        QCOMPARE(areas.names(), QStringList({"North", "b", "north"}));
        QCOMPARE(areas.area(QStringLiteral("north")).condition(), QStringLiteral("reg==2"));
        const Area missing = areas.area(QStringLiteral("south"));
        QVERIFY(missing.name().isEmpty() && missing.condition().isEmpty());
    }
};

QTEST_GUILESS_MAIN(ValueTypesTest)
#include "ValueTypesTest.moc"
