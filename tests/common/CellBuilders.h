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
    return Statistic{varName, varLabel, name, format};
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
    CellContent content = voidCell(area);
    content.setSimpleText(text);
    return content;
}

inline CellContent statisticCell(const Statistic &statistic, const QString &area = QString())
{
    CellContent content = voidCell(area);
    content.setStatistic(statistic);
    return content;
}

inline CellContent conditionCell(const QList<MicroCondition> &terms,
                                 const QString &area = QString())
{
    CellContent content = voidCell(area);
    for (const MicroCondition &one : terms)
        content.addMicroCondition(one);
    return content;
}

} // namespace CellBuilders
