#include "model/StatisticCatalogue.h"

namespace StatisticCatalogueXml {

QDomElement write(QDomDocument &document, const QStringList &order,
                  const StatisticCatalogue &catalogue)
{
    QDomElement element = document.createElement(QStringLiteral("commands"));
    for (const QString &name : order)
        element.appendChild(catalogue.value(name).toXml(document));
    return element;
}

} // namespace StatisticCatalogueXml
