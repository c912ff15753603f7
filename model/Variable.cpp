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

QList<Modality> Variable::modalities() const
{
    QList<Modality> modalities;
    modalities.reserve(m_modalityTexts.size());
    for (qsizetype i = 0; i < m_modalityTexts.size(); ++i)
        modalities.append(
            Modality(m_modalityTexts.value(i), m_modalityTexts.valueLabel(i), m_name, m_label));
    return modalities;
}

void Variable::setModalities(const QList<Modality> &modalities)
{
    m_modalityTexts.clear();
    for (const Modality &modality : modalities)
        appendModality(modality);
}

void Variable::appendModality(const Modality &modality)
{
    m_modalityTexts.append(modality.value(), modality.valueLabel());
}

QDomElement Variable::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("variable"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("label"), m_label);
    element.setAttribute(QStringLiteral("vartype"), QString::number(m_varType));
    for (const Modality &modality : modalities())
        element.appendChild(modality.toXml(document));
    return element;
}
