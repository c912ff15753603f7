#include "table/CellTextToolBar.h"

#include "DataRows.h"

#include <QLineEdit>
#include <QTest>

class CellTextToolBarTest : public QObject
{
    Q_OBJECT

private slots:
    void startsEmptyAndFixed();
    void textAndColourByContent_data();
    void textAndColourByContent();
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
    dataRow("statistic", 0, "summarize income if (sex==1)", "color: purple");
    dataRow("condition", 1, "Male | Employed", "color: green");
    dataRow("simple text", 2, "Average income", "color: blue");
}

// Each kind of content shows in its colour, which stays when the text is
// cleared, for the next one.
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
    toolBar.setCellBarTextVoid();
    QVERIFY(toolBar.text().isEmpty());
    QTEST(toolBar.findChild<QLineEdit *>()->styleSheet(), "styleSheet");
}

QTEST_MAIN(CellTextToolBarTest)
#include "CellTextToolBarTest.moc"
