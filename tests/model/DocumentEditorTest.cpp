#include "undo/DocumentEditor.h"

#include "model/DocumentModel.h"
#include "model/DocumentWriter.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace {

using Edit = std::function<void(DocumentEditor &editor)>;

// A small document with every kind of content, non-default sizes, names,
// areas and statistics.
void fill(DocumentModel &document)
{
    CellContentGrid cells(4, 3);
    cells(0, 0).setSimpleText(QStringLiteral("Età"));
    cells(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", "Sesso"));
    cells(0, 1).setArea(QStringLiteral("nord"));
    cells(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    cells(1, 1).setArea(QStringLiteral("nord"));
    cells(2, 2).setStatistic(Statistic{"eta", "Età", "sd", ""});
    cells(3, 0).setArea(QStringLiteral("sud"));
    document.table()->reset(cells, {31, 32, 33, 34}, {101, 102, 103});
    *document.mutableCatalogue() = {
        {"mean", Command("mean", "summarize #var #if", "r(mean)", T::Scalar, 0, 0)},
        {"sd", Command("sd", "summarize #var #if", "r(sd)", T::Scalar, 0, 0)}};
    AreaCollection areas;
    areas.insert(Area("nord", "rip<=2"));
    areas.insert(Area("sud", "rip>3"));
    *document.mutableAreas() = areas;
    document.setStataDatasetFileName(QStringLiteral("in.dta"));
    document.setOutputFileName(QStringLiteral("out.csv"));
}

// The document as its file holds it, with the format views a file leaves out.
QByteArray state(const DocumentModel &document)
{
    Document written = document.toDocument();
    if (written.commands.isEmpty())
        written.commands = document.catalogue().values();
    QByteArray text = DocumentWriter::toXml(written);
    const CellContentGrid &cells = document.table()->cells();
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column) {
            text += QByteArray::number(cells(row, column).statisticFormatView()) +
                    QByteArray::number(cells(row, column).conditionFormatView());
        }
    }
    return text;
}

CellContent cleared(const CellContent &content)
{
    CellContent result = content;
    result.clearContent();
    return result;
}

// The cells of the grid that a test changes into something else.
QList<CellTableModel::CellEdit> edits(const DocumentModel &document,
                                      const std::function<void(CellContent &)> &change)
{
    QList<CellTableModel::CellEdit> result;
    const CellContentGrid &cells = document.table()->cells();
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column) {
            result.append({row, column, cells(row, column)});
            change(result.last().content);
        }
    }
    return result;
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class DocumentEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everyEditIsOneStepUndoneAndRedoneExactly_data();
    void everyEditIsOneStepUndoneAndRedoneExactly();
    void editsThatChangeNothingMakeNoStep();
    void undoAndRedoRestoreTheSelectionTheStepStartedFrom();
    void undoingBackToTheSavedStateIsClean();

private:
    std::unique_ptr<DocumentModel> m_document;
    std::unique_ptr<QUndoStack> m_stack;
    std::unique_ptr<DocumentEditor> m_editor;
};

void DocumentEditorTest::init()
{
    m_document = std::make_unique<DocumentModel>();
    fill(*m_document);
    m_stack = std::make_unique<QUndoStack>();
    m_editor = std::make_unique<DocumentEditor>(m_document.get(), m_stack.get());
}

