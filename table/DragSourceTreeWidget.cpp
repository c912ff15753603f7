#include "table/DragSourceTreeWidget.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>

DragSourceTreeWidget::DragSourceTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{}

void DragSourceTreeWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressPosition = event->position().toPoint();
    QTreeWidget::mousePressEvent(event);
}

void DragSourceTreeWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint travelled = event->position().toPoint() - m_pressPosition;
    if (travelled.manhattanLength() < QApplication::startDragDistance())
        return;
    startCopyDrag();
}

void DragSourceTreeWidget::startCopyDrag()
{
    std::unique_ptr<QMimeData> payload = createDragMimeData();
    if (!payload)
        return;
    // The drag manager deletes the drag, and with it the payload, once the
    // drop is over; the cell that receives it reads the payload in between.
    auto *drag = new QDrag(this);
    drag->setMimeData(payload.release());
    drag->exec(Qt::CopyAction);
}
