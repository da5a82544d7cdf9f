#include "mainwindow/core/WindowPlacement.h"

#include <QtGlobal>

#include <algorithm>

namespace {

// Far beyond any desktop, and far from where the corners of a rectangle overflow.
constexpr int Farthest = 1 << 24;

qint64 area(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

// How far apart two rectangles are, squared; 0 when they touch or overlap.
qint64 distanceSquared(const QRect &a, const QRect &b)
{
    const qint64 dx = std::max<qint64>({0, qint64(b.left()) - a.right(), qint64(a.left()) - b.right()});
    const qint64 dy = std::max<qint64>({0, qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

// The screen showing most of Window, or else the nearest one.
QRect chooseScreen(const QRect &window, const QList<QRect> &screens)
{
    QRect best;
    qint64 bestShown = 0;
    for (const QRect &s : screens) {
        const qint64 shown = area(window.intersected(s));
        if (shown > bestShown) {
            bestShown = shown;
            best = s;
        }
    }
    if (bestShown > 0)
        return best;
    qint64 nearest = -1;
    for (const QRect &s : screens) {
        const qint64 d = distanceSquared(window, s);
        if (nearest < 0 || d < nearest) {
            nearest = d;
            best = s;
        }
    }
    return best;
}

// Whether the screens together show all of Window. Screens of one place (mirrored monitors)
// count once; the screens of a desktop do not overlap otherwise.
bool whollyShown(const QRect &window, const QList<QRect> &screens)
{
    QList<QRect> distinct;
    qint64 shown = 0;
    for (const QRect &s : screens) {
        if (distinct.contains(s))
            continue;
        distinct.append(s);
        shown += area(window.intersected(s));
    }
    return shown >= area(window);
}

} // namespace

QRect PlaceOnScreens(const QPoint &position, const QSize &size, const QList<QRect> &screens)
{
    // A damaged size counts as the smallest; the window's own minimum then decides.
    QRect window(std::clamp(position.x(), -Farthest, Farthest), std::clamp(position.y(), -Farthest, Farthest),
                 std::clamp(size.width(), 1, Farthest), std::clamp(size.height(), 1, Farthest));
    QList<QRect> usable;
    for (const QRect &s : screens)
        if (!s.isEmpty())
            usable.append(s);
    if (usable.isEmpty())
        return window;
    const QRect screen = chooseScreen(window, usable);
    window.setSize(window.size().boundedTo(screen.size()));
    if (whollyShown(window, usable))
        return window;
    // Left and top win where the window is as large as the screen.
    const int x = std::clamp(window.x(), screen.left(), screen.left() + screen.width() - window.width());
    const int y = std::clamp(window.y(), screen.top(), screen.top() + screen.height() - window.height());
    window.moveTo(x, y);
    return window;
}
