#pragma once

#include "table/DragSourceTreeWidget.h"
#include "table/StatisticMimeData.h"

#include <QString>

#include <memory>

// The variables panel's list of variables: one row per variable, holding the
// whole Variable as user-role data of column 0. Dragging a row onto the grid
// places the statistic chosen in the panel, applied to that variable.
class VariableListWidget : public DragSourceTreeWidget
{
    Q_OBJECT

public:
    explicit VariableListWidget(QWidget *parent = nullptr);

    const QString &currentStatistic() const { return m_currentStatistic; }

    // The chosen statistic on the current row's variable; null without a
    // current row.
    std::unique_ptr<StatisticMimeData> createStatisticMimeData() const;

public slots:
    void setCurrentStatistic(const QString &currentStatistic);

private:
    std::unique_ptr<QMimeData> createDragMimeData() const override;

    QString m_currentStatistic;
};
