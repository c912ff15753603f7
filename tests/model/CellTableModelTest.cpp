#include "model/CellTableModel.h"

#include "CellBuilders.h"
#include "model/DocumentModel.h"

#include <QColor>
#include <QSignalSpy>
#include <QTest>

using namespace CellBuilders;

namespace {

// A grid of the size with every cell a simple text "row,column".
void markPositions(CellTableModel &cells, int rows, int columns)
{
    cells.reset(rows, columns);
    QList<CellTableModel::CellEdit> edits;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            edits.append({row, column, textCell(QStringLiteral("%1,%2").arg(row).arg(column))});
    }
    cells.setContents(edits);
}

QStringList texts(const CellTableModel &cells)
{
    QStringList all;
    for (int row = 0; row < cells.rowCount(); ++row) {
        QStringList line;
        for (int column = 0; column < cells.columnCount(); ++column)
            line.append(cells.data(cells.index(row, column)).toString());
        all.append(line.join(QLatin1Char(' ')));
    }
    return all;
}

Command scalar(const char *name, const char *command, const char *result)
{
    return Command(name, command, result, Command::ResultType::Scalar, 1, 1);
}

} // namespace

// The grid and the document without any widget: shapes, edits, sizes and
// what they report.
class CellTableModelTest : public QObject
{
    Q_OBJECT

private slots:
    void rolesGiveTextColourAndAlignment_data()
    {
        QTest::addColumn<CellContent>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("colour");
        QTest::newRow("void") << voidCell("north") << QString() << QVariant();
        QTest::newRow("text") << textCell("Total") << "Total" << QVariant(QColor("blue"));
        QTest::newRow("condition") << conditionCell({term("1", "Male"), term("2", "Female")})
                                   << "Male | Female" << QVariant(QColor("green"));
        QTest::newRow("statistic")
            << statisticCell(statistic("mean", "age")) << "mean(age)" << QVariant(QColor("purple"));
    }

    void rolesGiveTextColourAndAlignment()
    {
        QFETCH(CellContent, content);
        CellTableModel cells;
        cells.reset(2, 2);
        cells.setContents({{1, 1, content}});
        const QModelIndex index = cells.index(1, 1);
        QTEST(index.data().toString(), "text");
        QTEST(index.data(Qt::ForegroundRole), "colour");
        QCOMPARE(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
        QCOMPARE(index.data(CellTableModel::contentRole).value<CellContent>().area(),
                 content.area());
        QCOMPARE(cells.flags(index) & Qt::ItemIsEditable, Qt::NoItemFlags);
    }

    // One call per user action: one content change, and one dataChanged over
    // the cells it touched; views only relabel and are not document content.
    void editsAreOneChangeEach()
    {
        CellTableModel cells;
        cells.reset(4, 4);
        QSignalSpy changed(&cells, &CellTableModel::contentChanged);
        QSignalSpy data(&cells, &CellTableModel::dataChanged);
        cells.setContents(
            {{1, 2, textCell("a")}, {3, 0, textCell("b")}, {9, 9, textCell("outside")}});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(data.count(), 1);
        QCOMPARE(data.first().at(0).toModelIndex(), cells.index(1, 0));
        QCOMPARE(data.first().at(1).toModelIndex(), cells.index(3, 2));
        CellContent relabelled = statisticCell(statistic("mean", "age", "Age"));
        relabelled.setStatisticFormatView(
            CellContent::StatisticFormatView::OnlyStatisticVariableLabel);
        cells.setContents({{0, 0, relabelled}}, CellTableModel::EditKind::View);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(cells.data(cells.index(0, 0)).toString(), QStringLiteral("Age"));
        cells.setContents({});
        QCOMPARE(changed.count(), 1);
    }

    void linesInsertedAndRemoved_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QList<int>>("lines"); // position and count, or the lines removed
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("insert rows") << true << true << QList<int>{1, 2} << QStringList{"0,0 0,1 0,2", "  ", "  ", "1,0 1,1 1,2", "2,0 2,1 2,2"};
        QTest::newRow("insert columns at the end") << false << true << QList<int>{3, 1} << QStringList{"0,0 0,1 0,2 ", "1,0 1,1 1,2 ", "2,0 2,1 2,2 "};
        QTest::newRow("insert columns") << false << true << QList<int>{0, 2} << QStringList{"  0,0 0,1 0,2", "  1,0 1,1 1,2", "  2,0 2,1 2,2"};
        QTest::newRow("remove a run of rows") << true << false << QList<int>{1, 2} << QStringList{"0,0 0,1 0,2"};
        QTest::newRow("remove rows apart, listed twice") << true << false << QList<int>{2, 0, 2} << QStringList{"1,0 1,1 1,2"};
        QTest::newRow("remove columns apart") << false << false << QList<int>{0, 2} << QStringList{"0,1", "1,1", "2,1"};
        // clang-format on
    }

