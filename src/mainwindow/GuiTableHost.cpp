#include "mainwindow/GuiTableHost.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>

#include <memory>

void GuiTableHost::setWaitCursor(bool on)
{
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void GuiTableHost::runAside(const std::function<void()> &work)
{
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    // The loop may also end early (the application quitting): the work is waited for anyway,
    // since it holds what the caller handed it.
    if (!thread->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
}
