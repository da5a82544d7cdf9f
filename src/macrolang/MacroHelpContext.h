#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <span>

// The help topic of a macro word: TeraTerm's macro help for its commands and system
// variables, the program's own help for its variables.

// The context number of Word: a TeraTerm command's topic (10000 or more), 20000 for a
// TeraTerm system variable, 9010, 9020 or 9030 for a word holding one of the program's
// variables, 0 for a word without a topic of its own. Letter case is ignored.
qint32 MacroHelpContext(QByteArrayView word);

// Where help on a word opens: a help file beside the program and a context in it.
struct MacroHelpTopic
{
    QString file;
    qint32 context = 0;

    bool operator==(const MacroHelpTopic &) const = default;
};

// The topic help opens at for the word at the editor's caret: "macro.hlp" for a context of
// 10000 or more, else "Wexmora.hlp" at the context, or at the editor's own topic when the
// word has none. None for an empty word: the help then stays where it is.
std::optional<MacroHelpTopic> MacroHelpTopicFor(QByteArrayView word);

// The editor's own topic in the program's help.
inline constexpr qint32 MacroEditorHelpContext = 6050;

// The TeraTerm commands that have a topic of their own, with their contexts.
struct MacroHelpWord
{
    const char *word;
    qint32 context;
};
std::span<const MacroHelpWord> MacroHelpWords();
