#include "table/TableWidget.h"

#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "SignalRecorder.h"
#include "model/DocumentModel.h"
#include "table/EditSimpleTextDialog.h"
#include "table/InsertRowsColumnsDialog.h"
#include "table/MicroConditionListMimeData.h"
#include "table/SetSimpleTextDialog.h"
#include "table/StatisticMimeData.h"
#include "table/TableContextMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace CellBuilders;
using namespace GridFixture;

namespace {

const QString variableList = QStringLiteral("variableListWidget");
const QString modalityList = QStringLiteral("modalityListWidget");
const QColor selectionColour(216, 238, 252);

MicroConditionListMimeData *modalities(const QStringList &values)
{
    auto *payload = new MicroConditionListMimeData;
    for (const QString &value : values)
        payload->append(term(value));
    return payload;
}

// Text and submenu entries of a menu, "Text > Entry" for submenu entries.
QStringList entries(const QMenu *menu, const QString &prefix = QString())
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->menu())
            texts += entries(action->menu(), prefix + action->text() + QStringLiteral(" > "));
        else
            texts.append(prefix + action->text());
    }
    return texts;
}

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

using Cells = QList<CellTableModel::CellEdit>;

} // namespace

class TableWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newGrid();
    void cellsArePaintedInTheirColours_data();
    void cellsArePaintedInTheirColours();
    void clickSelectsAndSelectionIsDrawnInItsColour();
    void selectionAnalysis_data();
    void selectionAnalysis();
    void analysisRunsOncePerSelectionChange();
    void drops_data();
    void drops();
    void dropOnConditionAppendsElsewhereStartsAnew();
    void dropAnalysesUnlessNothingIsPlaced();
    void dropEventThroughTheViewport();
    void contextMenuEntriesAndRightClick();
    void insertions_data();
    void insertions();
    void insertionMovesSelectionAndSizes_data();
    void insertionMovesSelectionAndSizes();
    void insertionCancelledWithoutCurrentOrTooLarge();
    void removals_data();
    void removals();
    void removalMovesTheCurrentCell_data();
    void removalMovesTheCurrentCell();
    void deleteKeyEmptiesKeepingAreas();
    void removeStatisticsAndAreas();
    void selectArea();
    void formatAndFormatViews_data();
    void formatAndFormatViews();
    void simpleTextCommands();
    void newLargestGridThenClear();
    void finalCommandComesFromTheComposer();

private:
    QAction *entry(const QString &objectName) const;
    void insertThrough(const QString &objectName, int count);
    void showGrid();

    DocumentModel *m_document = nullptr;
    TableWidget *m_table = nullptr;
    CellTableModel *m_cells = nullptr;
};

void TableWidgetTest::init()
{
    m_document = new DocumentModel;
    StatisticCatalogue &catalogue = *m_document->mutableCatalogue();
    catalogue.insert(QStringLiteral("mean"),
                     Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                             QStringLiteral("r(mean)"), Command::ResultType::Scalar, 1, 1));
    catalogue.insert(QStringLiteral("median"),
                     Command(QStringLiteral("median"), QStringLiteral("centile #var #if"),
                             QStringLiteral("r(c_1)"), Command::ResultType::Scalar, 1, 1));
    m_document->mutableAreas()->insert(Area(QStringLiteral("north"), QStringLiteral("region==1")));
    m_table = new TableWidget(m_document);
    m_cells = m_table->cells();
}

void TableWidgetTest::cleanup()
{
    delete m_table;
    delete m_document;
}

QAction *TableWidgetTest::entry(const QString &objectName) const
{
    return m_table->findChild<TableContextMenu *>()->findChild<QAction *>(objectName);
}

// Chooses an insertion entry and answers its dialog with the count.
void TableWidgetTest::insertThrough(const QString &objectName, int count)
{
    ModalAnswerer answerer;
    answerer.answerDialog<InsertRowsColumnsDialog>([count](InsertRowsColumnsDialog *dialog) {
        dialog->findChild<QSpinBox *>(QStringLiteral("spinBox"))->setValue(count);
    });
    entry(objectName)->trigger();
    QCOMPARE(answerer.pending(), 0);
}

void TableWidgetTest::showGrid()
{
    m_table->resize(600, 400);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table));
}

void TableWidgetTest::newGrid()
{
    QCOMPARE(m_table->objectName(), QStringLiteral("tableWidget"));
    QCOMPARE(m_table->parentWidget(), nullptr);
    QCOMPARE(m_table->rowCount(), 50);
    QCOMPARE(m_table->columnCount(), 15);
    QCOMPARE(m_table->content(49, 14).dataType(), CellContent::Kind::Void);
    QVERIFY(text(*m_cells, 0, 0).isEmpty());
    QCOMPARE(m_table->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(m_table->selectionBehavior(), QAbstractItemView::SelectItems);
    QCOMPARE(m_cells->headerData(0, Qt::Vertical).toInt(), 1);
    QCOMPARE(m_cells->headerData(14, Qt::Horizontal).toInt(), 15);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        QCOMPARE(m_table->palette().color(group, QPalette::Highlight), selectionColour);
}

void TableWidgetTest::cellsArePaintedInTheirColours_data()
{
    QTest::addColumn<CellContent>("content");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("statistic") << statisticCell(statistic("mean", "income")) << "mean(income)"
                               << QColor(Qt::darkMagenta);
    QTest::newRow("condition") << conditionCell({term("1", "Male")}) << "Male"
                               << QColor(Qt::darkGreen);
    QTest::newRow("simple text") << textCell("Total <b>") << "Total <b>" << QColor(Qt::blue);
}

// The colours are Qt's named purple, green and blue; a selected cell keeps
// its text colour on the selection's background.
void TableWidgetTest::cellsArePaintedInTheirColours()
{
    QFETCH(CellContent, content);
    QFETCH(QString, shown);
    QFETCH(QColor, colour);
    QCOMPARE(QColor(content.colorName()), colour);
    m_document->table()->setContents({{1, 1, content}, {2, 2, content}});
    QCOMPARE(text(*m_cells, 1, 1), shown);
    QCOMPARE(m_cells->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), colour);
    showGrid();
    selectAtOnce(*m_table, {{2, 2}});
    const QImage image = m_table->viewport()->grab().toImage();
    QVERIFY(paintedIn(image, m_table->visualRect(m_cells->index(1, 1)), colour));
    QVERIFY(paintedIn(image, m_table->visualRect(m_cells->index(2, 2)), colour));
    QVERIFY(!paintedIn(image, m_table->visualRect(m_cells->index(3, 3)), colour));
}

