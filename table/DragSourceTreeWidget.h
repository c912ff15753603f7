#pragma once

#include <QMimeData>
#include <QPoint>
#include <QTreeWidget>

#include <memory>

// A list of the variables panel whose rows are dragged onto the grid. A drag
// starts once the mouse has travelled the platform's start-drag distance with
// the left button held. Moving the mouse never drag-selects, so pressing on a
// row of a multiple selection keeps that selection for the drag.
class DragSourceTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit DragSourceTreeWidget(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // The payload of a drag starting now; null when there is nothing to drag.
    virtual std::unique_ptr<QMimeData> createDragMimeData() const = 0;
    void startCopyDrag();

    QPoint m_pressPosition;
};
