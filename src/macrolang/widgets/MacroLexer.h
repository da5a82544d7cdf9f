#pragma once

#include "platform/widgets/QsciIncludes.h"

#include <QColor>
#include <QFont>

#include <utility>
#include <vector>

class MacroAttributeSet;

// Colours TeraTerm macros in one editor: the editor's text is split by the macro-language
// scanner and drawn with the shared attribute set. A lexer serves one editor at a time, so
// each editor gets a lexer of its own over the one attribute set; a change of the set
// repaints them all.
//
// While attached, the lexer's styles are the editor's look: they carry the editor font (with
// each attribute's bold, italic and underline) and the editor background, so the window
// hands both to the lexer instead of the editor. The editor also takes words with the macro
// language's word characters, so a double-click takes "$user$" or "x=1" whole.
//
// Styling works on whole lines and a line's styles depend on that line alone, so after an
// edit only the lines the edit touched are styled again, however long the macro.
class MacroLexer : public QsciLexerCustom
{
    Q_OBJECT

public:
    explicit MacroLexer(const MacroAttributeSet &attributes, QObject *parent = nullptr);
    ~MacroLexer() override;

    // Colours Editor's text from now on; an editor this lexer coloured before is let go.
    void attach(QsciScintilla *editor);
    // Lets the editor go: it has no lexer and takes words with Scintilla's own characters.
    void detach();

    void setEditorFont(const QFont &font);
    void setEditorBackground(const QColor &color);

    const char *language() const override;
    QString description(int style) const override;
    const char *wordCharacters() const override;
    void styleText(int start, int end) override;

private:
    void applyAttributes();
    void noteModification(int position, int modificationType, int length);
    void styleLines(long from, long to);
    long lineStart(long position) const;
    long nextLineStart(long position) const;

    const MacroAttributeSet &m_attributes;
    QFont m_font;
    QColor m_background = Qt::white;
    QMetaObject::Connection m_modifiedConnection;
    std::vector<char> m_styles;
    // What the editor holds: every byte before m_styledEnd was styled here, and since then
    // only the lines of the changed ranges (each from its first to its last position) need
    // styles again.
    long m_styledEnd = 0;
    std::vector<std::pair<long, long>> m_changed;
};
