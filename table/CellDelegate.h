#pragma once

#include <QStyledItemDelegate>

// The grid's item delegate. It paints like the standard one, but when the view
// lets go of a cell widget (a model reset, a removed row) it leaves the cell
// alive instead of deleting it later: the grid puts its cells back after a
// change of shape, or deletes them itself in an order that keeps deletion cheap.
class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CellDelegate(QObject *parent = nullptr);

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
};
