#include "shell/ProgramStartUp.h"

#include "shell/LauncherLink.h"
#include "shell/LauncherMessages.h"
#include "shell/ParamName.h"
#include "shell/SingleInstance.h"

#include <QFileInfo>

QString ParamNameForArgument(const QString &argument)
{
    // A relative path means something only in the directory it was typed in; the running
    // instance and later starts read it elsewhere.
    if (argument.isEmpty() || argument == LauncherMessages::UpgradeCheckArgument)
        return argument;
    return QFileInfo(argument).absoluteFilePath();
}

bool IsUpgradeCheckStart(const QStringList &arguments)
{
    return arguments.size() == 1 && arguments.first() == LauncherMessages::UpgradeCheckArgument;
}

bool ProgramStartUp(const QStringList &arguments, Registry &registry, Prompter &prompter,
                    WindowMessages &messages)
{
    if (!arguments.isEmpty())
        WriteParamName(registry, ParamNameForArgument(arguments.first()));
    EnsureLauncherRunning(prompter);
    return CheckSingleInstance(LauncherMessages::InstanceSemaphore,
                               LauncherMessages::InstanceMessage, arguments, registry, prompter,
                               messages);
}
