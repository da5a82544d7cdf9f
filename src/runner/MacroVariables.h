#pragma once

#include "runner/RunContext.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>

class ConnectionNode;
class Prompter;

// The program's own macro variables, numbered 1 to 18 as the value tip numbers them.
inline constexpr int MacroVariableCount = 18;
extern const char *const MacroVariableNames[MacroVariableCount + 1];  // [0] unused

// The number of the first name of MacroVariableNames that Word holds, letter case counting;
// 0 when it holds none. A word may hold two ("$user$$name$"): the table's order decides.
int FirstMacroVariableIn(QByteArrayView word);

// Text with every LowerToken replaced by the first word of Value, then every UpperToken by
// the whole of Value; letter case counts. Each token is replaced in one pass over the text,
// so a value holding a token never makes the replacement go on.
QByteArray ReplaceConnectionToken(const QByteArray &value, const QByteArray &text,
                                  const QByteArray &lowerToken, const QByteArray &upperToken);

// A name up to, not including, its first blank.
QByteArray FirstWord(const QByteArray &name);

// S made safe for a file name: "-", digits, ASCII letters and "_" stay, a blank becomes "_",
// every other byte "%" and its value in decimal.
QByteArray SafeLogFileName(const QByteArray &s);

// The characters of S that belong in a dial string, in their order.
QByteArray FilterDialChars(const QByteArray &s);

// A log base name: SafeLogFileName(Chain), the time as yyyymmddhhnnss, ".log".
QByteArray LogBaseName(const QByteArray &chain, const QDateTime &time);

// The user running the program, as the system gives it.
QByteArray GetUserNameStr();

// The Windows folder with a closing separator: the WINDIR environment variable when it is
// set, else the root folder. (A TeraTerm under Wine is handed Wine's, see TeraTermPaths.)
QByteArray GetWindowsDirWithSlash();

// The value of variable Index as the value tip shows it, for the focused connection Focused
// (null when none). An index outside 1 to 18 gives the empty text. Rows 10 and 15 make the
// "Logs" folder when it is missing. Folders are named as a run hands them to TeraTerm.
QByteArray GetMacroVariableValue(int index, const ConnectionNode *focused, const UserData &user,
                                 Prompter &prompter, const Clock &clock);