void TableWidgetTest::clickSelectsAndSelectionIsDrawnInItsColour()
{
    showGrid();
    const QRect rect = m_table->visualRect(m_cells->index(2, 3));
    QTest::mouseClick(m_table->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QCOMPARE(selectedCorners(*m_table), QStringList{QStringLiteral("-")});
    QCOMPARE(m_table->selectionModel()->selectedIndexes(), QModelIndexList{m_cells->index(2, 3)});
    QCOMPARE(m_table->currentRow(), 2);
    QCOMPARE(m_table->currentColumn(), 3);
    const QImage image = m_table->viewport()->grab().toImage();
    QCOMPARE(QColor(image.pixel(rect.center())), selectionColour);
    QVERIFY(QColor(image.pixel(m_table->visualRect(m_cells->index(3, 3)).center())) !=
            selectionColour);
}

void TableWidgetTest::selectionAnalysis_data()
{
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<QList<Range>>("ranges");
    QTest::addColumn<QStringList>("expected");
    const Statistic meanIncome = statistic("mean", "income", {}, "%9.2f");
    CellContent labelled = conditionCell({term("1", "Male"), term("1", "Employed", "work")});
    // The toolbar shows value labels whatever the cell's own view.
    labelled.setConditionFormatView(
        CellContent::ConditionFormatView::VariableNameEqualModalityValue);
    const QStringList voidGroups{"notAllCellsWithSameStatisticSelected",
                                 "allNotStatisticCellsSelected",
                                 "cellsWithDifferentOrVoidAreaSelected"};

    QTest::newRow("void cell") << Cells{} << QList<Range>{{0, 0}}
                               << QStringList{"notSingleCellWithStatisticOrConditionSelected"} +
                                      voidGroups;
    QTest::newRow("void cell with area")
        << Cells{{0, 0, voidCell("north")}} << QList<Range>{{0, 0}}
        << QStringList{"notSingleCellWithStatisticOrConditionSelected",
                       "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                       "allCellsWithSameAndNotVoidAreaSelected(north)"};
    QTest::newRow("statistic") << Cells{{2, 3, statisticCell(meanIncome)}} << QList<Range>{{2, 3}}
                               << QStringList{"singleCellWithStatisticSelected(summarize income )",
                                              "allCellsWithSameStatisticSelected(r(mean))",
                                              "cellsWithSameFormatSelected(%9.2f)",
                                              "cellsWithDifferentOrVoidAreaSelected"};
    QTest::newRow("statistic under conditions and area")
        << Cells{{1, 0, conditionCell({term("1", "Male")}, "north")},
                 {1, 2, statisticCell(statistic("mean", "income"), "north")}}
        << QList<Range>{{1, 2}}
        << QStringList{"singleCellWithStatisticSelected(summarize income if (region==1) & sex==1)",
                       "allCellsWithSameStatisticSelected(r(mean))",
                       "cellsWithSameFormatSelected()",
                       "allCellsWithSameAndNotVoidAreaSelected(north)"};
    QTest::newRow("same statistic, other formats")
        << Cells{{0, 0, statisticCell(meanIncome)},
                 {0, 1, statisticCell(statistic("mean", "age", {}, "%9.3f"))}}
        << QList<Range>{{0, 0, 0, 1}}
        << QStringList{"allCellsWithSameStatisticSelected(r(mean))",
                       "cellsWithDifferentFormatSelected", "cellsWithDifferentOrVoidAreaSelected"};
    QTest::newRow("statistic and void cell")
        << Cells{{0, 1, statisticCell(meanIncome)}} << QList<Range>{{0, 0, 0, 1}}
        << QStringList{"notAllCellsWithSameStatisticSelected", "cellsWithSameFormatSelected(%9.2f)",
                       "cellsWithDifferentOrVoidAreaSelected"};
    QTest::newRow("different statistics")
        << Cells{{0, 0, statisticCell(statistic("mean", "income"))},
                 {1, 0, statisticCell(statistic("median", "income"))}}
        << QList<Range>{{0, 0}, {1, 0}}
        << QStringList{"notAllCellsWithSameStatisticSelected", "cellsWithSameFormatSelected()",
                       "cellsWithDifferentOrVoidAreaSelected"};
    QTest::newRow("statistic missing from the catalogue")
        << Cells{{0, 0, statisticCell(statistic("gini", "income"))},
                 {0, 1, statisticCell(statistic("gini", "age"))}}
        << QList<Range>{{0, 0, 0, 1}}
        << QStringList{"allCellsWithSameStatisticSelected()", "cellsWithSameFormatSelected()",
                       "cellsWithDifferentOrVoidAreaSelected"};
    QTest::newRow("condition") << Cells{{0, 2, labelled}} << QList<Range>{{0, 2}}
                               << QStringList{"singleCellWithConditionSelected(Male | Employed)"} +
                                      voidGroups;
    QTest::newRow("simple text with area")
        << Cells{{5, 0, textCell("Total", "south")}} << QList<Range>{{5, 0}}
        << QStringList{"singleCellWithSimpleTextSelected(Total)",
                       "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                       "allCellsWithSameAndNotVoidAreaSelected(south)"};
    // Two ranges are never a single cell, even when they name the same one.
    QTest::newRow("one cell in two ranges")
        << Cells{{0, 0, textCell("Total")}} << QList<Range>{{0, 0}, {0, 0}} << voidGroups;
    QTest::newRow("overlapping ranges count cells twice")
        << Cells{{0, 0, statisticCell(meanIncome)},
                 {0, 1, statisticCell(statistic("mean", "age", {}, "%9.2f"))}}
        << QList<Range>{{0, 0, 0, 1}, {0, 1}}
        << QStringList{"allCellsWithSameStatisticSelected(r(mean))",
                       "cellsWithSameFormatSelected(%9.2f)",
                       "cellsWithDifferentOrVoidAreaSelected"};
    for (const auto &areas :
         {QStringList{"north", "north", "north"}, QStringList{"north", "", "north"},
          QStringList{"", "north", "north"}, QStringList{"north", "south", "north"},
          QStringList{"north", "North", "north"}}) {
        Cells cells;
        for (int column = 0; column < 3; ++column)
            cells.append({0, column, voidCell(areas.at(column))});
        const bool same = areas.count(QStringLiteral("north")) == 3;
        QTest::addRow("areas %s", qPrintable(areas.join(',')))
            << cells << QList<Range>{{0, 0, 0, 2}}
            << QStringList{"notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                           same ? "allCellsWithSameAndNotVoidAreaSelected(north)"
                                : "cellsWithDifferentOrVoidAreaSelected"};
    }
}

void TableWidgetTest::selectionAnalysis()
{
    QFETCH(Cells, cells);
    QFETCH(QList<Range>, ranges);
    QFETCH(QStringList, expected);
    m_cells->setContents(cells);
    SignalRecorder recorder(m_table);
    selectAtOnce(*m_table, ranges);
    QCOMPARE(recorder.take(), expected);
    m_table->clearSelection();
    QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
}

// Adding a range with Ctrl is a selection change of its own.
void TableWidgetTest::analysisRunsOncePerSelectionChange()
{
    SignalRecorder recorder(m_table);
    select(*m_table, {{0, 0}, {2, 2}});
    QCOMPARE(
        recorder.take(),
        (QStringList{"notSingleCellWithStatisticOrConditionSelected",
                     "notAllCellsWithSameStatisticSelected", "allNotStatisticCellsSelected",
                     "cellsWithDifferentOrVoidAreaSelected", "notAllCellsWithSameStatisticSelected",
                     "allNotStatisticCellsSelected", "cellsWithDifferentOrVoidAreaSelected"}));
}

void TableWidgetTest::drops_data()
{
    QTest::addColumn<QList<Range>>("selected");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("values"); // modalities; empty: the statistic
    QTest::addColumn<QPoint>("target");      // (column, row)
    QTest::addColumn<QStringList>("row2");   // the texts of row 2 afterwards
    QTest::addColumn<QStringList>("column2");
    const QStringList none(5, QString());
    const QString mean = QStringLiteral("mean(income)");
    QTest::newRow("statistic on an unselected cell")
        << QList<Range>{{0, 0, 1, 1}} << variableList << QStringList() << QPoint(2, 2)
        << QStringList{"", "", mean, "", ""} << QStringList{"", "", mean, "", ""};
    QTest::newRow("statistic on a selection of six")
        << QList<Range>{{1, 1, 2, 3}} << variableList << QStringList() << QPoint(2, 2)
        << QStringList{"", mean, mean, mean, ""} << QStringList{"", mean, mean, "", ""};
    QTest::newRow("modalities along a row strip")
        << QList<Range>{{2, 0, 2, 4}} << modalityList << QStringList{"1", "2", "3"} << QPoint(2, 2)
        << QStringList{"Label 1", "Label 2", "Label 3", "Label 1", "Label 2"}
        << QStringList{"", "", "Label 3", "", ""};
    QTest::newRow("modalities along a column strip")
        << QList<Range>{{0, 2, 4, 2}} << modalityList << QStringList{"1", "2", "3"} << QPoint(2, 0)
        << QStringList{"", "", "Label 3", "", ""}
        << QStringList{"Label 1", "Label 2", "Label 3", "Label 1", "Label 2"};
    QTest::newRow("modalities on a block: the first only")
        << QList<Range>{{1, 1, 2, 2}} << modalityList << QStringList{"1", "2", "3"} << QPoint(1, 1)
        << QStringList{"", "Label 1", "Label 1", "", ""}
        << QStringList{"", "Label 1", "Label 1", "", ""};
    // Each range starts again from the first modality; a single cell gets
    // the first one.
    QTest::newRow("cycle restarts in every range")
        << QList<Range>{{2, 0, 2, 2}, {0, 2, 1, 2}, {4, 2}} << modalityList << QStringList{"1", "2"}
        << QPoint(0, 2) << QStringList{"Label 1", "Label 2", "Label 1", "", ""}
        << QStringList{"Label 1", "Label 2", "Label 1", "", "Label 1"};
    QTest::newRow("two modalities on an unselected cell: the first")
        << QList<Range>{} << modalityList << QStringList{"1", "2"} << QPoint(2, 2)
        << QStringList{"", "", "Label 1", "", ""} << QStringList{"", "", "Label 1", "", ""};
    QTest::newRow("statistic from another source")
        << QList<Range>{} << "statisticComboBox" << QStringList() << QPoint(2, 2) << none << none;
    QTest::newRow("statistic from no source")
        << QList<Range>{} << QString() << QStringList() << QPoint(2, 2) << none << none;
    QTest::newRow("modalities from the variable list")
        << QList<Range>{} << variableList << QStringList{"1"} << QPoint(2, 2) << none << none;
    QTest::newRow("statistic from the modality list")
        << QList<Range>{} << modalityList << QStringList() << QPoint(2, 2) << none << none;
    QTest::newRow("no modalities")
        << QList<Range>{} << modalityList << QStringList{"-"} << QPoint(2, 2) << none << none;
}

void TableWidgetTest::drops()
{
    QFETCH(QList<Range>, selected);
    QFETCH(QString, source);
    QFETCH(QStringList, values);
    QFETCH(QPoint, target);
    QFETCH(QStringList, row2);
    QFETCH(QStringList, column2);
    const QStringList none(5, QString());
    m_table->newTable(5, 5);
    select(*m_table, selected);
    const StatisticMimeData statisticPayload("mean", "income", "Income");
    const QScopedPointer<MicroConditionListMimeData> modalityPayload(
        modalities(values == QStringList{"-"} ? QStringList() : values));
    const QMimeData *payload = values.isEmpty() ? static_cast<const QMimeData *>(&statisticPayload)
                                                : modalityPayload.data();
    m_table->dropPayload(target.y(), target.x(), payload, source);
    QCOMPARE(rowTexts(*m_cells, 2), row2);
    QCOMPARE(columnTexts(*m_cells, 2), column2);
    if (!values.isEmpty() && row2 != none) {
        const CellContent &dropped = m_table->content(target.y(), target.x());
        QCOMPARE(dropped.condition().count(), 1);
        QCOMPARE(dropped.colorName(), QStringLiteral("green"));
    }
}

// More modalities on a condition add alternatives; on any other cell they
// start a new condition, so no term of an earlier condition comes back.
void TableWidgetTest::dropOnConditionAppendsElsewhereStartsAnew()
{
    const QScopedPointer<MicroConditionListMimeData> male(modalities({"1"}));
    const QScopedPointer<MicroConditionListMimeData> female(modalities({"2"}));
    m_table->dropPayload(0, 0, male.data(), modalityList);
    QCOMPARE(m_table->content(0, 0).stataExpression(), QStringLiteral("sex==1"));
    m_table->dropPayload(0, 0, female.data(), modalityList);
    QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("Label 1 | Label 2"));
    QCOMPARE(m_table->content(0, 0).stataExpression(), QStringLiteral("(sex==1 | sex==2)"));

    edit(*m_cells, 0, 0, [](CellContent &content) {
        content.setArea(QStringLiteral("north"));
        content.setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticVariableName);
    });
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

void TableWidgetTest::dropAnalysesUnlessNothingIsPlaced()
{
    selectAtOnce(*m_table, {{1, 1}});
    SignalRecorder recorder(m_table);
    // No statistic chosen in the panel: nothing placed, nothing analysed.
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

// Without a running drag there is no source: the grid refuses the drag.
void TableWidgetTest::dropEventThroughTheViewport()
{
    showGrid();
    const StatisticMimeData payload("mean", "income", QString());
    const QPoint position = m_table->visualRect(m_cells->index(1, 1)).center();
    QDragEnterEvent enter(position, Qt::CopyAction, &payload, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_table->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
    QDragMoveEvent move(position, Qt::CopyAction, &payload, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_table->viewport(), &move);
    QVERIFY(!move.isAccepted());
    QVERIFY(m_table->acceptDrops());
    QVERIFY(m_table->viewport()->acceptDrops());
    for (const char *name : {"variableListWidget", "modalityListWidget"}) {
        QObject source;
        source.setObjectName(QLatin1String(name));
        QVERIFY(TableWidget::acceptsDragFrom(&source));
        source.setObjectName(QString::fromLatin1(name).toUpper());
        QVERIFY(!TableWidget::acceptsDragFrom(&source));
    }
    QVERIFY(!TableWidget::acceptsDragFrom(nullptr));
}

void TableWidgetTest::contextMenuEntriesAndRightClick()
{
    auto *menu = m_table->findChild<TableContextMenu *>();
    QVERIFY(menu);
    QCOMPARE(menu->parent(), m_table);
    QCOMPARE(entries(menu),
             (QStringList{"Insert rows > Up...", "Insert rows > Down...",
                          "Insert columns > Left...", "Insert columns > Right...", "Remove row(s)",
                          "Remove column(s)", "Format statistic view > Statistic name",
                          "Format statistic view > Statistic's variable name",
                          "Format statistic view > Statistic's variable label",
                          "Format statistic view > Statistic(Variable name)",
                          "Format statistic view > Statistic(Variable label)",
                          "Format condition view > Modality label",
                          "Format condition view > Modality value",
                          "Format condition view > Variable name = Modality value",
                          "Format condition view > Variable name = Value label",
                          "Format condition view > Variable label = Modality Value",
                          "Format condition view > Variable label = Modality value label",
                          "Set simple text", "Edit simple text"}));
    for (const QAction *action : menu->findChildren<QAction *>())
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));

    showGrid();
    QPointer<QWidget> opened;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            opened = popup;
            popup->close();
        }
    });
    closer.start();
    const QPoint position = m_table->visualRect(m_cells->index(1, 1)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                            m_table->viewport()->mapToGlobal(position));
    QApplication::sendEvent(m_table->viewport(), &event);
    QTRY_VERIFY(opened);
    QCOMPARE(opened.data(), menu);
}

