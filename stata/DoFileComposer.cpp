#include "stata/DoFileComposer.h"

#include "model/CellContent.h"
#include "model/DisplayFormat.h"
#include "stata/CsvFields.h"
#include "stata/StataText.h"

#include <QRegularExpression>
#include <QStringBuilder>

namespace {

// Replaces every match by the text as it stands: QString::replace would read
// backslashes in the text (a user's area condition may hold some) as
// back-references.
QString replaceLiterally(const QString &text, const QRegularExpression &pattern,
                         const QString &replacement)
{
    QRegularExpressionMatchIterator matches = pattern.globalMatch(text);
    if (!matches.hasNext())
        return text;
    QString result;
    result.reserve(text.size() + 2 * replacement.size());
    qsizetype copied = 0;
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += QStringView(text).mid(copied, match.capturedStart() - copied);
        result += replacement;
        copied = match.capturedEnd();
    }
    result += QStringView(text).mid(copied);
    return result;
}

// Macros are named after the cell's position counted from 1.
QString macroName(const QString &prefix, int row, int column)
{
    return prefix % QString::number(row + 1) % QLatin1Char('_') % QString::number(column + 1);
}

} // namespace

DoFileComposer::DoFileComposer(const CellGrid &grid, const StatisticCatalogue &catalogue,
                               const AreaCollection &areas)
    : m_grid(grid)
    , m_catalogue(catalogue)
    , m_areas(areas)
{}

QString DoFileComposer::finalCommand(int row, int column) const
{
    const CellContent *cell = m_grid.contentAt(row, column);
    if (!cell)
        return QString();
    return substitutePlaceholders(*cell, ifCondition(row, column));
}

QString DoFileComposer::ifCondition(int row, int column) const
{
    const CellContent *cell = m_grid.contentAt(row, column);
    if (!cell)
        return QString();
    return composeIfCondition(*cell, row, column, conditionCellsOfRow(row),
                              conditionCellsOfColumn(column));
}

DoFileModel DoFileComposer::buildModel(const QString &stataDatasetFileName) const
{
    const int rowCount = m_grid.rowCount();
    const int columnCount = m_grid.columnCount();
    DoFileModel model(stataDatasetFileName, rowCount, columnCount);

    // Find the condition cells once, so that composing each statistic's
    // condition visits only them instead of its whole row and column.
    QList<ConditionCells> ofRow(qMax(0, rowCount));
    QList<ConditionCells> ofColumn(qMax(0, columnCount));
    ConditionCell found;
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            if (conditionCellAt(row, column, column, &found)) {
                ofRow[row].append(found);
                found.position = row;
                ofColumn[column].append(found);
            }
        }
    }

    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            const CellContent *cell = m_grid.contentAt(row, column);
            if (!cell)
                continue;
            switch (cell->dataType()) {
            case CellContent::Kind::SimpleText:
                model.append(textEntry(row, column, cell->simpleText()));
                break;
            case CellContent::Kind::Condition:
                model.append(textEntry(row, column, cell->conditionLabel()));
                break;
            case CellContent::Kind::Statistic: {
                const QString condition =
                    composeIfCondition(*cell, row, column, ofRow.at(row), ofColumn.at(column));
                model.append(statisticEntry(*cell, row, column, condition));
                break;
            }
            case CellContent::Kind::Void:
                break;
            }
        }
    }
    return model;
}

QString DoFileComposer::composeIfCondition(const CellContent &cell, int row, int column,
                                           const ConditionCells &ofRow,
                                           const ConditionCells &ofColumn) const
{
    const QString &area = cell.area();
    QString expression;
    auto append = [&](const ConditionCell &condition) {
        if (*condition.area != area)
            return;
        if (!expression.isEmpty())
            expression += QStringLiteral(" & ");
        expression += condition.expression;
    };
    if (!area.isEmpty()) {
        const QString areaCondition = m_areas.area(area).condition();
        if (!areaCondition.isEmpty())
            expression = QLatin1Char('(') + areaCondition + QLatin1Char(')');
    }
    // Along the row from the cell leftwards, then down the column from the top.
    for (auto c = ofRow.crbegin(); c != ofRow.crend(); ++c) {
        if (c->position <= column)
            append(*c);
    }
    for (const ConditionCell &r : ofColumn) {
        if (r.position > row)
            break;
        append(r);
    }
    if (expression.isEmpty())
        return QString();
    return QStringLiteral("if ") + expression;
}

DoFileComposer::ConditionCells DoFileComposer::conditionCellsOfRow(int row) const
{
    ConditionCells cells;
    ConditionCell found;
    for (int column = 0; column < m_grid.columnCount(); ++column) {
        if (conditionCellAt(row, column, column, &found))
            cells.append(found);
    }
    return cells;
}

DoFileComposer::ConditionCells DoFileComposer::conditionCellsOfColumn(int column) const
{
    ConditionCells cells;
    ConditionCell found;
    for (int row = 0; row < m_grid.rowCount(); ++row) {
        if (conditionCellAt(row, column, row, &found))
            cells.append(found);
    }
    return cells;
}

