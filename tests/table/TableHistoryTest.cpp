#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "SignalRecorder.h"
#include "model/DocumentModel.h"
#include "model/DocumentWriter.h"
#include "table/StatisticMimeData.h"
#include "table/TableWidget.h"
#include "undo/DocumentEditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QUndoStack>

using namespace CellBuilders;
using namespace GridFixture;

// Undo and the clipboard as the user reaches them on the grid; the Edit menu
// is the main window's test.
class TableHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_table.reset();
        m_document = std::make_unique<DocumentModel>();
        m_table = std::make_unique<TableWidget>(m_document.get());
        m_cells = m_table->cells();
    }

    void dropOnManyCellsIsOneStepAndUndoSelectsThemAgain()
    {
        const QByteArray before = written();
        select(0, 0, 49, 9); // 500 cells
        StatisticMimeData payload(QStringLiteral("mean"), QStringLiteral("eta"),
                                  QStringLiteral("Età"));
        m_table->dropPayload(3, 3, &payload, QStringLiteral("variableListWidget"));
        QCOMPARE(m_table->content(49, 9).dataType(), CellContent::Kind::Statistic);
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(stack()->undoText(), QStringLiteral("Drop statistic"));

        select(7, 7, 7, 7);
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
        select(0, 0, 0, 2);
        SignalRecorder recorder(m_table.get());
        QTest::keyClick(m_table.get(), Qt::Key(key));
        QCOMPARE(rowTexts(*m_cells, 0).mid(0, 4), (QStringList{"", "", "", "not selected"}));
        for (int column = 0; column < 3; ++column)
            QCOMPARE(m_table->content(0, column).dataType(), CellContent::Kind::Void);
        QCOMPARE(m_table->content(0, 0).area(), QStringLiteral("north"));
        QCOMPARE(m_table->content(0, 1).area(), QStringLiteral("south"));
        QVERIFY(m_table->content(0, 1).condition().isEmpty());
        QVERIFY(recorder.take().isEmpty());
        QCOMPARE(m_table->currentRow(), 0);
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(stack()->undoText(), QStringLiteral("Delete"));
        stack()->undo();
        QCOMPARE(written(), before);
    }

    void pasteOfTextFromElsewhereStopsAtTheEdgeAndSaysSo()
    {
        put(*m_cells, 49, 14, statisticCell(statistic("mean", "eta"), QStringLiteral("north")));
        QGuiApplication::clipboard()->setText(QStringLiteral("\"a\nb\"\tc\r\nd\te\r\n"));
        m_table->setCurrentCell(49, 14);
        ModalAnswerer answerer;
        QString message;
        answerer.answerMessageBox(QMessageBox::Ok, &message);
        m_table->paste();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(message,
                 QStringLiteral("The copied block of 2 × 2 cells reaches beyond the edge "
                                "of the table; the cells that did not fit were left out."));
        QCOMPARE(m_table->content(49, 14).simpleText(), QStringLiteral("a\nb"));
        QCOMPARE(m_table->content(49, 14).area(), QStringLiteral("north"));
        QCOMPARE(QSize(m_table->columnCount(), m_table->rowCount()), QSize(15, 50));

        m_table->setCurrentCell(0, 0);
        m_table->paste();
        QCOMPARE(m_table->content(0, 1).simpleText(), QStringLiteral("c"));
        QCOMPARE(m_table->content(1, 0).simpleText(), QStringLiteral("d"));
        QCOMPARE(m_table->content(1, 1).dataType(), CellContent::Kind::SimpleText);
        QCOMPARE(stack()->count(), 2);
    }

private:
    void select(int top, int left, int bottom, int right)
    {
        m_table->setCurrentCell(top, left);
        m_table->selectionModel()->select(
            QItemSelection(m_cells->index(top, left), m_cells->index(bottom, right)),
            QItemSelectionModel::ClearAndSelect);
    }
    QUndoStack *stack() const { return m_table->editor()->undoStack(); }
    // The grid as its file keeps it.
    QByteArray written() const { return DocumentWriter::toXml(m_document->toDocument()); }

    std::unique_ptr<DocumentModel> m_document;
    std::unique_ptr<TableWidget> m_table;
    CellTableModel *m_cells = nullptr;
};

QTEST_MAIN(TableHistoryTest)
#include "TableHistoryTest.moc"