void TableWidgetTest::insertions_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("count");
    QTest::addColumn<QPoint>("current"); // (column, row), before and after
    QTest::addColumn<QPoint>("moved");
    QTest::addColumn<QStringList>("line"); // column 0 or row 1 afterwards
    // Three rows above current row 5: the former row 5 ends at row 8, the
    // current cell with it, and rows 5 to 7 are new void cells.
    QTest::newRow("rows up") << "insertRowsUpAction" << 3 << QPoint(1, 5) << QPoint(1, 8)
                             << QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "",   "",
                                            "",    "5,0", "6,0", "7,0", "8,0", "9,0"};
    QTest::newRow("rows down") << "insertRowsDownAction" << 2 << QPoint(0, 5) << QPoint(0, 5)
                               << QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "5,0",
                                              "",    "",    "6,0", "7,0", "8,0", "9,0"};
    QTest::newRow("columns left") << "insertColumnsLeftAction" << 2 << QPoint(2, 1) << QPoint(4, 1)
                                  << QStringList{"1,0", "1,1", "", "", "1,2", "1,3", "1,4"};
    QTest::newRow("columns right")
        << "insertColumnsRightAction" << 3 << QPoint(1, 0) << QPoint(1, 0)
        << QStringList{"1,0", "1,1", "", "", "", "1,2", "1,3", "1,4"};
}

