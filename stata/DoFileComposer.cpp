#include "stata/DoFileComposer.h"

#include "model/CellContent.h"

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
    // #var and #if count only as whole words: "#variable" and "x#var" stay.
    static const QRegularExpression varPlaceholder(QStringLiteral("\\B#\\bvar\\b"));
    static const QRegularExpression ifPlaceholder(QStringLiteral("\\B#\\bif\\b"));
    const QString format = m_catalogue.value(cell->statistic().statisticName).format();
    const QString withVariable =
        replaceLiterally(format, varPlaceholder, cell->statistic().varName);
    return replaceLiterally(withVariable, ifPlaceholder, ifCondition(row, column));
}

QString DoFileComposer::ifCondition(int row, int column) const
{
    const CellContent *cell = m_grid.contentAt(row, column);
    if (!cell)
        return QString();
    const QString &area = cell->area();
    QString expression;
    if (!area.isEmpty()) {
        const QString areaCondition = m_areas.area(area).condition();
        if (!areaCondition.isEmpty())
            expression = QLatin1Char('(') + areaCondition + QLatin1Char(')');
    }
    for (int c = column; c >= 0; --c)
        appendConditionCell(row, c, area, expression);
    for (int r = 0; r <= row; ++r)
        appendConditionCell(r, column, area, expression);
    if (expression.isEmpty())
        return QString();
    return QStringLiteral("if ") + expression;
}

void DoFileComposer::appendConditionCell(int row, int column, const QString &area,
                                         QString &expression) const
{
    const CellContent *cell = m_grid.contentAt(row, column);
    if (!cell || cell->dataType() != T::Condition || cell->area() != area)
        return;
    // A condition without terms restricts nothing and adds nothing.
    const QString term = cell->stataExpression();
    if (term.isEmpty())
        return;
    if (!expression.isEmpty())
        expression += QStringLiteral(" & ");
    expression += term;
}
