#include "mainwindow/EditorLook.h"

#include "macrolang/widgets/MacroLexer.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

// On X11 Scintilla draws the selection in a grey of its own, which no message can change,
// whenever another program owns the PRIMARY selection; the editor's engine follows the
// clipboard's selectionChanged to know. Cut off from it, the engine keeps the selection it
// made its own and draws it in the chosen colours. The engine is the QObject at the address
// its direct pointer gives (QObject is its first base).
void keepSelectionColors(QsciScintilla &editor)
{
    auto *engine = reinterpret_cast<QObject *>(editor.SendScintilla(QsciScintillaBase::SCI_GETDIRECTPOINTER));
    if (engine && qstrcmp(engine->metaObject()->className(), "QsciScintillaQt") == 0)
        QObject::disconnect(QGuiApplication::clipboard(), SIGNAL(selectionChanged()), engine,
                            SLOT(onSelectionChanged()));
}

} // namespace

void ApplyEditorFont(QsciScintilla &editor, MacroLexer *lexer, const QFont &font)
{
    editor.setFont(font);
    if (lexer)
        lexer->setEditorFont(font);
}

void ApplyEditorBackground(QsciScintilla &editor, MacroLexer *lexer, const QColor &background)
{
    editor.setPaper(background);
    if (lexer)
        lexer->setEditorBackground(background);
}

void ApplySelectionColors(QsciScintilla &editor, const EditorColors &colors)
{
    keepSelectionColors(editor);
    editor.setSelectionForegroundColor(colors.selectionForeground);
    editor.setSelectionBackgroundColor(colors.selectionBackground);
    editor.setCaretLineBackgroundColor(colors.activeLine);
}
