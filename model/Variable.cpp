#include "model/Variable.h"

#include "model/XmlAttributes.h"

Variable::Variable(const QString &name, const QString &label, quint8 varType)
    : m_name(name)
    , m_label(label)
    , m_varType(varType)
{}

Variable::Variable(const QXmlStreamAttributes &attributes)
    : m_name(XmlAttributes::text(attributes, QLatin1String("name")))
    , m_label(XmlAttributes::text(attributes, QLatin1String("label")))
    , m_varType(static_cast<quint8>(XmlAttributes::integer(attributes, QLatin1String("vartype"))))
{}

QDomElement Variable::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("variable"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("label"), m_label);
    element.setAttribute(QStringLiteral("vartype"), QString::number(m_varType));
    for (const Modality &modality : m_modalities)
        element.appendChild(modality.toXml(document));
    return element;
}
