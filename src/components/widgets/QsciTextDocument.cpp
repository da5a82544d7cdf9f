#include "components/widgets/QsciTextDocument.h"

#include "components/TextLines.h"
#include "platform/widgets/QsciIncludes.h"

long QsciTextDocument::sci(unsigned int message, unsigned long wParam, long lParam) const
{
    return m_editor.SendScintilla(message, wParam, lParam);
}

int QsciTextDocument::lineCount() const
{
    return int(sci(QsciScintillaBase::SCI_GETLINECOUNT));
}

QByteArray QsciTextDocument::lineBytes(int line) const
{
    const long start = sci(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long end = sci(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
    QByteArray bytes(end - start + 1, '\0');
    m_editor.SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, start, end, bytes.data());
    bytes.chop(1);
    return bytes;
}

QByteArray QsciTextDocument::encode(const QString &text) const
{
    return m_editor.isUtf8() ? text.toUtf8() : text.toLatin1();
}

QString QsciTextDocument::decode(const QByteArray &bytes) const
{
    return m_editor.isUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QString QsciTextDocument::lineText(int line) const
{
    return decode(lineBytes(line));
}

long QsciTextDocument::bytePosition(TextPosition position) const
{
    const long lineStart = sci(QsciScintillaBase::SCI_POSITIONFROMLINE, position.line);
    const long lineEnd = sci(QsciScintillaBase::SCI_GETLINEENDPOSITION, position.line);
    const long units = sci(QsciScintillaBase::SCI_COUNTCODEUNITS, lineStart, lineEnd);
    if (position.column >= units)
        return lineEnd;
    return sci(QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, lineStart, position.column);
}

TextPosition QsciTextDocument::textPosition(long bytePosition) const
{
    const int line = int(sci(QsciScintillaBase::SCI_LINEFROMPOSITION, bytePosition));
    const long lineStart = sci(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long column = sci(QsciScintillaBase::SCI_COUNTCODEUNITS, lineStart, bytePosition);
    return {line, int(column)};
}

TextPosition QsciTextDocument::caret() const
{
    return textPosition(sci(QsciScintillaBase::SCI_GETCURRENTPOS));
}

TextPosition QsciTextDocument::selectionStart() const
{
    return textPosition(sci(QsciScintillaBase::SCI_GETSELECTIONSTART));
}

TextPosition QsciTextDocument::selectionEnd() const
{
    return textPosition(sci(QsciScintillaBase::SCI_GETSELECTIONEND));
}

void QsciTextDocument::setSelection(TextPosition anchor, TextPosition caret)
{
    sci(QsciScintillaBase::SCI_SETSEL, bytePosition(anchor), bytePosition(caret));
}

void QsciTextDocument::replaceRange(TextPosition from, TextPosition to, const QString &text)
{
    QString eol = QStringLiteral("\r\n");
    if (m_editor.eolMode() == QsciScintilla::EolUnix)
        eol = QStringLiteral("\n");
    else if (m_editor.eolMode() == QsciScintilla::EolMac)
        eol = QStringLiteral("\r");
    const QByteArray bytes = encode(SplitLines(text).join(eol));

    sci(QsciScintillaBase::SCI_SETTARGETSTART, bytePosition(from));
    sci(QsciScintillaBase::SCI_SETTARGETEND, bytePosition(to));
    m_editor.SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, uintptr_t(bytes.size()), bytes.constData());
    sci(QsciScintillaBase::SCI_GOTOPOS, sci(QsciScintillaBase::SCI_GETTARGETEND));
}

void QsciTextDocument::beginUndoGroup()
{
    m_editor.beginUndoAction();
}

void QsciTextDocument::endUndoGroup()
{
    m_editor.endUndoAction();
}

QPoint QsciTextDocument::pointOf(TextPosition position) const
{
    const long at = bytePosition(position);
    return {int(sci(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, at)),
            int(sci(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, at))};
}

int QsciTextDocument::lineHeight(int line) const
{
    return int(sci(QsciScintillaBase::SCI_TEXTHEIGHT, line));
}
