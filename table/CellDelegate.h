#pragma once

#include <QStyledItemDelegate>

// Paints a grid cell: the item's background and selection as the style draws
// them, then the cell's text centred in its content's colour (the model's
// foreground role), which a selection does not change. Cells are never
// edited in place.
class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CellDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};
