#include "model/Modality.h"

#include "model/XmlAttributes.h"

namespace {

QString valueOf(const QXmlStreamAttributes &attributes)
{
    return XmlAttributes::text(attributes, QLatin1String("value"));
}

QString valueLabelOf(const QXmlStreamAttributes &attributes)
{
    return XmlAttributes::text(attributes, QLatin1String("valueLabel"));
}

} // namespace

Modality::Modality(const QString &value, const QString &valueLabel, const QString &varName,
                   const QString &varLabel)
    : Modality(
          value, valueLabel,
          QExplicitlySharedDataPointer<const VariableNames>(new VariableNames(varName, varLabel)))
{}

Modality::Modality(const QXmlStreamAttributes &attributes, const QString &varName,
                   const QString &varLabel)
    : Modality(valueOf(attributes), valueLabelOf(attributes), varName, varLabel)
{}

Modality::Modality(QString value, QString valueLabel,
                   QExplicitlySharedDataPointer<const VariableNames> variable)
    : m_value(std::move(value))
    , m_valueLabel(std::move(valueLabel))
    , m_variable(std::move(variable))
{}

Modality Modality::sibling(QString value, QString valueLabel) const
{
    if (!m_variable)
        return Modality(value, valueLabel, QString(), QString());
    return Modality(std::move(value), std::move(valueLabel), m_variable);
}

Modality Modality::sibling(const QXmlStreamAttributes &attributes) const
{
    return sibling(valueOf(attributes), valueLabelOf(attributes));
}

const QString &Modality::varName() const
{
    static const QString none;
    return m_variable ? m_variable->name : none;
}

const QString &Modality::varLabel() const
{
    static const QString none;
    return m_variable ? m_variable->label : none;
}

QDomElement Modality::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("modality"));
    element.setAttribute(QStringLiteral("value"), m_value);
    element.setAttribute(QStringLiteral("valueLabel"), m_valueLabel);
    return element;
}
