#include "macrolang/MacroWords.h"

#include <array>
#include <algorithm>

namespace MacroWords {

namespace {

using enum TtkTokenKind;

constexpr Word Words[] = {
    // Commands and keywords.
    {"beep", tkKey}, {"bplusrecv", tkKey}, {"bplussend", tkKey}, {"call", tkKey},
    {"changedir", tkKey}, {"clearscreen", tkKey}, {"closesbox", tkKey}, {"closett", tkKey},
    {"code2str", tkKey}, {"connect", tkKey}, {"delpassword", tkKey}, {"disconnect", tkKey},
    {"else", tkKey}, {"elseif", tkKey}, {"enablekeyb", tkKey}, {"end", tkKey},
    {"endif", tkKey}, {"endwhile", tkKey}, {"exec", tkKey}, {"execcmnd", tkKey},
    {"exit", tkKey}, {"fileclose", tkKey}, {"fileconcat", tkKey}, {"filecopy", tkKey},
    {"filecreate", tkKey}, {"filedelete", tkKey}, {"filemarkptr", tkKey}, {"fileopen", tkKey},
    {"filereadln", tkKey}, {"filerename", tkKey}, {"filesearch", tkKey}, {"fileseek", tkKey},
    {"fileseekback", tkKey}, {"filestrseek", tkKey}, {"filestrseek2", tkKey}, {"filewrite", tkKey},
    {"filewriteln", tkKey}, {"findclose", tkKey}, {"findfirst", tkKey}, {"findnext", tkKey},
    {"flushrecv", tkKey}, {"for", tkKey}, {"getdate", tkKey}, {"getdir", tkKey},
    {"getenv", tkKey}, {"getpassword", tkKey}, {"gettime", tkKey}, {"gettitle", tkKey},
    {"goto", tkKey}, {"if", tkKey}, {"include", tkKey}, {"inputbox", tkKey},
    {"int2str", tkKey}, {"kmtfinish", tkKey}, {"kmtget", tkKey}, {"kmtrecv", tkKey},
    {"kmtsend", tkKey}, {"loadkeymap", tkKey}, {"logclose", tkKey}, {"logopen", tkKey},
    {"logpause", tkKey}, {"logstart", tkKey}, {"logwrite", tkKey}, {"makepath", tkKey},
    {"messagebox", tkKey}, {"next", tkKey}, {"passwordbox", tkKey}, {"pause", tkKey},
    {"quickvanrecv", tkKey}, {"quickvansend", tkKey}, {"recvln", tkKey}, {"restoresetup", tkKey},
    {"return", tkKey}, {"send", tkKey}, {"sendbreak", tkKey}, {"sendfile", tkKey},
    {"sendkcode", tkKey}, {"sendln", tkKey}, {"setdate", tkKey}, {"setdir", tkKey},
    {"setdlgpos", tkKey}, {"setecho", tkKey}, {"setexitcode", tkKey}, {"setsync", tkKey},
    {"settime", tkKey}, {"settitle", tkKey}, {"show", tkKey}, {"showtt", tkKey},
    {"statusbox", tkKey}, {"str2code", tkKey}, {"str2int", tkKey}, {"strcompare", tkKey},
    {"strconcat", tkKey}, {"strcopy", tkKey}, {"strlen", tkKey}, {"strscan", tkKey},
    {"testlink", tkKey}, {"then", tkKey}, {"unlink", tkKey}, {"wait", tkKey},
    {"waitevent", tkKey}, {"waitln", tkKey}, {"waitrecv", tkKey}, {"waitregex", tkKey},
    {"while", tkKey}, {"xmodemrecv", tkKey}, {"xmodemsend", tkKey}, {"yesnobox", tkKey},
    {"zmodemrecv", tkKey}, {"zmodemsend", tkKey},
    // TeraTerm's system variables.
    {"groupmatchstr1", tkSysVars}, {"groupmatchstr2", tkSysVars}, {"groupmatchstr3", tkSysVars},
    {"groupmatchstr4", tkSysVars}, {"groupmatchstr5", tkSysVars}, {"groupmatchstr6", tkSysVars},
    {"groupmatchstr7", tkSysVars}, {"groupmatchstr8", tkSysVars}, {"groupmatchstr9", tkSysVars},
    {"inputstr", tkSysVars}, {"matchstr", tkSysVars}, {"param2", tkSysVars},
    {"param3", tkSysVars}, {"result", tkSysVars}, {"timeout", tkSysVars},
    // The program's own variables.
    {"$connection$", tkWexmoraVars}, {"$email$", tkWexmoraVars}, {"$logdir$", tkWexmoraVars},
    {"$logfilename$", tkWexmoraVars}, {"$logit$", tkWexmoraVars}, {"$mobile$", tkWexmoraVars},
    {"$name$", tkWexmoraVars}, {"$pager$", tkWexmoraVars}, {"$parent$", tkWexmoraVars},
    {"$phone$", tkWexmoraVars}, {"$ttdir$", tkWexmoraVars}, {"$user$", tkWexmoraVars},
    {"$windir$", tkWexmoraVars},
    // Operators, brackets and logical words.
    {"%", tkSymbol}, {"(", tkSymbol}, {")", tkSymbol}, {"*", tkSymbol}, {"+", tkSymbol},
    {"-", tkSymbol}, {"/", tkSymbol}, {"<", tkSymbol}, {"<=", tkSymbol}, {"<>", tkSymbol},
    {"=", tkSymbol}, {">", tkSymbol}, {">=", tkSymbol}, {"[", tkSymbol}, {"]", tkSymbol},
    {"and", tkSymbol}, {"not", tkSymbol}, {"or", tkSymbol}, {"xor", tkSymbol},
};

constexpr std::array<quint8, 256> LetterValues = [] {
    std::array<quint8, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = quint8(c - 'A' + 1);
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = quint8(c - 'a' + 1);
    t['_'] = 31;
    return t;
}();

constexpr unsigned hashOf(const char *word)
{
    unsigned h = 0;
    for (; *word; ++word)
        h += LetterValues[uchar(*word)];
    return h;
}

constexpr qsizetype lengthOf(const char *word)
{
    qsizetype n = 0;
    while (word[n])
        ++n;
    return n;
}

constexpr qsizetype LongestWord = [] {
    qsizetype n = 0;
    for (const Word &w : Words)
        n = std::max(n, lengthOf(w.text));
    return n;
}();

constexpr unsigned HighestHash = [] {
    unsigned h = 0;
    for (const Word &w : Words)
        h = std::max(h, hashOf(w.text));
    return h;
}();

// The listed words grouped by hash: the words of hash H are Sorted[First[H]] up to
// Sorted[First[H + 1]], in list order.
struct Buckets
{
    std::array<quint16, HighestHash + 2> first{};
    std::array<quint16, std::size(Words)> sorted{};
    std::array<quint8, std::size(Words)> length{};   // by list index
};

constexpr Buckets MadeBuckets = [] {
    Buckets b;
    std::array<quint16, HighestHash + 2> count{};
    for (const Word &w : Words)
        ++count[hashOf(w.text) + 1];
    for (unsigned h = 1; h < b.first.size(); ++h)
        b.first[h] = quint16(b.first[h - 1] + count[h]);
    std::array<quint16, HighestHash + 2> next = b.first;
    for (quint16 i = 0; i < std::size(Words); ++i) {
        b.sorted[next[hashOf(Words[i].text)]++] = i;
        b.length[i] = quint8(lengthOf(Words[i].text));
    }
    return b;
}();

bool sameLetters(QByteArrayView run, const char *word)
{
    for (qsizetype i = 0; i < run.size(); ++i)
        if (LetterValues[uchar(run[i])] != LetterValues[uchar(word[i])])
            return false;
    return true;
}

} // namespace

std::span<const Word> listed()
{
    return Words;
}

int letterValue(uchar c)
{
    return LetterValues[c];
}

TtkTokenKind kindOf(QByteArrayView run, unsigned hash)
{
    if (run.size() > LongestWord || hash > HighestHash)
        return tkIdentifier;
    for (quint16 i = MadeBuckets.first[hash]; i < MadeBuckets.first[hash + 1]; ++i) {
        const quint16 w = MadeBuckets.sorted[i];
        if (MadeBuckets.length[w] == run.size() && sameLetters(run, Words[w].text))
            return Words[w].kind;
    }
    return tkIdentifier;
}

} // namespace MacroWords
