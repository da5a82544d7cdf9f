#include "macrolang/widgets/MacroEditorWord.h"

#include "macrolang/MacroWordAt.h"
#include "platform/widgets/QsciIncludes.h"

QByteArray MacroWordAtCaret(const QsciScintilla &editor)
{
    using Sci = QsciScintillaBase;
    const long caret = editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    const long line = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, caret);
    const long start = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
    const long end = editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
    return MacroWordAt(editor.bytes(int(start), int(end)), caret - start);
}
