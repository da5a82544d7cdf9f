#pragma once

#include <QColor>
#include <QtGlobal>

class QPalette;

// A stored colour (0x00BBGGRR or a system colour 0xFF0000nn) as the display shows it: the
// system's window, highlight and highlighted-text colours through Palette; "none" and any
// other system colour as Fallback.
QColor ColorFromStored(quint32 value, const QPalette &palette, const QColor &fallback = QColor());

// A colour chosen by the user as the options keep it.
quint32 StoredFromColor(const QColor &color);
