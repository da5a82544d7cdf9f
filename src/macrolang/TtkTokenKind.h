#pragma once

#include <QtGlobal>

// The kinds of token the macro-language scanner tells apart, in their stored byte order.
enum class TtkTokenKind : quint8 {
    tkComment,      // ";" to the end of the line
    tkIdentifier,   // a word that is no listed word
    tkKey,          // a TeraTerm command or keyword
    tkLabels,       // ":" up to and including the first blank
    tkWexmoraVars,  // one of the program's own macro variables ("$name$")
    tkNull,         // the end of the line
    tkSpace,        // blanks and control characters
    tkString,       // a quoted string
    tkSymbol,       // an operator, a bracket or a logical word
    tkSysVars,      // a TeraTerm system variable
    tkUnknown,      // any other single character
};
