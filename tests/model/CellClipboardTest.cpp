#include "model/CellClipboard.h"

#include <QMimeData>
#include <QTest>

#include <memory>

namespace {

using Rows = QList<QStringList>;

CellContent textCell(const QString &text, const QString &area = QString())
{
    CellContent cell;
    cell.setSimpleText(text);
    cell.setArea(area);
    return cell;
}

// A cell as a document file writes it, with the views a file leaves out.
QString describe(const CellContent &cell)
{
    QDomDocument document;
    document.appendChild(cell.toXml(document, 0, 0));
    return document.toString(-1) + QStringLiteral(" views %1/%2")
                                       .arg(int(cell.statisticFormatView()))
                                       .arg(int(cell.conditionFormatView()));
}

CellContentGrid textGrid(const Rows &rows)
{
    CellContentGrid grid(int(rows.size()), rows.isEmpty() ? 0 : int(rows.first().size()));
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            grid(row, column) = textCell(rows.at(row).at(column));
    }
    return grid;
}

Rows texts(const CellContentGrid &grid)
{
    Rows rows;
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < grid.columnCount(); ++column)
            fields.append(grid(row, column).displayText());
        rows.append(fields);
    }
    return rows;
}

} // namespace

class CellClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void copyThenPasteGivesEqualCells();
    void textOut_data();
    void textOut();
    void textIn_data();
    void textIn();
    void pasteStopsAtTheGridsEdge();
    void textPasteMakesSimpleTextsAndKeepsAreas();
    void unsoundDataGivesNoOrBoundedBlocks_data();
    void unsoundDataGivesNoOrBoundedBlocks();
};

void CellClipboardTest::copyThenPasteGivesEqualCells()
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
    QVERIFY(data->hasFormat(CellClipboard::mimeType()));
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

void CellClipboardTest::textOut_data()
{
    QTest::addColumn<Rows>("cells");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << Rows{{"a", "b"}, {"", "d"}} << QStringLiteral("a\tb\n\td");
    QTest::newRow("tab quoted") << Rows{{"x\ty"}} << QStringLiteral("\"x\ty\"");
    QTest::newRow("line break quoted") << Rows{{"x\ny", "z"}} << QStringLiteral("\"x\ny\"\tz");
    QTest::newRow("carriage return quoted") << Rows{{"x\ry"}} << QStringLiteral("\"x\ry\"");
    QTest::newRow("quote doubled") << Rows{{"say \"hi\""}} << QStringLiteral("\"say \"\"hi\"\"\"");
    QTest::newRow("blanks stay bare") << Rows{{" a b "}} << QStringLiteral(" a b ");
}

void CellClipboardTest::textOut()
{
    QFETCH(Rows, cells);
    QFETCH(QString, text);
    QCOMPARE(CellClipboard::toText(textGrid(cells)), text);
    // What is written reads back as the same cells.
    QCOMPARE(texts(CellClipboard::fromText(text)), cells);
}

void CellClipboardTest::textIn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("empty") << QString() << Rows{};
    QTest::newRow("one field") << QStringLiteral("a") << Rows{{"a"}};
    QTest::newRow("last line break ends the row")
        << QStringLiteral("a\tb\nc\td\n") << Rows{{"a", "b"}, {"c", "d"}};
    QTest::newRow("windows and mac line breaks")
        << QStringLiteral("a\r\nb\rc") << Rows{{"a"}, {"b"}, {"c"}};
    QTest::newRow("empty fields and lines")
        << QStringLiteral("\ta\t\n\nb") << Rows{{"", "a", ""}, {""}, {"b"}};
    QTest::newRow("quoted tab, line break and quote")
        << QStringLiteral("\"a\tb\"\t\"c\r\nd\"\t\"e\"\"f\"") << Rows{{"a\tb", "c\r\nd", "e\"f"}};
    QTest::newRow("quote inside a bare field stays")
        << QStringLiteral("5\" disk\t\"x\"y") << Rows{{"5\" disk", "xy"}};
    QTest::newRow("unclosed quote runs to the end")
        << QStringLiteral("\"a\tb\nc") << Rows{{"a\tb\nc"}};
    QTest::newRow("empty quoted field") << QStringLiteral("\"\"") << Rows{{""}};
}

void CellClipboardTest::textIn()
{
    QFETCH(QString, text);
    QFETCH(Rows, rows);
    QCOMPARE(CellClipboard::splitText(text), rows);
}

