#pragma once

#include "platform/widgets/QsciIncludes.h"

#include <QColor>
#include <QString>

// What an editor draws a style with, as Scintilla holds it.

// The colour a style query (SCI_STYLEGETFORE, SCI_STYLEGETBACK) answers for Style; Scintilla's
// colours are 0x00BBGGRR.
inline QColor StyleColor(const QsciScintilla &editor, int message, int style)
{
    const long bgr = editor.SendScintilla(message, static_cast<unsigned long>(style));
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// The font family of Style.
inline QString StyleFont(const QsciScintilla &editor, int style)
{
    char family[100] = {};
    editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, static_cast<unsigned long>(style), family);
    return QString::fromLatin1(family);
}
