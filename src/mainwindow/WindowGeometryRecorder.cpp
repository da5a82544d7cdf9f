#include "mainwindow/WindowGeometryRecorder.h"

#include "shell/ProgramOptions.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

WindowGeometryRecorder::WindowGeometryRecorder(QWidget &window, ProgramOptions &options,
                                               std::function<bool()> loading)
    : QObject(&window), m_window(window), m_options(options), m_loading(std::move(loading))
{
    m_window.installEventFilter(this);
}

void WindowGeometryRecorder::restore()
{
    m_window.move(m_options.WinLeft, m_options.WinTop);
    m_window.resize(m_options.WinWidth, m_options.WinHeight);
}

bool WindowGeometryRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window) {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            record();
        else if (event->type() == QEvent::WindowStateChange)
            recordNormalGeometry();
    }
    return QObject::eventFilter(watched, event);
}

void WindowGeometryRecorder::recordNormalGeometry()
{
    // A window manager may move and resize the window before it reports the new state, and
    // those changes were taken for the normal geometry: the window knows the right one.
    const QRect normal = m_window.normalGeometry();
    if (m_loading() || m_window.windowState() == Qt::WindowNoState || !normal.isValid())
        return;
    const QPoint frameOffset = m_window.geometry().topLeft() - m_window.pos();
    m_options.WinLeft = normal.x() - frameOffset.x();
    m_options.WinTop = normal.y() - frameOffset.y();
    m_options.WinWidth = normal.width();
    m_options.WinHeight = normal.height();
}

void WindowGeometryRecorder::record()
{
    if (m_loading() || m_window.windowState() != Qt::WindowNoState)
        return;
    m_options.WinLeft = m_window.x();
    m_options.WinTop = m_window.y();
    m_options.WinWidth = m_window.width();
    m_options.WinHeight = m_window.height();
}
