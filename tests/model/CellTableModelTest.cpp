#include "model/CellTableModel.h"

#include "CellBuilders.h"
#include "model/DocumentModel.h"

#include <QColor>
#include <QSignalSpy>
#include <QTest>

using namespace CellBuilders;

namespace {

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
    // A cell shows its text centred in its kind's colour (a void cell none),
    // and is not edited in place.
    void rolesGiveTextColourAndAlignment()
    {
        CellTableModel cells;
        cells.reset(2, 2);
        cells.setContents({{1, 1, statisticCell(statistic("mean", "age"), "north")}});
        const QModelIndex index = cells.index(1, 1);
        QCOMPARE(index.data().toString(), QStringLiteral("mean(age)"));
        QCOMPARE(index.data(Qt::ForegroundRole), QVariant(QColor("purple")));
        QCOMPARE(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
        QCOMPARE(index.data(CellTableModel::contentRole).value<CellContent>().area(),
                 QStringLiteral("north"));
        QCOMPARE(cells.flags(index) & Qt::ItemIsEditable, Qt::NoItemFlags);
        QCOMPARE(cells.index(0, 0).data(Qt::ForegroundRole), QVariant());
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

    // Each insertion, removal and new size is one change; where the lines go
    // is the grid's test.
    void sizesFollowTheirLinesAndStayBounded()
    {
        CellTableModel cells;
        cells.setDefaultLineSize(Qt::Vertical, 25);
        QVERIFY(cells.reset(CellContentGrid(4, 2), {0, 40, -3, 50000}, {77}));
        QCOMPARE(cells.lineSizes(Qt::Vertical),
                 (QList<int>{25, 40, 25, CellTableModel::maximumLineSize}));
        QCOMPARE(cells.lineSizes(Qt::Horizontal),
                 (QList<int>{77, cells.defaultLineSize(Qt::Horizontal)}));
        QSignalSpy changed(&cells, &CellTableModel::contentChanged);
        QVERIFY(cells.insertLines(Qt::Vertical, 1, 1));
        QCOMPARE(cells.lineSize(Qt::Vertical, 1), 25);
        QCOMPARE(cells.lineSize(Qt::Vertical, 2), 40);
        cells.removeLines(Qt::Vertical, {0, 0});
        QCOMPARE(cells.lineSizes(Qt::Vertical).size(), cells.rowCount());
        QCOMPARE(cells.lineSize(Qt::Vertical, 1), 40);
        cells.setLineSize(Qt::Horizontal, 1, 90);
        cells.setLineSize(Qt::Horizontal, 1, 90);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(cells.lineSize(Qt::Horizontal, 1), 90);
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
