#pragma once

#include "platform/StartCommand.h"

#include <QString>
#include <QStringList>

#include <optional>

// How a program is started on Linux: a Windows executable through a Wine that runs its
// machine (see WineLocator), in the Wine prefix its folder lies in (a folder outside any
// prefix keeps the user's WINEPREFIX or Wine's default); anything else directly.
namespace WineStarter {

// Whether Program is a Windows executable, which needs Wine.
bool needsWine(const QString &program);

// Why Program cannot start on this machine, as the error box tells it: no Wine at all, no
// Wine that runs the program's machine (saying what to install), or a machine no Wine here
// runs (ARM, a damaged header). Empty when it can start, and for a program that needs no
// Wine.
QString startProblem(const QString &program);

// The command that starts Program with Arguments in WorkingDirectory. Nothing when
// startProblem has something to say.
std::optional<StartCommand> commandFor(const QString &program, const QStringList &arguments,
                                       const QString &workingDirectory = QString());

// The command that runs Name, a program Wine brings along (such as "winhlp32.exe"), in
// Prefix, with a Wine that runs the prefix's own copy of it (Wine's default when the prefix
// has none yet). Nothing when no such Wine is installed; builtinProblem then says why (that
// Wine is missing, when nothing more can be told).
std::optional<StartCommand> builtinCommand(const QString &prefix, const QString &name,
                                           const QStringList &arguments);
QString builtinProblem(const QString &prefix, const QString &name);

} // namespace WineStarter
