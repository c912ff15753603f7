#include "stata/DoFileModel.h"

#include "stata/StataText.h"

namespace {

QString line(const QString &text)
{
    return text + QLatin1Char('\n');
}

// The write lines of the export section. A cell whose text cannot stand in a
// quoted literal defines w_R_C, a list of file-write directives, instead of
// t_R_C; such a grid writes w_R_C unquoted in front of the quoted t_R_C. Each
// cell defines at most one of them, and an undefined macro expands to
// nothing, so every cell still contributes exactly its own text. A grid with
// results quoted when Stata runs writes t_R_C in compound double quotes,
// which may hold the double quotes of such a value, and through macval(), so
// that the value is written as it is.
QString valueWriteLine(bool withWriteDirectives, bool withRunTimeQuotes, bool withSeparator)
{
    const QString separator = withSeparator ? QStringLiteral(";") : QString();
    const QString directives = withWriteDirectives ? QStringLiteral("`w_`row'_`col'' ") : QString();
    const QString value =
        withRunTimeQuotes
            ? QStringLiteral("`\"`macval(t_`row'_`col')'") + separator + QStringLiteral("\"'")
            : QStringLiteral("\"`t_`row'_`col''") + separator + QLatin1Char('"');
    return QStringLiteral("                  file write outputFile ") + directives + value;
}

} // namespace

DoFileModel::DoFileModel(const QString &stataDatasetFileName, int rowCount, int columnCount)
    : m_stataDatasetFileName(stataDatasetFileName)
    , m_rowCount(rowCount)
    , m_columnCount(columnCount)
{}

void DoFileModel::append(const DoFileEntry &entry)
{
    m_entries.append(entry);
    m_hasWriteDirectives = m_hasWriteDirectives || entry.definesWriteDirectives;
    m_hasRunTimeQuoting = m_hasRunTimeQuoting || entry.quotedAtRunTime;
}

QString DoFileModel::toString(bool showMain, bool showMacro, const QString &outputFileName) const
{
    qsizetype size = 1024 + m_stataDatasetFileName.size() + outputFileName.size();
    for (const DoFileEntry &entry : m_entries)
        size += entry.mainCommand.size() + entry.macroCommand.size() + 2;
    QString text;
    text.reserve(size);
    text += line(QStringLiteral("use ") + StataText::quotedFileName(m_stataDatasetFileName));
    text += line(QStringLiteral("tempname tempMatrix"));
    for (const DoFileEntry &entry : m_entries) {
        if (showMain && !entry.mainCommand.isEmpty())
            text += entry.mainCommand + QLatin1Char('\n');
        if (showMacro)
            text += entry.macroCommand + QLatin1Char('\n');
    }
    text += exportSection(outputFileName);
    return text;
}

QString DoFileModel::exportSection(const QString &outputFileName) const
{
    QString text;
    text += line(QStringLiteral("local nRow %1").arg(m_rowCount));
    text += line(QStringLiteral("local nCol %1").arg(m_columnCount));
    text +=
        line(QStringLiteral("file open outputFile using ") +
             StataText::quotedFileName(outputFileName) + QStringLiteral(", write text replace"));
    text += line(QStringLiteral("forvalues row = 1/`nRow' {"));
    text += line(QStringLiteral("      forvalues col = 1/`nCol' {"));
    text += line(QStringLiteral("            if \"`col'\" == \"`nCol'\" {"));
    text += line(valueWriteLine(m_hasWriteDirectives, m_hasRunTimeQuoting, false));
    text += line(QStringLiteral("            }"));
    text += line(QStringLiteral("            else {"));
    text += line(valueWriteLine(m_hasWriteDirectives, m_hasRunTimeQuoting, true));
    text += line(QStringLiteral("            }"));
    text += line(QStringLiteral("      }"));
    text += line(QStringLiteral("      file write outputFile _n"));
    text += line(QStringLiteral("}"));
    text += line(QStringLiteral("file close outputFile"));
    text += line(QStringLiteral("file open checkFile using \"checkfile.tmp\", write text replace"));
    text += line(QStringLiteral("file close checkFile"));
    return text;
}
