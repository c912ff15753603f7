#pragma once

#include "model/CellContent.h"
#include "model/MicroCondition.h"
#include "model/Statistic.h"

#include <QString>

// Builders of cell contents shared by the tests of the model, the grid and
// the document.
namespace CellBuilders {

inline Statistic statistic(const QString &name, const QString &varName,
                           const QString &varLabel = QString(), const QString &format = QString())
{
    Statistic result;
    result.statisticName = name;
    result.varName = varName;
    result.varLabel = varLabel;
    result.format = format;
    return result;
}

// One term varName == value, labelled "Label <value>" unless told otherwise.
inline MicroCondition term(const QString &value, const QString &valueLabel = QString(),
                           const QString &varName = QStringLiteral("sex"),
                           const QString &varLabel = QStringLiteral("Sex"))
{
    return MicroCondition(value,
                          valueLabel.isEmpty() ? QStringLiteral("Label ") + value : valueLabel,
                          varName, varLabel);
}

inline CellContent voidCell(const QString &area)
{
    CellContent content;
    content.setArea(area);
    return content;
}

inline CellContent textCell(const QString &text, const QString &area = QString())
{
    CellContent content;
    content.setSimpleText(text);
    content.setArea(area);
    return content;
}

inline CellContent statisticCell(const Statistic &statistic, const QString &area = QString())
{
    CellContent content;
    content.setStatistic(statistic);
    content.setArea(area);
    return content;
}

inline CellContent conditionCell(const QList<MicroCondition> &terms,
                                 const QString &area = QString())
{
    CellContent content;
    for (const MicroCondition &one : terms)
        content.addMicroCondition(one);
    content.setArea(area);
    return content;
}

} // namespace CellBuilders
