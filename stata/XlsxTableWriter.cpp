#include "stata/XlsxTableWriter.h"

#include "model/AtomicFile.h"
#include "stata/ExportTable.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace {

// One format per number format text, as the workbook shares them.
class NumberFormats
{
public:
    explicit NumberFormats(lxw_workbook *workbook)
        : m_workbook(workbook)
    {}

    lxw_format *format(const QString &numberFormat)
    {
        if (numberFormat.isEmpty() || numberFormat == QLatin1String("General"))
            return nullptr;
        lxw_format *&format = m_formats[numberFormat];
        if (!format) {
            format = workbook_add_format(m_workbook);
            format_set_num_format(format, numberFormat.toUtf8().constData());
        }
        return format;
    }

private:
    lxw_workbook *m_workbook;
    QHash<QString, lxw_format *> m_formats;
};

} // namespace

bool XlsxTableWriter::write(const QString &fileName, const ExportTable &table, QString *error)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        *error = folder.errorString();
        return false;
    }
    const QString workbookPath = folder.filePath(QStringLiteral("table.xlsx"));
    if (!writeWorkbook(QFile::encodeName(workbookPath), table, error))
        return false;
    QFile workbook(workbookPath);
    if (!workbook.open(QIODevice::ReadOnly)) {
        *error = workbook.errorString();
        return false;
    }
    return AtomicFile::write(fileName, workbook.readAll(), error);
}

bool XlsxTableWriter::writeWorkbook(const QByteArray &path, const ExportTable &table,
                                    QString *error)
{
    lxw_workbook *workbook = workbook_new(path.constData());
    if (!workbook) {
        *error = tr("the workbook could not be created");
        return false;
    }
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    NumberFormats formats(workbook);
    const QList<int> &widths = table.columnWidths();
    for (int column = 0; column < widths.size(); ++column) {
        if (widths.at(column) > 0)
            worksheet_set_column_pixels(sheet, lxw_col_t(column), lxw_col_t(column),
                                        uint32_t(widths.at(column)), nullptr);
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const ExportTable::Cell &cell = table.cell(row, column);
            if (cell.isNumber) {
                worksheet_write_number(sheet, lxw_row_t(row), lxw_col_t(column), cell.number,
                                       formats.format(cell.numberFormat));
            } else if (!cell.text.isEmpty()) {
                worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(column),
                                       cell.text.left(maximumTextLength).toUtf8().constData(),
                                       nullptr);
            }
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(closed));
        return false;
    }
    return true;
}
