#pragma once

#include <QList>

// The desktop's "minimize all windows" and "tile windows horizontally", asked for around
// "Run all selected". Linux desktops offer no common call for either, so both do nothing
// here beyond being recorded, which is what tests look at.
class DesktopArranger
{
public:
    enum class Call { MinimizeAll, TileHorizontally };

    virtual ~DesktopArranger() = default;

    virtual void minimizeAll();
    virtual void tileHorizontally();

    // Every call made on this object, in order.
    const QList<Call> &calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }

    // The arranger the program uses. A test may put its own in place; null restores the
    // default one.
    static DesktopArranger &instance();
    static void setInstanceForTesting(DesktopArranger *arranger);

private:
    QList<Call> m_calls;
};
