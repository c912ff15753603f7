#include "table/CellTextToolBar.h"

#include "DataRows.h"

#include <QLineEdit>
#include <QTest>

class CellTextToolBarTest : public QObject
{
    Q_OBJECT

private slots:
    void textAndColourByContent_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("styleSheet");
        dataRow("statistic", 0, "summarize income if (sex==1)", "color: purple");
        dataRow("condition", 1, "Male | Employed", "color: green");
        dataRow("simple text", 2, "Average income", "color: blue");
    }

    // Each kind of content shows in its colour, in the toolbar's one read-only
    // line, and the colour stays when the text is cleared, for the next one.
    void textAndColourByContent()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        CellTextToolBar toolBar;
        const QList<QLineEdit *> lines = toolBar.findChildren<QLineEdit *>();
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first()->isReadOnly());
        if (kind == 0)
            toolBar.setCellBarStatisticText(text);
        else if (kind == 1)
            toolBar.setCellBarConditionText(text);
        else
            toolBar.setCellBarSimpleText(text);
        QCOMPARE(toolBar.text(), text);
        QTEST(lines.first()->styleSheet(), "styleSheet");
        toolBar.setCellBarTextVoid();
        QVERIFY(toolBar.text().isEmpty());
        QTEST(lines.first()->styleSheet(), "styleSheet");
    }
};

QTEST_MAIN(CellTextToolBarTest)
#include "CellTextToolBarTest.moc"
