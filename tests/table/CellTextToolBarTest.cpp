#include "table/CellTextToolBar.h"

#include <QLineEdit>
#include <QTest>

class CellTextToolBarTest : public QObject
{
    Q_OBJECT

private slots:
    void startsEmptyAndFixed();
    void textAndColourByContent_data();
    void textAndColourByContent();
    void voidClearsTextAndKeepsColour();
};

void CellTextToolBarTest::startsEmptyAndFixed()
{
    CellTextToolBar toolBar;
    QCOMPARE(toolBar.objectName(), QStringLiteral("cellTextToolBar"));
    QVERIFY(!toolBar.isMovable());
    QVERIFY(!toolBar.parent());
    const QList<QLineEdit *> edits = toolBar.findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 1);
    QVERIFY(edits.first()->isReadOnly());
    QVERIFY(toolBar.text().isEmpty());
    QVERIFY(toolBar.widgetForAction(toolBar.actions().value(0)) == edits.first());
}

void CellTextToolBarTest::textAndColourByContent_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("styleSheet");
    QTest::newRow("statistic") << 0 << "summarize income if (sex==1)"
                               << "color: purple";
    QTest::newRow("condition") << 1 << "Male | Employed"
                               << "color: green";
    QTest::newRow("simple text") << 2 << "Average income"
                                 << "color: blue";
}

void CellTextToolBarTest::textAndColourByContent()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    CellTextToolBar toolBar;
    if (kind == 0)
        toolBar.setCellBarStatisticText(text);
    else if (kind == 1)
        toolBar.setCellBarConditionText(text);
    else
        toolBar.setCellBarSimpleText(text);
    QCOMPARE(toolBar.text(), text);
    QTEST(toolBar.findChild<QLineEdit *>()->styleSheet(), "styleSheet");
}

void CellTextToolBarTest::voidClearsTextAndKeepsColour()
{
    CellTextToolBar toolBar;
    toolBar.setCellBarConditionText(QStringLiteral("Male"));
    toolBar.setCellBarTextVoid();
    QVERIFY(toolBar.text().isEmpty());
    QCOMPARE(toolBar.findChild<QLineEdit *>()->styleSheet(), QStringLiteral("color: green"));
}

QTEST_MAIN(CellTextToolBarTest)
#include "CellTextToolBarTest.moc"
