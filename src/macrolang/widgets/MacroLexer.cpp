#include "macrolang/widgets/MacroLexer.h"

#include "macrolang/MacroAttributeSet.h"
#include "macrolang/TSynTTMacroSyn.h"

#include <algorithm>
#include <cstring>

namespace {

using Sci = QsciScintillaBase;

const QString StyleNames[MacroAttributeCount] = {
    QStringLiteral("Comment"), QStringLiteral("Identifier"), QStringLiteral("Reserved word"),
    QStringLiteral("Label"), QStringLiteral("Wexmora key word"), QStringLiteral("WhiteSpace"),
    QStringLiteral("String"), QStringLiteral("Operation"), QStringLiteral("System variable"),
};

const char SpaceStyle = char(MacroAttribute::SpaceAttri);

// Edits between two stylings beyond this many are kept as one range around them all, so a
// long run of edits without painting costs no more than restyling their span.
constexpr size_t ChangedRangesKept = 64;

// A stored 0x00BBGGRR colour; Fallback for "none" and for a system colour, which only the
// window's palette could name.
QColor storedColor(quint32 value, const QColor &fallback)
{
    if (value & 0xFF000000u)
        return fallback;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace

MacroLexer::MacroLexer(const MacroAttributeSet &attributes, QObject *parent)
    : QsciLexerCustom(parent)
    , m_attributes(attributes)
{
    connect(&m_attributes, &MacroAttributeSet::changed, this, &MacroLexer::applyAttributes);
    applyAttributes();
}

MacroLexer::~MacroLexer()
{
    detach();
}

void MacroLexer::attach(QsciScintilla *editor)
{
    detach();
    if (!editor)
        return;
    m_styledEnd = 0;
    m_changed.clear();
    editor->setLexer(this);
    editor->SendScintilla(Sci::SCI_SETWORDCHARS, 0UL, wordCharacters());
    m_modifiedConnection = connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
                                   [this](int position, int type, const char *, int length) {
                                       noteModification(position, type, length);
                                   });
    // Whatever styles the text holds came from elsewhere: styled anew when next shown.
    editor->SendScintilla(Sci::SCI_STARTSTYLING, 0UL, 0L);
}

void MacroLexer::detach()
{
    disconnect(m_modifiedConnection);
    QsciScintilla *e = editor();
    if (!e)
        return;
    e->setLexer(nullptr);
    // Without a lexer the editor draws every style as style 0 is set: the text's styles go
    // back to it, or words would keep the attributes' looks reset to Scintilla's defaults.
    e->SendScintilla(Sci::SCI_CLEARDOCUMENTSTYLE);
    e->SendScintilla(Sci::SCI_SETCHARSDEFAULT);
}

void MacroLexer::setEditorFont(const QFont &font)
{
    m_font = font;
    applyAttributes();
}

void MacroLexer::setEditorBackground(const QColor &color)
{
    m_background = color;
    applyAttributes();
}

const char *MacroLexer::language() const
{
    return "TeraTerm Macro";
}

QString MacroLexer::description(int style) const
{
    return style >= 0 && style < MacroAttributeCount ? StyleNames[style] : QString();
}

const char *MacroLexer::wordCharacters() const
{
    static const QByteArray chars = TSynTTMacroSyn::GetIdentChars();
    return chars.constData();
}

void MacroLexer::applyAttributes()
{
    setDefaultFont(m_font);
    setDefaultPaper(m_background);
    setPaper(m_background, Sci::STYLE_DEFAULT);
    setFont(m_font, Sci::STYLE_DEFAULT);
    for (int style = 0; style < MacroAttributeCount; ++style) {
        const HighlighterAttribute &a = m_attributes.attribute(MacroAttribute(style));
        QFont font = m_font;
        font.setBold(a.Style & FontStyleBits::Bold);
        font.setItalic(a.Style & FontStyleBits::Italic);
        font.setUnderline(a.Style & FontStyleBits::Underline);
        setFont(font, style);
        setColor(storedColor(a.Foreground, defaultColor()), style);
        setPaper(storedColor(a.Background, m_background), style);
    }
}

long MacroLexer::lineStart(long position) const
{
    const long line = editor()->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    return editor()->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
}

long MacroLexer::nextLineStart(long position) const
{
    QsciScintilla *e = editor();
    const long line = e->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    if (line + 1 >= e->SendScintilla(Sci::SCI_GETLINECOUNT))
        return e->SendScintilla(Sci::SCI_GETLENGTH);
    return e->SendScintilla(Sci::SCI_POSITIONFROMLINE, line + 1);
}

void MacroLexer::noteModification(int position, int modificationType, int length)
{
    // Told before each change: the editor leaves out the notifications after the changes a
    // key makes, and these carry the same positions.
    const bool inserted = modificationType & Sci::SC_MOD_BEFOREINSERT;
    if (!inserted && !(modificationType & Sci::SC_MOD_BEFOREDELETE))
        return;
    // Positions after the change move with the text; inside a deleted range they fall to
    // its start.
    const long p = position;
    const long n = length;
    auto moved = [&](long x) {
        if (inserted)
            return x > p ? x + n : x;
        return x <= p ? x : std::max(p, x - n);
    };
    m_styledEnd = moved(m_styledEnd);
    for (auto &[first, last] : m_changed) {
        first = moved(first);
        last = moved(last);
    }
    m_changed.emplace_back(p, inserted ? p + n : p);
    if (m_changed.size() > ChangedRangesKept) {
        long first = p;
        long last = p;
        for (const auto &r : m_changed) {
            first = std::min(first, r.first);
            last = std::max(last, r.second);
        }
        m_changed.assign(1, {first, last});
    }
}

void MacroLexer::styleText(int start, int end)
{
    QsciScintilla *e = editor();
    if (!e)
        return;
    const long length = e->SendScintilla(Sci::SCI_GETLENGTH);
    const long from = lineStart(std::clamp<long>(start, 0, length));
    long to = std::clamp<long>(end, from, length);
    if (to > from && lineStart(to) != to)
        to = nextLineStart(to);

    // Only the lines an edit touched and the text never styled need styles; every other
    // line of the range still holds those of its unchanged text.
    std::vector<std::pair<long, long>> segments;
    std::vector<std::pair<long, long>> later;
    for (const auto &[first, last] : m_changed) {
        if (first >= to && to < length) {
            later.emplace_back(first, last);
            continue;
        }
        const long linesEnd = nextLineStart(std::min(last, length));
        segments.emplace_back(lineStart(std::min(first, length)), std::min(linesEnd, to));
        if (linesEnd > to && to < length)
            later.emplace_back(to, last);
    }
    m_changed = std::move(later);
    if (m_styledEnd < to)
        segments.emplace_back(lineStart(std::min(m_styledEnd, length)), to);
    std::sort(segments.begin(), segments.end());
    long styledTo = -1;
    for (const auto &[first, last] : segments) {
        const long begin = std::max(first, styledTo);
        if (last > begin)
            styleLines(begin, last);
        styledTo = std::max(styledTo, last);
    }
    m_styledEnd = std::max(m_styledEnd, to);
    e->SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(to), 0L);
}

