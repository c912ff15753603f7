#include "table/TableWidget.h"

#include "DataRows.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "model/DocumentModel.h"
#include "model/DocumentWriter.h"
#include "table/EditSimpleTextDialog.h"
#include "table/InsertRowsColumnsDialog.h"
#include "table/MicroConditionListMimeData.h"
#include "table/SetSimpleTextDialog.h"
#include "table/StatisticMimeData.h"
#include "table/TableContextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <utility>

using namespace CellBuilders;
using namespace GridFixture;

namespace {

const QString variableList = QStringLiteral("variableListWidget");
const QString modalityList = QStringLiteral("modalityListWidget");
const QColor selectionColour(216, 238, 252);
using Cells = QList<CellTableModel::CellEdit>;
using Ranges = QList<Range>;

QMimeData *modalities(const QStringList &values)
{
    auto *payload = new MicroConditionListMimeData;
    for (const QString &value : values)
        payload->append(term(value));
    return payload;
}

// Records the grid's twelve selection signals in the order they come, each
// as "name" or "name(argument)".
class SignalRecorder
{
public:
    explicit SignalRecorder(TableWidget *table)
    {
#define QUORIN_RECORD(signal) connect(table, &TableWidget::signal, #signal)
        QUORIN_RECORD(nothingSelected);
        QUORIN_RECORD(cellsWithSameFormatSelected);
        QUORIN_RECORD(cellsWithDifferentFormatSelected);
        QUORIN_RECORD(allNotStatisticCellsSelected);
        QUORIN_RECORD(allCellsWithSameAndNotVoidAreaSelected);
        QUORIN_RECORD(cellsWithDifferentOrVoidAreaSelected);
        QUORIN_RECORD(allCellsWithSameStatisticSelected);
        QUORIN_RECORD(notAllCellsWithSameStatisticSelected);
        QUORIN_RECORD(notSingleCellWithStatisticOrConditionSelected);
        QUORIN_RECORD(singleCellWithStatisticSelected);
        QUORIN_RECORD(singleCellWithConditionSelected);
        QUORIN_RECORD(singleCellWithSimpleTextSelected);
#undef QUORIN_RECORD
    }

    // The signals recorded since the last call.
    QStringList take()
    {
        return std::exchange(m_recorded, {});
    }

private:
    template <typename... Arguments>
    void connect(TableWidget *table, void (TableWidget::*signal)(Arguments...), const char *name)
    {
        const QString signalName = QString::fromLatin1(name);
        QObject::connect(table, signal, &m_context, [this, signalName](const auto &...arguments) {
            QStringList texts{arguments...};
            m_recorded.append(texts.isEmpty() ? signalName
                                              : signalName + '(' + texts.join(',') + ')');
        });
    }

    // Ends the connections with the recorder.
    QObject m_context;
    QStringList m_recorded;
};

// Whether the cell's area of the grabbed viewport holds a pixel of the colour.
bool paintedIn(const QImage &image, const QRect &rect, const QColor &colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (QColor(image.pixel(x, y)) == colour)
                return true;
        }
    }
    return false;
}

// "row,column" of a cell met along a line or across it, in rows or columns.
QString named(bool rows, int line, int across)
{
    return rows ? QStringLiteral("%1,%2").arg(line).arg(across)
                : QStringLiteral("%1,%2").arg(across).arg(line);
}

void rowsAndColumns()
{
    QTest::addColumn<bool>("rows");
    QTest::newRow("rows") << true;
    QTest::newRow("columns") << false;
}

} // namespace

class TableWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_document = std::make_unique<DocumentModel>();
        StatisticCatalogue &catalogue = *m_document->mutableCatalogue();
        for (const auto &[name, command, result] :
             {std::tuple{"mean", "summarize #var #if", "r(mean)"},
              {"median", "centile #var #if", "r(c_1)"}})
            catalogue.insert(name,
                             Command(name, command, result, Command::ResultType::Scalar, 1, 1));
        m_document->mutableAreas()->insert(
            Area(QStringLiteral("north"), QStringLiteral("region==1")));
        m_table = std::make_unique<TableWidget>(m_document.get());
        m_cells = m_table->cells();
    }

    void cleanup()
    {
        m_table.reset();
        m_document.reset();
    }

    void cellsArePaintedInTheirColours_data()
    {
        QTest::addColumn<CellContent>("content");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("statistic")
            << statisticCell(statistic("mean", "income")) << QColor(Qt::darkMagenta);
        QTest::newRow("condition") << conditionCell({term("1", "Male")}) << QColor(Qt::darkGreen);
        QTest::newRow("simple text") << textCell("Total <b>") << QColor(Qt::blue);
    }

    // The colours are Qt's named purple, green and blue; a clicked cell is
    // selected, drawn in the selection colour, and keeps its text colour.
    void cellsArePaintedInTheirColours()
    {
        QFETCH(CellContent, content);
        QFETCH(QColor, colour);
        m_cells->setContents({{1, 1, content}, {2, 2, content}});
        m_table->resize(600, 400);
        m_table->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
        const auto rect = [this](int row, int column) {
            return m_table->visualRect(m_cells->index(row, column));
        };
        QTest::mouseClick(m_table->viewport(), Qt::LeftButton, Qt::NoModifier, rect(2, 2).center());
        QCOMPARE(m_table->selectionModel()->selectedIndexes(),
                 QModelIndexList{m_cells->index(2, 2)});
        QCOMPARE(QPoint(m_table->currentColumn(), m_table->currentRow()), QPoint(2, 2));
        const QImage image = m_table->viewport()->grab().toImage();
        QVERIFY(paintedIn(image, rect(1, 1), colour));
        QVERIFY(paintedIn(image, rect(2, 2), colour));
        QVERIFY(!paintedIn(image, rect(3, 3), colour));
        QCOMPARE(QColor(image.pixel(rect(2, 2).topLeft() + QPoint(2, 2))), selectionColour);
        QVERIFY(QColor(image.pixel(rect(1, 1).topLeft() + QPoint(2, 2))) != selectionColour);
    }

    void selectionAnalysis_data()
    {
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<Ranges>("ranges");
        QTest::addColumn<QStringList>("expected");
        const Statistic meanIncome = statistic("mean", "income", {}, "%9.2f");
        const CellContent meanAge = statisticCell(statistic("mean", "age", {}, "%9.2f"));
        CellContent labelled = conditionCell({term("1", "Male"), term("1", "Employed", "work")});
        // The toolbar shows value labels whatever the cell's own view.
        labelled.setConditionFormatView(
            CellContent::ConditionFormatView::VariableNameEqualModalityValue);
        const QString notAll = "notAllCellsWithSameStatisticSelected",
                      noStatistic = "allNotStatisticCellsSelected",
                      otherArea = "cellsWithDifferentOrVoidAreaSelected",
                      sameMean = "allCellsWithSameStatisticSelected(r(mean))";
        // clang-format off
        dataRow("void cell with area", Cells{{0, 0, voidCell("north")}}, Ranges{{0, 0}}, QStringList{"notSingleCellWithStatisticOrConditionSelected", notAll, noStatistic, "allCellsWithSameAndNotVoidAreaSelected(north)"});
        dataRow("statistic", Cells{{2, 3, statisticCell(meanIncome)}}, Ranges{{2, 3}}, QStringList{"singleCellWithStatisticSelected(summarize income )", sameMean, "cellsWithSameFormatSelected(%9.2f)", otherArea});
        dataRow("statistic under conditions and area", Cells{{1, 0, conditionCell({term("1", "Male")}, "north")}, {1, 2, statisticCell(statistic("mean", "income"), "north")}}, Ranges{{1, 2}},
                QStringList{"singleCellWithStatisticSelected(summarize income if (region==1) & sex==1)", sameMean, "cellsWithSameFormatSelected()", "allCellsWithSameAndNotVoidAreaSelected(north)"});
        dataRow("same statistic, other formats", Cells{{0, 0, statisticCell(meanIncome)}, {0, 1, statisticCell(statistic("mean", "age", {}, "%9.3f"))}}, Ranges{{0, 0, 0, 1}}, QStringList{sameMean, "cellsWithDifferentFormatSelected", otherArea});
        dataRow("statistic and void cell", Cells{{0, 1, statisticCell(meanIncome)}}, Ranges{{0, 0, 0, 1}}, QStringList{notAll, "cellsWithSameFormatSelected(%9.2f)", otherArea});
        dataRow("different statistics", Cells{{0, 0, statisticCell(statistic("mean", "income"))}, {1, 0, statisticCell(statistic("median", "income"))}}, Ranges{{0, 0}, {1, 0}}, QStringList{notAll, "cellsWithSameFormatSelected()", otherArea});
        dataRow("statistic missing from the catalogue", Cells{{0, 0, statisticCell(statistic("gini", "income"))}, {0, 1, statisticCell(statistic("gini", "age"))}}, Ranges{{0, 0, 0, 1}}, QStringList{"allCellsWithSameStatisticSelected()", "cellsWithSameFormatSelected()", otherArea});
        dataRow("condition", Cells{{0, 2, labelled}}, Ranges{{0, 2}}, QStringList{"singleCellWithConditionSelected(Male | Employed)", notAll, noStatistic, otherArea});
        dataRow("simple text with area", Cells{{5, 0, textCell("Total", "south")}}, Ranges{{5, 0}}, QStringList{"singleCellWithSimpleTextSelected(Total)", notAll, noStatistic, "allCellsWithSameAndNotVoidAreaSelected(south)"});
        // Two ranges are never a single cell, even when they name the same one.
        dataRow("one cell in two ranges", Cells{{0, 0, textCell("Total")}}, Ranges{{0, 0}, {0, 0}}, QStringList{notAll, noStatistic, otherArea});
        dataRow("overlapping ranges count cells twice", Cells{{0, 0, statisticCell(meanIncome)}, {0, 1, meanAge}}, Ranges{{0, 0, 0, 1}, {0, 1}}, QStringList{sameMean, "cellsWithSameFormatSelected(%9.2f)", otherArea});
        const auto areas = [](const char *first, const char *second) {
            return Cells{{0, 0, voidCell(first)}, {0, 1, voidCell(second)}, {0, 2, voidCell("north")}};
        };
        dataRow("areas the same", areas("north", "north"), Ranges{{0, 0, 0, 2}}, QStringList{notAll, noStatistic, "allCellsWithSameAndNotVoidAreaSelected(north)"});
        dataRow("an area void", areas("north", ""), Ranges{{0, 0, 0, 2}}, QStringList{notAll, noStatistic, otherArea});
        dataRow("the first area void", areas("", "north"), Ranges{{0, 0, 0, 2}}, QStringList{notAll, noStatistic, otherArea});
        dataRow("areas differing in case", areas("north", "North"), Ranges{{0, 0, 0, 2}}, QStringList{notAll, noStatistic, otherArea});
        // clang-format on
    }

    void selectionAnalysis()
    {
        QFETCH(Cells, cells);
        QFETCH(Ranges, ranges);
        m_cells->setContents(cells);
        SignalRecorder recorder(m_table.get());
        selectAtOnce(*m_table, ranges);
        QTEST(recorder.take(), "expected");
        m_table->clearSelection();
        QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
    }

    void drops_data()
    {
        QTest::addColumn<Ranges>("selected");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("values"); // modalities; empty: the statistic
        QTest::addColumn<QPoint>("target");      // (column, row)
        QTest::addColumn<QStringList>("row2");   // the texts of row 2 afterwards
        QTest::addColumn<QStringList>("column2");
        const QStringList none(5, QString()), values{"1", "2", "3"};
        const QString mean = QStringLiteral("mean(income)"), l1 = "Label 1", l2 = "Label 2",
                      l3 = "Label 3", modality = modalityList;
        // clang-format off
        dataRow("statistic on an unselected cell", Ranges{{0, 0, 1, 1}}, variableList, QStringList(), QPoint(2, 2), QStringList{"", "", mean, "", ""}, QStringList{"", "", mean, "", ""});
        dataRow("statistic on a selection of six", Ranges{{1, 1, 2, 3}}, variableList, QStringList(), QPoint(2, 2), QStringList{"", mean, mean, mean, ""}, QStringList{"", mean, mean, "", ""});
        dataRow("modalities along a row strip", Ranges{{2, 0, 2, 4}}, modality, values, QPoint(2, 2), QStringList{l1, l2, l3, l1, l2}, QStringList{"", "", l3, "", ""});
        dataRow("modalities along a column strip", Ranges{{0, 2, 4, 2}}, modality, values, QPoint(2, 0), QStringList{"", "", l3, "", ""}, QStringList{l1, l2, l3, l1, l2});
        dataRow("modalities on a block: the first only", Ranges{{1, 1, 2, 2}}, modality, values, QPoint(1, 1), QStringList{"", l1, l1, "", ""}, QStringList{"", l1, l1, "", ""});
        // Each range starts again from the first modality; a single cell gets
        // the first one.
        dataRow("cycle restarts in every range", Ranges{{2, 0, 2, 2}, {0, 2, 1, 2}, {4, 2}}, modality, QStringList{"1", "2"}, QPoint(0, 2), QStringList{l1, l2, l1, "", ""}, QStringList{l1, l2, l1, "", l1});
        dataRow("two modalities on an unselected cell: the first", Ranges{}, modality, QStringList{"1", "2"}, QPoint(2, 2), QStringList{"", "", l1, "", ""}, QStringList{"", "", l1, "", ""});
        dataRow("statistic from another source", Ranges{}, "statisticComboBox", QStringList(), QPoint(2, 2), none, none);
        dataRow("statistic from no source", Ranges{}, QString(), QStringList(), QPoint(2, 2), none, none);
        dataRow("modalities from the variable list", Ranges{}, variableList, QStringList{"1"}, QPoint(2, 2), none, none);
        dataRow("statistic from the modality list", Ranges{}, modality, QStringList(), QPoint(2, 2), none, none);
        dataRow("no modalities", Ranges{}, modality, QStringList{"-"}, QPoint(2, 2), none, none);
        // clang-format on
    }

    void drops()
    {
        QFETCH(Ranges, selected);
        QFETCH(QString, source);
        QFETCH(QStringList, values);
        QFETCH(QPoint, target);
        QFETCH(QStringList, row2);
        m_table->newTable(5, 5);
        selectAtOnce(*m_table, selected);
        const QScopedPointer<QMimeData> payload(
            values.isEmpty() ? new StatisticMimeData("mean", "income", "Income")
                             : modalities(values == QStringList{"-"} ? QStringList() : values));
        m_table->dropPayload(target.y(), target.x(), payload.data(), source);
        QCOMPARE(rowTexts(*m_cells, 2), row2);
        QTEST(columnTexts(*m_cells, 2), "column2");
    }

    // More modalities on a condition add alternatives; on any other cell they
    // start a new condition, so no term of an earlier condition comes back.
    void dropOnConditionAppendsElsewhereStartsAnew()
    {
        const QScopedPointer<QMimeData> male(modalities({"1"}));
        const QScopedPointer<QMimeData> female(modalities({"2"}));
        m_table->dropPayload(0, 0, male.data(), modalityList);
        QCOMPARE(m_table->content(0, 0).stataExpression(), QStringLiteral("sex==1"));
        m_table->dropPayload(0, 0, female.data(), modalityList);
        QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("Label 1 | Label 2"));
        QCOMPARE(m_table->content(0, 0).stataExpression(), QStringLiteral("(sex==1 | sex==2)"));

        at(m_table.get(), 0, 0).setArea(QStringLiteral("north"));
        at(m_table.get(), 0, 0)
            .setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticVariableName);
        const StatisticMimeData statisticPayload("mean", "income", QString());
        m_table->dropPayload(0, 0, &statisticPayload, variableList);
        QCOMPARE(m_table->content(0, 0).dataType(), CellContent::Kind::Statistic);
        QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));
        QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("income"));
        QVERIFY(m_table->content(0, 0).condition().isEmpty());
        m_table->dropPayload(0, 0, female.data(), modalityList);
        QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("Label 2"));
        QCOMPARE(m_table->content(0, 0).stataExpression(), QStringLiteral("sex==2"));
    }

    // No statistic chosen in the panel: nothing placed, nothing analysed.
    void dropAnalysesUnlessNothingIsPlaced()
    {
        selectAtOnce(*m_table, {{1, 1}});
        SignalRecorder recorder(m_table.get());
        const StatisticMimeData unnamed(QString(), "income", QString());
        m_table->dropPayload(1, 1, &unnamed, variableList);
        QCOMPARE(m_table->content(1, 1).dataType(), CellContent::Kind::Void);
        QVERIFY(recorder.take().isEmpty());
        const StatisticMimeData payload("mean", "income", QString());
        m_table->dropPayload(1, 1, &payload, variableList);
        QCOMPARE(recorder.take(), (QStringList{"singleCellWithStatisticSelected(summarize income )",
                                               "allCellsWithSameStatisticSelected(r(mean))",
                                               "cellsWithSameFormatSelected()",
                                               "cellsWithDifferentOrVoidAreaSelected"}));
    }

    void rightClickOpensTheMenu()
    {
        auto *menu = m_table->findChild<TableContextMenu *>();
        bool opened = false;
        connect(menu, &QMenu::aboutToShow, menu, [&] {
            opened = true;
            QTimer::singleShot(0, menu, &QMenu::close);
        });
        const QPoint position(20, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                                m_table->viewport()->mapToGlobal(position));
        QApplication::sendEvent(m_table->viewport(), &event);
        QVERIFY(opened);
    }

    void insertions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("count");
        QTest::addColumn<QPoint>("current"); // (column, row), before and after
        QTest::addColumn<QPoint>("moved");
        QTest::addColumn<QStringList>("line"); // column 0 or row 1 afterwards
        // Three rows above current row 5: the former row 5 ends at row 8, the
        // current cell with it, and rows 5 to 7 are new void cells.
        // clang-format off
        dataRow("rows up", "insertRowsUpAction", 3, QPoint(1, 5), QPoint(1, 8), QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "", "", "", "5,0", "6,0", "7,0", "8,0", "9,0"});
        dataRow("rows down", "insertRowsDownAction", 2, QPoint(0, 5), QPoint(0, 5), QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "5,0", "", "", "6,0", "7,0", "8,0", "9,0"});
        dataRow("columns left", "insertColumnsLeftAction", 2, QPoint(2, 1), QPoint(4, 1), QStringList{"1,0", "1,1", "", "", "1,2", "1,3", "1,4"});
        dataRow("columns right", "insertColumnsRightAction", 3, QPoint(1, 0), QPoint(1, 0), QStringList{"1,0", "1,1", "", "", "", "1,2", "1,3", "1,4"});
        // clang-format on
    }

    void insertions()
    {
        QFETCH(QString, action);
        QFETCH(QPoint, current);
        QFETCH(QPoint, moved);
        QFETCH(QStringList, line);
        const bool rows = action.contains(QLatin1String("Rows"));
        m_table->newTable(rows ? 10 : 2, rows ? 3 : 5);
        markPositions(*m_cells);
        at(m_table.get(), current.y(), current.x()).setArea(QStringLiteral("north"));
        setCurrent(*m_table, current.y(), current.x());
        QFETCH(int, count);
        insertThrough(action, count);
        QCOMPARE(rows ? columnTexts(*m_cells, 0) : rowTexts(*m_cells, 1), line);
        QCOMPARE(QPoint(m_table->currentColumn(), m_table->currentRow()), moved);
        QCOMPARE(m_table->content(moved.y(), moved.x()).area(), QStringLiteral("north"));
        const int inserted = line.indexOf(QString());
        QCOMPARE(m_table->content(rows ? inserted : 1, rows ? 1 : inserted).area(), QString());
    }

    void insertionMovesSelectionAndSizes_data() { rowsAndColumns(); }

    // The selection stays on its cells: a range beyond the insertion moves on,
    // one across it splits around the new lines. Sizes go with their lines.
    void insertionMovesSelectionAndSizes()
    {
        QFETCH(bool, rows);
        auto span = [rows](int first, int last, int across) {
            return rows ? Range{first, across, last, across} : Range{across, first, across, last};
        };
        m_table->newTable(10, 10);
        markPositions(*m_cells);
        QHeaderView *header = rows ? m_table->verticalHeader() : m_table->horizontalHeader();
        header->resizeSection(3, 51);
        header->resizeSection(4, 72);
        selectAtOnce(*m_table, {span(6, 7, 0), span(2, 5, 2)});
        setCurrent(*m_table, rows ? 4 : 1, rows ? 1 : 4);
        SignalRecorder recorder(m_table.get());
        insertThrough(rows ? "insertRowsUpAction" : "insertColumnsLeftAction", 2);
        const auto corners = [rows](int first, int last, int across) {
            return named(rows, first, across) + '-' + named(rows, last, across);
        };
        QCOMPARE(selectedCorners(*m_table),
                 (QStringList{corners(6, 7, 0), corners(2, 3, 2), corners(4, 5, 2)}));
        // The selected contents did not change: the toolbars are not told again.
        QVERIFY(recorder.take().isEmpty());
        QCOMPARE(header->sectionSize(3), 51);
        QCOMPARE(header->sectionSize(4), header->defaultSectionSize());
        QCOMPARE(header->sectionSize(6), 72);
        QCOMPARE(m_cells->lineSize(rows ? Qt::Vertical : Qt::Horizontal, 6), 72);
    }

    // A cancelled dialog inserts nothing; Up and Left without a current cell
    // insert nothing, Down and Right insert at the start; a grid beyond 999
    // lines is refused with a message.
    void insertionCancelledWithoutCurrentOrTooLarge()
    {
        m_table->newTable(3, 3);
        markPositions(*m_cells);
        setCurrent(*m_table, 1, 1);
        insertThrough("insertColumnsRightAction", 0); // cancelled
        QCOMPARE(m_table->columnCount(), 3);

        m_table->selectionModel()->clearCurrentIndex();
        insertThrough("insertRowsUpAction", 2);
        insertThrough("insertColumnsLeftAction", 2);
        QCOMPARE(m_table->rowCount(), 3);
        QCOMPARE(m_table->columnCount(), 3);
        insertThrough("insertRowsDownAction", 1);
        insertThrough("insertColumnsRightAction", 1);
        QCOMPARE(rowTexts(*m_cells, 0), (QStringList{"", "", "", ""}));
        QCOMPARE(rowTexts(*m_cells, 1), (QStringList{"", "0,0", "0,1", "0,2"}));

        QVERIFY(m_table->newTable(999, 2));
        put(*m_cells, 0, 0, textCell("kept"));
        setCurrent(*m_table, 0, 0);
        ModalAnswerer answerer;
        answerer.answerDialog<InsertRowsColumnsDialog>(nullptr);
        QString message;
        answerer.answerMessageBox(QMessageBox::Ok, &message);
        entry("insertRowsUpAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(message, TableWidget::tooLargeMessage(1000, 2));
        QCOMPARE(m_table->rowCount(), 999);
        QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("kept"));
    }

    void removals_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<Ranges>("selected");
        QTest::addColumn<QStringList>("left"); // column 0 (rows) or row 2 (columns)
        const QString rows = "removeRowsAction";
        // clang-format off
        dataRow("row 2, then row 4", rows, Ranges{{2, 0, 2, 2}, {4, 1}}, QStringList{"0,0", "1,0", "3,0", "5,0", "6,0"});
        dataRow("row 4, then row 2", rows, Ranges{{4, 1}, {2, 0, 2, 2}}, QStringList{"0,0", "1,0", "3,0", "5,0", "6,0"});
        dataRow("two ranges over the same rows", rows, Ranges{{1, 0, 2, 0}, {1, 3, 3, 3}}, QStringList{"0,0", "4,0", "5,0", "6,0"});
        dataRow("columns of three ranges", "removeColumnsAction", Ranges{{0, 4, 2, 4}, {1, 1, 1, 2}, {0, 1}}, QStringList{"2,0", "2,3", "2,5", "2,6"});
        dataRow("nothing selected", rows, Ranges{}, QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "5,0", "6,0"});
        // clang-format on
    }

    void removals()
    {
        QFETCH(QString, action);
        QFETCH(Ranges, selected);
        m_table->newTable(7, 7);
        markPositions(*m_cells);
        m_table->horizontalHeader()->resizeSection(5, 133);
        selectAtOnce(*m_table, selected);
        entry(action)->trigger();
        const bool rows = action == QLatin1String("removeRowsAction");
        QTEST(rows ? columnTexts(*m_cells, 0) : rowTexts(*m_cells, 2), "left");
        QVERIFY(m_table->selectionModel()->selection().isEmpty());
        if (!rows) // Column widths go with their columns.
            QCOMPARE(m_table->columnWidth(2), 133);
        QCOMPARE(m_table->columnCount(), rows ? 7 : 4);
    }

    void removalMovesTheCurrentCell_data() { rowsAndColumns(); }

    // The current cell follows its content, or moves to the nearest remaining
    // line before (else after) its own when that goes; the toolbars hear that
    // nothing is selected any more.
    void removalMovesTheCurrentCell()
    {
        QFETCH(bool, rows);
        const QString action = rows ? "removeRowsAction" : "removeColumnsAction";
        QStringList told;
        auto removeWith = [&](int line, int across, int first, int last) {
            setCurrent(*m_table, rows ? line : across, rows ? across : line);
            selectAtOnce(*m_table, {rows ? Range{first, 0, last, 0} : Range{0, first, 0, last}});
            SignalRecorder recorder(m_table.get());
            entry(action)->trigger();
            told = recorder.take();
            return text(*m_cells, m_table->currentRow(), m_table->currentColumn());
        };
        m_table->newTable(8, 8);
        markPositions(*m_cells);
        QCOMPARE(removeWith(6, 1, 2, 3), named(rows, 6, 1));
        QCOMPARE(told, QStringList{QStringLiteral("nothingSelected")});
        QCOMPARE(rows ? m_table->currentRow() : m_table->currentColumn(), 4);
        QCOMPARE(removeWith(2, 0, 1, 3), named(rows, 0, 0)); // the current line is "4"
        QCOMPARE(removeWith(0, 0, 0, 0), named(rows, 6, 0));
    }

    // Each view entry, in menu order, gives its view to every selected cell
    // of any kind, as no document content.
    void formatAndFormatViews()
    {
        const Statistic income = statistic("mean", "income", "Income");
        m_cells->setContents({{0, 0, statisticCell(income)},
                              {0, 1, conditionCell({term("1", "Male")})},
                              {0, 2, textCell("Total")},
                              {1, 0, statisticCell(income)}});
        selectAtOnce(*m_table, {{0, 0, 0, 3}});
        QSignalSpy changes(m_cells, &CellTableModel::contentChanged);
        const auto views = [this](int column) {
            const CellContent &content = m_table->content(0, column);
            return QPoint(int(content.statisticFormatView()), int(content.conditionFormatView()));
        };
        // clang-format off
        const char *const viewEntries[] = {
            "onlyStatisticNameAction", "onlyStatisticVariableNameAction", "onlyStatisticVariableLabelAction",
            "statisticNameVariableNameAction", "statisticNameVariableLabelAction", "onlyModalityLabelAction",
            "onlyModalityValueAction", "variableNameEqualModalityValueAction", "variableNameEqualModalityValueLabelAction",
            "variableLabelEqualModalityValueAction", "variableLabelEqualModalityValueLabelAction"};
        // clang-format on
        for (int i = 0; i < 11; ++i) {
            entry(viewEntries[i])->trigger();
            for (int column = 0; column < 4; ++column)
                QCOMPARE(views(column), i < 5 ? QPoint(i, 0) : QPoint(4, i - 5));
        }
        QCOMPARE(changes.count(), 0);
        QCOMPARE(rowTexts(*m_cells, 0).mid(0, 3),
                 (QStringList{"mean(Income)", "Sex=Male", "Total"}));
        QCOMPARE(text(*m_cells, 1, 0), QStringLiteral("mean(income)"));
        // The void cell keeps the view for the statistic it gets later.
        at(m_table.get(), 0, 3).setStatistic(income);
        QCOMPARE(text(*m_cells, 0, 3), QStringLiteral("mean(Income)"));
    }

    void simpleTextCommands()
    {
        m_cells->setContents({{0, 0, statisticCell(statistic("mean", "income"), "north")},
                              {0, 1, conditionCell({term("1", "Male")})},
                              {2, 2, textCell("Total")},
                              {2, 3, textCell("Other")}});
        // Nothing selected, or for Edit not one range with a simple text at
        // its top left: no dialog.
        {
            ModalAnswerer refused;
            refused.answerDialog<SetSimpleTextDialog>(nullptr);
            refused.answerDialog<EditSimpleTextDialog>(nullptr);
            entry("setSimpleTextAction")->trigger();
            for (const Ranges &ranges :
                 {Ranges{{0, 0}, {2, 2}}, Ranges{{5, 5}}, Ranges{{1, 0, 2, 2}}}) {
                selectAtOnce(*m_table, ranges);
                entry("editSimpleTextAction")->trigger();
            }
            QCoreApplication::processEvents();
            QVERIFY(refused.seen().isEmpty());
        }
        selectAtOnce(*m_table, {{0, 0, 0, 2}});
        {
            ModalAnswerer answerer;
            answerer.answerDialog<SetSimpleTextDialog>(nullptr); // empty text: nothing changes
            entry("setSimpleTextAction")->trigger();
            QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("mean(income)"));
            answerer.answerDialog<SetSimpleTextDialog>([](SetSimpleTextDialog *dialog) {
                dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(" Total ");
            });
            entry("setSimpleTextAction")->trigger();
        }
        QCOMPARE(rowTexts(*m_cells, 0).mid(0, 4),
                 (QStringList{" Total ", " Total ", " Total ", ""}));
        QCOMPARE(m_table->content(0, 1).colorName(), QStringLiteral("blue"));
        QVERIFY(m_table->content(0, 1).condition().isEmpty());
        QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));

        selectAtOnce(*m_table, {{2, 2, 3, 3}});
        ModalAnswerer answerer;
        QString shown;
        answerer.answerDialog<EditSimpleTextDialog>([&](EditSimpleTextDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
            shown = edit->text();
            edit->clear();
        });
        entry("editSimpleTextAction")->trigger();
        QCOMPARE(shown, QStringLiteral("Total"));
        QCOMPARE(m_table->content(2, 2).dataType(), CellContent::Kind::SimpleText);
        QVERIFY(text(*m_cells, 2, 2).isEmpty());
        QCOMPARE(text(*m_cells, 2, 3), QStringLiteral("Other"));
    }

    // From the first grid of 50 x 15 to the whole range: New 999 x 999, a
    // cell at the far corner, Clear all.
    void newLargestGridThenClear()
    {
        QCOMPARE(QSize(m_table->columnCount(), m_table->rowCount()), QSize(15, 50));
        QCOMPARE(m_cells->headerData(0, Qt::Vertical).toInt(), 1);
        QCOMPARE(m_cells->headerData(14, Qt::Horizontal).toInt(), 15);
        put(*m_cells, 0, 0, textCell("old"));
        m_table->verticalHeader()->resizeSection(0, 77);
        QVERIFY(!m_table->newTable(1000, 1));
        QVERIFY(!m_table->newTable(-1, 5));
        QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("old"));
        QVERIFY(m_table->newTable(999, 999));
        QCOMPARE(QSize(m_table->columnCount(), m_table->rowCount()), QSize(999, 999));
        QVERIFY(text(*m_cells, 0, 0).isEmpty());
        QCOMPARE(m_table->rowHeight(0), m_table->verticalHeader()->defaultSectionSize());
        put(*m_cells, 998, 998, statisticCell(statistic("mean", "income"), "north"));
        m_table->horizontalHeader()->resizeSection(998, 170);
        selectAtOnce(*m_table, {{998, 998}});
        SignalRecorder recorder(m_table.get());
        m_table->clear();
        QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
        QCOMPARE(QSize(m_table->columnCount(), m_table->rowCount()), QSize(999, 999));
        QCOMPARE(m_table->content(998, 998).dataType(), CellContent::Kind::Void);
        QVERIFY(m_table->content(998, 998).area().isEmpty());
        QCOMPARE(m_table->columnWidth(998), m_table->horizontalHeader()->defaultSectionSize());
        QCOMPARE(m_table->currentRow(), -1);
    }

    // ---- Undo and the clipboard as the user reaches them on the grid; the
    // Edit menu is the main window's test.

    void dropOnManyCellsIsOneStepAndUndoSelectsThemAgain()
    {
        const QByteArray before = written();
        selectBlock(0, 0, 49, 9); // 500 cells
        StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("eta"),
                                  QStringLiteral("Età"));
        m_table->dropPayload(3, 3, &payload, QStringLiteral("variableListWidget"));
        QCOMPARE(m_table->content(49, 9).dataType(), CellContent::Kind::Statistic);
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(stack()->undoText(), QStringLiteral("Drop statistic"));

        selectBlock(7, 7, 7, 7);
        stack()->undo();
        QCOMPARE(written(), before);
        QCOMPARE(m_table->gridSelection(), (GridSelection{{QRect(0, 0, 10, 50)}, 0, 0}));
        stack()->redo();
        QCOMPARE(m_table->content(0, 0).statistic().varName, QStringLiteral("eta"));
    }

    void keysEmptyCellsKeepingAreasAsOneStep_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Delete") << int(Qt::Key_Delete);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    }

    // The selection's contents did not change: it is not analysed again.
    void keysEmptyCellsKeepingAreasAsOneStep()
    {
        QFETCH(int, key);
        m_cells->setContents({{0, 0, statisticCell(statistic("mean", "income"), "north")},
                              {0, 1, conditionCell({term("1", "Male")}, "south")},
                              {0, 2, textCell("Total")},
                              {0, 3, textCell("not selected")}});
        const QByteArray before = written();
        selectBlock(0, 0, 0, 2);
        SignalRecorder recorder(m_table.get());
        QTest::keyClick(m_table.get(), Qt::Key(key));
        QCOMPARE(rowTexts(*m_cells, 0).mid(0, 4), (QStringList{"", "", "", "not selected"}));
        for (int column = 0; column < 3; ++column)
            QCOMPARE(m_table->content(0, column).dataType(), CellContent::Kind::Void);
        QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));
        QCOMPARE(m_table->content(0, 1).area(), QStringLiteral("south"));
        QVERIFY(m_table->content(0, 1).condition().isEmpty());
        QVERIFY(recorder.take().isEmpty());
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(stack()->undoText(), QStringLiteral("Delete"));
        stack()->undo();
        QCOMPARE(written(), before);
    }

    // Text pasted makes simple texts, an empty field a void cell; the areas
    // stay.
    void pasteOfTextFromElsewhereStopsAtTheEdgeAndSaysSo()
    {
        put(*m_cells, 49, 14, statisticCell(statistic("mean", "eta"), QStringLiteral("north")));
        put(*m_cells, 1, 1, textCell("old", "south"));
        QGuiApplication::clipboard()->setText(QStringLiteral("\"a\nb\"\tc\r\nd\t\r\n"));
        m_table->setCurrentCell(49, 14);
        ModalAnswerer answerer;
        QString message;
        answerer.answerMessageBox(QMessageBox::Ok, &message);
        m_table->paste();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(message,
                 QStringLiteral("The copied block of 2 × 2 cells reaches beyond the edge "
                                "of the table; the cells that did not fit were left out."));
        QCOMPARE(m_table->content(49, 14).dataType(), CellContent::Kind::SimpleText);
        QCOMPARE(m_table->content(49, 14).simpleText(), QStringLiteral("a\nb"));
        QCOMPARE(m_table->content(49, 14).area(), QStringLiteral("north"));
        QCOMPARE(QSize(m_table->columnCount(), m_table->rowCount()), QSize(15, 50));

        m_table->setCurrentCell(0, 0);
        m_table->paste();
        QCOMPARE(m_table->content(0, 1).simpleText(), QStringLiteral("c"));
        QCOMPARE(m_table->content(1, 0).simpleText(), QStringLiteral("d"));
        QCOMPARE(m_table->content(1, 1).dataType(), CellContent::Kind::Void);
        QCOMPARE(m_table->content(1, 1).area(), QStringLiteral("south"));
        QCOMPARE(stack()->count(), 2);
    }

