#include "mainwindow/core/VariableTipPosition.h"

#include <algorithm>

QPoint VariableTipPosition(const QPoint &mouse, const QSize &tip, const QRect &editor)
{
    const int rightEdge = editor.x() + editor.width();
    int left = mouse.x();
    if (left + tip.width() > rightEdge)
        left = rightEdge - tip.width();
    left = std::max(left, editor.x());
    const int top = std::max(mouse.y() - tip.height(), editor.y());
    return {left, top};
}