void TableWidgetTest::insertions()
{
    QFETCH(QString, action);
    QFETCH(int, count);
    QFETCH(QPoint, current);
    QFETCH(QPoint, moved);
    QFETCH(QStringList, line);
    const bool rows = action.contains(QLatin1String("Rows"));
    m_table->newTable(rows ? 10 : 2, rows ? 3 : 5);
    markPositions(*m_cells);
    edit(*m_cells, current.y(), current.x(),
         [](CellContent &content) { content.setArea(QStringLiteral("north")); });
    setCurrent(*m_table, current.y(), current.x());
    insertThrough(action, count);
    QCOMPARE(rows ? columnTexts(*m_cells, 0) : rowTexts(*m_cells, 1), line);
    QCOMPARE(QPoint(m_table->currentColumn(), m_table->currentRow()), moved);
    QCOMPARE(m_table->content(moved.y(), moved.x()).area(), QStringLiteral("north"));
    const int inserted = line.indexOf(QString());
    QCOMPARE(m_table->content(rows ? inserted : 1, rows ? 1 : inserted).area(), QString());
}

void TableWidgetTest::insertionMovesSelectionAndSizes_data()
{
    QTest::addColumn<bool>("rows");
    QTest::newRow("rows") << true;
    QTest::newRow("columns") << false;
}

