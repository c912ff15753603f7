#include "undo/DocumentEditor.h"

#include "model/DocumentModel.h"
#include "undo/CellContentsCommand.h"
#include "undo/DocumentPartsCommand.h"
#include "undo/GridCommand.h"
#include "undo/InsertLinesCommand.h"

#include <QScopedValueRollback>
#include <QUndoStack>

#include <algorithm>

DocumentEditor::DocumentEditor(DocumentModel *document, QUndoStack *undoStack, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_undoStack(undoStack)
    , m_known(DocumentParts::of(*document))
{
    for (auto signal : {&DocumentModel::changed, &DocumentModel::variablesChanged,
                        &DocumentModel::catalogueChanged, &DocumentModel::areasChanged})
        connect(m_document, signal, this, &DocumentEditor::recordOutsideChange);
}

GridSelection DocumentEditor::currentSelection() const
{
    return m_selectionSource ? m_selectionSource() : GridSelection();
}

void DocumentEditor::restoreSelection(const GridSelection &selection)
{
    emit selectionRestored(selection);
    emit stepReplayed();
}

void DocumentEditor::endApplying()
{
    if (--m_applying == 0)
        m_known = DocumentParts::of(*m_document);
}

void DocumentEditor::push(DocumentCommand *command)
{
    if (m_stepDepth > 0 && !m_stepOpened) {
        m_undoStack->beginMacro(m_stepText);
        m_stepOpened = true;
    }
    m_undoStack->push(command);
}

// Windows that edit the variables, statistics, areas or names on the document
// itself make a step here once the document reports the change. The grid's
// edits all come through this editor.
void DocumentEditor::recordOutsideChange()
{
    if (m_applying > 0 || m_recording)
        return;
    const DocumentParts now = DocumentParts::of(*m_document);
    if (now == m_known)
        return;
    const DocumentParts before = m_known;
    m_known = now;
    push(new DocumentPartsCommand(this, before.changeTo(now), before, now));
}

void DocumentEditor::setContents(const QString &text, const QList<CellTableModel::CellEdit> &edits,
                                 CellTableModel::EditKind kind)
{
    const CellContentGrid &cells = m_document->table()->cells();
    const bool any = std::any_of(edits.cbegin(), edits.cend(), [&cells](const auto &edit) {
        return cells.contains(edit.row, edit.column);
    });
    if (any)
        push(new CellContentsCommand(this, text, edits, kind));
}

bool DocumentEditor::insertLines(const QString &text, Qt::Orientation orientation, int position,
                                 int count)
{
    const CellTableModel *table = m_document->table();
    const bool rows = orientation == Qt::Vertical;
    const int lineCount = rows ? table->rowCount() : table->columnCount();
    if (position < 0 || position > lineCount || count < 1)
        return true;
    if (!CellTableModel::sizeAllowed(table->rowCount() + (rows ? count : 0),
                                     table->columnCount() + (rows ? 0 : count)))
        return false;
    push(new InsertLinesCommand(this, text, orientation, position, count));
    return true;
}

void DocumentEditor::removeLines(const QString &text, Qt::Orientation orientation,
                                 const QList<int> &lines)
{
    const CellTableModel *table = m_document->table();
    const int lineCount = orientation == Qt::Vertical ? table->rowCount() : table->columnCount();
    const bool any = std::any_of(lines.cbegin(), lines.cend(),
                                 [lineCount](int line) { return line >= 0 && line < lineCount; });
    if (!any)
        return;
    push(new GridCommand(this, text, [orientation, lines](CellTableModel &grid) {
        grid.removeLines(orientation, lines);
    }));
}

bool DocumentEditor::resetGrid(const QString &text, int rows, int columns)
{
    if (!CellTableModel::sizeAllowed(rows, columns))
        return false;
    push(new GridCommand(this, text,
                         [rows, columns](CellTableModel &grid) { grid.reset(rows, columns); }));
    return true;
}

void DocumentEditor::setParts(const QString &text, const DocumentParts &parts)
{
    const DocumentParts before = DocumentParts::of(*m_document);
    if (parts != before)
        push(new DocumentPartsCommand(this, text, before, parts));
}

// The grid is compared through its change signal: cells a window empties on
// the document itself (not through a step) are kept whole before and after,
// as shared lists that cost little until the grid is edited again.
void DocumentEditor::record(const QString &text, const std::function<void()> &change)
{
    if (m_recording) {
        change();
        return;
    }
    const DocumentParts partsBefore = DocumentParts::of(*m_document);
    const GridSnapshot gridBefore = GridSnapshot::of(*m_document->table());
    bool gridChanged = false;
    beginStep(text);
    {
        QScopedValueRollback<bool> recording(m_recording, true);
        const QMetaObject::Connection watch =
            connect(m_document->table(), &CellTableModel::contentChanged, this, [&] {
                if (m_applying == 0)
                    gridChanged = true;
            });
        change();
        disconnect(watch);
    }
    const DocumentParts partsAfter = DocumentParts::of(*m_document);
    if (gridChanged || partsAfter != partsBefore) {
        auto *command = new DocumentPartsCommand(this, text, partsBefore, partsAfter);
        if (gridChanged)
            command->setGrids(gridBefore, GridSnapshot::of(*m_document->table()));
        push(command);
    }
    m_known = partsAfter;
    endStep();
}

void DocumentEditor::beginStep(const QString &text)
{
    if (m_stepDepth++ == 0) {
        m_stepText = text;
        m_stepOpened = false;
    }
}

void DocumentEditor::endStep()
{
    if (--m_stepDepth > 0 || !m_stepOpened)
        return;
    m_stepOpened = false;
    m_undoStack->endMacro();
}

namespace {

// A step begun with beginStep() is a plain command holding the steps made.
bool changesFile(const QUndoCommand *command)
{
    if (const auto *step = dynamic_cast<const DocumentCommand *>(command))
        return step->changesFile();
    for (int child = 0; child < command->childCount(); ++child) {
        if (changesFile(command->child(child)))
            return true;
    }
    return false;
}

} // namespace

bool DocumentEditor::differsFromClean() const
{
    const int clean = m_undoStack->cleanIndex();
    const int index = m_undoStack->index();
    if (clean < 0)
        return true;
    for (int step = qMin(clean, index); step < qMax(clean, index); ++step) {
        if (changesFile(m_undoStack->command(step)))
            return true;
    }
    return false;
}

void DocumentEditor::clearHistory()
{
    m_undoStack->clear();
    m_known = DocumentParts::of(*m_document);
}
