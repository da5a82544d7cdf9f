#include "platform/DesktopArranger.h"

namespace {

DesktopArranger *&replacement()
{
    static DesktopArranger *arranger = nullptr;
    return arranger;
}

} // namespace

void DesktopArranger::minimizeAll()
{
    m_calls.append(Call::MinimizeAll);
}

void DesktopArranger::tileHorizontally()
{
    m_calls.append(Call::TileHorizontally);
}

DesktopArranger &DesktopArranger::instance()
{
    static DesktopArranger standard;
    return replacement() ? *replacement() : standard;
}

void DesktopArranger::setInstanceForTesting(DesktopArranger *arranger)
{
    replacement() = arranger;
}