// The selection stays on its cells: a range beyond the insertion moves on,
// one across it splits around the new lines. Sizes go with their lines.
void TableWidgetTest::insertionMovesSelectionAndSizes()
{
    QFETCH(bool, rows);
    auto at = [rows](int line, int across) {
        return rows ? Range{line, across} : Range{across, line};
    };
    auto span = [rows](int first, int last, int across) {
        return rows ? Range{first, across, last, across} : Range{across, first, across, last};
    };
    auto name = [rows](int line, int across) {
        return rows ? QStringLiteral("%1,%2").arg(line).arg(across)
                    : QStringLiteral("%1,%2").arg(across).arg(line);
    };
    m_table->newTable(10, 10);
    markPositions(*m_cells);
    QHeaderView *header = rows ? m_table->verticalHeader() : m_table->horizontalHeader();
    header->resizeSection(3, 51);
    header->resizeSection(4, 72);
    select(*m_table, {span(6, 7, 0), span(2, 5, 2)});
    const Range current = at(4, 1);
    setCurrent(*m_table, current.top, current.left);
    SignalRecorder recorder(m_table);
    insertThrough(rows ? "insertRowsUpAction" : "insertColumnsLeftAction", 2);
    QCOMPARE(selectedCorners(*m_table),
             (QStringList{name(6, 0) + '-' + name(7, 0), name(2, 2) + '-' + name(3, 2),
                          name(4, 2) + '-' + name(5, 2)}));
    // The selected contents did not change: the toolbars are not told again.
    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(header->sectionSize(3), 51);
    QCOMPARE(header->sectionSize(4), header->defaultSectionSize());
    QCOMPARE(header->sectionSize(6), 72);
    QCOMPARE(m_cells->lineSize(rows ? Qt::Vertical : Qt::Horizontal, 6), 72);
}

