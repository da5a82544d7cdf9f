#pragma once

#include <QObject>

#include <functional>

class QWidget;
struct ProgramOptions;

// Keeps the window's position and size in the options while the window is in its normal
// state: moving or resizing a maximized or minimized window, or the window's own set-up
// while the options or a table load, leaves the stored values alone.
class WindowGeometryRecorder : public QObject
{
    Q_OBJECT
public:
    // Loading: whether the options or a table are being loaded just now.
    WindowGeometryRecorder(QWidget &window, ProgramOptions &options, std::function<bool()> loading);

    // Puts the window where the options say.
    void restore();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void record();
    void recordNormalGeometry();

    QWidget &m_window;
    ProgramOptions &m_options;
    std::function<bool()> m_loading;
};
