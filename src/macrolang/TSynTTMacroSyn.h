#pragma once

#include "macrolang/MacroAttribute.h"
#include "macrolang/TtkTokenKind.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The scanner of TeraTerm's macro language: splits one line of a macro (UTF-8, without its
// line end) into tokens. Every line is scanned from the same neutral state, so a line's
// tokens depend on that line alone. The scanner never reads past the line: a string or label
// left open ends with the line, a malformed UTF-8 sequence or a NUL is a token of one byte,
// and the tokens cover every byte of the line.
//
// Use: SetLine, then read the token and call Next until GetEol.
class TSynTTMacroSyn
{
public:
    // Scans from the start of Line, which must outlive the scan; the first token is ready.
    void SetLine(QByteArrayView line);
    void Next();

    bool GetEol() const { return m_tokenId == TtkTokenKind::tkNull; }
    qsizetype GetTokenPos() const { return m_tokenPos; }
    qsizetype GetTokenLength() const { return m_run - m_tokenPos; }
    QByteArrayView GetToken() const { return m_line.sliced(m_tokenPos, m_run - m_tokenPos); }
    TtkTokenKind GetTokenID() const { return m_tokenId; }

    // The attribute that draws a token of Kind; none for the end of the line.
    static constexpr std::optional<MacroAttribute> AttributeOf(TtkTokenKind kind)
    {
        using enum TtkTokenKind;
        switch (kind) {
        case tkComment: return MacroAttribute::CommentAttri;
        case tkIdentifier: return MacroAttribute::IdentifierAttri;
        case tkKey: return MacroAttribute::KeyAttri;
        case tkLabels: return MacroAttribute::LabelsAttri;
        case tkWexmoraVars: return MacroAttribute::WexmoraVarsAttri;
        case tkNull: return std::nullopt;
        case tkSpace: return MacroAttribute::SpaceAttri;
        case tkString: return MacroAttribute::StringAttri;
        case tkSymbol: return MacroAttribute::SymbolAttri;
        case tkSysVars: return MacroAttribute::SysVarsAttri;
        case tkUnknown: return MacroAttribute::IdentifierAttri;   // drawn as an identifier
        }
        return std::nullopt;
    }

    // The characters that make up a word: "$", "%", "(", ")", "*", "+", "-", "/", digits,
    // "<", "=", ">", letters, "[", "]" and "_".
    static bool IsIdentChar(uchar c);
    static QByteArray GetIdentChars();

    // Writes for every byte of Line the style number (the attribute) of its token into
    // Styles, which holds Line.size() bytes.
    static void StyleLine(QByteArrayView line, char *styles);

private:
    void identProc();
    void unknownProc();

    QByteArrayView m_line;
    qsizetype m_run = 0;
    qsizetype m_tokenPos = 0;
    TtkTokenKind m_tokenId = TtkTokenKind::tkNull;
};
