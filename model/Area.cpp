#include "model/Area.h"

#include "model/XmlAttributes.h"

Area::Area(const QString &name, const QString &condition)
    : m_name(name)
    , m_condition(condition)
{}

Area::Area(const QDomElement &element)
    : m_name(XmlAttributes::text(element, QStringLiteral("name")))
    , m_condition(XmlAttributes::text(element, QStringLiteral("condition")))
{}

QDomElement Area::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("area"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("condition"), m_condition);
    return element;
}
