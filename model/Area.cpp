#include "model/Area.h"

#include "model/XmlAttributes.h"

Area::Area(const QString &name, const QString &condition)
    : m_name(name)
    , m_condition(condition)
{}

Area::Area(const QXmlStreamAttributes &attributes)
    : m_name(XmlAttributes::text(attributes, QLatin1String("name")))
    , m_condition(XmlAttributes::text(attributes, QLatin1String("condition")))
{}

QDomElement Area::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("area"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("condition"), m_condition);
    return element;
}
