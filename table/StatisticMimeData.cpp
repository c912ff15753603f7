#include "table/StatisticMimeData.h"

StatisticMimeData::StatisticMimeData(const QString &statisticName, const QString &variableName,
                                     const QString &variableLabel)
    : m_statisticName(statisticName)
    , m_variableName(variableName)
    , m_variableLabel(variableLabel)
{}
