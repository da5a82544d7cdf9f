#include "mainwindow/WindowGeometryRecorder.h"

#include "shell/ProgramOptions.h"

#include <QEvent>
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
    if (watched == &m_window && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        record();
    return QObject::eventFilter(watched, event);
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
