#include "platform/widgets/LockKeyState.h"

#include <QGuiApplication>

#if defined(WEX_HAVE_XKB) && !QT_CONFIG(xcb)
#undef WEX_HAVE_XKB
#endif
#ifdef WEX_HAVE_XKB
// Last: Xlib's macros (None, Bool, KeyPress...) would clash with Qt's names.
#include <X11/XKBlib.h>
#endif

namespace {

#ifdef WEX_HAVE_XKB
// The keyboard indicator (LED) of that name, as the server's keymap names it. A keymap
// without such an indicator reads as off.
bool namedIndicator(Display *display, const char *name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
}
#endif

} // namespace

LockKeyState LockKeyState::current()
{
    LockKeyState state;
#ifdef WEX_HAVE_XKB
    auto *app = qGuiApp;
    auto *x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (Display *display = x11 ? x11->display() : nullptr) {
        state.numLock = namedIndicator(display, "Num Lock");
        state.capsLock = namedIndicator(display, "Caps Lock");
        state.scrollLock = namedIndicator(display, "Scroll Lock");
    }
#endif
    return state;
}
