#pragma once

#include <QMimeData>
#include <QString>

// The payload of a drag from the variable list: the statistic chosen in the
// panel, applied to the dragged variable. It travels as an in-process object
// and carries no MIME format.
class StatisticMimeData : public QMimeData
{
    Q_OBJECT

public:
    StatisticMimeData(const QString &statisticName, const QString &variableName,
                      const QString &variableLabel);

    const QString &statisticName() const { return m_statisticName; }
    const QString &variableName() const { return m_variableName; }
    const QString &variableLabel() const { return m_variableLabel; }

private:
    QString m_statisticName;
    QString m_variableName;
    QString m_variableLabel;
};
