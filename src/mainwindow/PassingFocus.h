#pragma once

#include <QFocusEvent>

// A focus change that only passes through a popup, the menu bar or another window: the
// control keeps its place as the one being edited, so its enter and exit steps do not run.
inline bool IsPassingFocus(const QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason
        || reason == Qt::MenuBarFocusReason;
}
