#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "model/DocumentModel.h"
#include "model/DocumentWriter.h"
#include "table/StatisticMimeData.h"
#include "table/TableWidget.h"
#include "undo/DocumentEditor.h"

#include <QClipboard>
#include <QDomDocument>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

using namespace CellBuilders;
using namespace GridFixture;

namespace {

// The grid as its file keeps it.
QByteArray written(const DocumentModel &document)
{
    return DocumentWriter::toXml(document.toDocument());
}

} // namespace

// Undo, redo and the clipboard as the user reaches them on the grid.
class TableHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dropOnManyCellsIsOneStepAndUndoSelectsThemAgain();
    void keysEmptyCellsAsOneStep_data();
    void keysEmptyCellsAsOneStep();
    void removalUndoneRestoresContentsSizesAndSelection();
    void copyThenPasteElsewhereGivesEqualCells();
    void cutIsCopyAndDelete();
    void pasteOfTextFromElsewhereStopsAtTheEdgeAndSaysSo();

private:
    void select(int top, int left, int bottom, int right);
    QUndoStack *stack() const { return m_table->editor()->undoStack(); }

    DocumentModel *m_document = nullptr;
    TableWidget *m_table = nullptr;
    CellTableModel *m_cells = nullptr;
};

void TableHistoryTest::init()
{
    m_document = new DocumentModel;
    m_table = new TableWidget(m_document);
    m_cells = m_table->cells();
}

void TableHistoryTest::cleanup()
{
    delete m_table;
    delete m_document;
}

void TableHistoryTest::select(int top, int left, int bottom, int right)
{
    m_table->setCurrentCell(top, left);
    m_table->selectionModel()->select(
        QItemSelection(m_cells->index(top, left), m_cells->index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

void TableHistoryTest::dropOnManyCellsIsOneStepAndUndoSelectsThemAgain()
{
    const QByteArray before = written(*m_document);
    select(0, 0, 49, 9); // 500 cells
    StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("eta"), QStringLiteral("Età"));
    m_table->dropPayload(3, 3, &payload, QStringLiteral("variableListWidget"));
    QCOMPARE(m_table->content(49, 9).dataType(), CellContent::Kind::Statistic);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Drop statistic"));

    select(7, 7, 7, 7);
    stack()->undo();
    QCOMPARE(written(*m_document), before);
    QCOMPARE(m_table->gridSelection(), (GridSelection{{QRect(0, 0, 10, 50)}, 0, 0}));
    stack()->redo();
    QCOMPARE(m_table->content(0, 0).statistic().varName, QStringLiteral("eta"));
}

void TableHistoryTest::keysEmptyCellsAsOneStep_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Delete") << int(Qt::Key_Delete);
    QTest::newRow("Backspace") << int(Qt::Key_Backspace);
}

void TableHistoryTest::keysEmptyCellsAsOneStep()
{
    QFETCH(int, key);
    put(*m_cells, 1, 1, textCell(QStringLiteral("a"), QStringLiteral("north")));
    put(*m_cells, 2, 1, statisticCell(statistic("mean", "eta")));
    select(1, 1, 2, 1);
    QTest::keyClick(m_table, Qt::Key(key));
    QCOMPARE(m_table->content(1, 1).dataType(), CellContent::Kind::Void);
    QCOMPARE(m_table->content(1, 1).area(), QStringLiteral("north"));
    QCOMPARE(m_table->content(2, 1).dataType(), CellContent::Kind::Void);
    QCOMPARE(m_table->currentRow(), 1);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Delete"));
    stack()->undo();
    QCOMPARE(m_table->content(1, 1).simpleText(), QStringLiteral("a"));
}

void TableHistoryTest::removalUndoneRestoresContentsSizesAndSelection()
{
    put(*m_cells, 2, 0, textCell(QStringLiteral("kept")));
    put(*m_cells, 3, 4, statisticCell(statistic("mean", "eta"), QStringLiteral("north")));
    m_cells->setLineSize(Qt::Vertical, 3, 55);
    const QByteArray before = written(*m_document);
    select(2, 1, 3, 2);
    const GridSelection started = m_table->gridSelection();
    m_table->removeRowsOfSelectedCells();
    QCOMPARE(m_table->rowCount(), 48);
    QCOMPARE(stack()->undoText(), QStringLiteral("Remove rows"));

    stack()->undo();
    QCOMPARE(written(*m_document), before);
    QCOMPARE(m_table->verticalHeader()->sectionSize(3), 55);
    QCOMPARE(m_table->gridSelection(), started);
    stack()->redo();
    QCOMPARE(m_table->rowCount(), 48);
    QCOMPARE(m_table->content(2, 4).dataType(), CellContent::Kind::Void);
}

void TableHistoryTest::copyThenPasteElsewhereGivesEqualCells()
{
    put(*m_cells, 0, 0, statisticCell(statistic("mean", "eta", "Età", "%9.2f"), "north"));
    put(*m_cells, 0, 1, conditionCell({term("1"), term("2")}, "south"));
    put(*m_cells, 1, 0, textCell(QStringLiteral("a\tb")));
    put(*m_cells, 1, 1, voidCell(QStringLiteral("north")));
    select(0, 0, 1, 1);
    m_table->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("mean(eta)\tLabel 1 | Label 2\n\"a\tb\"\t"));
    QCOMPARE(stack()->count(), 0);

    m_table->setCurrentCell(10, 5);
    m_table->paste();
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Paste"));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            QDomDocument a, b;
            a.appendChild(m_table->content(10 + row, 5 + column).toXml(a, 0, 0));
            b.appendChild(m_table->content(row, column).toXml(b, 0, 0));
            QCOMPARE(a.toString(), b.toString());
        }
    }
    QCOMPARE(m_table->gridSelection().ranges, QList<QRect>{QRect(5, 10, 2, 2)});
}

