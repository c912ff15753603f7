#include "stata/DoFileComposer.h"

#include "model/CellContent.h"
#include "stata/StataText.h"

#include <QRegularExpression>

namespace {

// Replaces every match by the text as it stands: QString::replace would read
// backslashes in the text (a user's area condition may hold some) as
// back-references.
QString replaceLiterally(const QString &text, const QRegularExpression &pattern,
                         const QString &replacement)
{
    QString result;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator matches = pattern.globalMatch(text);
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
    return prefix + QString::number(row + 1) + QLatin1Char('_') + QString::number(column + 1);
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
    return composeIfCondition(*cell, row, column, conditionColumnsOfRow(row),
                              conditionRowsOfColumn(column));
}

DoFileModel DoFileComposer::buildModel(const QString &stataDatasetFileName) const
{
    const int rowCount = m_grid.rowCount();
    const int columnCount = m_grid.columnCount();
    DoFileModel model(stataDatasetFileName, rowCount, columnCount);

    // Find the condition cells once, so that composing each statistic's
    // condition visits only them instead of its whole row and column.
    QList<Positions> conditionColumns(qMax(0, rowCount));
    QList<Positions> conditionRows(qMax(0, columnCount));
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            if (isConditionCell(row, column)) {
                conditionColumns[row].append(column);
                conditionRows[column].append(row);
            }
        }
    }

    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            const CellContent *cell = m_grid.contentAt(row, column);
            if (!cell)
                continue;
            switch (cell->dataType()) {
            case T::SimpleText:
                model.append(textEntry(row, column, cell->simpleText()));
                break;
            case T::Condition:
                model.append(textEntry(row, column, cell->conditionLabel()));
                break;
            case T::Statistic: {
                const QString condition = composeIfCondition(
                    *cell, row, column, conditionColumns.at(row), conditionRows.at(column));
                model.append(statisticEntry(*cell, row, column, condition));
                break;
            }
            case T::Void:
                break;
            }
        }
    }
    return model;
}

QString DoFileComposer::composeIfCondition(const CellContent &cell, int row, int column,
                                           const Positions &conditionColumns,
                                           const Positions &conditionRows) const
{
    const QString &area = cell.area();
    QString expression;
    if (!area.isEmpty()) {
        const QString areaCondition = m_areas.area(area).condition();
        if (!areaCondition.isEmpty())
            expression = QLatin1Char('(') + areaCondition + QLatin1Char(')');
    }
    // Along the row from the cell leftwards, then down the column from the top.
    for (auto c = conditionColumns.crbegin(); c != conditionColumns.crend(); ++c) {
        if (*c <= column)
            appendConditionCell(m_grid.contentAt(row, *c), area, expression);
    }
    for (const int r : conditionRows) {
        if (r > row)
            break;
        appendConditionCell(m_grid.contentAt(r, column), area, expression);
    }
    if (expression.isEmpty())
        return QString();
    return QStringLiteral("if ") + expression;
}

void DoFileComposer::appendConditionCell(const CellContent *candidate, const QString &area,
                                         QString &expression) const
{
    if (!candidate || candidate->dataType() != T::Condition || candidate->area() != area)
        return;
    // A condition without terms restricts nothing and adds nothing.
    const QString term = candidate->stataExpression();
    if (term.isEmpty())
        return;
    if (!expression.isEmpty())
        expression += QStringLiteral(" & ");
    expression += term;
}

DoFileComposer::Positions DoFileComposer::conditionColumnsOfRow(int row) const
{
    Positions columns;
    for (int column = 0; column < m_grid.columnCount(); ++column) {
        if (isConditionCell(row, column))
            columns.append(column);
    }
    return columns;
}

DoFileComposer::Positions DoFileComposer::conditionRowsOfColumn(int column) const
{
    Positions rows;
    for (int row = 0; row < m_grid.rowCount(); ++row) {
        if (isConditionCell(row, column))
            rows.append(row);
    }
    return rows;
}

bool DoFileComposer::isConditionCell(int row, int column) const
{
    const CellContent *cell = m_grid.contentAt(row, column);
    return cell && cell->dataType() == T::Condition;
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

DoFileEntry DoFileComposer::textEntry(int row, int column, const QString &text) const
{
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
    case T::Scalar:
        entry.macroCommand =
            macro + QStringLiteral(": display ") + format + QLatin1Char(' ') + result;
        break;
    case T::Macro:
        entry.macroCommand =
            macro + QStringLiteral(": display") + format + QLatin1Char(' ') + result;
        break;
    case T::Matrix:
        entry.macroCommand = QStringLiteral("matrix `tempMatrix' = ") + result + QLatin1Char('\n') +
                             macro + QStringLiteral(": display ") + format +
                             QStringLiteral(" `tempMatrix'[%1, %2]")
                                 .arg(command->resultMatrixRow())
                                 .arg(command->resultMatrixColumn());
        break;
    }
    return entry;
}