    void linesInsertedAndRemoved()
    {
        QFETCH(bool, rows);
        QFETCH(QList<int>, lines);
        const Qt::Orientation orientation = rows ? Qt::Vertical : Qt::Horizontal;
        CellTableModel cells;
        markPositions(cells, 3, 3);
        QSignalSpy changed(&cells, &CellTableModel::contentChanged);
        QFETCH(bool, insert);
        if (insert)
            QVERIFY(cells.insertLines(orientation, lines.at(0), lines.at(1)));
        else
            cells.removeLines(orientation, lines);
        QTEST(texts(cells), "expected");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(cells.lineSizes(orientation).size(),
                 rows ? cells.rowCount() : cells.columnCount());
    }

    void sizesFollowTheirLinesAndStayBounded()
    {
        CellTableModel cells;
        cells.setDefaultLineSize(Qt::Vertical, 25);
        QVERIFY(cells.reset(CellContentGrid(4, 2), {0, 40, -3, 50000}, {77}));
        QCOMPARE(cells.lineSizes(Qt::Vertical),
                 (QList<int>{25, 40, 25, CellTableModel::maximumLineSize}));
        QCOMPARE(cells.lineSizes(Qt::Horizontal),
                 (QList<int>{77, cells.defaultLineSize(Qt::Horizontal)}));
        cells.insertLines(Qt::Vertical, 1, 1);
        QCOMPARE(cells.lineSize(Qt::Vertical, 1), 25);
        QCOMPARE(cells.lineSize(Qt::Vertical, 2), 40);
        cells.removeLines(Qt::Vertical, {0});
        QCOMPARE(cells.lineSize(Qt::Vertical, 1), 40);
        QSignalSpy changed(&cells, &CellTableModel::contentChanged);
        cells.setLineSize(Qt::Horizontal, 1, 90);
        cells.setLineSize(Qt::Horizontal, 1, 90);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(cells.lineSize(Qt::Horizontal, 1), 90);
    }

    void largestGridAndNoLarger()
    {
        CellTableModel cells;
        QVERIFY(cells.reset(999, 999));
        cells.setContents({{998, 998, textCell("corner")}});
        QVERIFY(!cells.insertLines(Qt::Vertical, 0, 1));
        QVERIFY(!cells.insertLines(Qt::Horizontal, 999, 1));
        QVERIFY(!cells.reset(1000, 1));
        QCOMPARE(cells.rowCount(), 999);
        QCOMPARE(cells.content(998, 998).simpleText(), QStringLiteral("corner"));
        QVERIFY(cells.reset(cells.rowCount(), cells.columnCount()));
        QCOMPARE(cells.content(998, 998).dataType(), CellContent::Kind::Void);
        cells.removeLines(Qt::Vertical, {0, 1, 2});
        QCOMPARE(cells.rowCount(), 996);
    }

    // Names match exactly; a simple text that reads like one stays.
    void documentRemovesStatisticsAndAreasFromCells()
    {
        DocumentModel document;
        document.setStatistics({scalar("mean", "summarize #var #if", "r(mean)"),
                                scalar("sd", "summarize #var #if", "r(sd)"),
                                scalar("mean", "mean #var", "e(b)")});
        QCOMPARE(document.statisticNames(), (QStringList{"mean", "sd", "mean"}));
        QCOMPARE(document.catalogue().value("mean").result(), QStringLiteral("e(b)"));
        document.addArea(Area("north", "region==1"));
        CellTableModel &cells = *document.table();
        cells.setContents({{0, 0, statisticCell(statistic("mean", "age"), "north")},
                           {0, 1, statisticCell(statistic("sd", "age"), "north")},
                           {0, 2, statisticCell(statistic("Mean", "age"))},
                           {0, 3, textCell("mean", "North")}});
        QSignalSpy changed(&document, &DocumentModel::changed);
        document.removeStatistic("mean");
        QCOMPARE(document.statisticNames(), QStringList{"sd"});
        QCOMPARE(cells.content(0, 0).dataType(), CellContent::Kind::Void);
        QCOMPARE(cells.content(0, 0).area(), QStringLiteral("north"));
        for (int column = 1; column < 4; ++column)
            QVERIFY(cells.content(0, column).dataType() != CellContent::Kind::Void);
        document.removeArea("north");
        QVERIFY(!document.areas().contains("north"));
        QVERIFY(cells.content(0, 1).area().isEmpty());
        QCOMPARE(cells.content(0, 3).area(), QStringLiteral("North"));
        QVERIFY(changed.count() >= 2);
    }
};

QTEST_APPLESS_MAIN(CellTableModelTest)
#include "CellTableModelTest.moc"