void TableHistoryTest::cutIsCopyAndDelete()
{
    put(*m_cells, 4, 4, textCell(QStringLiteral("x"), QStringLiteral("north")));
    select(4, 4, 4, 4);
    m_table->cut();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("x"));
    QCOMPARE(m_table->content(4, 4).dataType(), CellContent::Kind::Void);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Cut"));
    m_table->setCurrentCell(0, 0);
    m_table->paste();
    QCOMPARE(m_table->content(0, 0).simpleText(), QStringLiteral("x"));
    QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));
}

void TableHistoryTest::pasteOfTextFromElsewhereStopsAtTheEdgeAndSaysSo()
{
    put(*m_cells, 49, 14, statisticCell(statistic("mean", "eta"), QStringLiteral("north")));
    QGuiApplication::clipboard()->setText(QStringLiteral("\"a\nb\"\tc\r\nd\te\r\n"));
    m_table->setCurrentCell(49, 14);
    ModalAnswerer answerer;
    QString message;
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    m_table->paste();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(message, QStringLiteral("The copied block of 2 × 2 cells reaches beyond the edge of "
                                     "the table; the cells that did not fit were left out."));
    QCOMPARE(m_table->content(49, 14).simpleText(), QStringLiteral("a\nb"));
    QCOMPARE(m_table->content(49, 14).area(), QStringLiteral("north"));
    QCOMPARE(m_table->rowCount(), 50);
    QCOMPARE(m_table->columnCount(), 15);

    m_table->setCurrentCell(0, 0);
    m_table->paste();
    QCOMPARE(m_table->content(0, 1).simpleText(), QStringLiteral("c"));
    QCOMPARE(m_table->content(1, 0).simpleText(), QStringLiteral("d"));
    QCOMPARE(m_table->content(1, 1).dataType(), CellContent::Kind::SimpleText);
    QCOMPARE(stack()->count(), 2);
}

QTEST_MAIN(TableHistoryTest)
#include "TableHistoryTest.moc"
