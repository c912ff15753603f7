#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct Document;

// The table a run produced, ready to be written in another format: every
// field of the output file as text or as a number with its spreadsheet
// number format, in the grid's rows and columns, with the grid's column
// widths.
class ExportTable
{
public:
    struct Cell
    {
        QString text;
        bool isNumber = false;
        double number = 0;
        // A spreadsheet number format such as "0.00" or "General".
        QString numberFormat;
    };

    // The fields of a run's output file with the document it came from: a
    // statistic's result is a number when it reads as one under the cell's
    // display format (its padding blanks are dropped either way); texts and
    // condition labels, and fields outside the document's grid, stay texts
    // exactly as written.
    static ExportTable fromOutput(const QList<QStringList> &rows, const Document &document);
    // Fields without a document, as the CSV viewer shows them: a field that
    // is plainly a decimal number becomes one (see DisplayedNumber::guess).
    static ExportTable fromTexts(const QList<QStringList> &rows, const QList<int> &columnWidths);

    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return m_columnCount; }
    // An empty text cell outside the fields a row has.
    const Cell &cell(int row, int column) const;
    bool columnHasNumbers(int column) const;
    // Widths in pixels from the left; there may be fewer than columns.
    const QList<int> &columnWidths() const { return m_columnWidths; }

private:
    void append(const QList<Cell> &row);

    QList<QList<Cell>> m_rows;
    int m_columnCount = 0;
    QList<int> m_columnWidths;
};
