#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window stored at Position with Size (read from the options) opens on
// screens whose available areas are Screens. The options are the user's own file and may be
// edited or damaged, and a monitor may have gone since they were written: the window keeps
// its place when it lies wholly on the screens, else it comes back wholly onto the screen
// that shows most of it, or the nearest one when none shows any. It is never larger than that
// screen's available area. Without screens it stays as stored, within the bounds a window can
// have at all.
QRect PlaceOnScreens(const QPoint &position, const QSize &size, const QList<QRect> &screens);
