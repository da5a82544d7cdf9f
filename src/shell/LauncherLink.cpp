#include "shell/LauncherLink.h"

#include "platform/AppPaths.h"
#include "platform/AutoStart.h"
#include "platform/FileUtil.h"
#include "platform/NamedSemaphore.h"
#include "platform/Prompter.h"
#include "platform/ShellOpen.h"
#include "platform/WineStarter.h"
#include "platform/WindowMessages.h"
#include "shell/LauncherMessages.h"
#include "shell/OptionsStore.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

void EnsureLauncherRunning(Prompter &prompter)
{
    // The launcher holds its semaphore while it runs; the probe lets it go again at once, so
    // the launcher we start can take it.
    if (NamedSemaphore::exists(LauncherMessages::LauncherSemaphore))
        return;
    const QString path = AppFilePath(LauncherMessages::LauncherFileName);
    if (!QFileInfo(path).isFile()) {
        prompter.warning(QStringLiteral("File '") + GetShellDisplayName(path)
                         + QStringLiteral("' not found."));
        return;
    }
    switch (ShellOpen::start(path, {})) {
    case ShellOpen::StartResult::Started:
        break;
    case ShellOpen::StartResult::NotStartable:
        prompter.error(WineStarter::startProblem(path));
        break;
    case ShellOpen::StartResult::Failed:
        std::fprintf(stderr, "Wexmora: could not start %s\n", QFile::encodeName(path).constData());
        break;
    }
}

bool IsAutoStartOn()
{
    return AutoStart::isOn(AppFilePath(LauncherMessages::LauncherFileName));
}

bool SetAutoStart(bool on, Prompter &prompter)
{
    const QString launcher = AppFilePath(LauncherMessages::LauncherFileName);
    if (AutoStart::setOn(launcher, on))
        return true;
    const QString problem = on ? WineStarter::startProblem(launcher) : QString();
    prompter.error(!problem.isEmpty() ? problem
                                      : QStringLiteral("Cannot write file \"%1\".").arg(AutoStart::entryPath()));
    return false;
}

bool SaveSettingsAndNotify(Registry &registry, const ProgramOptions &options,
                           const SaveEnvironment &env, WindowMessages &messages)
{
    if (!SaveSettings(registry, options, env))
        return false;
    messages.broadcast(LauncherMessages::SettingsChangedMessage);
    return true;
}