private:
    void selectBlock(int top, int left, int bottom, int right)
    {
        m_table->setCurrentCell(top, left);
        selectAtOnce(*m_table, {{top, left, bottom, right}});
    }
    QUndoStack *stack() const { return m_table->editor()->undoStack(); }
    // The grid as its file keeps it.
    QByteArray written() const { return DocumentWriter::toXml(m_document->toDocument()); }

    QAction *entry(const QString &objectName) const
    {
        return m_table->findChild<TableContextMenu *>()->findChild<QAction *>(objectName);
    }

    // Chooses an insertion entry and answers its dialog with the count, or
    // cancels it for none.
    void insertThrough(const QString &objectName, int count)
    {
        ModalAnswerer answerer;
        answerer.answerDialog<InsertRowsColumnsDialog>(
            [count](InsertRowsColumnsDialog *dialog) {
                dialog->findChild<QSpinBox *>(QStringLiteral("spinBox"))->setValue(count);
            },
            count > 0);
        entry(objectName)->trigger();
        QCOMPARE(answerer.pending(), 0);
    }

    std::unique_ptr<DocumentModel> m_document;
    std::unique_ptr<TableWidget> m_table;
    CellTableModel *m_cells = nullptr;
};

QTEST_MAIN(TableWidgetTest)
#include "TableWidgetTest.moc"