// Up and Left without a current cell insert nothing, Down and Right insert
// at the start; a grid beyond 999 lines is refused with a message.
void TableWidgetTest::insertionCancelledWithoutCurrentOrTooLarge()
{
    m_table->newTable(3, 3);
    markPositions(*m_cells);
    setCurrent(*m_table, 1, 1);
    ModalAnswerer cancelled;
    cancelled.answerDialog<InsertRowsColumnsDialog>(nullptr, false);
    entry(QStringLiteral("insertColumnsRightAction"))->trigger();
    QCOMPARE(cancelled.seen(), QStringList{QStringLiteral("InsertRowsColumnsDialog")});
    QCOMPARE(m_table->columnCount(), 3);

    m_table->selectionModel()->clearCurrentIndex();
    insertThrough(QStringLiteral("insertRowsUpAction"), 2);
    insertThrough(QStringLiteral("insertColumnsLeftAction"), 2);
    QCOMPARE(m_table->rowCount(), 3);
    QCOMPARE(m_table->columnCount(), 3);
    insertThrough(QStringLiteral("insertRowsDownAction"), 1);
    insertThrough(QStringLiteral("insertColumnsRightAction"), 1);
    QCOMPARE(rowTexts(*m_cells, 0), (QStringList{"", "", "", ""}));
    QCOMPARE(rowTexts(*m_cells, 1), (QStringList{"", "0,0", "0,1", "0,2"}));

    QVERIFY(m_table->newTable(999, 2));
    put(*m_cells, 0, 0, textCell("kept"));
    setCurrent(*m_table, 0, 0);
    ModalAnswerer answerer;
    answerer.answerDialog<InsertRowsColumnsDialog>(nullptr);
    QString message;
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    entry(QStringLiteral("insertRowsUpAction"))->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(message, TableWidget::tooLargeMessage(1000, 2));
    QCOMPARE(m_table->rowCount(), 999);
    QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("kept"));
}

void TableWidgetTest::removals_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<Range>>("selected");
    QTest::addColumn<QStringList>("left"); // column 0 (rows) or row 2 (columns)
    QTest::newRow("row 2, then row 4") << "removeRowsAction" << QList<Range>{{2, 0, 2, 2}, {4, 1}}
                                       << QStringList{"0,0", "1,0", "3,0", "5,0", "6,0"};
    QTest::newRow("row 4, then row 2") << "removeRowsAction" << QList<Range>{{4, 1}, {2, 0, 2, 2}}
                                       << QStringList{"0,0", "1,0", "3,0", "5,0", "6,0"};
    QTest::newRow("two ranges over the same rows")
        << "removeRowsAction" << QList<Range>{{1, 0, 2, 0}, {1, 3, 3, 3}}
        << QStringList{"0,0", "4,0", "5,0", "6,0"};
    QTest::newRow("columns of three ranges")
        << "removeColumnsAction" << QList<Range>{{0, 4, 2, 4}, {1, 1, 1, 2}, {0, 1}}
        << QStringList{"2,0", "2,3", "2,5", "2,6"};
    QTest::newRow("nothing selected")
        << "removeRowsAction" << QList<Range>{}
        << QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "5,0", "6,0"};
}

void TableWidgetTest::removals()
{
    QFETCH(QString, action);
    QFETCH(QList<Range>, selected);
    QFETCH(QStringList, left);
    m_table->newTable(7, 7);
    markPositions(*m_cells);
    m_table->horizontalHeader()->resizeSection(5, 133);
    select(*m_table, selected);
    entry(action)->trigger();
    const bool rows = action == QLatin1String("removeRowsAction");
    QCOMPARE(rows ? columnTexts(*m_cells, 0) : rowTexts(*m_cells, 2), left);
    QVERIFY(m_table->selectionModel()->selection().isEmpty());
    if (!rows) // Column widths go with their columns.
        QCOMPARE(m_table->columnWidth(2), 133);
    entry(QStringLiteral("removeColumnsAction"))->trigger();
    QCOMPARE(m_table->columnCount(), rows ? 7 : 4);
}

void TableWidgetTest::removalMovesTheCurrentCell_data()
{
    QTest::addColumn<bool>("rows");
    QTest::newRow("rows") << true;
    QTest::newRow("columns") << false;
}

// The current cell follows its content, or moves to the nearest remaining
// line before (else after) its own when that goes; the toolbars hear that
// nothing is selected any more.
void TableWidgetTest::removalMovesTheCurrentCell()
{
    QFETCH(bool, rows);
    auto place = [&](int line, int across) {
        setCurrent(*m_table, rows ? line : across, rows ? across : line);
    };
    auto select = [&](int first, int last) {
        GridFixture::select(*m_table, {rows ? Range{first, 0, last, 0} : Range{0, first, 0, last}});
    };
    auto currentText = [&] {
        return text(*m_cells, m_table->currentRow(), m_table->currentColumn());
    };
    auto named = [rows](int line, int across) {
        return rows ? QStringLiteral("%1,%2").arg(line).arg(across)
                    : QStringLiteral("%1,%2").arg(across).arg(line);
    };
    const QString action = rows ? "removeRowsAction" : "removeColumnsAction";
    m_table->newTable(8, 8);
    markPositions(*m_cells);
    place(6, 1);
    select(2, 3);
    SignalRecorder recorder(m_table);
    entry(action)->trigger();
    QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
    QCOMPARE(currentText(), named(6, 1));
    QCOMPARE(rows ? m_table->currentRow() : m_table->currentColumn(), 4);

    place(2, 0); // "4"
    select(1, 3);
    entry(action)->trigger();
    QCOMPARE(currentText(), named(0, 0));

    place(0, 0);
    select(0, 0);
    entry(action)->trigger();
    QCOMPARE(currentText(), named(6, 0));
}

void TableWidgetTest::deleteKeyEmptiesKeepingAreas()
{
    m_cells->setContents({{0, 0, statisticCell(statistic("mean", "income"), "north")},
                          {0, 1, conditionCell({term("1", "Male")}, "south")},
                          {0, 2, textCell("Total")},
                          {0, 3, textCell("not selected")}});
    selectAtOnce(*m_table, {{0, 0, 0, 2}});
    SignalRecorder recorder(m_table);
    QTest::keyClick(m_table, Qt::Key_Delete);
    QCOMPARE(rowTexts(*m_cells, 0).mid(0, 4), (QStringList{"", "", "", "not selected"}));
    for (int column = 0; column < 3; ++column)
        QCOMPARE(m_table->content(0, column).dataType(), CellContent::Kind::Void);
    QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));
    QCOMPARE(m_table->content(0, 1).area(), QStringLiteral("south"));
    QVERIFY(m_table->content(0, 1).condition().isEmpty());
    // Delete does not analyse the selection again.
    QVERIFY(recorder.take().isEmpty());
}

