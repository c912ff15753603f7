#include "undo/DocumentEditor.h"

#include "CellBuilders.h"
#include "model/DocumentModel.h"
#include "model/DocumentWriter.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <functional>
#include <memory>

using namespace CellBuilders;

namespace {

using Edit = std::function<void(DocumentEditor &editor)>;

// A small document with every kind of content, non-default sizes, names,
// areas and statistics.
void fill(DocumentModel &document)
{
    CellContentGrid cells(4, 3);
    cells(0, 0) = textCell("Età");
    cells(0, 1) = conditionCell({term("1", "Maschio", "sesso", "Sesso")}, "nord");
    cells(1, 1) = statisticCell(statistic("mean", "eta", "Età", "%9.2f"), "nord");
    cells(2, 2) = statisticCell(statistic("sd", "eta", "Età"));
    cells(3, 0) = voidCell("sud");
    document.table()->reset(cells, {31, 32, 33, 34}, {101, 102, 103});
    document.setStatistics(
        {Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 0, 0),
         Command("sd", "summarize #var #if", "r(sd)", Command::ResultType::Scalar, 0, 0)});
    Variable sex("sesso", "Sesso", 251);
    sex.appendModality(Modality("1", "Maschio", "sesso", "Sesso"));
    sex.appendModality(Modality("2", "Femmina", "sesso", "Sesso"));
    document.setVariables({sex, Variable("eta", "Età", 252)});
    document.mutableAreas()->insert(Area("nord", "rip<=2"));
    document.mutableAreas()->insert(Area("sud", "rip>3"));
    document.setStataDatasetFileName(QStringLiteral("in.dta"));
    document.setOutputFileName(QStringLiteral("out.csv"));
}

void setAreas(DocumentModel &document, const std::function<void(AreaCollection &)> &change)
{
    change(*document.mutableAreas());
    emit document.areasChanged();
}

