#include "model/StatisticCatalogue.h"

namespace StatisticCatalogueXml {

QList<Command> read(const QDomElement &commandsElement)
{
    QList<Command> commands;
    const QDomNodeList nodes = commandsElement.elementsByTagName(QStringLiteral("command"));
    commands.reserve(nodes.size());
    for (int i = 0; i < nodes.size(); ++i)
        commands.append(Command(nodes.at(i).toElement()));
    return commands;
}

QDomElement write(QDomDocument &document, const QStringList &order,
                  const StatisticCatalogue &catalogue)
{
    QDomElement element = document.createElement(QStringLiteral("commands"));
    for (const QString &name : order)
        element.appendChild(catalogue.value(name).toXml(document));
    return element;
}

} // namespace StatisticCatalogueXml
