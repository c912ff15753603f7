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
    // The selection is the palette's highlight as it is: styles shade their
    // own, which would not be the colour the grid sets.
    if (background.state & QStyle::State_Selected) {
        const QPalette::ColorGroup group =
            (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        background.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
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
