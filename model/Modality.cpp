#include "model/Modality.h"

#include "model/XmlAttributes.h"

Modality::Modality(const QString &value, const QString &valueLabel, const QString &varName,
                   const QString &varLabel)
    : m_value(value)
    , m_valueLabel(valueLabel)
    , m_varName(varName)
    , m_varLabel(varLabel)
{}

Modality::Modality(const QXmlStreamAttributes &attributes, const QString &varName,
                   const QString &varLabel)
    : m_value(XmlAttributes::text(attributes, QLatin1String("value")))
    , m_valueLabel(XmlAttributes::text(attributes, QLatin1String("valueLabel")))
    , m_varName(varName)
    , m_varLabel(varLabel)
{}

QDomElement Modality::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("modality"));
    element.setAttribute(QStringLiteral("value"), m_value);
    element.setAttribute(QStringLiteral("valueLabel"), m_valueLabel);
    return element;
}
