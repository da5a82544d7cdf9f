#pragma once

#include <QObject>

#include <functional>

class QWidget;

// F1 in a window: its help at the topic of the control that has the focus, or of the nearest
// control around it that has one (the window itself has one); in one of the window's open
// menus, at the highlighted item's topic, else at the window's.
class ContextHelp : public QObject
{
    Q_OBJECT
public:
    // Show opens the help at a topic.
    ContextHelp(QWidget &window, std::function<void(int)> show);

    // The topic of a control or a menu item; 0 for none of its own.
    static void setContext(QObject *object, int context);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The topic F1 opens on Widget: its own or its nearest parent's, 0 when none has one.
    static int contextOf(const QWidget *widget);
    bool belongsToWindow(const QWidget *widget) const;

    QWidget &m_window;
    std::function<void(int)> m_show;
};
