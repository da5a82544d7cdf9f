#pragma once

#include <QString>

// Auto-start of the companion launcher at log-on: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/Wexmora.desktop, whose Exec names the launcher.
namespace AutoStart {

QString entryPath();

// On when the entry exists, is not Hidden=true, and its Exec's program is LauncherPath
// exactly (case-sensitive; arguments after it do not matter).
bool isOn(const QString &launcherPath);
// The program an entry's bytes start at log-on: its Exec's program, or empty when the entry is
// Hidden=true, has no Exec or a malformed one.
QString startedProgram(const QByteArray &entry);
// On writes the entry for LauncherPath (replacing an older one); off removes it. False when
// the file could not be written or removed.
bool setOn(const QString &launcherPath, bool on);

// Exec's quoting of one argument: in double quotes with '"', '`', '$' and '\' escaped by
// '\', '%' doubled, and then the escapes of a desktop-file string value applied.
QString quoteExecArgument(const QString &argument);
// The program an Exec value names, with both levels of escaping undone; empty when the value
// is malformed (an unclosed quote, a stray escape).
QString execProgram(const QString &execValue);

} // namespace AutoStart
