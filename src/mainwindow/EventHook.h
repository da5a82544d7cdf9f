#pragma once

#include <QObject>

#include <functional>

// An event filter that hands every event to a function: true from it stops the event there.
class EventHook : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QObject *watched, QEvent *event)>;

    EventHook(Handler handler, QObject *parent) : QObject(parent), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_handler;
};
