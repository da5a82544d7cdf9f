#pragma once

#include "platform/StartCommand.h"

#include <QString>
#include <QStringList>

#include <optional>

// How a program is started on Linux: a Windows executable through Wine's loader, in the Wine
// prefix its folder lies in (a folder outside any prefix keeps the user's WINEPREFIX or Wine's
// default); anything else directly.
namespace WineStarter {

// Whether Program is a Windows executable, which needs Wine.
bool needsWine(const QString &program);
// Whether Program needs Wine and Wine is not installed.
bool wineMissingFor(const QString &program);

// The command that starts Program with Arguments in WorkingDirectory. Nothing when Program
// needs Wine and Wine is missing.
std::optional<StartCommand> commandFor(const QString &program, const QStringList &arguments,
                                       const QString &workingDirectory = QString());

// The command that runs Name, a program Wine brings along (such as "winhlp32.exe"), in Prefix.
// Nothing when Wine is missing.
std::optional<StartCommand> builtinCommand(const QString &prefix, const QString &name,
                                           const QStringList &arguments);

} // namespace WineStarter
