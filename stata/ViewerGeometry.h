#pragma once

#include <QSize>
#include <QString>

class QWidget;

// The size, position and maximized state of a viewer window, kept in its own
// group of settings.ini: read when the window is built, written when it
// closes.
class ViewerGeometry
{
public:
    static void restore(QWidget *window, const QString &group, const QSize &defaultSize);
    static void save(const QWidget *window, const QString &group);
};
