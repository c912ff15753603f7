#include "table/ModalityListWidget.h"

#include "model/Modality.h"

ModalityListWidget::ModalityListWidget(QWidget *parent)
    : DragSourceTreeWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

std::unique_ptr<MicroConditionListMimeData>
ModalityListWidget::createMicroConditionListMimeData() const
{
    const QList<QTreeWidgetItem *> items = selectedItems();
    if (items.isEmpty())
        return nullptr;
    auto payload = std::make_unique<MicroConditionListMimeData>();
    for (const QTreeWidgetItem *item : items)
        payload->append(MicroCondition(item->data(0, Qt::UserRole).value<Modality>()));
    return payload;
}

std::unique_ptr<QMimeData> ModalityListWidget::createDragMimeData() const
{
    return createMicroConditionListMimeData();
}
