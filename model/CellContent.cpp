#include "model/CellContent.h"

#include "model/XmlAttributes.h"

#include <QStringList>

CellContent::CellContent(const QDomElement &element)
    : m_dataType(T::cellDataTypeFromName(XmlAttributes::text(element, QStringLiteral("dataType"))))
    , m_area(XmlAttributes::text(element, QStringLiteral("area")))
{
    switch (m_dataType) {
    case T::Condition:
        m_condition = Condition(element.firstChildElement(QStringLiteral("condition")));
        break;
    case T::Statistic: {
        const QDomElement statistic = element.firstChildElement(QStringLiteral("statistic"));
        m_statistic.statisticName = XmlAttributes::text(statistic, QStringLiteral("statisticName"));
        m_statistic.varName = XmlAttributes::text(statistic, QStringLiteral("varName"));
        m_statistic.varLabel = XmlAttributes::text(statistic, QStringLiteral("varLabel"));
        m_statistic.format = XmlAttributes::text(statistic, QStringLiteral("format"));
        break;
    }
    case T::SimpleText:
        m_simpleText = XmlAttributes::text(element.firstChildElement(QStringLiteral("simpletext")),
                                           QStringLiteral("text"));
        break;
    case T::Void:
        break;
    }
}

void CellContent::setStatistic(const Statistic &statistic)
{
    m_dataType = T::Statistic;
    m_statistic = statistic;
}

void CellContent::addMicroCondition(const MicroCondition &term)
{
    m_dataType = T::Condition;
    m_condition.append(term);
}

void CellContent::setSimpleText(const QString &text)
{
    m_dataType = T::SimpleText;
    m_simpleText = text;
}

void CellContent::clearContent()
{
    m_dataType = T::Void;
    m_statistic.statisticName.clear();
    m_statistic.varName.clear();
    m_statistic.varLabel.clear();
    m_condition.clear();
    m_simpleText = QString();
}

QString CellContent::displayText() const
{
    switch (m_dataType) {
    case T::Condition:
        return conditionText();
    case T::Statistic:
        return statisticText();
    case T::SimpleText:
        return m_simpleText;
    case T::Void:
        break;
    }
    return QString();
}

QString CellContent::colorName() const
{
    switch (m_dataType) {
    case T::Condition:
        return QStringLiteral("green");
    case T::Statistic:
        return QStringLiteral("purple");
    case T::SimpleText:
        return QStringLiteral("blue");
    case T::Void:
        break;
    }
    return QString();
}

QString CellContent::colorStyleSheet() const
{
    const QString color = colorName();
    return color.isEmpty() ? QString() : QStringLiteral("color: ") + color;
}

QString CellContent::statisticText() const
{
    const Statistic &s = m_statistic;
    switch (m_statisticFormatView) {
    case T::OnlyStatisticName:
        return s.statisticName;
    case T::OnlyStatisticVariableName:
        return s.varName;
    case T::OnlyStatisticVariableLabel:
        return s.varLabel;
    case T::StatisticNameVariableLabel:
        return s.statisticName + QLatin1Char('(') + s.varLabel + QLatin1Char(')');
    case T::StatisticNameVariableName:
        break;
    }
    return s.statisticName + QLatin1Char('(') + s.varName + QLatin1Char(')');
}

QString CellContent::conditionPiece(const MicroCondition &term) const
{
    const QChar equals = QLatin1Char('=');
    switch (m_conditionFormatView) {
    case T::OnlyModalityValue:
        return term.value();
    case T::VariableNameEqualModalityValue:
        return term.varName() + equals + term.value();
    case T::VariableNameEqualModalityValueLabel:
        return term.varName() + equals + term.valueLabel();
    case T::VariableLabelEqualModalityValue:
        return term.varLabel() + equals + term.value();
    case T::VariableLabelEqualModalityValueLabel:
        return term.varLabel() + equals + term.valueLabel();
    case T::OnlyModalityLabel:
        break;
    }
    return term.valueLabel();
}

QString CellContent::conditionText() const
{
    QStringList pieces;
    for (const MicroCondition &term : m_condition.terms())
        pieces.append(conditionPiece(term));
    return pieces.join(QStringLiteral(" | "));
}

QString CellContent::stataExpression() const
{
    if (m_dataType != T::Condition || m_condition.isEmpty())
        return QString();
    QStringList terms;
    for (const MicroCondition &term : m_condition.terms())
        terms.append(term.varName() + QStringLiteral("==") + term.value());
    const QString expression = terms.join(QStringLiteral(" | "));
    if (terms.size() == 1)
        return expression;
    return QLatin1Char('(') + expression + QLatin1Char(')');
}

QDomElement CellContent::toXml(QDomDocument &document, int row, int column) const
{
    QDomElement element = document.createElement(QStringLiteral("cell"));
    element.setAttribute(QStringLiteral("row"), QString::number(row));
    element.setAttribute(QStringLiteral("col"), QString::number(column));
    element.setAttribute(QStringLiteral("area"), m_area);
    element.setAttribute(QStringLiteral("dataType"), T::cellDataTypeName(m_dataType));
    switch (m_dataType) {
    case T::Condition:
        element.appendChild(m_condition.toXml(document));
        break;
    case T::Statistic: {
        QDomElement statistic = document.createElement(QStringLiteral("statistic"));
        statistic.setAttribute(QStringLiteral("statisticName"), m_statistic.statisticName);
        statistic.setAttribute(QStringLiteral("varName"), m_statistic.varName);
        statistic.setAttribute(QStringLiteral("varLabel"), m_statistic.varLabel);
        statistic.setAttribute(QStringLiteral("format"), m_statistic.format);
        element.appendChild(statistic);
        break;
    }
    case T::SimpleText: {
        QDomElement text = document.createElement(QStringLiteral("simpletext"));
        text.setAttribute(QStringLiteral("text"), m_simpleText);
        element.appendChild(text);
        break;
    }
    case T::Void:
        break;
    }
    return element;
}
