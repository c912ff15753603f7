#include "model/CellClipboard.h"

#include "model/DocumentReader.h"

#include <QDomDocument>
#include <QMimeData>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QString statisticViewName = QStringLiteral("statisticFormatView");
const QString conditionViewName = QStringLiteral("conditionFormatView");

// Clipboard data larger than this is not parsed: no block of a 999 x 999
// grid's cells comes near it, and parsing more would take memory without
// bound.
constexpr qsizetype maximumXmlSize = 256 * 1024 * 1024;

// Views out of range (from a damaged or foreign block) keep the defaults.
void readViews(const QXmlStreamAttributes &attributes, CellContent &content)
{
    if (!attributes.hasAttribute(statisticViewName) || !attributes.hasAttribute(conditionViewName))
        return;
    const int statisticView = attributes.value(statisticViewName).toInt();
    if (statisticView >= int(CellContent::StatisticFormatView::OnlyStatisticName) &&
        statisticView <= int(CellContent::StatisticFormatView::StatisticNameVariableLabel))
        content.setStatisticFormatView(CellContent::StatisticFormatView(statisticView));
    const int conditionView = attributes.value(conditionViewName).toInt();
    if (conditionView >= int(CellContent::ConditionFormatView::OnlyModalityLabel) &&
        conditionView <=
            int(CellContent::ConditionFormatView::VariableLabelEqualModalityValueLabel))
        content.setConditionFormatView(CellContent::ConditionFormatView(conditionView));
}

// The format views are not part of a document file; they ride on the cell
// elements as two more attributes, read here in a second pass.
void readAllViews(const QByteArray &xml, CellContentGrid &block)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name() != QLatin1String("cell"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const int row = attributes.value(QLatin1String("row")).toInt();
        const int column = attributes.value(QLatin1String("col")).toInt();
        if (row < 0 || column < 0 || row >= block.rowCount() || column >= block.columnCount())
            continue;
        CellContent content = block(row, column);
        readViews(attributes, content);
        block.setContent(row, column, content);
    }
}

bool isPlainVoid(const CellContent &content)
{
    static const CellContent plain;
    return content.dataType() == CellContent::Kind::Void && content.area().isEmpty() &&
           content.statisticFormatView() == plain.statisticFormatView() &&
           content.conditionFormatView() == plain.conditionFormatView();
}

} // namespace

QString CellClipboard::mimeType()
{
    return QStringLiteral("application/x-quorin-cells");
}

QMimeData *CellClipboard::mimeData(const CellContentGrid &block)
{
    auto *data = new QMimeData;
    data->setData(mimeType(), toXml(block));
    data->setText(toText(block));
    return data;
}

CellClipboard::Block CellClipboard::block(const QMimeData *data)
{
    Block result;
    if (!data)
        return result;
    if (data->hasFormat(mimeType())) {
        result.cells = fromXml(data->data(mimeType()));
        result.wholeContents = true;
        if (!result.isEmpty())
            return result;
    }
    result.wholeContents = false;
    result.cells = data->hasText() ? fromText(data->text()) : CellContentGrid();
    return result;
}

// A document holding only the block's cells, placed relative to its top left
// corner, with the format views added; the document reader reads it back
// with all its checks. Positions left out read back as plain void cells, so
// those are not written: a sparse block stays small.
QByteArray CellClipboard::toXml(const CellContentGrid &block)
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("quorin"));
    document.appendChild(root);
    QDomElement cells = document.createElement(QStringLiteral("cells"));
    cells.setAttribute(QStringLiteral("rowCount"), QString::number(block.rowCount()));
    cells.setAttribute(QStringLiteral("columnCount"), QString::number(block.columnCount()));
    root.appendChild(cells);
    for (int row = 0; row < block.rowCount(); ++row) {
        for (int column = 0; column < block.columnCount(); ++column) {
            const CellContent &content = block(row, column);
            if (isPlainVoid(content))
                continue;
            QDomElement cell = content.toXml(document, row, column);
            cell.setAttribute(statisticViewName, int(content.statisticFormatView()));
            cell.setAttribute(conditionViewName, int(content.conditionFormatView()));
            cells.appendChild(cell);
        }
    }
    return document.toByteArray(0);
}

