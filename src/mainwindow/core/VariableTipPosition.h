#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the value tip of a macro variable goes for a click at Mouse: above the point, pulled
// left so that it ends at the editor's right edge and down so that it starts no higher than
// the editor's top. A tip wider than the editor starts at the editor's left edge. All in the
// coordinates of the tip's parent, which also holds Editor.
QPoint VariableTipPosition(const QPoint &mouse, const QSize &tip, const QRect &editor);
