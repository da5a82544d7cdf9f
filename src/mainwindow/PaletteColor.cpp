#include "mainwindow/PaletteColor.h"

#include "shell/ProgramOptions.h"

#include <QPalette>

QColor PaletteColor(quint32 stored, const QPalette &palette, const QColor &fallback)
{
    switch (stored) {
    case StoredColor::SystemWindow:
        // The background of text areas.
        return palette.color(QPalette::Base);
    case StoredColor::SystemHighlight:
        return palette.color(QPalette::Highlight);
    case StoredColor::SystemHighlightText:
        return palette.color(QPalette::HighlightedText);
    default:
        break;
    }
    if (stored & 0xFF000000u)
        return fallback;
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}
