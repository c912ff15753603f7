#include "model/CellContent.h"

#include "model/XmlAttributes.h"

#include <QStringList>

const QSharedDataPointer<CellContent::Data> &CellContent::sharedVoid()
{
    static const QSharedDataPointer<Data> empty(new Data);
    return empty;
}

CellContent::CellContent()
    : d(sharedVoid())
{}

CellContent::CellContent(const QXmlStreamAttributes &attributes)
    : d(new Data)
{
    d->dataType = T::cellDataTypeFromName(attributes.value(QLatin1String("dataType")));
    d->area = XmlAttributes::text(attributes, QLatin1String("area"));
}

void CellContent::setStatistic(const Statistic &statistic)
{
    d->dataType = T::Statistic;
    d->statistic = statistic;
    d->condition.clear();
}

void CellContent::addMicroCondition(const MicroCondition &term)
{
    if (d->dataType != T::Condition)
        d->condition.clear();
    d->dataType = T::Condition;
    d->condition.append(term);
}

void CellContent::setSimpleText(const QString &text)
{
    d->dataType = T::SimpleText;
    d->simpleText = text;
    d->condition.clear();
}

void CellContent::clearContent()
{
    d->dataType = T::Void;
    d->statistic.statisticName.clear();
    d->statistic.varName.clear();
    d->statistic.varLabel.clear();
    d->condition.clear();
    d->simpleText = QString();
}

QString CellContent::displayText() const
{
    switch (d->dataType) {
    case T::Condition:
        return conditionText();
    case T::Statistic:
        return statisticText();
    case T::SimpleText:
        return d->simpleText;
    case T::Void:
        break;
    }
    return QString();
}

QString CellContent::colorName() const
{
    switch (d->dataType) {
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
    const Statistic &s = d->statistic;
    switch (d->statisticFormatView) {
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
    switch (d->conditionFormatView) {
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
    for (const MicroCondition &term : d->condition.terms())
        pieces.append(conditionPiece(term));
    return pieces.join(QStringLiteral(" | "));
}

QString CellContent::stataExpression() const
{
    if (d->dataType != T::Condition || d->condition.isEmpty())
        return QString();
    QStringList terms;
    for (const MicroCondition &term : d->condition.terms())
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
    element.setAttribute(QStringLiteral("area"), d->area);
    element.setAttribute(QStringLiteral("dataType"), T::cellDataTypeName(d->dataType));
    switch (d->dataType) {
    case T::Condition:
        element.appendChild(d->condition.toXml(document));
        break;
    case T::Statistic: {
        QDomElement statistic = document.createElement(QStringLiteral("statistic"));
        statistic.setAttribute(QStringLiteral("statisticName"), d->statistic.statisticName);
        statistic.setAttribute(QStringLiteral("varName"), d->statistic.varName);
        statistic.setAttribute(QStringLiteral("varLabel"), d->statistic.varLabel);
        statistic.setAttribute(QStringLiteral("format"), d->statistic.format);
        element.appendChild(statistic);
        break;
    }
    case T::SimpleText: {
        QDomElement text = document.createElement(QStringLiteral("simpletext"));
        text.setAttribute(QStringLiteral("text"), d->simpleText);
        element.appendChild(text);
        break;
    }
    case T::Void:
        break;
    }
    return element;
}
