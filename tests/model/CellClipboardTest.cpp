#include "model/CellClipboard.h"

#include "CellBuilders.h"
#include "DataRows.h"

#include <QMimeData>
#include <QTest>

#include <memory>

using CellBuilders::textCell;

namespace {

using Rows = QList<QStringList>;

// A cell as a document file writes it, with the views a file leaves out.
QString describe(const CellContent &cell)
{
    QDomDocument document;
    document.appendChild(cell.toXml(document, 0, 0));
    return document.toString(-1) + QStringLiteral(" views %1/%2")
                                       .arg(int(cell.statisticFormatView()))
                                       .arg(int(cell.conditionFormatView()));
}

} // namespace

// Where a block goes and what it keeps there is the grid's test.
class CellClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void copyThenPasteGivesEqualCells()
    {
        CellContentGrid block(2, 3);
        block(0, 0).setStatistic(Statistic{"eta", "Età <anni>", "mean", "%9.2f"});
        block(0, 0).setArea(QStringLiteral("nord & \"sud\""));
        block(0, 0).setStatisticFormatView(
            CellContent::StatisticFormatView::StatisticNameVariableLabel);
        block(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", "Sesso"));
        block(0, 1).addMicroCondition(MicroCondition("2", "Femmina", "sesso", "Sesso"));
        block(0, 1).setConditionFormatView(
            CellContent::ConditionFormatView::VariableLabelEqualModalityValue);
        block(0, 1).setArea(QStringLiteral("nord"));
        block(0, 2) = textCell(QStringLiteral("a\tb\n\"c\""), QStringLiteral("sud"));
        block(1, 0).setArea(QStringLiteral("nord")); // void, with an area
        block(1, 2).setStatistic(Statistic{"x", "", "sd", ""});

        const std::unique_ptr<QMimeData> data(CellClipboard::mimeData(block));
        const CellClipboard::Block pasted = CellClipboard::block(data.get());
        QVERIFY(pasted.wholeContents);
        QCOMPARE(pasted.cells.rowCount(), 2);
        QCOMPARE(pasted.cells.columnCount(), 3);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column)
                QCOMPARE(describe(pasted.cells(row, column)), describe(block(row, column)));
        }
        // The same data as text, for other programs.
        QCOMPARE(data->text(),
                 QStringLiteral("mean(Età <anni>)\tSesso=1 | Sesso=2\t\"a\tb\n\"\"c\"\"\"\n"
                                "\t\tsd(x)"));
    }

    void text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<bool>("written"); // as the cells' text is written out
        // clang-format off
        dataRow("plain", "a\tb\n\td", Rows{{"a", "b"}, {"", "d"}}, true);
        dataRow("tab quoted", "\"x\ty\"", Rows{{"x\ty"}}, true);
        dataRow("line break quoted", "\"x\ny\"\tz", Rows{{"x\ny", "z"}}, true);
        dataRow("carriage return quoted", "\"x\ry\"", Rows{{"x\ry"}}, true);
        dataRow("quote doubled", "\"say \"\"hi\"\"\"", Rows{{"say \"hi\""}}, true);
        dataRow("blanks stay bare", " a b ", Rows{{" a b "}}, true);
        dataRow("empty", "", Rows{}, false);
        dataRow("last line break ends the row", "a\tb\nc\td\n", Rows{{"a", "b"}, {"c", "d"}}, false);
        dataRow("windows and mac line breaks", "a\r\nb\rc", Rows{{"a"}, {"b"}, {"c"}}, false);
        dataRow("empty fields and lines", "\ta\t\n\nb", Rows{{"", "a", ""}, {""}, {"b"}}, false);
        dataRow("quoted tab, line break and quote", "\"a\tb\"\t\"c\r\nd\"\t\"e\"\"f\"", Rows{{"a\tb", "c\r\nd", "e\"f"}}, false);
        dataRow("quote inside a bare field stays", "5\" disk\t\"x\"y", Rows{{"5\" disk", "xy"}}, false);
        dataRow("unclosed quote runs to the end", "\"a\tb\nc", Rows{{"a\tb\nc"}}, false);
        dataRow("empty quoted field", "\"\"", Rows{{""}}, false);
        // clang-format on
    }

    // Text read in, and for cells whose text needs it, written out again.
    void text()
    {
        QFETCH(QString, text);
        QFETCH(Rows, rows);
        QCOMPARE(CellClipboard::splitText(text), rows);
        QFETCH(bool, written);
        if (written)
            QCOMPARE(CellClipboard::toText(CellClipboard::fromText(text)), text);
    }

    // What the document reader refuses in a block is the reader's test.
    void unsoundDataGivesNoOrBoundedBlocks_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("wholeContents");
        const int most = CellClipboard::maximumBlockLines;
        // clang-format off
        dataRow("not xml, no text", QByteArray("<quorin><cells"), QString(), 0, 0, false);
        dataRow("not xml, text", QByteArray("garbage"), "a\tb", 1, 2, false);
        dataRow("too large", QByteArray("<quorin><cells rowCount=\"5000\" columnCount=\"1\"/></quorin>"), QString(), 0, 0, false);
        dataRow("cells outside left out", QByteArray("<quorin><cells rowCount=\"1\" columnCount=\"1\"><cell row=\"7\" col=\"0\" dataType=\"simpletext\"><simpletext text=\"x\"/></cell></cells></quorin>"), QString(), 1, 1, true);
        dataRow("long text cut", QByteArray(), QString(3000, QLatin1Char('\n')), most, 1, false);
        dataRow("wide text cut", QByteArray(), QString(3000, QLatin1Char('\t')), 1, most, false);
        // clang-format on
    }

    void unsoundDataGivesNoOrBoundedBlocks()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, text);
        QMimeData data;
        if (!xml.isEmpty())
            data.setData(CellClipboard::mimeType(), xml);
        if (!text.isEmpty())
            data.setText(text);
        const CellClipboard::Block block = CellClipboard::block(&data);
        QTEST(block.cells.rowCount(), "rows");
        QTEST(block.cells.columnCount(), "columns");
        QTEST(block.wholeContents, "wholeContents");
        if (block.wholeContents)
            QCOMPARE(block.cells(0, 0).dataType(), CellContent::Kind::Void);
    }
};

QTEST_GUILESS_MAIN(CellClipboardTest)
#include "CellClipboardTest.moc"
