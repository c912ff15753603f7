#include "table/VariableListWidget.h"

#include "model/Variable.h"

VariableListWidget::VariableListWidget(QWidget *parent)
    : DragSourceTreeWidget(parent)
{}

void VariableListWidget::setCurrentStatistic(const QString &currentStatistic)
{
    m_currentStatistic = currentStatistic;
}

std::unique_ptr<StatisticMimeData> VariableListWidget::createStatisticMimeData() const
{
    const QTreeWidgetItem *item = currentItem();
    if (!item)
        return nullptr;
    const Variable variable = item->data(0, Qt::UserRole).value<Variable>();
    return std::make_unique<StatisticMimeData>(m_currentStatistic, variable.name(),
                                               variable.label());
}

std::unique_ptr<QMimeData> VariableListWidget::createDragMimeData() const
{
    return createStatisticMimeData();
}
