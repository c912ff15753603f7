#pragma once

#include <QList>
#include <QRect>

// Where the main window goes when it opens: the computations take the screens'
// available areas (the desktop less panels and docks) as plain rectangles, so
// they do not depend on the screens a test or a session happens to have.
class WindowPlacement
{
public:
    // The share of the available width and height a first start takes: room
    // for a real table, with the desktop still in view around it.
    static constexpr double firstStartShare = 0.8;

    // The window of a first start: firstStartShare of the area, centred in it.
    static QRect firstStart(const QRect &available);

    // A saved window that lies on no screen (a monitor was unplugged) moves
    // onto the primary one, centred and no larger than it; one that shows on
    // any screen, even in part, stays where the user put it.
    static QRect ontoScreens(const QRect &saved, const QList<QRect> &screens, const QRect &primary);

    // The same over the application's screens.
    static QRect firstStartOnPrimaryScreen();
    static QRect ontoCurrentScreens(const QRect &saved);
};
