#pragma once

#include <QDomElement>
#include <QString>

// Reading helpers shared by the document types: a missing attribute reads as
// the empty text, and as 0 where a number is expected.
namespace XmlAttributes {

QString text(const QDomElement &element, const QString &name);
int integer(const QDomElement &element, const QString &name);

} // namespace XmlAttributes
