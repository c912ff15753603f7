#pragma once

#include <QCoreApplication>
#include <QString>

class ExportTable;

// Writes a table as an Excel workbook (libxlsxwriter) of one sheet: texts as
// texts, numbers as numbers in their number format, the table's column
// widths. The workbook is built in a temporary folder and then written over
// the file in one piece, so a failure leaves any earlier file as it was.
class XlsxTableWriter
{
    Q_DECLARE_TR_FUNCTIONS(XlsxTableWriter)

public:
    // Excel holds at most this many characters in a cell; longer texts are
    // cut there.
    static constexpr int maximumTextLength = 32767;

    static bool write(const QString &fileName, const ExportTable &table, QString *error);

private:
    static bool writeWorkbook(const QByteArray &path, const ExportTable &table, QString *error);
};