void MacroLexer::styleLines(long from, long to)
{
    if (to <= from)
        return;
    QsciScintilla *e = editor();
    const auto *text = reinterpret_cast<const char *>(
        e->SendScintilla(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
    const size_t size = size_t(to - from);
    m_styles.resize(size);
    char *styles = m_styles.data();
    size_t pos = 0;
    while (pos < size) {
        // A line ends at LF, CR LF or a lone CR, as the editor counts lines.
        const void *lf = std::memchr(text + pos, '\n', size - pos);
        const size_t lfAt = lf ? size_t(static_cast<const char *>(lf) - text) : size;
        const void *cr = std::memchr(text + pos, '\r', lfAt - pos);
        const size_t contentEnd = cr ? size_t(static_cast<const char *>(cr) - text) : lfAt;
        TSynTTMacroSyn::StyleLine(QByteArrayView(text + pos, qsizetype(contentEnd - pos)), styles + pos);
        size_t next = contentEnd;
        if (cr && contentEnd + 1 < size && text[contentEnd + 1] == '\n')
            next = contentEnd + 2;
        else if (next < size)
            next = contentEnd + 1;
        std::memset(styles + contentEnd, SpaceStyle, next - contentEnd);
        pos = next;
    }
    e->SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(from), 0L);
    e->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<unsigned long>(size), styles);
}
