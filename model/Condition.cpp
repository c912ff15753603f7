#include "model/Condition.h"

#include <QStringList>

QString Condition::label() const
{
    QStringList pieces;
    pieces.reserve(m_terms.size());
    for (const MicroCondition &term : m_terms)
        pieces.append(term.valueLabel());
    return pieces.join(QStringLiteral(" | "));
}

QDomElement Condition::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("condition"));
    for (const MicroCondition &term : m_terms)
        element.appendChild(term.toXml(document));
    return element;
}
