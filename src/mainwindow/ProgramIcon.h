#pragma once

#include <QIcon>

// The program's icon, drawn from its SVG (dist/icons/wexmora.svg, which the install command
// also puts into the desktop's icon theme) at the sizes window managers and menus ask for.
QIcon ProgramIcon();

// Names the program to the desktop: the window icon of every window, and the desktop entry
// "wexmora.desktop" the install command writes, which the desktop matches the windows with
// (their class is the application name, "Wexmora").
void SetDesktopIdentity();
