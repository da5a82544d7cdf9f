#pragma once

// The toggle state of the three lock keys. Only an X11 display tells it to a client; under
// Wayland or without a display every key reads as off.
struct LockKeyState
{
    bool numLock = false;
    bool capsLock = false;
    bool scrollLock = false;

    bool operator==(const LockKeyState &) const = default;

    // Asks the display the application runs on.
    static LockKeyState current();
};