// The document as its file holds it, with the format views a file leaves out.
QByteArray state(const DocumentModel &document)
{
    QByteArray text = DocumentWriter::toXml(document.toDocument());
    const CellContentGrid &cells = document.table()->cells();
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column) {
            text += QByteArray::number(int(cells(row, column).statisticFormatView())) +
                    QByteArray::number(int(cells(row, column).conditionFormatView()));
        }
    }
    return text;
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class DocumentEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_editor.reset();
        m_document = std::make_unique<DocumentModel>();
        fill(*m_document);
        m_stack = std::make_unique<QUndoStack>();
        m_editor = std::make_unique<DocumentEditor>(m_document.get(), m_stack.get());
    }

    void everyEditIsOneStepUndoneAndRedoneExactly_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("step");
        using Kind = CellTableModel::EditKind;
        using Change = std::function<void(CellContent &)>;
        // Every cell of the grid changed into something else.
        auto contents = [](const Change &change, Kind kind = Kind::Content) {
            return Edit([=](DocumentEditor &editor) {
                QList<CellTableModel::CellEdit> edits;
                const CellContentGrid &cells = editor.document()->table()->cells();
                for (int row = 0; row < cells.rowCount(); ++row) {
                    for (int column = 0; column < cells.columnCount(); ++column) {
                        edits.append({row, column, cells(row, column)});
                        change(edits.last().content);
                    }
                }
                editor.setContents("Cells", edits, kind);
            });
        };
        auto onDocument = [](const std::function<void(DocumentModel &)> &change) {
            return Edit([=](DocumentEditor &editor) { change(*editor.document()); });
        };
        auto row = [](const char *name, const Edit &edit, const char *step = "Cells") {
            QTest::newRow(name) << edit << QString::fromUtf8(step);
        };
        using E = DocumentEditor;
        using D = DocumentModel;
        using C = CellContent;
        // clang-format off
        row("delete", contents([](C &c) { c.clearContent(); }));
        row("drop statistic", contents([](C &c) { c.setStatistic(Statistic{"x", "X", "mean", "%5.1f"}); }));
        row("drop modality", contents([](C &c) { c.addMicroCondition(MicroCondition("2", "Femmina", "sesso", "Sesso")); }));
        row("simple text", contents([](C &c) { c.setSimpleText("t\tx"); }));
        row("display format", contents([](C &c) { c.setStatisticFormat("%12.0g"); }));
        row("assign area", contents([](C &c) { c.setArea("sud"); }));
        row("statistic view", contents([](C &c) { c.setStatisticFormatView(C::StatisticFormatView::OnlyStatisticName); }, Kind::View));
        row("condition view", contents([](C &c) { c.setConditionFormatView(C::ConditionFormatView::OnlyModalityValue); }, Kind::View));
        row("insert rows", [](E &e) { e.insertLines("Insert rows", Qt::Vertical, 1, 3); }, "Insert rows");
        row("insert columns at the end", [](E &e) { e.insertLines("Insert columns", Qt::Horizontal, 3, 2); }, "Insert columns");
        row("remove rows in two runs", [](E &e) { e.removeLines("Remove rows", Qt::Vertical, {3, 0, 1}); }, "Remove rows");
        row("remove every column", [](E &e) { e.removeLines("Remove columns", Qt::Horizontal, {0, 1, 2}); }, "Remove columns");
        row("clear all", [](E &e) { e.resetGrid("Clear all", 4, 3); }, "Clear all");
        row("new size", [](E &e) { e.resetGrid("New", 6, 5); }, "New");
        row("add variable", onDocument([](D &d) { d.addVariable(Variable("x", "", 0)); }), "Add variable");
        row("remove variable", onDocument([](D &d) { d.removeVariable(0); }), "Remove variable");
        row("move variable", onDocument([](D &d) { d.moveVariable(1, 0); }), "Move variable");
        row("edit modalities", onDocument([](D &d) { d.setModalities(0, {}); }), "Edit modalities");
        row("import variables", onDocument([](D &d) { d.setVariables({Variable("a", "A", 1)}); }), "Replace variables");
        row("add statistic", onDocument([](D &d) { d.addStatistic(Command("max", "summarize #var", "r(max)", Command::ResultType::Scalar, 0, 0)); }), "Add statistic");
        row("edit statistic", onDocument([](D &d) { d.editStatistic("sd", Command("sd", "tabstat #var", "r(sd)", Command::ResultType::Matrix, 1, 2)); }), "Edit statistic");
        row("remove statistic with its cells", [](E &e) { e.record("Remove statistic", [&e] { e.document()->removeStatistic("mean"); }); }, "Remove statistic");
        row("add area", onDocument([](D &d) { setAreas(d, [](AreaCollection &a) { a.insert(Area("est", "rip==3")); }); }), "Add area");
        row("remove area with its cells", [](E &e) { e.record("Remove area", [&e] { e.document()->removeArea("nord"); }); }, "Remove area");
        row("steps within a step", [](E &e) {
            e.beginStep("Several");
            e.insertLines("Insert rows", Qt::Vertical, 0, 1);
            e.document()->addVariable(Variable("x", "", 0));
            e.record("Remove area", [&e] { e.document()->removeArea("sud"); });
            e.endStep();
        }, "Several");
        row("dataset name", onDocument([](D &d) { d.setStataDatasetFileName("other.dta"); }), "Set dataset");
        row("output name", onDocument([](D &d) { d.setOutputFileName("other.csv"); }), "Set output file");
        // clang-format on
    }

    void everyEditIsOneStepUndoneAndRedoneExactly()
    {
        QFETCH(Edit, edit);
        const QByteArray before = state(*m_document);
        edit(*m_editor);
        const QByteArray after = state(*m_document);
        QVERIFY(after != before);
        QCOMPARE(m_stack->count(), 1);
        QTEST(m_stack->undoText(), "step");
        m_stack->undo();
        QCOMPARE(state(*m_document), before);
        m_stack->redo();
        QCOMPARE(state(*m_document), after);
        m_stack->undo();
        QCOMPARE(state(*m_document), before);
        QCOMPARE(m_stack->count(), 1);
    }

    void editsThatChangeNothingMakeNoStep()
    {
        m_editor->setContents("Delete", {{9, 9, CellContent()}});
        m_editor->removeLines("Remove rows", Qt::Vertical, {-1, 4});
        QVERIFY(!m_editor->insertLines("Insert rows", Qt::Vertical, 0, 996));
        QVERIFY(!m_editor->resetGrid("New", 1000, 1));
        m_document->setOutputFileName(m_document->outputFileName());
        setAreas(*m_document, [](AreaCollection &) {});
        m_editor->setParts("Parts", DocumentParts::of(*m_document));
        m_editor->record("Nothing", [] {});
        m_editor->beginStep("Nothing");
        m_editor->endStep();
        QCOMPARE(m_stack->count(), 0);
        QCOMPARE(m_document->table()->rowCount(), 4);
    }

    // Doing the step the first time leaves the selection to the view.
    void undoAndRedoRestoreTheSelectionTheStepStartedFrom()
    {
        GridSelection selection{{QRect(1, 0, 2, 3)}, 2, 1};
        m_editor->setSelectionSource([&selection] { return selection; });
        QSignalSpy restored(m_editor.get(), &DocumentEditor::selectionRestored);
        m_editor->removeLines("Remove rows", Qt::Vertical, {0, 1, 2});
        const GridSelection started = selection;
        selection = GridSelection{{QRect(0, 0, 1, 1)}, 0, 0};
        QCOMPARE(restored.count(), 0);
        m_stack->undo();
        QCOMPARE(restored.count(), 1);
        QCOMPARE(restored.last().at(0).value<GridSelection>(), started);
        m_stack->redo();
        QCOMPARE(restored.count(), 2);
        QCOMPARE(restored.last().at(0).value<GridSelection>(), started);
    }

private:
    std::unique_ptr<DocumentModel> m_document;
    std::unique_ptr<QUndoStack> m_stack;
    std::unique_ptr<DocumentEditor> m_editor;
};

QTEST_GUILESS_MAIN(DocumentEditorTest)
#include "DocumentEditorTest.moc"
