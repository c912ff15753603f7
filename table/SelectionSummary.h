#pragma once

#include <QString>

class CellContent;

// What the selected cells have in common, gathered in one pass over them in
// the grid's walk order (ranges as listed, rows top to bottom, columns left to
// right; a cell in two ranges counts twice). The grid turns it into the
// signals the toolbars listen to.
class SelectionSummary
{
public:
    void add(const CellContent &content);

    // Every cell is a statistic cell of the first statistic cell's name.
    bool allSameStatistic() const { return m_allSameStatistic; }
    const QString &firstStatisticName() const { return m_firstStatisticName; }
    // Every cell is a statistic cell.
    bool allStatistic() const { return m_allStatistic; }
    // Some statistic cell was met and all have the first one's format.
    bool sameFormat() const { return m_sameFormat; }
    // Some statistic cell has a format other than the first one's.
    bool differentFormat() const { return m_differentFormat; }
    const QString &firstFormat() const { return m_firstFormat; }
    // Every cell has the same area, and it is not empty.
    bool sameArea() const { return m_sameArea; }
    const QString &firstArea() const { return m_firstArea; }

private:
    void addStatistic(const CellContent &content);
    void addArea(const QString &area);

    bool m_allSameStatistic = true;
    QString m_firstStatisticName;
    bool m_allStatistic = true;
    bool m_statisticMet = false;
    bool m_sameFormat = false;
    bool m_differentFormat = false;
    QString m_firstFormat;
    bool m_sameArea = true;
    QString m_firstArea;
};
