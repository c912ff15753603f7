#include "table/Cell.h"

#include "ContentBuilders.h"

#include <QDomDocument>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

using namespace TableTest;

class CellTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newCellIsVoidAndEmpty();
    void showsMarkupAsTyped();
    void showsContentInItsColour_data();
    void showsContentInItsColour();
    void voidCellKeepsItsColour();
    void areaAndFormatAreNotShown();
    void formatViewsRelabel();
    void readsDocumentElement();
    void acceptsDragsOnlyFromTheTwoLists_data();
    void acceptsDragsOnlyFromTheTwoLists();
    void refusesDragFromOutsideTheProgram();
    void dropEmitsOnceWithItself();
};

void CellTest::initTestCase()
{
    qRegisterMetaType<QDropEvent *>();
}

void CellTest::newCellIsVoidAndEmpty()
{
    Cell cell;
    QCOMPARE(cell.content().dataType(), T::Void);
    QVERIFY(cell.text().isEmpty());
    QVERIFY(cell.acceptDrops());
    QCOMPARE(cell.alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(cell.parentWidget(), nullptr);
    QCOMPARE(cell.textInteractionFlags(), Qt::NoTextInteraction);
}

void CellTest::showsMarkupAsTyped()
{
    Cell cell;
    cell.setSimpleText(QStringLiteral("<b>Total</b>"));
    QCOMPARE(cell.textFormat(), Qt::PlainText);
    QCOMPARE(cell.text(), QStringLiteral("<b>Total</b>"));
}

void CellTest::showsContentInItsColour_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");
    QTest::newRow("statistic") << 0 << "mean(income)" << QColor(QStringLiteral("purple"));
    QTest::newRow("condition") << 1 << "Male" << QColor(QStringLiteral("green"));
    QTest::newRow("simple text") << 2 << "Total" << QColor(QStringLiteral("blue"));
}

void CellTest::showsContentInItsColour()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QColor, color);
    Cell cell;
    if (kind == 0)
        cell.setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    else if (kind == 1)
        cell.addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    else
        cell.setSimpleText(QStringLiteral("Total"));
    QCOMPARE(cell.text(), text);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        QCOMPARE(cell.palette().color(group, QPalette::WindowText), color);
}

void CellTest::voidCellKeepsItsColour()
{
    Cell cell;
    cell.setArea(QStringLiteral("north"));
    cell.setSimpleText(QStringLiteral("Total"));
    cell.clearContent();
    QVERIFY(cell.text().isEmpty());
    QCOMPARE(cell.content().dataType(), T::Void);
    QCOMPARE(cell.content().area(), QStringLiteral("north"));
    QCOMPARE(cell.palette().color(QPalette::WindowText), QColor(QStringLiteral("blue")));
}

void CellTest::areaAndFormatAreNotShown()
{
    Cell cell;
    cell.setStatistic(statistic(QStringLiteral("mean"), QStringLiteral("income")));
    cell.setArea(QStringLiteral("north"));
    cell.setStatisticFormat(QStringLiteral("%9.2f"));
    QCOMPARE(cell.text(), QStringLiteral("mean(income)"));
    QCOMPARE(cell.content().statistic().format, QStringLiteral("%9.2f"));
    QCOMPARE(cell.content().area(), QStringLiteral("north"));
}

void CellTest::formatViewsRelabel()
{
    Cell cell;
    cell.setStatistic(
        statistic(QStringLiteral("mean"), QStringLiteral("income"), QStringLiteral("Income")));
    cell.setStatisticFormatView(T::StatisticNameVariableLabel);
    QCOMPARE(cell.text(), QStringLiteral("mean(Income)"));
    // A view stored on a condition-less cell applies once it gets a condition.
    Cell condition;
    condition.setConditionFormatView(T::VariableNameEqualModalityValue);
    QVERIFY(condition.text().isEmpty());
    condition.addMicroCondition(modality(QStringLiteral("1"), QStringLiteral("Male")));
    QCOMPARE(condition.text(), QStringLiteral("sex=1"));
}

void CellTest::readsDocumentElement()
{
    QDomDocument document;
    CellContent content;
    content.setSimpleText(QStringLiteral("Total"));
    content.setArea(QStringLiteral("north"));
    const QDomElement element = content.toXml(document, 3, 4);
    Cell cell(element);
    QCOMPARE(cell.text(), QStringLiteral("Total"));
    QCOMPARE(cell.content().area(), QStringLiteral("north"));
    QCOMPARE(cell.palette().color(QPalette::WindowText), QColor(QStringLiteral("blue")));
    QDomDocument written;
    QCOMPARE(cell.toXml(written, 3, 4).attribute(QStringLiteral("dataType")),
             QStringLiteral("simpletext"));
}

void CellTest::acceptsDragsOnlyFromTheTwoLists_data()
{
    QTest::addColumn<QString>("sourceName");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("variable list") << "variableListWidget" << true;
    QTest::newRow("modality list") << "modalityListWidget" << true;
    QTest::newRow("other widget") << "statisticComboBox" << false;
    QTest::newRow("unnamed") << "" << false;
    QTest::newRow("case differs") << "VariableListWidget" << false;
}

void CellTest::acceptsDragsOnlyFromTheTwoLists()
{
    QFETCH(QString, sourceName);
    QFETCH(bool, accepted);
    QWidget source;
    source.setObjectName(sourceName);
    QCOMPARE(Cell::acceptsDragFrom(&source), accepted);
}

// A drag from outside the program (a file from the desktop) has no source
// object; the cell refuses it.
void CellTest::refusesDragFromOutsideTheProgram()
{
    QVERIFY(!Cell::acceptsDragFrom(nullptr));
    Cell cell;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/survey.dta"))});
    QDragEnterEvent event(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    event.setAccepted(true);
    QCoreApplication::sendEvent(&cell, &event);
    QVERIFY(!event.isAccepted());
}

void CellTest::dropEmitsOnceWithItself()
{
    Cell cell;
    QSignalSpy spy(&cell, &Cell::dropInCell);
    QMimeData data;
    QDropEvent event(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // The application hands a drop only to the target of a running drag, and
    // the headless platform runs none: deliver it to the cell's handler.
    static_cast<QObject &>(cell).event(&event);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).value<Cell *>(), &cell);
    QCOMPARE(spy.first().at(1).value<QDropEvent *>(), &event);
    QCOMPARE(cell.content().dataType(), T::Void);
}

QTEST_MAIN(CellTest)
#include "CellTest.moc"