CellContentGrid CellClipboard::fromXml(const QByteArray &xml)
{
    if (xml.size() > maximumXmlSize)
        return CellContentGrid();
    DocumentReader reader;
    if (!reader.read(xml))
        return CellContentGrid();
    // The reader has refused negative sizes and grids larger than Quorin's.
    CellContentGrid block = reader.document().cells;
    readAllViews(xml, block);
    return block;
}

QString CellClipboard::quotedField(const QString &text)
{
    static const QString special = QStringLiteral("\t\n\r\"");
    const bool needsQuotes =
        std::any_of(text.cbegin(), text.cend(), [](QChar c) { return special.contains(c); });
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CellClipboard::toText(const CellContentGrid &block)
{
    QStringList lines;
    for (int row = 0; row < block.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < block.columnCount(); ++column)
            fields.append(quotedField(block(row, column).displayText()));
        lines.append(fields.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n'));
}

// One pass over the text. A field that starts with a double quote runs to the
// closing quote, a doubled quote inside standing for one; anything after the
// closing quote up to the next tab or line break is kept as it stands, as
// spreadsheets do. Line breaks are "\n", "\r\n" or "\r"; a last line break
// ends the last row rather than starting an empty one.
QList<QStringList> CellClipboard::splitText(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool inQuotes = false;
    bool fieldQuoted = false;
    auto endField = [&] {
        if (row.size() < maximumBlockLines)
            row.append(field);
        field.clear();
        fieldQuoted = false;
    };
    for (qsizetype i = 0; i < text.size() && rows.size() < maximumBlockLines; ++i) {
        const QChar c = text.at(i);
        const bool nextIsQuote = i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"');
        if (inQuotes) {
            if (c != QLatin1Char('"'))
                field.append(c);
            else if (nextIsQuote)
                field.append(text.at(++i));
            else
                inQuotes = false;
        } else if (c == QLatin1Char('"') && field.isEmpty() && !fieldQuoted) {
            inQuotes = fieldQuoted = true;
        } else if (c == QLatin1Char('\t')) {
            endField();
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endField();
            rows.append(row);
            row.clear();
        } else {
            field.append(c);
        }
    }
    if ((!field.isEmpty() || fieldQuoted || !row.isEmpty()) && rows.size() < maximumBlockLines) {
        endField();
        rows.append(row);
    }
    return rows;
}

CellContentGrid CellClipboard::fromText(const QString &text)
{
    const QList<QStringList> rows = splitText(text);
    int columns = 0;
    for (const QStringList &fields : rows)
        columns = qMax(columns, int(fields.size()));
    CellContentGrid block(int(rows.size()), columns);
    for (int row = 0; row < block.rowCount(); ++row) {
        const QStringList &fields = rows.at(row);
        for (int column = 0; column < fields.size(); ++column) {
            if (!fields.at(column).isEmpty())
                block(row, column).setSimpleText(fields.at(column));
        }
    }
    return block;
}

QList<CellTableModel::CellEdit> CellClipboard::pasteEdits(const CellContentGrid &grid, int row,
                                                          int column, const Block &block)
{
    QList<CellTableModel::CellEdit> edits;
    if (!grid.contains(row, column))
        return edits;
    const int rows = qMin(block.cells.rowCount(), grid.rowCount() - row);
    const int columns = qMin(block.cells.columnCount(), grid.columnCount() - column);
    edits.reserve(qsizetype(rows) * columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const CellContent &source = block.cells(r, c);
            if (block.wholeContents) {
                edits.append({row + r, column + c, source});
                continue;
            }
            CellContent target = grid(row + r, column + c);
            if (source.dataType() == CellContent::Kind::SimpleText)
                target.setSimpleText(source.simpleText());
            else
                target.clearContent();
            edits.append({row + r, column + c, target});
        }
    }
    return edits;
}

bool CellClipboard::fits(const CellContentGrid &grid, int row, int column, const Block &block)
{
    return grid.contains(row, column) && row + block.cells.rowCount() <= grid.rowCount() &&
           column + block.cells.columnCount() <= grid.columnCount();
}
