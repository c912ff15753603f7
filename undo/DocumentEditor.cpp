#include "undo/DocumentEditor.h"

#include "model/DocumentModel.h"
#include "undo/CellContentsCommand.h"
#include "undo/DocumentPartsCommand.h"
#include "undo/GridCommand.h"
#include "undo/InsertLinesCommand.h"

#include <QUndoStack>

#include <algorithm>

DocumentEditor::DocumentEditor(DocumentModel *document, QUndoStack *undoStack, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_undoStack(undoStack)
{}

GridSelection DocumentEditor::currentSelection() const
{
    return m_selectionSource ? m_selectionSource() : GridSelection();
}

void DocumentEditor::restoreSelection(const GridSelection &selection)
{
    emit selectionRestored(selection);
}

void DocumentEditor::setContents(const QString &text, const QList<CellTableModel::CellEdit> &edits,
                                 CellTableModel::EditKind kind)
{
    const CellContentGrid &cells = m_document->table()->cells();
    const bool any = std::any_of(edits.cbegin(), edits.cend(), [&cells](const auto &edit) {
        return cells.contains(edit.row, edit.column);
    });
    if (any)
        m_undoStack->push(new CellContentsCommand(this, text, edits, kind));
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
    m_undoStack->push(new InsertLinesCommand(this, text, orientation, position, count));
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
    m_undoStack->push(new GridCommand(this, text, [orientation, lines](CellTableModel &grid) {
        grid.removeLines(orientation, lines);
    }));
}

bool DocumentEditor::resetGrid(const QString &text, int rows, int columns)
{
    if (!CellTableModel::sizeAllowed(rows, columns))
        return false;
    m_undoStack->push(new GridCommand(
        this, text, [rows, columns](CellTableModel &grid) { grid.reset(rows, columns); }));
    return true;
}

void DocumentEditor::setParts(const QString &text, const DocumentParts &parts)
{
    m_undoStack->push(new DocumentPartsCommand(this, text, parts));
}

void DocumentEditor::setAreas(const QString &text, const AreaCollection &areas)
{
    if (areas == m_document->areas())
        return;
    DocumentParts parts = DocumentParts::of(*m_document);
    parts.areas = areas;
    setParts(text, parts);
}

void DocumentEditor::setStataDatasetFileName(const QString &text, const QString &fileName)
{
    if (fileName == m_document->stataDatasetFileName())
        return;
    DocumentParts parts = DocumentParts::of(*m_document);
    parts.stataDatasetFileName = fileName;
    setParts(text, parts);
}

void DocumentEditor::setOutputFileName(const QString &text, const QString &fileName)
{
    if (fileName == m_document->outputFileName())
        return;
    DocumentParts parts = DocumentParts::of(*m_document);
    parts.outputFileName = fileName;
    setParts(text, parts);
}

void DocumentEditor::beginStep(const QString &text)
{
    m_undoStack->beginMacro(text);
}

void DocumentEditor::endStep()
{
    m_undoStack->endMacro();
}