void TableWidgetTest::removeStatisticsAndAreas()
{
    m_cells->setContents({{0, 0, statisticCell(statistic("mean", "income"), "north")},
                          {7, 9, statisticCell(statistic("mean", "age"))},
                          {1, 0, statisticCell(statistic("median", "income"))},
                          {2, 0, statisticCell(statistic("Mean", "income"))},
                          {3, 0, textCell("mean", "north")},
                          {5, 5, voidCell("south")}});
    m_table->removeStatistics(QStringLiteral("mean"));
    QCOMPARE(m_table->content(0, 0).dataType(), CellContent::Kind::Void);
    QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));
    QCOMPARE(m_table->content(7, 9).dataType(), CellContent::Kind::Void);
    QCOMPARE(columnTexts(*m_cells, 0).mid(0, 4),
             (QStringList{"", "median(income)", "Mean(income)", "mean"}));

    selectAtOnce(*m_table, {{1, 0, 2, 1}});
    m_table->setAreaForCurrentSelection(QStringLiteral("west"));
    QCOMPARE(m_table->content(2, 1).area(), QStringLiteral("west"));
    QCOMPARE(text(*m_cells, 1, 0), QStringLiteral("median(income)"));
    m_table->removeAreaFromCells(QStringLiteral("north"));
    QVERIFY(m_table->content(0, 0).area().isEmpty());
    QVERIFY(m_table->content(3, 0).area().isEmpty());
    QCOMPARE(m_table->content(5, 5).area(), QStringLiteral("south"));
    QCOMPARE(m_table->content(1, 1).area(), QStringLiteral("west"));
}

void TableWidgetTest::selectArea()
{
    m_cells->setContents(
        {{1, 1, voidCell("north")}, {4, 2, voidCell("north")}, {4, 3, voidCell("south")}});
    selectAtOnce(*m_table, {{9, 9}});
    SignalRecorder recorder(m_table);
    m_table->selectArea(QStringLiteral("north"));
    QCOMPARE(m_table->selectionModel()->selection().size(), 2);
    QCOMPARE(m_table->selectionModel()->selectedIndexes(),
             (QModelIndexList{m_cells->index(1, 1), m_cells->index(4, 2)}));
    const QStringList told = recorder.take();
    QCOMPARE(told.first(), QStringLiteral("nothingSelected"));
    QCOMPARE(told.last(), QStringLiteral("allCellsWithSameAndNotVoidAreaSelected(north)"));
    m_table->selectArea(QStringLiteral("west"));
    QVERIFY(m_table->selectionModel()->selection().isEmpty());
    QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
}

void TableWidgetTest::formatAndFormatViews_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("statisticText");
    QTest::addColumn<QString>("conditionText");
    QTest::newRow("statistic name") << "onlyStatisticNameAction"
                                    << "mean"
                                    << "Male";
    QTest::newRow("variable name") << "onlyStatisticVariableNameAction"
                                   << "income"
                                   << "Male";
    QTest::newRow("variable label") << "onlyStatisticVariableLabelAction"
                                    << "Income"
                                    << "Male";
    QTest::newRow("statistic(name)") << "statisticNameVariableNameAction"
                                     << "mean(income)"
                                     << "Male";
    QTest::newRow("statistic(label)") << "statisticNameVariableLabelAction"
                                      << "mean(Income)"
                                      << "Male";
    QTest::newRow("modality label") << "onlyModalityLabelAction"
                                    << "mean(income)"
                                    << "Male";
    QTest::newRow("modality value") << "onlyModalityValueAction"
                                    << "mean(income)"
                                    << "1";
    QTest::newRow("name = value") << "variableNameEqualModalityValueAction"
                                  << "mean(income)"
                                  << "sex=1";
    QTest::newRow("name = label") << "variableNameEqualModalityValueLabelAction"
                                  << "mean(income)"
                                  << "sex=Male";
    QTest::newRow("label = value") << "variableLabelEqualModalityValueAction"
                                   << "mean(income)"
                                   << "Sex=1";
    QTest::newRow("label = label") << "variableLabelEqualModalityValueLabelAction"
                                   << "mean(income)"
                                   << "Sex=Male";
}

// Views go to every selected cell of any kind, and are not document content;
// the format goes to the selected statistic cells only.
void TableWidgetTest::formatAndFormatViews()
{
    QFETCH(QString, action);
    QFETCH(QString, statisticText);
    QFETCH(QString, conditionText);
    const Statistic income = statistic("mean", "income", "Income");
    m_cells->setContents({{0, 0, statisticCell(income)},
                          {0, 1, conditionCell({term("1", "Male")})},
                          {0, 2, textCell("Total")},
                          {1, 0, statisticCell(income)}});
    selectAtOnce(*m_table, {{0, 0, 0, 3}});
    QSignalSpy changes(m_cells, &CellTableModel::contentChanged);
    entry(action)->trigger();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(rowTexts(*m_cells, 0).mid(0, 3), (QStringList{statisticText, conditionText, "Total"}));
    QCOMPARE(text(*m_cells, 1, 0), QStringLiteral("mean(income)"));
    // The void cell keeps the view for the statistic it gets later.
    put(*m_cells, 0, 3, [&] {
        CellContent later = m_table->content(0, 3);
        later.setStatistic(income);
        return later;
    }());
    QCOMPARE(text(*m_cells, 0, 3), statisticText);

    m_table->setFormatInSelectedStatisticsCells(QStringLiteral("%9.2f"));
    QCOMPARE(changes.count(), 2);
    QCOMPARE(m_table->content(0, 0).statistic().format, QStringLiteral("%9.2f"));
    QCOMPARE(text(*m_cells, 0, 0), statisticText);
    QVERIFY(m_table->content(0, 2).statistic().format.isEmpty());
    QVERIFY(m_table->content(1, 0).statistic().format.isEmpty());
}

