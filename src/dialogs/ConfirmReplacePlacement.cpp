#include "dialogs/ConfirmReplacePlacement.h"

QPoint ConfirmReplacePlacement(const QRect &editorRect, const QSize &dialogSize, int x, int y1, int y2)
{
    const int w = editorRect.width();
    const int h = editorRect.height();
    // The edge just past the rectangle, where the dialog's own right edge may end.
    const int right = editorRect.left() + w;
    if (w > dialogSize.width()) {
        if (x + dialogSize.width() > right)
            x = right - dialogSize.width();
    } else {
        x = editorRect.left() - (dialogSize.width() - w) / 2;
    }
    // Two thirds of the height, rounded to the nearest pixel (a third is never a half).
    const int twoThirds = (2 * h + 1) / 3;
    const int top = y2 > editorRect.top() + twoThirds ? y1 - dialogSize.height() - 4 : y2 + 4;
    return {x, top};
}
