#pragma once

#include <QtGlobal>

// The macro editor's active-line colour in connection-colour mode: each of the red, green
// and blue bytes of Rgb (0xRRGGBB) moved by 64, down when above 127, else up.
quint32 ContrastColor(quint32 rgb);
