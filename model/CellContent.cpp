#include "model/CellContent.h"

#include "model/XmlAttributes.h"

#include <QStringList>

const QSharedDataPointer<CellContent::Data> &CellContent::sharedVoid()
{
    static const QSharedDataPointer<Data> empty(new Data);
    return empty;
}

QString CellContent::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Condition:
        return QStringLiteral("condition");
    case Kind::Statistic:
        return QStringLiteral("statistic");
    case Kind::SimpleText:
        return QStringLiteral("simpletext");
    case Kind::Void:
        break;
    }
    return QStringLiteral("void");
}

CellContent::Kind CellContent::kindFromName(QStringView name)
{
    if (name == QLatin1String("condition"))
        return Kind::Condition;
    if (name == QLatin1String("statistic"))
        return Kind::Statistic;
    if (name == QLatin1String("simpletext"))
        return Kind::SimpleText;
    return Kind::Void;
}

CellContent::CellContent()
    : d(sharedVoid())
{}

CellContent::CellContent(const QXmlStreamAttributes &attributes)
    : d(new Data)
{
    d->dataType = kindFromName(attributes.value(QLatin1String("dataType")));
    d->area = XmlAttributes::text(attributes, QLatin1String("area"));
}

void CellContent::setStatistic(const Statistic &statistic)
{
    d->dataType = Kind::Statistic;
    d->statistic = statistic;
    d->condition.clear();
}

void CellContent::addMicroCondition(const MicroCondition &term)
{
    if (d->dataType != Kind::Condition)
        d->condition.clear();
    d->dataType = Kind::Condition;
    d->condition.append(term);
}

void CellContent::setSimpleText(const QString &text)
{
    d->dataType = Kind::SimpleText;
    d->simpleText = text;
    d->condition.clear();
}

void CellContent::clearContent()
{
    d->dataType = Kind::Void;
    d->statistic.statisticName.clear();
    d->statistic.varName.clear();
    d->statistic.varLabel.clear();
    d->condition.clear();
    d->simpleText = QString();
}

QString CellContent::displayText() const
{
    switch (d->dataType) {
    case Kind::Condition:
        return conditionText();
    case Kind::Statistic:
        return statisticText();
    case Kind::SimpleText:
        return d->simpleText;
    case Kind::Void:
        break;
    }
    return QString();
}

QString CellContent::colorName() const
{
    switch (d->dataType) {
    case Kind::Condition:
        return QStringLiteral("green");
    case Kind::Statistic:
        return QStringLiteral("purple");
    case Kind::SimpleText:
        return QStringLiteral("blue");
    case Kind::Void:
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
    case StatisticFormatView::OnlyStatisticName:
        return s.statisticName;
    case StatisticFormatView::OnlyStatisticVariableName:
        return s.varName;
    case StatisticFormatView::OnlyStatisticVariableLabel:
        return s.varLabel;
    case StatisticFormatView::StatisticNameVariableLabel:
        return s.statisticName + QLatin1Char('(') + s.varLabel + QLatin1Char(')');
    case StatisticFormatView::StatisticNameVariableName:
        break;
    }
    return s.statisticName + QLatin1Char('(') + s.varName + QLatin1Char(')');
}

QString CellContent::conditionPiece(const MicroCondition &term) const
{
    const QChar equals = QLatin1Char('=');
    switch (d->conditionFormatView) {
    case ConditionFormatView::OnlyModalityValue:
        return term.value();
    case ConditionFormatView::VariableNameEqualModalityValue:
        return term.varName() + equals + term.value();
    case ConditionFormatView::VariableNameEqualModalityValueLabel:
        return term.varName() + equals + term.valueLabel();
    case ConditionFormatView::VariableLabelEqualModalityValue:
        return term.varLabel() + equals + term.value();
    case ConditionFormatView::VariableLabelEqualModalityValueLabel:
        return term.varLabel() + equals + term.valueLabel();
    case ConditionFormatView::OnlyModalityLabel:
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
    if (d->dataType != Kind::Condition || d->condition.isEmpty())
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
    element.setAttribute(QStringLiteral("dataType"), kindName(d->dataType));
    switch (d->dataType) {
    case Kind::Condition:
        element.appendChild(d->condition.toXml(document));
        break;
    case Kind::Statistic: {
        QDomElement statistic = document.createElement(QStringLiteral("statistic"));
        statistic.setAttribute(QStringLiteral("statisticName"), d->statistic.statisticName);
        statistic.setAttribute(QStringLiteral("varName"), d->statistic.varName);
        statistic.setAttribute(QStringLiteral("varLabel"), d->statistic.varLabel);
        statistic.setAttribute(QStringLiteral("format"), d->statistic.format);
        element.appendChild(statistic);
        break;
    }
    case Kind::SimpleText: {
        QDomElement text = document.createElement(QStringLiteral("simpletext"));
        text.setAttribute(QStringLiteral("text"), d->simpleText);
        element.appendChild(text);
        break;
    }
    case Kind::Void:
        break;
    }
    return element;
}
