#include "stata/ViewerGeometry.h"

#include <QPoint>
#include <QSettings>
#include <QWidget>

namespace {

QString settingsFileName()
{
    return QStringLiteral("settings.ini");
}

} // namespace

void ViewerGeometry::restore(QWidget *window, const QString &group, const QSize &defaultSize)
{
    QSettings settings(settingsFileName(), QSettings::IniFormat);
    settings.beginGroup(group);
    window->resize(settings.value(QStringLiteral("size"), defaultSize).toSize());
    window->move(settings.value(QStringLiteral("position"), QPoint(40, 40)).toPoint());
    // Marking the state rather than showing: the caller shows the window.
    if (settings.value(QStringLiteral("isMaximized"), false).toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void ViewerGeometry::save(const QWidget *window, const QString &group)
{
    QSettings settings(settingsFileName(), QSettings::IniFormat);
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("size"), window->size());
    settings.setValue(QStringLiteral("position"), window->pos());
    settings.setValue(QStringLiteral("isMaximized"), window->isMaximized());
}
