#include "mainwindow/StoredColorConversion.h"

#include "shell/ProgramOptions.h"

#include <QPalette>

QColor ColorFromStored(quint32 value, const QPalette &palette, const QColor &fallback)
{
    switch (value) {
    case StoredColor::SystemWindow:
        return palette.color(QPalette::Base);
    case StoredColor::SystemHighlight:
        return palette.color(QPalette::Highlight);
    case StoredColor::SystemHighlightText:
        return palette.color(QPalette::HighlightedText);
    default:
        break;
    }
    if (value & 0xFF000000u)
        return fallback;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 StoredFromColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    return quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16;
}
