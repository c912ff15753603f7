#pragma once

#include <QString>

class ExportTable;

// A table as text for other programs: an HTML page, a LaTeX tabular and a
// Markdown pipe table. Every text is escaped for its format, line breaks
// included, and numbers are right-aligned; numbers keep the text Stata
// displayed them with.
class TableMarkup
{
public:
    // A standalone UTF-8 page holding one table, titled with the title.
    static QString html(const ExportTable &table, const QString &title);
    // A tabular with booktabs rules (\usepackage{booktabs}); a column holding
    // numbers is right-aligned. The first row stands above the middle rule.
    static QString latex(const ExportTable &table);
    // A pipe table whose header is the first row; a column holding numbers
    // is right-aligned.
    static QString markdown(const ExportTable &table);

    static QString escapeHtml(const QString &text);
    static QString escapeLatex(const QString &text);
    static QString escapeMarkdown(const QString &text);
};
