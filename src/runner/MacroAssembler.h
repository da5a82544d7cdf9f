#pragma once

#include "runner/RunContext.h"

#include <QByteArray>
#include <QList>

struct RunTarget;

// A macro text cut into lines at CR LF, LF or CR; a closing line break makes no empty line.
QList<QByteArray> SplitMacroLines(const QByteArray &text);
// Lines joined back, each followed by CR LF: the form macro files are written in.
QByteArray JoinMacroLines(const QList<QByteArray> &lines);

// The first CaretLine lines (counted from 1) of the editor's text, each followed by CR LF.
QByteArray BuildRunToCursorText(const QByteArray &editorText, int caretLine);

struct AssembledText
{
    QList<QByteArray> lines;  // the macro so far, one entry per line
    QByteArray logNameChain;  // the names concerned, outermost first, each followed by "_"
};

// The connection's Source text with its "$connection$"/"$CONNECTION$" and "$parent$"/
// "$PARENT$" replaced, and with WithAncestors its ancestors' stored macros in front, each
// with its own names replaced.
AssembledText BuildMacroText(const RunTarget &target, const QByteArray &source, bool withAncestors);

// What the line pass puts in place of the remaining variables.
struct LinePassValues
{
    QByteArray userName;   // as the system gives it
    QByteArray userUpper;  // in upper case
    QByteArray userLower;  // in lower case
    UserData user;
    // The folders as TeraTerm names them, each with its closing separator. A "Logs" folder that
    // could not be made is the separator alone.
    QByteArray logsFolder;
    QByteArray ttDir;      // the program folder
    QByteArray winDir;     // the Windows folder
    QByteArray logBaseName;
};

// Replaces the remaining variables line by line, from the last line to the first, each check
// only at its first occurrence, and removes every line that starts with "$LOGIT$" (any case).
// True when such a line was found.
bool RunLinePass(QList<QByteArray> &lines, const LinePassValues &values);

// The closing line that opens the session log: for a run with the "Logs" folder (with its
// closing separator) and the base name, for an export with the chain's name only.
QByteArray RunLogOpenLine(const QByteArray &logsFolder, const QByteArray &logBaseName);
QByteArray ExportLogOpenLine(const QByteArray &logNameChain);