void DocumentEditorTest::everyEditIsOneStepUndoneAndRedoneExactly_data()
{
    QTest::addColumn<Edit>("edit");
    using Kind = CellTableModel::EditKind;
    auto contents = [](const QString &text, const std::function<void(CellContent &)> &change,
                       Kind kind = Kind::Content) {
        return Edit([=](DocumentEditor &editor) {
            editor.setContents(text, edits(*editor.document(), change), kind);
        });
    };
    QTest::newRow("delete") << contents("Delete", [](CellContent &c) { c.clearContent(); });
    QTest::newRow("drop statistic") << contents("Drop", [](CellContent &c) {
        c.setStatistic(Statistic{"x", "X", "mean", "%5.1f"});
    });
    QTest::newRow("drop modality") << contents("Drop", [](CellContent &c) {
        c.addMicroCondition(MicroCondition("2", "Femmina", "sesso", "Sesso"));
    });
    QTest::newRow("simple text") << contents("Set simple text",
                                             [](CellContent &c) { c.setSimpleText("t\tx"); });
    QTest::newRow("display format")
        << contents("Format", [](CellContent &c) { c.setStatisticFormat("%12.0g"); });
    QTest::newRow("assign area") << contents("Assign area",
                                             [](CellContent &c) { c.setArea("sud"); });
    QTest::newRow("statistic view") << contents(
        "View", [](CellContent &c) { c.setStatisticFormatView(T::OnlyStatisticName); }, Kind::View);
    QTest::newRow("condition view") << contents(
        "View", [](CellContent &c) { c.setConditionFormatView(T::OnlyModalityValue); }, Kind::View);
    QTest::newRow("insert rows") << Edit(
        [](DocumentEditor &e) { e.insertLines("Insert rows", Qt::Vertical, 1, 3); });
    QTest::newRow("insert columns at the end")
        << Edit([](DocumentEditor &e) { e.insertLines("Insert columns", Qt::Horizontal, 3, 2); });
    QTest::newRow("remove rows in two runs") << Edit([](DocumentEditor &e) {
        e.removeLines("Remove rows", Qt::Vertical, {3, 0, 1});
    });
    QTest::newRow("remove every column") << Edit([](DocumentEditor &e) {
        e.removeLines("Remove columns", Qt::Horizontal, {0, 1, 2});
    });
    QTest::newRow("clear all") << Edit([](DocumentEditor &e) {
        const CellTableModel *table = e.document()->table();
        e.resetGrid("Clear all", table->rowCount(), table->columnCount());
    });
    QTest::newRow("new size") << Edit([](DocumentEditor &e) { e.resetGrid("New", 6, 5); });
    QTest::newRow("add area") << Edit([](DocumentEditor &e) {
        AreaCollection areas = e.document()->areas();
        areas.insert(Area("est", "rip==3"));
        e.setAreas("Add area", areas);
    });
    QTest::newRow("dataset name") << Edit(
        [](DocumentEditor &e) { e.setStataDatasetFileName("Dataset", "other.dta"); });
    QTest::newRow("output name") << Edit(
        [](DocumentEditor &e) { e.setOutputFileName("Output", "other.csv"); });
    QTest::newRow("remove area with its cells") << Edit([](DocumentEditor &e) {
        e.beginStep("Remove area");
        AreaCollection areas = e.document()->areas();
        areas.remove("nord");
        e.setAreas("Remove area", areas);
        e.setContents("Remove area", edits(*e.document(), [](CellContent &c) {
                          if (c.area() == "nord")
                              c.setArea(QString());
                      }));
        e.endStep();
    });
    QTest::newRow("remove statistic with its cells") << Edit([](DocumentEditor &e) {
        e.beginStep("Remove statistic");
        DocumentParts parts = DocumentParts::of(*e.document());
        parts.catalogue.remove("mean");
        e.setParts("Remove statistic", parts);
        e.setContents("Remove statistic", edits(*e.document(), [](CellContent &c) {
                          if (c.statistic().statisticName == "mean")
                              c = cleared(c);
                      }));
        e.endStep();
    });
}

void DocumentEditorTest::everyEditIsOneStepUndoneAndRedoneExactly()
{
    QFETCH(Edit, edit);
    const QByteArray before = state(*m_document);
    edit(*m_editor);
    const QByteArray after = state(*m_document);
    QVERIFY(after != before);
    QCOMPARE(m_stack->count(), 1);

    m_stack->undo();
    QCOMPARE(state(*m_document), before);
    m_stack->redo();
    QCOMPARE(state(*m_document), after);
    m_stack->undo();
    QCOMPARE(state(*m_document), before);
}

void DocumentEditorTest::editsThatChangeNothingMakeNoStep()
{
    m_editor->setContents("Delete", {{9, 9, CellContent()}});
    m_editor->removeLines("Remove rows", Qt::Vertical, {-1, 4});
    QVERIFY(!m_editor->insertLines("Insert rows", Qt::Vertical, 0, 996));
    QVERIFY(!m_editor->resetGrid("New", 1000, 1));
    m_editor->setOutputFileName("Output", m_document->outputFileName());
    m_editor->setAreas("Areas", m_document->areas());
    QCOMPARE(m_stack->count(), 0);
    QCOMPARE(m_document->table()->rowCount(), 4);
}

void DocumentEditorTest::undoAndRedoRestoreTheSelectionTheStepStartedFrom()
{
    GridSelection selection{{QRect(1, 0, 2, 3)}, 2, 1};
    m_editor->setSelectionSource([&selection] { return selection; });
    QSignalSpy restored(m_editor.get(), &DocumentEditor::selectionRestored);
    m_editor->removeLines("Remove rows", Qt::Vertical, {0, 1, 2});
    const GridSelection started = selection;
    selection = GridSelection{{QRect(0, 0, 1, 1)}, 0, 0};
    // Doing the step the first time leaves the selection to the view.
    QCOMPARE(restored.count(), 0);

    m_stack->undo();
    QCOMPARE(restored.count(), 1);
    QCOMPARE(restored.last().at(0).value<GridSelection>(), started);
    m_stack->redo();
    QCOMPARE(restored.count(), 2);
    QCOMPARE(restored.last().at(0).value<GridSelection>(), started);
}

void DocumentEditorTest::undoingBackToTheSavedStateIsClean()
{
    m_stack->setClean();
    m_editor->setOutputFileName("Output", "a.csv");
    m_editor->setOutputFileName("Output", "b.csv");
    QVERIFY(!m_stack->isClean());
    QCOMPARE(m_stack->undoText(), QStringLiteral("Output"));
    m_stack->undo();
    QVERIFY(!m_stack->isClean());
    m_stack->undo();
    QVERIFY(m_stack->isClean());
    QCOMPARE(m_document->outputFileName(), QStringLiteral("out.csv"));
    m_stack->redo();
    QVERIFY(!m_stack->isClean());
}

QTEST_GUILESS_MAIN(DocumentEditorTest)
#include "DocumentEditorTest.moc"
