#pragma once

#include <QAction>
#include <QMenu>
#include <QTest>

// Runs a window command the way a user reaches it: a menu item once its menu has opened (the
// menus work out their items' states then), a toolbar button once the command refresh has
// enabled it. False when the command stayed disabled.
[[nodiscard]] inline bool TriggerAsUser(QAction *action)
{
    if (!action)
        return false;
    for (QObject *owner : action->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(owner))
            Q_EMIT menu->aboutToShow();
    if (!QTest::qWaitFor([action] { return action->isEnabled(); }))
        return false;
    action->trigger();
    return true;
}
