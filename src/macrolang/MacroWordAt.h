#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The word of a macro line at byte offset Index, with the macro language's word characters
// (so "$user$" and "x=1" are whole words): the run of word characters that holds Index or
// ends right before it, as the editor takes the word at the caret. Empty between words.
QByteArray MacroWordAt(QByteArrayView line, qsizetype index);
