#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QWidget;

// Lets an enabled command of a window take its shortcut key before the focused control does.
// A control announces the keys it wants (a line edit its Ctrl+Z, the macro editor its
// Ctrl+L, Ctrl+D, Ctrl+U ...) through the shortcut-override event; for a key that one of the
// window's commands owns, the command's menu first works out its state, and an enabled
// command wins. A disabled command leaves the key to the control.
class MenuShortcutPriority : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the application for the controls of Window.
    explicit MenuShortcutPriority(QWidget *window);

    // The window's command that a key runs, or null: menu items and buttons whose shortcut
    // works anywhere in the window.
    QAction *commandFor(const QKeySequence &key) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
