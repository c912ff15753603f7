#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

QRect centredIn(const QSize &size, const QRect &area)
{
    QRect rect(QPoint(0, 0), size.boundedTo(area.size()));
    rect.moveCenter(area.center());
    return rect;
}

QRect primaryArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QRect WindowPlacement::firstStart(const QRect &available)
{
    const QSize size(int(std::lround(available.width() * firstStartShare)),
                     int(std::lround(available.height() * firstStartShare)));
    return centredIn(size, available);
}

QRect WindowPlacement::ontoScreens(const QRect &saved, const QList<QRect> &screens,
                                   const QRect &primary)
{
    for (const QRect &screen : screens) {
        if (screen.intersects(saved))
            return saved;
    }
    if (primary.isEmpty())
        return saved;
    return centredIn(saved.size(), primary);
}

QRect WindowPlacement::firstStartOnPrimaryScreen()
{
    return firstStart(primaryArea());
}

QRect WindowPlacement::ontoCurrentScreens(const QRect &saved)
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return ontoScreens(saved, screens, primaryArea());
}
