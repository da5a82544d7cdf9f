#pragma once

#include <QStringList>

class Prompter;
class Registry;
class WindowMessages;

// The start of the entry sequence, before any window: the first argument is stored in
// "ParamName" (as an absolute path, unless it is the update-check argument), the launcher is
// started when it does not run, and the single-instance check is made. True when the program
// goes on; false when another instance runs and has been handed the argument.
// Arguments are the command line without the program's own name.
bool ProgramStartUp(const QStringList &arguments, Registry &registry, Prompter &prompter,
                    WindowMessages &messages);

// What "ParamName" gets for the command-line argument Argument.
QString ParamNameForArgument(const QString &argument);

// The start for the update check alone: the sole argument is exactly "upgradeCheck=true"
// (letter case counts). The update window then runs its check before the main window would
// show, and the program ends when it closes.
bool IsUpgradeCheckStart(const QStringList &arguments);
