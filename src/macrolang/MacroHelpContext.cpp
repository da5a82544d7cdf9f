#include "macrolang/MacroHelpContext.h"

#include <QByteArray>
#include <initializer_list>

#include <algorithm>
#include <iterator>

namespace {

// In ascending order of context.
constexpr MacroHelpWord HelpWords[] = {
    {"bplusrecv", 10010}, {"bplussend", 10020}, {"changedir", 10030}, {"clearscreen", 10040},
    {"closett", 10050}, {"connect", 10060}, {"disconnect", 10070}, {"enablekeyb", 10080},
    {"flushrecv", 10090}, {"gettitle", 10100}, {"kmtfinish", 10110}, {"kmtget", 10120},
    {"kmtrecv", 10130}, {"kmtsend", 10140}, {"loadkeymap", 10150}, {"logclose", 10160},
    {"logopen", 10170}, {"logpause", 10180}, {"logstart", 10190}, {"logwrite", 10200},
    {"quickvanrecv", 10210}, {"quickvansend", 10220}, {"recvln", 10230}, {"restoresetup", 10240},
    {"send", 10250}, {"sendbreak", 10260}, {"sendfile", 10270}, {"sendkcode", 10280},
    {"sendln", 10290}, {"setecho", 10300}, {"setsync", 10310}, {"settitle", 10320},
    {"showtt", 10330}, {"testlink", 10340}, {"unlink", 10350}, {"wait", 10360},
    {"waitevent", 10370}, {"waitln", 10380}, {"waitrecv", 10390}, {"waitregex", 10395},
    {"xmodemrecv", 10400}, {"xmodemsend", 10410}, {"zmodemrecv", 10420}, {"zmodemsend", 10430},
    {"call", 10440}, {"execcmnd", 10460}, {"exit", 10470}, {"next", 10480}, {"goto", 10490},
    {"include", 10510}, {"pause", 10520}, {"return", 10530}, {"endwhile", 10540},
    {"code2str", 10550}, {"int2str", 10560}, {"str2code", 10570}, {"str2int", 10580},
    {"strcompare", 10590}, {"strconcat", 10600}, {"strcopy", 10610}, {"strlen", 10620},
    {"strscan", 10630}, {"fileclose", 10640}, {"fileconcat", 10650}, {"filecopy", 10660},
    {"filecreate", 10670}, {"filedelete", 10680}, {"filemarkptr", 10690}, {"fileopen", 10700},
    {"filereadln", 10710}, {"filerename", 10720}, {"filesearch", 10730}, {"fileseek", 10740},
    {"fileseekback", 10750}, {"filestrseek", 10760}, {"filestrseek2", 10770}, {"filewrite", 10780},
    {"filewriteln", 10790}, {"getdir", 10810}, {"makepath", 10820}, {"setdir", 10830},
    {"delpassword", 10840}, {"getpassword", 10850}, {"passwordbox", 10860}, {"beep", 10870},
    {"closesbox", 10880}, {"exec", 10890}, {"getdate", 10900}, {"getenv", 10910},
    {"gettime", 10920}, {"inputbox", 10930}, {"messagebox", 10940}, {"setdate", 10950},
    {"setdlgpos", 10960}, {"setexitcode", 10970}, {"settime", 10980}, {"show", 10990},
    {"statusbox", 11000}, {"yesnobox", 11010},
};

constexpr const char *SystemVariables[] = {
    "inputstr", "matchstr", "groupmatchstr1", "groupmatchstr2", "groupmatchstr3",
    "groupmatchstr4", "groupmatchstr5", "groupmatchstr6", "groupmatchstr7", "groupmatchstr8",
    "groupmatchstr9", "param2", "param3", "result", "timeout",
};
constexpr qint32 SystemVariablesContext = 20000;

// The program's variables are found anywhere in a word; the first group with a hit decides.
struct VariableGroup
{
    std::initializer_list<const char *> variables;
    qint32 context;
};
const VariableGroup VariableGroups[] = {
    {{"$user$", "$name$", "$email$", "$phone$", "$mobile$", "$pager$"}, 9010},
    {{"$connection$", "$parent$", "$logit$"}, 9020},
    {{"$logdir$", "$ttdir$", "$windir$"}, 9030},
    {{"$logfilename$"}, 9020},
};

constexpr qint32 MacroHelpFileContexts = 10000;

} // namespace

std::span<const MacroHelpWord> MacroHelpWords()
{
    return HelpWords;
}

qint32 MacroHelpContext(QByteArrayView word)
{
    QByteArray lower = word.toByteArray();
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    const auto equal = [&](const char *listed) { return lower == listed; };
    for (const MacroHelpWord &w : HelpWords)
        if (equal(w.word))
            return w.context;
    if (std::any_of(std::begin(SystemVariables), std::end(SystemVariables), equal))
        return SystemVariablesContext;
    for (const VariableGroup &g : VariableGroups)
        for (const char *variable : g.variables)
            if (lower.contains(variable))
                return g.context;
    return 0;
}

std::optional<MacroHelpTopic> MacroHelpTopicFor(QByteArrayView word)
{
    if (word.isEmpty())
        return std::nullopt;
    const qint32 context = MacroHelpContext(word);
    if (context >= MacroHelpFileContexts)
        return MacroHelpTopic{QStringLiteral("macro.hlp"), context};
    return MacroHelpTopic{QStringLiteral("Wexmora.hlp"), context ? context : MacroEditorHelpContext};
}
