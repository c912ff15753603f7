#include "stata/TableMarkup.h"

#include "stata/ExportTable.h"

#include <QStringList>

namespace {

// A line break inside a cell: "\r\n", "\r" and "\n" each count as one.
QString replaceLineBreaks(const QString &text, const QString &replacement)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result.replace(QLatin1Char('\n'), replacement);
}

} // namespace

QString TableMarkup::escapeHtml(const QString &text)
{
    return replaceLineBreaks(text.toHtmlEscaped(), QStringLiteral("<br>"));
}

QString TableMarkup::escapeLatex(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar character : text) {
        switch (character.unicode()) {
        case u'&':
        case u'%':
        case u'$':
        case u'#':
        case u'_':
        case u'{':
        case u'}':
            escaped += QLatin1Char('\\') + character;
            break;
        case u'~':
            escaped += QStringLiteral("\\textasciitilde{}");
            break;
        case u'^':
            escaped += QStringLiteral("\\textasciicircum{}");
            break;
        case u'\\':
            escaped += QStringLiteral("\\textbackslash{}");
            break;
        default:
            escaped += character;
        }
    }
    // A line break cannot stand inside a cell of an l or r column.
    return replaceLineBreaks(escaped, QStringLiteral(" "));
}

QString TableMarkup::escapeMarkdown(const QString &text)
{
    QString escaped = text;
    // The backslash first, so that one before a | cannot cancel its escape.
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('|'), QStringLiteral("\\|"));
    return replaceLineBreaks(escaped, QStringLiteral("<br>"));
}

QString TableMarkup::html(const ExportTable &table, const QString &title)
{
    QString text = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                                  "<title>%1</title>\n</head>\n<body>\n"
                                  "<table border=\"1\" style=\"border-collapse: collapse\">\n")
                       .arg(escapeHtml(title));
    for (int row = 0; row < table.rowCount(); ++row) {
        text += QStringLiteral("<tr>");
        for (int column = 0; column < table.columnCount(); ++column) {
            const ExportTable::Cell &cell = table.cell(row, column);
            text += cell.isNumber ? QStringLiteral("<td style=\"text-align: right\">")
                                  : QStringLiteral("<td>");
            text += escapeHtml(cell.text) + QStringLiteral("</td>");
        }
        text += QStringLiteral("</tr>\n");
    }
    return text + QStringLiteral("</table>\n</body>\n</html>\n");
}

QString TableMarkup::latex(const ExportTable &table)
{
    QString columns;
    for (int column = 0; column < table.columnCount(); ++column)
        columns += table.columnHasNumbers(column) ? QLatin1Char('r') : QLatin1Char('l');
    if (columns.isEmpty())
        columns = QStringLiteral("l");
    QString text = QStringLiteral("% Needs \\usepackage{booktabs}\n\\begin{tabular}{%1}\n"
                                  "\\toprule\n")
                       .arg(columns);
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells.append(escapeLatex(table.cell(row, column).text));
        text += cells.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\\n");
        if (row == 0 && table.rowCount() > 1)
            text += QStringLiteral("\\midrule\n");
    }
    return text + QStringLiteral("\\bottomrule\n\\end{tabular}\n");
}

QString TableMarkup::markdown(const ExportTable &table)
{
    const int columnCount = qMax(1, table.columnCount());
    const auto line = [](const QStringList &cells) {
        return QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
    };
    QStringList rules;
    for (int column = 0; column < columnCount; ++column)
        rules.append(table.columnHasNumbers(column) ? QStringLiteral("---:")
                                                    : QStringLiteral("---"));
    QString text;
    for (int row = 0; row < qMax(1, table.rowCount()); ++row) {
        QStringList cells;
        for (int column = 0; column < columnCount; ++column)
            cells.append(row < table.rowCount() ? escapeMarkdown(table.cell(row, column).text)
                                                : QString());
        text += line(cells);
        if (row == 0)
            text += line(rules);
    }
    return text;
}
