#include "platform/widgets/ContextHelp.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace {

const char *const ContextProperty = "helpContext";

int ownContext(const QObject *object)
{
    return object ? object->property(ContextProperty).toInt() : 0;
}

} // namespace

ContextHelp::ContextHelp(QWidget &window, std::function<void(int)> show)
    : QObject(&window), m_window(window), m_show(std::move(show))
{
    qApp->installEventFilter(this);
}

void ContextHelp::setContext(QObject *object, int context)
{
    object->setProperty(ContextProperty, context);
}

int ContextHelp::contextOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (const int context = ownContext(w))
            return context;
    return 0;
}

bool ContextHelp::belongsToWindow(const QWidget *widget) const
{
    // A menu is a window of its own, but its parents lead to the window it belongs to.
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (w == &m_window)
            return true;
    return false;
}

bool ContextHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (!belongsToWindow(widget))
        return false;
    int context = 0;
    if (const auto *menu = qobject_cast<QMenu *>(widget))
        context = ownContext(menu->activeAction());
    else
        context = contextOf(widget);
    m_show(context ? context : contextOf(&m_window));
    // Taken here, where the key was first delivered: its parents never see it.
    return true;
}
