#include "macrolang/widgets/MacroEditorWord.h"

#include "macrolang/MacroWordAt.h"
#include "platform/widgets/QsciIncludes.h"

#include <QPoint>

namespace {

using Sci = QsciScintillaBase;

QByteArray macroWordAtPosition(const QsciScintilla &editor, long position)
{
    const long line = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    const long start = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
    const long end = editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
    return MacroWordAt(editor.bytes(int(start), int(end)), position - start);
}

} // namespace

QByteArray MacroWordAtCaret(const QsciScintilla &editor)
{
    return macroWordAtPosition(editor, editor.SendScintilla(Sci::SCI_GETCURRENTPOS));
}

QByteArray MacroWordAtPoint(const QsciScintilla &editor, const QPoint &point)
{
    // Only a point close to a character has a word: not the blank space after a line's end.
    const long position = editor.SendScintilla(Sci::SCI_POSITIONFROMPOINTCLOSE,
                                               static_cast<unsigned long>(point.x()), point.y());
    return position < 0 ? QByteArray() : macroWordAtPosition(editor, position);
}
