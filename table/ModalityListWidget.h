#pragma once

#include "table/DragSourceTreeWidget.h"
#include "table/MicroConditionListMimeData.h"

#include <memory>

// The variables panel's list of the current variable's modalities: one row per
// modality, holding the Modality as user-role data of column 0. Several rows
// can be selected; dragging them onto the grid places conditions.
class ModalityListWidget : public DragSourceTreeWidget
{
    Q_OBJECT

public:
    explicit ModalityListWidget(QWidget *parent = nullptr);

    // One micro-condition per selected row, in the order of selectedItems();
    // null when nothing is selected.
    std::unique_ptr<MicroConditionListMimeData> createMicroConditionListMimeData() const;

private:
    std::unique_ptr<QMimeData> createDragMimeData() const override;
};
