#include "Dataset.h"

#include "StataError.h"

StataValue Dataset::value(int variable, int observation) const
{
    const Variable &column = m_variables.at(variable);
    if (column.isString())
        return StataValue::ofString(column.texts.at(observation));
    return StataValue::ofNumber(column.numbers.at(observation));
}

int Dataset::indexOf(const QString &name) const
{
    int abbreviated = -1;
    int fits = 0;
    for (int i = 0; i < m_variables.size(); ++i) {
        const QString &candidate = m_variables.at(i).name;
        if (candidate == name)
            return i;
        if (candidate.startsWith(name)) {
            abbreviated = i;
            ++fits;
        }
    }
    if (fits == 1)
        return abbreviated;
    if (fits > 1)
        throw StataError(111, QStringLiteral("%1 ambiguous abbreviation").arg(name));
    throw StataError(111, QStringLiteral("variable %1 not found").arg(name));
}
