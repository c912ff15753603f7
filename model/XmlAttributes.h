#pragma once

#include <QLatin1String>
#include <QString>
#include <QXmlStreamAttributes>

// Reading helpers shared by the document types: a missing attribute reads as
// the empty text, and as 0 where a number is expected.
namespace XmlAttributes {

QString text(const QXmlStreamAttributes &attributes, QLatin1String name);
int integer(const QXmlStreamAttributes &attributes, QLatin1String name);

} // namespace XmlAttributes
