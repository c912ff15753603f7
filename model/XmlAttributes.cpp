#include "model/XmlAttributes.h"

namespace XmlAttributes {

QString text(const QXmlStreamAttributes &attributes, QLatin1String name)
{
    return attributes.value(name).toString();
}

int integer(const QXmlStreamAttributes &attributes, QLatin1String name)
{
    bool ok = false;
    const int value = attributes.value(name).toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace XmlAttributes
