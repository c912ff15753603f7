#include "table/CellDelegate.h"

#include <QApplication>
#include <QColor>
#include <QPainter>
#include <QStyle>

CellDelegate::CellDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

void CellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QString text = background.text;
    background.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    if (text.isEmpty())
        return;
    const QVariant foreground = index.data(Qt::ForegroundRole);
    const QColor color = foreground.canConvert<QColor>() ? foreground.value<QColor>()
                                                         : option.palette.color(QPalette::Text);
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(background.font);
    painter->setPen(color);
    painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QWidget *CellDelegate::createEditor(QWidget *, const QStyleOptionViewItem &,
                                    const QModelIndex &) const
{
    return nullptr;
}
