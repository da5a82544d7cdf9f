#pragma once

#include <QStatusBar>

#include <array>

class QLabel;
struct LockKeyState;

// The status bar `SBar`: eight panels, 0 the shown node's time stamp, 1 the caret position,
// 2 "Modified", 3 INS or OVR, 4 to 6 the lock keys, 7 always empty. A panel's text is
// written only when it changes, so typing does not repaint the bar.
class StatusPanels : public QStatusBar
{
    Q_OBJECT
public:
    static constexpr int Count = 8;

    explicit StatusPanels(QWidget *parent = nullptr);

    QString text(int panel) const;
    void setText(int panel, const QString &text);
    // "NUM", "CAPS" and "SCROLL" for the keys that are on.
    void showLockKeys(const LockKeyState &keys);

private:
    std::array<QLabel *, Count> m_panels{};
};
