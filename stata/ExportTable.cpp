#include "stata/ExportTable.h"

#include "model/Document.h"
#include "stata/DisplayedNumber.h"

namespace {

ExportTable::Cell textCell(const QString &text)
{
    return ExportTable::Cell{text, false, 0, QString()};
}

ExportTable::Cell resultCell(const QString &text, const QString &format)
{
    double value = 0;
    if (DisplayedNumber::read(text, format, &value))
        return {text.trimmed(), true, value, DisplayedNumber::spreadsheetFormat(format)};
    return textCell(text.trimmed());
}

} // namespace

ExportTable ExportTable::fromOutput(const QList<QStringList> &rows, const Document &document)
{
    ExportTable table;
    table.m_columnWidths = document.columnWidths;
    table.m_columnCount = document.cells.columnCount();
    for (int row = 0; row < rows.size(); ++row) {
        QList<Cell> cells;
        const QStringList &fields = rows.at(row);
        for (int column = 0; column < fields.size(); ++column) {
            const CellContent *content = document.cells.contentAt(row, column);
            if (content && content->dataType() == CellContent::Kind::Statistic)
                cells.append(resultCell(fields.at(column), content->statistic().format));
            else
                cells.append(textCell(fields.at(column)));
        }
        table.append(cells);
    }
    return table;
}

ExportTable ExportTable::fromTexts(const QList<QStringList> &rows, const QList<int> &columnWidths)
{
    ExportTable table;
    table.m_columnWidths = columnWidths;
    for (const QStringList &fields : rows) {
        QList<Cell> cells;
        for (const QString &field : fields) {
            Cell cell = textCell(field);
            cell.isNumber = DisplayedNumber::guess(field, &cell.number, &cell.numberFormat);
            if (cell.isNumber)
                cell.text = field.trimmed();
            cells.append(cell);
        }
        table.append(cells);
    }
    return table;
}

void ExportTable::append(const QList<Cell> &row)
{
    m_rows.append(row);
    m_columnCount = qMax(m_columnCount, int(row.size()));
}

const ExportTable::Cell &ExportTable::cell(int row, int column) const
{
    static const Cell empty;
    const QList<Cell> &cells = m_rows.at(row);
    return column < cells.size() ? cells.at(column) : empty;
}

bool ExportTable::columnHasNumbers(int column) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (cell(row, column).isNumber)
            return true;
    }
    return false;
}
