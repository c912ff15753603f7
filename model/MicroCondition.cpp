#include "model/MicroCondition.h"

#include "model/Modality.h"
#include "model/XmlAttributes.h"

MicroCondition::MicroCondition(const QString &value, const QString &valueLabel,
                               const QString &varName, const QString &varLabel)
    : m_value(value)
    , m_valueLabel(valueLabel)
    , m_varName(varName)
    , m_varLabel(varLabel)
{}

MicroCondition::MicroCondition(const Modality &modality)
    : MicroCondition(modality.value(), modality.valueLabel(), modality.varName(),
                     modality.varLabel())
{}

MicroCondition::MicroCondition(const QXmlStreamAttributes &attributes)
    : m_value(XmlAttributes::text(attributes, QLatin1String("value")))
    , m_valueLabel(XmlAttributes::text(attributes, QLatin1String("valueLabel")))
    , m_varName(XmlAttributes::text(attributes, QLatin1String("varName")))
    , m_varLabel(XmlAttributes::text(attributes, QLatin1String("varLabel")))
{}

QDomElement MicroCondition::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("microCondition"));
    element.setAttribute(QStringLiteral("value"), m_value);
    element.setAttribute(QStringLiteral("valueLabel"), m_valueLabel);
    element.setAttribute(QStringLiteral("varName"), m_varName);
    element.setAttribute(QStringLiteral("varLabel"), m_varLabel);
    return element;
}
