#include "mainwindow/EventHook.h"

bool EventHook::eventFilter(QObject *watched, QEvent *event)
{
    return m_handler ? m_handler(watched, event) : false;
}
