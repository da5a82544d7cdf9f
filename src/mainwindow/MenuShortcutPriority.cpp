#include "mainwindow/MenuShortcutPriority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

MenuShortcutPriority::MenuShortcutPriority(QWidget *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

QAction *MenuShortcutPriority::commandFor(const QKeySequence &key) const
{
    const QList<QAction *> actions = m_window->findChildren<QAction *>();
    for (QAction *a : actions) {
        if (a->shortcutContext() != Qt::WindowShortcut && a->shortcutContext() != Qt::ApplicationShortcut)
            continue;
        if (a->shortcuts().contains(key))
            return a;
    }
    return nullptr;
}

bool MenuShortcutPriority::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence sequence(key->keyCombination().toCombined() & ~int(Qt::KeypadModifier));
    QAction *command = commandFor(sequence);
    if (!command)
        return false;
    // The menus work out their items' states when they open; a shortcut opens none, so its
    // menu is told here, before the key is given away.
    const QObjectList owners = command->associatedObjects();
    for (QObject *owner : owners)
        if (auto *menu = qobject_cast<QMenu *>(owner))
            Q_EMIT menu->aboutToShow();
    if (!command->isEnabled())
        return false;
    // Not accepted by anyone on the way up: the shortcut runs the command.
    key->ignore();
    return true;
}
