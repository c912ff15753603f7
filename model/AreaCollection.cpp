#include "model/AreaCollection.h"

AreaCollection::AreaCollection(const QDomElement &element)
{
    load(element);
}

void AreaCollection::load(const QDomElement &element)
{
    m_areas.clear();
    const QDomNodeList nodes = element.elementsByTagName(QStringLiteral("area"));
    for (int i = 0; i < nodes.size(); ++i)
        insert(Area(nodes.at(i).toElement()));
}

QDomElement AreaCollection::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("areas"));
    for (const Area &area : m_areas)
        element.appendChild(area.toXml(document));
    return element;
}
