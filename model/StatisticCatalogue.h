#pragma once

#include "model/Command.h"

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QMap>
#include <QStringList>

// The document's statistic definitions by name. The order the user sees (and
// the document stores) is kept beside it, by the variables panel's list.
using StatisticCatalogue = QMap<QString, Command>;

namespace StatisticCatalogueXml {

// A "commands" element with one child per name of the given order, each built
// from the catalogue's entry for that name.
QDomElement write(QDomDocument &document, const QStringList &order,
                  const StatisticCatalogue &catalogue);

} // namespace StatisticCatalogueXml
