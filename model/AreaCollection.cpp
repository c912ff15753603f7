#include "model/AreaCollection.h"

QDomElement AreaCollection::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("areas"));
    for (const Area &area : m_areas)
        element.appendChild(area.toXml(document));
    return element;
}
