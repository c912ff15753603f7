#pragma once

#include "model/MicroCondition.h"
#include "model/Statistic.h"

#include <QString>

// Builders of cell contents for the table editor's tests.
namespace TableTest {

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

inline MicroCondition modality(const QString &value, const QString &valueLabel,
                               const QString &varName = QStringLiteral("sex"),
                               const QString &varLabel = QStringLiteral("Sex"))
{
    return MicroCondition(value, valueLabel, varName, varLabel);
}

} // namespace TableTest