bool DoFileComposer::conditionCellAt(int row, int column, int position,
                                     ConditionCell *conditionCell) const
{
    const CellContent *cell = m_grid.contentAt(row, column);
    if (!cell || cell->dataType() != CellContent::Kind::Condition)
        return false;
    // A condition without terms restricts nothing and adds nothing.
    QString expression = cell->stataExpression();
    if (expression.isEmpty())
        return false;
    *conditionCell = ConditionCell{position, &cell->area(), expression};
    return true;
}

QString DoFileComposer::substitutePlaceholders(const CellContent &cell,
                                               const QString &ifCondition) const
{
    // #var and #if count only as whole words: "#variable" and "x#var" stay.
    static const QRegularExpression varPlaceholder(QStringLiteral("\\B#\\bvar\\b"));
    static const QRegularExpression ifPlaceholder(QStringLiteral("\\B#\\bif\\b"));
    const QString format = m_catalogue.value(cell.statistic().statisticName).format();
    const QString withVariable = replaceLiterally(format, varPlaceholder, cell.statistic().varName);
    return replaceLiterally(withVariable, ifPlaceholder, ifCondition);
}

DoFileEntry DoFileComposer::textEntry(int row, int column, const QString &cellText) const
{
    // Texts are known now, so they go into the do-file already in the form
    // their output field takes.
    const QString text = CsvFields::quoted(cellText);
    DoFileEntry entry;
    if (StataText::isPlain(text)) {
        entry.macroCommand = QStringLiteral("local %1 \"%2\"")
                                 .arg(macroName(QStringLiteral("t_"), row, column), text);
        return entry;
    }
    entry.macroCommand = QStringLiteral("local %1 `\"%2\"'")
                             .arg(macroName(QStringLiteral("w_"), row, column),
                                  StataText::fileWriteDirectives(text));
    entry.definesWriteDirectives = true;
    return entry;
}

DoFileEntry DoFileComposer::statisticEntry(const CellContent &cell, int row, int column,
                                           const QString &ifCondition) const
{
    DoFileEntry entry;
    entry.mainCommand = substitutePlaceholders(cell, ifCondition);
    const QString macro = macroName(QStringLiteral("local t_"), row, column);
    const auto command = m_catalogue.constFind(cell.statistic().statisticName);
    if (command == m_catalogue.constEnd()) {
        // A statistic missing from the catalogue has no command to run and no
        // result to pick up: its field stays empty and the run goes on.
        entry.macroCommand = macro + QStringLiteral(" \"\"");
        return entry;
    }
    const QString &format = cell.statistic().format;
    const QString &result = command->result();
    switch (command->resultType()) {
    case Command::ResultType::Scalar:
        entry.macroCommand =
            macro % QStringLiteral(": display ") % format % QLatin1Char(' ') % result;
        break;
    case Command::ResultType::Macro:
        entry.macroCommand =
            macro % QStringLiteral(": display") % format % QLatin1Char(' ') % result;
        break;
    case Command::ResultType::Matrix:
        entry.macroCommand = QStringLiteral("matrix `tempMatrix' = ") % result % QLatin1Char('\n') %
                             macro % QStringLiteral(": display ") % format %
                             QStringLiteral(" `tempMatrix'[") %
                             QString::number(command->resultMatrixRow()) % QStringLiteral(", ") %
                             QString::number(command->resultMatrixColumn()) % QLatin1Char(']');
        break;
    }
    if (mayDisplayText(command->resultType(), format)) {
        entry.macroCommand +=
            QLatin1Char('\n') + runTimeQuoting(macroName(QStringLiteral("t_"), row, column));
        entry.quotedAtRunTime = true;
    }
    return entry;
}

bool DoFileComposer::mayDisplayText(Command::ResultType resultType, const QString &format) const
{
    if (resultType == Command::ResultType::Macro)
        return true;
    // A number shown in a numeric format never holds a character that needs
    // quotes; date formats and odd formats may show literal text. A grid
    // uses few formats, so each is read once.
    if (format.isEmpty())
        return false;
    auto known = m_formatMayShowText.constFind(format);
    if (known == m_formatMayShowText.constEnd()) {
        const DisplayFormat displayFormat(format);
        known = m_formatMayShowText.insert(
            format, !displayFormat.recognised || !DisplayFormat::isNumeric(displayFormat.kind));
    }
    return *known;
}

// A result known only when Stata runs gets its quotes there: when the
// macro's value holds ";", a double quote, a carriage return or a line feed,
// the value is enclosed in double quotes with the inner ones doubled.
// macval() keeps any macro quote in the value from being expanded.
QString DoFileComposer::runTimeQuoting(const QString &macro)
{
    const QString value = QStringLiteral("`\"`macval(%1)'\"'").arg(macro);
    return QStringLiteral("if strpos(%1, \";\") | strpos(%1, char(34)) | strpos(%1, char(10)) | "
                          "strpos(%1, char(13)) local %2 = char(34) + subinstr(%1, char(34), "
                          "char(34) + char(34), .) + char(34)")
        .arg(value, macro);
}
