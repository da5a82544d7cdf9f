#include "mainwindow/WindowGeometryRecorder.h"

#include "mainwindow/core/WindowPlacement.h"
#include "shell/ProgramOptions.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int Normal = 0;
constexpr int Maximized = 1;
constexpr int Minimized = 2;

} // namespace

WindowGeometryRecorder::WindowGeometryRecorder(QWidget &window, ProgramOptions &options,
                                               std::function<bool()> loading)
    : QObject(&window),
      m_window(window),
      m_options(options),
      m_loading(std::move(loading)),
      m_placesWindows(!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    m_timer4 = new QTimer(this);
    m_timer4->setObjectName(QStringLiteral("Timer4"));
    m_timer4->setSingleShot(true);
    m_timer4->setInterval(500);
    connect(m_timer4, &QTimer::timeout, this, &WindowGeometryRecorder::Timer4Timer);
    m_window.installEventFilter(this);
}

void WindowGeometryRecorder::restore()
{
    // The stored place is kept on the screens as they are now, and never made larger than
    // one: a window of the display's whole size limit takes gigabytes to draw. What the
    // window then has is what the options keep.
    QList<QRect> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens.append(s->availableGeometry());
    const QRect placed = PlaceOnScreens(QPoint(m_options.WinLeft, m_options.WinTop),
                                        QSize(m_options.WinWidth, m_options.WinHeight), screens);
    if (m_placesWindows) {
        m_window.move(placed.topLeft());
        m_options.WinLeft = m_window.x();
        m_options.WinTop = m_window.y();
    }
    m_window.resize(placed.size());
    m_options.WinWidth = m_window.width();
    m_options.WinHeight = m_window.height();
    m_state = m_options.WinMaximized == 1 ? Maximized : Normal;
    if (m_state == Maximized && !m_window.isMaximized())
        m_timer4->start();
}

void WindowGeometryRecorder::Timer4Timer()
{
    m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
}

bool WindowGeometryRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && !m_loading()) {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            record();
        else if (event->type() == QEvent::WindowStateChange)
            stateChanged();
    }
    return QObject::eventFilter(watched, event);
}

void WindowGeometryRecorder::stateChanged()
{
    const Qt::WindowStates state = m_window.windowState();
    if (state & Qt::WindowMinimized)
        m_state = Minimized;
    else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        m_state = Maximized;
    else
        m_state = Normal;
    if (m_state != Normal)
        recordNormalGeometry();
}

void WindowGeometryRecorder::recordNormalGeometry()
{
    // A window manager may move and resize the window before it reports the new state, and
    // those changes were taken for the normal geometry: the window knows the right one.
    const QRect normal = m_window.normalGeometry();
    if (!normal.isValid())
        return;
    if (m_placesWindows) {
        const QPoint frameOffset = m_window.geometry().topLeft() - m_window.pos();
        m_options.WinLeft = normal.x() - frameOffset.x();
        m_options.WinTop = normal.y() - frameOffset.y();
    }
    m_options.WinWidth = normal.width();
    m_options.WinHeight = normal.height();
}

void WindowGeometryRecorder::record()
{
    // The state event may come after the move or resize the new state made.
    if (m_state != Normal || m_window.windowState() != Qt::WindowNoState)
        return;
    if (m_placesWindows) {
        m_options.WinLeft = m_window.x();
        m_options.WinTop = m_window.y();
    }
    m_options.WinWidth = m_window.width();
    m_options.WinHeight = m_window.height();
}
