#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the confirm-replace dialog of size DialogSize goes for a hit whose left edge is at
// screen column X and whose line runs from row Y1 to row Y2, placed against EditorRect (screen
// coordinates): at the hit's column, moved left so as not to pass the rectangle's right edge,
// or centred on a rectangle narrower than the dialog; 4 pixels above a hit in the rectangle's
// lower third, else 4 pixels below it.
QPoint ConfirmReplacePlacement(const QRect &editorRect, const QSize &dialogSize, int x, int y1, int y2);
