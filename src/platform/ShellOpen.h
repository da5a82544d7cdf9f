#pragma once

#include "platform/StartCommand.h"

#include <QString>
#include <QStringList>

#include <functional>

// The shell's "open": an executable is started detached with its arguments as a list (never
// through a shell), a Windows executable through Wine (see WineStarter); a document or URL is
// handed to the desktop's opener (xdg-open, started the same way; a local path is passed
// absolute). All answer whether the start succeeded, not what the started program did.
namespace ShellOpen {

// NotStartable: a Windows program that no Wine on the machine can run (WineStarter's
// startProblem says why); nothing was started.
enum class StartResult { Started, Failed, NotStartable };

StartResult start(const QString &program, const QStringList &arguments,
                  const QString &workingDirectory = QString());
// Whether start() started it.
bool startDetached(const QString &program, const QStringList &arguments,
                   const QString &workingDirectory = QString());
// Starts exactly Command, detached.
bool run(const StartCommand &command);
bool openDocument(const QString &pathOrUrl);

// Tests replace the starter to see what would be started (the desktop opener and Wine's
// loader included); an empty function restores the real one. The starter returns whether the
// start succeeded.
using Starter = std::function<bool(const StartCommand &command)>;
void setStarterForTesting(Starter starter);
using Opener = std::function<bool(const QString &pathOrUrl)>;
void setOpenerForTesting(Opener opener);

} // namespace ShellOpen
