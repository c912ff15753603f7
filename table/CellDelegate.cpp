#include "table/CellDelegate.h"

#include "table/Cell.h"

CellDelegate::CellDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

void CellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (qobject_cast<Cell *>(editor))
        return;
    QStyledItemDelegate::destroyEditor(editor, index);
}
