#pragma once

#include <QObject>

#include <functional>

class QTimer;
class QWidget;
struct ProgramOptions;

// Keeps the window's position and size in the options while the window is in its normal
// state, and its state as the window-state value: 0 normal, 1 maximized, 2 minimized, as the
// window's state events tell it. Moving or resizing a maximized or minimized window, or the
// window's own set-up while the options or a table load, leaves the stored values alone.
// Where the display does not let a program read or place its windows (Wayland), the stored
// position stays as it was.
class WindowGeometryRecorder : public QObject
{
    Q_OBJECT
public:
    // Loading: whether the options or a table are being loaded just now.
    WindowGeometryRecorder(QWidget &window, ProgramOptions &options, std::function<bool()> loading);

    int windowState() const { return m_state; }
    void setDisplayPlacesWindows(bool places) { m_placesWindows = places; }

    // Puts the window where the options say, kept wholly on the screens and no larger than
    // one (the options then hold the place and size the window took), and takes their
    // window-state value. A window
    // stored maximized is maximized half a second later by `Timer4`, once it stands at its
    // normal place, so that restoring it later brings it back there.
    void restore();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void record();
    void recordNormalGeometry();
    void stateChanged();
    void Timer4Timer();

    QWidget &m_window;
    ProgramOptions &m_options;
    std::function<bool()> m_loading;
    QTimer *m_timer4 = nullptr;
    int m_state = 0;
    bool m_placesWindows;
};
