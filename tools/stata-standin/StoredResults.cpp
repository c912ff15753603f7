#include "StoredResults.h"

#include "DisplayFormatter.h"
#include "MissingValue.h"

void StoredResults::clear()
{
    m_scalars.clear();
    m_macros.clear();
    m_matrices.clear();
}

StataValue StoredResults::value(const QString &name) const
{
    if (m_scalars.contains(name))
        return StataValue::ofNumber(m_scalars.value(name));
    if (m_macros.contains(name))
        return StataValue::ofString(m_macros.value(name));
    return StataValue::ofNumber(MissingValue::value());
}

QString StoredResults::macroText(const QString &name) const
{
    if (m_macros.contains(name))
        return m_macros.value(name);
    if (m_scalars.contains(name))
        return DisplayFormatter::macroNumber(m_scalars.value(name));
    if (m_matrices.contains(name))
        return QStringLiteral("matrix");
    return QString();
}

const Matrix *StoredResults::matrix(const QString &name) const
{
    const auto found = m_matrices.constFind(name);
    return found == m_matrices.constEnd() ? nullptr : &found.value();
}
