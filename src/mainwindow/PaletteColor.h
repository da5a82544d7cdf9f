#pragma once

#include <QColor>

class QPalette;

// A colour as the options keep it (0x00BBGGRR, a system colour 0xFF0000nn, or none) as the
// window draws it: the system colours the program stores (window, highlight, highlighted
// text) through Palette; Fallback for none and for any other code.
QColor PaletteColor(quint32 stored, const QPalette &palette, const QColor &fallback = QColor());