void CellClipboardTest::pasteStopsAtTheGridsEdge()
{
    CellContentGrid grid(3, 3);
    CellClipboard::Block block;
    block.cells = textGrid({{"a", "b"}, {"c", "d"}});
    block.wholeContents = true;
    QVERIFY(CellClipboard::fits(grid, 1, 1, block));
    QVERIFY(!CellClipboard::fits(grid, 2, 1, block));
    QVERIFY(!CellClipboard::fits(grid, 1, 2, block));
    QVERIFY(!CellClipboard::fits(grid, 3, 0, block));

    const QList<CellTableModel::CellEdit> edits = CellClipboard::pasteEdits(grid, 1, 2, block);
    QCOMPARE(edits.size(), 2);
    QCOMPARE(edits.at(0).row, 1);
    QCOMPARE(edits.at(0).column, 2);
    QCOMPARE(edits.at(0).content.simpleText(), QStringLiteral("a"));
    QCOMPARE(edits.at(1).row, 2);
    QCOMPARE(edits.at(1).content.simpleText(), QStringLiteral("c"));
    QVERIFY(CellClipboard::pasteEdits(grid, 3, 0, block).isEmpty());
    QVERIFY(CellClipboard::pasteEdits(grid, -1, 0, block).isEmpty());
}

void CellClipboardTest::textPasteMakesSimpleTextsAndKeepsAreas()
{
    CellContentGrid grid(1, 3);
    grid(0, 0).setStatistic(Statistic{"eta", "", "mean", "%9.2f"});
    grid(0, 0).setArea(QStringLiteral("nord"));
    grid(0, 1) = textCell(QStringLiteral("old"), QStringLiteral("sud"));
    QMimeData data;
    data.setText(QStringLiteral("new\t\tmore"));
    const CellClipboard::Block block = CellClipboard::block(&data);
    QVERIFY(!block.wholeContents);

    const QList<CellTableModel::CellEdit> edits = CellClipboard::pasteEdits(grid, 0, 0, block);
    QCOMPARE(edits.size(), 3);
    QCOMPARE(edits.at(0).content.dataType(), CellContent::Kind::SimpleText);
    QCOMPARE(edits.at(0).content.simpleText(), QStringLiteral("new"));
    QCOMPARE(edits.at(0).content.area(), QStringLiteral("nord"));
    QCOMPARE(edits.at(1).content.dataType(), CellContent::Kind::Void);
    QCOMPARE(edits.at(1).content.area(), QStringLiteral("sud"));
    QCOMPARE(edits.at(2).content.simpleText(), QStringLiteral("more"));
}

void CellClipboardTest::unsoundDataGivesNoOrBoundedBlocks_data()
{
    const QByteArray bigBlock = "<quorin><cells rowCount=\"5000\" columnCount=\"1\"/></quorin>";
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("wholeContents");
    QTest::newRow("not xml, no text")
        << QByteArray("<quorin><cells") << QString() << 0 << 0 << false;
    QTest::newRow("not xml, text") << QByteArray("garbage") << "a\tb" << 1 << 2 << false;
    QTest::newRow("other element") << QByteArray("<quorinCells rowCount=\"1\" columnCount=\"1\"/>")
                                   << QString() << 0 << 0 << false;
    QTest::newRow("too large") << bigBlock << QString() << 0 << 0 << false;
    QTest::newRow("negative") << QByteArray(
                                     "<quorin><cells rowCount=\"-1\" columnCount=\"2\"/></quorin>")
                              << QString() << 0 << 0 << false;
    QTest::newRow("cells outside left out")
        << QByteArray("<quorin><cells rowCount=\"1\" columnCount=\"1\"><cell row=\"7\" col=\"0\" "
                      "dataType=\"simpletext\"><simpletext text=\"x\"/></cell></cells></quorin>")
        << QString() << 1 << 1 << true;
    QTest::newRow("long text cut") << QByteArray() << QString(3000, QLatin1Char('\n'))
                                   << CellClipboard::maximumBlockLines << 1 << false;
    QTest::newRow("wide text cut") << QByteArray() << QString(3000, QLatin1Char('\t')) << 1
                                   << CellClipboard::maximumBlockLines << false;
}

void CellClipboardTest::unsoundDataGivesNoOrBoundedBlocks()
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

QTEST_GUILESS_MAIN(CellClipboardTest)
#include "CellClipboardTest.moc"
