#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class ExportTable;

// Writes a table in the format its file name's suffix chooses: ".xlsx" an
// Excel workbook, ".html" a web page, ".tex" a LaTeX tabular, ".md" a
// Markdown table (the suffix in any case). Every file is written in one
// piece: a failure leaves any earlier file of that name as it was.
class TableExporter
{
    Q_DECLARE_TR_FUNCTIONS(TableExporter)

public:
    enum class Format { Unknown, Xlsx, Html, Latex, Markdown };

    static Format formatOf(const QString &fileName);
    // The filters of a file dialog, one per format, in the order above.
    static QStringList fileDialogFilters();
    // The first suffix a filter names, with its dot: ".xlsx".
    static QString suffixOfFilter(const QString &filter);
    // The message for a file name whose suffix names no format.
    static QString unknownFormatMessage(const QString &fileName);

    // False, with the reason in error, when the file is not written.
    static bool write(const QString &fileName, const ExportTable &table, QString *error);
};
