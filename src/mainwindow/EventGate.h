#pragma once

#include <QObject>

#include <functional>

// An event filter that hands the events of the objects it watches to one function; the
// function returns true to stop an event before the object sees it. It lets a window ask
// its questions before a view acts on a click or a key, without a subclass of the view.
class EventGate : public QObject
{
    Q_OBJECT
public:
    using Filter = std::function<bool(QObject *watched, QEvent *event)>;

    EventGate(Filter filter, QObject *parent) : QObject(parent), m_filter(std::move(filter)) {}

    void watch(QObject *object) { object->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return m_filter && m_filter(watched, event);
    }

private:
    Filter m_filter;
};
