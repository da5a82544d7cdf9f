#include "macrolang/TSynTTMacroSyn.h"

#include "macrolang/MacroWords.h"

#include <array>
#include <cstring>

namespace {

using enum TtkTokenKind;

// What a token's first byte makes of it.
enum class Start : quint8 { Unknown, Cr, Lf, Space, Quote, Colon, Semicolon, Word };

constexpr std::array<bool, 256> IdentChars = [] {
    std::array<bool, 256> t{};
    for (const char c : "$%()*+-/<=>[]_")
        if (c)
            t[uchar(c)] = true;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = t[c + ('a' - 'A')] = true;
    return t;
}();

constexpr std::array<Start, 256> Starts = [] {
    std::array<Start, 256> t{};
    for (int c = 1; c <= 32; ++c)
        t[c] = Start::Space;
    t['\r'] = Start::Cr;
    t['\n'] = Start::Lf;
    t['"'] = t['\''] = Start::Quote;
    t[':'] = Start::Colon;
    t[';'] = Start::Semicolon;
    for (int c = 0; c < 256; ++c)
        if (IdentChars[c] && !(c >= '0' && c <= '9'))
            t[c] = Start::Word;
    return t;
}();

// Style numbers by token kind; the end of the line has no style and never reaches a byte.
constexpr std::array<char, 11> StyleOfKind = [] {
    std::array<char, 11> t{};
    for (int k = 0; k < int(t.size()); ++k)
        if (const auto a = TSynTTMacroSyn::AttributeOf(TtkTokenKind(k)))
            t[k] = char(*a);
    return t;
}();

// The bytes that end a string or a label as the end of the line would.
inline bool endsConstruct(char c)
{
    return c == '\0' || c == '\r' || c == '\n';
}

// The length of the well-formed UTF-8 sequence at S (Available bytes left), or 1.
qsizetype utf8SequenceLength(const uchar *s, qsizetype available)
{
    const uchar c = s[0];
    auto continuation = [&](qsizetype i, uchar lo = 0x80, uchar hi = 0xBF) {
        return i < available && s[i] >= lo && s[i] <= hi;
    };
    if (c < 0xC2 || c > 0xF4)
        return 1;
    if (c < 0xE0)
        return continuation(1) ? 2 : 1;
    if (c < 0xF0) {
        const bool ok = continuation(1, c == 0xE0 ? 0xA0 : 0x80, c == 0xED ? 0x9F : 0xBF)
            && continuation(2);
        return ok ? 3 : 1;
    }
    const bool ok = continuation(1, c == 0xF0 ? 0x90 : 0x80, c == 0xF4 ? 0x8F : 0xBF)
        && continuation(2) && continuation(3);
    return ok ? 4 : 1;
}

} // namespace

void TSynTTMacroSyn::SetLine(QByteArrayView line)
{
    m_line = line;
    m_run = 0;
    Next();
}

void TSynTTMacroSyn::Next()
{
    m_tokenPos = m_run;
    const qsizetype n = m_line.size();
    if (m_run >= n) {
        m_tokenId = tkNull;
        return;
    }
    const char *p = m_line.data();
    switch (Starts[uchar(p[m_run])]) {
    case Start::Cr:
        ++m_run;
        if (m_run < n && p[m_run] == '\n')
            ++m_run;
        m_tokenId = tkSpace;
        break;
    case Start::Lf:
        ++m_run;
        m_tokenId = tkSpace;
        break;
    case Start::Space:
        ++m_run;
        while (m_run < n && uchar(p[m_run] - 1) < 32)   // bytes 1 to 32
            ++m_run;
        m_tokenId = tkSpace;
        break;
    case Start::Quote: {
        const char quote = p[m_run++];
        while (m_run < n && !endsConstruct(p[m_run]))
            if (p[m_run++] == quote)
                break;
        m_tokenId = tkString;
        break;
    }
    case Start::Colon:
        ++m_run;
        while (m_run < n && !endsConstruct(p[m_run]))
            if (p[m_run++] == ' ')
                break;
        m_tokenId = tkLabels;
        break;
    case Start::Semicolon: {
        // A comment runs to the end of the line, over a CR but not over a LF or a NUL.
        const char *from = p + m_run + 1;
        const qsizetype rest = n - m_run - 1;
        const void *lf = std::memchr(from, '\n', size_t(rest));
        const qsizetype upTo = lf ? static_cast<const char *>(lf) - from : rest;
        const void *nul = std::memchr(from, '\0', size_t(upTo));
        m_run += 1 + (nul ? static_cast<const char *>(nul) - from : upTo);
        m_tokenId = tkComment;
        break;
    }
    case Start::Word:
        identProc();
        break;
    case Start::Unknown:
        unknownProc();
        break;
    }
}

void TSynTTMacroSyn::identProc()
{
    const char *p = m_line.data();
    const qsizetype n = m_line.size();
    const qsizetype start = m_run;
    unsigned hash = 0;   // wraps harmlessly on absurd runs: those are longer than any word
    while (m_run < n && IdentChars[uchar(p[m_run])])
        hash += unsigned(MacroWords::letterValue(uchar(p[m_run++])));
    m_tokenId = MacroWords::kindOf(m_line.sliced(start, m_run - start), hash);
}

void TSynTTMacroSyn::unknownProc()
{
    // A character of several bytes is one token, so its bytes share one style.
    m_run += utf8SequenceLength(reinterpret_cast<const uchar *>(m_line.data()) + m_run,
                                m_line.size() - m_run);
    m_tokenId = tkUnknown;
}

bool TSynTTMacroSyn::IsIdentChar(uchar c)
{
    return IdentChars[c];
}

QByteArray TSynTTMacroSyn::GetIdentChars()
{
    QByteArray chars;
    for (int c = 1; c < 256; ++c)
        if (IdentChars[c])
            chars += char(c);
    return chars;
}

void TSynTTMacroSyn::StyleLine(QByteArrayView line, char *styles)
{
    TSynTTMacroSyn scanner;
    for (scanner.SetLine(line); !scanner.GetEol(); scanner.Next())
        std::memset(styles + scanner.m_tokenPos, StyleOfKind[int(scanner.m_tokenId)],
                    size_t(scanner.m_run - scanner.m_tokenPos));
}
