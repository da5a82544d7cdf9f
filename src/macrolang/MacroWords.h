#pragma once

#include "macrolang/TtkTokenKind.h"

#include <QByteArrayView>

#include <span>

// The listed words of the macro language and how a run of word characters is classified.
// Words compare by their letter values: case is ignored, and all characters that are neither
// letters nor "_" (digits, "$", brackets, operators) count as equal, so "param7" is the listed
// "param2" and any two-character run of such characters is the operator "<>".
namespace MacroWords {

struct Word
{
    const char *text;
    TtkTokenKind kind;
};

// Every listed word with its kind: commands and keywords, system variables, the program's
// variables, operators and logical words.
std::span<const Word> listed();

// The letter value a character adds to a word's hash: 1 to 26 for the letters of either
// case, 31 for "_", 0 for every other character.
int letterValue(uchar c);

// The kind of Run, whose letter values add up to Hash: the kind of the listed word it
// matches, else tkIdentifier. A run longer than every listed word is an identifier at once.
TtkTokenKind kindOf(QByteArrayView run, unsigned hash);

} // namespace MacroWords
