#pragma once

#include "platform/StartCommand.h"

#include <QString>
#include <QStringList>

#include <optional>

// Auto-start of the companion launcher at log-on: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/Wexmora.desktop, whose Exec starts the launcher as this program
// starts it: a native launcher directly, a Windows one through Wine in its prefix
// ("env WINEPREFIX=<prefix> <wine> <launcher>"), so the desktop needs nothing else set.
namespace AutoStart {

QString entryPath();

// On when the entry exists, is not Hidden=true, and its Exec starts LauncherPath exactly
// (case-sensitive; arguments after it do not matter): a Windows launcher through a Wine
// loader, perhaps after "env" and its variables; any other launcher as the program itself. An
// entry that would start a Windows launcher without Wine fails at every log-on: it is off.
bool isOn(const QString &launcherPath);
// The program an entry's bytes start at log-on: its Exec's program, or empty when the entry is
// Hidden=true, has no Exec or a malformed one.
QString startedProgram(const QByteArray &entry);
// The program and arguments an entry's Exec starts, as a desktop reads them; nothing when the
// entry is Hidden=true, has no Exec or a malformed one.
std::optional<QStringList> startedCommand(const QByteArray &entry);
// On writes the entry for LauncherPath (replacing an older one); off removes it. False when
// the file could not be written or removed, and when no Wine here can run a Windows launcher
// (WineStarter's startProblem says why).
bool setOn(const QString &launcherPath, bool on);

// Exec's quoting of one argument: in double quotes with '"', '`', '$' and '\' escaped by
// '\', '%' doubled, and then the escapes of a desktop-file string value applied.
QString quoteExecArgument(const QString &argument);
// The Exec value that starts Command: "env" with its variables when it has any, then the
// program and its arguments, each quoted.
QString execLine(const StartCommand &command);
// The program an Exec value names, with both levels of escaping undone; empty when the value
// is malformed (an unclosed quote, a stray escape).
QString execProgram(const QString &execValue);
// The whole Exec value split into the program and its arguments, both levels of escaping
// undone, "%%" read as "%" and a field code standing alone ("%U") dropped; nothing when the
// value is malformed or the program is empty.
std::optional<QStringList> execArguments(const QString &execValue);

} // namespace AutoStart
