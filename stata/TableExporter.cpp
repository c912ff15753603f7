#include "stata/TableExporter.h"

#include "model/AtomicFile.h"
#include "stata/TableMarkup.h"
#include "stata/XlsxTableWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

TableExporter::Format TableExporter::formatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("xlsx"))
        return Format::Xlsx;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Format::Html;
    if (suffix == QLatin1String("tex"))
        return Format::Latex;
    if (suffix == QLatin1String("md"))
        return Format::Markdown;
    return Format::Unknown;
}

QStringList TableExporter::fileDialogFilters()
{
    return {tr("Excel workbook (*.xlsx)"), tr("Web page (*.html *.htm)"), tr("LaTeX table (*.tex)"),
            tr("Markdown table (*.md)")};
}

QString TableExporter::suffixOfFilter(const QString &filter)
{
    static const QRegularExpression suffix(QStringLiteral("\\*(\\.\\w+)"));
    return suffix.match(filter).captured(1);
}

QString TableExporter::unknownFormatMessage(const QString &fileName)
{
    return tr("Cannot export to %1: the name must end in .xlsx, .html, .tex or .md.")
        .arg(QDir::toNativeSeparators(fileName));
}

bool TableExporter::write(const QString &fileName, const ExportTable &table, QString *error)
{
    switch (formatOf(fileName)) {
    case Format::Xlsx:
        return XlsxTableWriter::write(fileName, table, error);
    case Format::Html:
        return AtomicFile::writeText(
            fileName, TableMarkup::html(table, QFileInfo(fileName).completeBaseName()), error);
    case Format::Latex:
        return AtomicFile::writeText(fileName, TableMarkup::latex(table), error);
    case Format::Markdown:
        return AtomicFile::writeText(fileName, TableMarkup::markdown(table), error);
    case Format::Unknown:
        break;
    }
    *error = tr("the name must end in .xlsx, .html, .tex or .md");
    return false;
}