void TableWidgetTest::simpleTextCommands()
{
    m_cells->setContents({{0, 0, statisticCell(statistic("mean", "income"), "north")},
                          {0, 1, conditionCell({term("1", "Male")})},
                          {2, 2, textCell("Total")},
                          {2, 3, textCell("Other")}});
    {
        ModalAnswerer nothingSelected;
        nothingSelected.answerDialog<SetSimpleTextDialog>(nullptr);
        entry(QStringLiteral("setSimpleTextAction"))->trigger();
        QCoreApplication::processEvents();
        QVERIFY(nothingSelected.seen().isEmpty());
    }

    selectAtOnce(*m_table, {{0, 0, 0, 2}});
    {
        ModalAnswerer answerer;
        answerer.answerDialog<SetSimpleTextDialog>(nullptr); // empty text: nothing changes
        entry(QStringLiteral("setSimpleTextAction"))->trigger();
        QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("mean(income)"));
        QString title;
        answerer.answerDialog<SetSimpleTextDialog>([&title](SetSimpleTextDialog *dialog) {
            title = dialog->windowTitle();
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(" Total ");
        });
        entry(QStringLiteral("setSimpleTextAction"))->trigger();
        QCOMPARE(title, QStringLiteral("Set simple text"));
    }
    QCOMPARE(rowTexts(*m_cells, 0).mid(0, 4), (QStringList{" Total ", " Total ", " Total ", ""}));
    QCOMPARE(m_table->content(0, 1).colorName(), QStringLiteral("blue"));
    QVERIFY(m_table->content(0, 1).condition().isEmpty());
    QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));

    // Edit: one range only, its top left cell, a simple text only.
    {
        ModalAnswerer refused;
        refused.answerDialog<EditSimpleTextDialog>(nullptr);
        for (const QList<Range> &ranges :
             {QList<Range>{{0, 0}, {2, 2}}, QList<Range>{{5, 5}}, QList<Range>{{1, 0, 2, 2}}}) {
            selectAtOnce(*m_table, ranges);
            entry(QStringLiteral("editSimpleTextAction"))->trigger();
        }
        QCoreApplication::processEvents();
        QVERIFY(refused.seen().isEmpty());
    }
    selectAtOnce(*m_table, {{2, 2, 3, 3}});
    ModalAnswerer answerer;
    QString shown;
    answerer.answerDialog<EditSimpleTextDialog>([&](EditSimpleTextDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit simple text"));
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
        shown = edit->text();
        edit->clear();
    });
    entry(QStringLiteral("editSimpleTextAction"))->trigger();
    QCOMPARE(shown, QStringLiteral("Total"));
    QCOMPARE(m_table->content(2, 2).dataType(), CellContent::Kind::SimpleText);
    QVERIFY(text(*m_cells, 2, 2).isEmpty());
    QCOMPARE(text(*m_cells, 2, 3), QStringLiteral("Other"));
}

// The whole range: New 999 x 999, a cell at the far corner, Clear all.
void TableWidgetTest::newLargestGridThenClear()
{
    put(*m_cells, 0, 0, textCell("old"));
    m_table->verticalHeader()->resizeSection(0, 77);
    QVERIFY(!m_table->newTable(1000, 1));
    QVERIFY(!m_table->newTable(-1, 5));
    QCOMPARE(text(*m_cells, 0, 0), QStringLiteral("old"));
    QVERIFY(m_table->newTable(999, 999));
    QCOMPARE(m_table->rowCount(), 999);
    QCOMPARE(m_table->columnCount(), 999);
    QVERIFY(text(*m_cells, 0, 0).isEmpty());
    QCOMPARE(m_table->rowHeight(0), m_table->verticalHeader()->defaultSectionSize());
    put(*m_cells, 998, 998, statisticCell(statistic("mean", "income"), "north"));
    m_table->horizontalHeader()->resizeSection(998, 170);
    selectAtOnce(*m_table, {{998, 998}});
    SignalRecorder recorder(m_table);
    m_table->clear();
    QCOMPARE(recorder.take(), QStringList{QStringLiteral("nothingSelected")});
    QCOMPARE(m_table->rowCount(), 999);
    QCOMPARE(m_table->columnCount(), 999);
    QCOMPARE(m_table->content(998, 998).dataType(), CellContent::Kind::Void);
    QVERIFY(m_table->content(998, 998).area().isEmpty());
    QCOMPARE(m_table->columnWidth(998), m_table->horizontalHeader()->defaultSectionSize());
    QCOMPARE(m_table->currentRow(), -1);
}

void TableWidgetTest::finalCommandComesFromTheComposer()
{
    m_cells->setContents({{0, 2, conditionCell({term("2", "Female")}, "north")},
                          {3, 2, statisticCell(statistic("mean", "income"), "north")}});
    QCOMPARE(m_table->ifCondition(3, 2), QStringLiteral("if (region==1) & sex==2"));
    QCOMPARE(m_table->finalCommand(3, 2),
             QStringLiteral("summarize income if (region==1) & sex==2"));
}

QTEST_MAIN(TableWidgetTest)
#include "TableWidgetTest.moc"
