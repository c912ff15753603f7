#include "table/SelectionSummary.h"

#include "model/CellContent.h"

void SelectionSummary::add(const CellContent &content)
{
    const bool isStatistic = content.dataType() == CellContent::Kind::Statistic;
    m_allSameStatistic = m_allSameStatistic && isStatistic;
    m_allStatistic = m_allStatistic && isStatistic;
    if (isStatistic)
        addStatistic(content);
    addArea(content.area());
}

void SelectionSummary::addStatistic(const CellContent &content)
{
    const Statistic &statistic = content.statistic();
    if (!m_statisticMet) {
        m_statisticMet = true;
        m_firstStatisticName = statistic.statisticName;
        m_firstFormat = statistic.format;
        m_sameFormat = true;
    }
    m_allSameStatistic = m_allSameStatistic && statistic.statisticName == m_firstStatisticName;
    // Once a format differs, the formats are never the same again.
    if (statistic.format != m_firstFormat) {
        m_sameFormat = false;
        m_differentFormat = true;
    }
}

void SelectionSummary::addArea(const QString &area)
{
    m_sameArea = m_sameArea && !area.isEmpty();
    if (m_firstArea.isEmpty() && !area.isEmpty())
        m_firstArea = area;
    m_sameArea = m_sameArea && area == m_firstArea;
}
