#include "model/XmlAttributes.h"

namespace XmlAttributes {

QString text(const QDomElement &element, const QString &name)
{
    return element.attribute(name);
}

int integer(const QDomElement &element, const QString &name)
{
    bool ok = false;
    const int value = element.attribute(name).toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace XmlAttributes
