#include "platform/ShellOpen.h"

#include "platform/WineStarter.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

namespace {

ShellOpen::Starter &starterHook()
{
    static ShellOpen::Starter hook;
    return hook;
}

ShellOpen::Opener &openerHook()
{
    static ShellOpen::Opener hook;
    return hook;
}

// The desktop's own opener; started like any program, so a test starter sees it too.
bool openWithDesktop(const QString &pathOrUrl)
{
    QString target = pathOrUrl;
    // A local path goes as an absolute path: never read as an option, whatever it starts with.
    if (QFileInfo::exists(pathOrUrl) || QUrl(pathOrUrl).scheme().size() < 2)
        target = QFileInfo(pathOrUrl).absoluteFilePath();
    return ShellOpen::startDetached(QStringLiteral("xdg-open"), {target});
}

} // namespace

namespace ShellOpen {

StartResult start(const QString &program, const QStringList &arguments,
                  const QString &workingDirectory)
{
    if (program.isEmpty())
        return StartResult::Failed;
    const std::optional<StartCommand> command = WineStarter::commandFor(program, arguments, workingDirectory);
    if (!command)
        return StartResult::NotStartable;
    return run(*command) ? StartResult::Started : StartResult::Failed;
}

bool startDetached(const QString &program, const QStringList &arguments,
                   const QString &workingDirectory)
{
    return start(program, arguments, workingDirectory) == StartResult::Started;
}

bool run(const StartCommand &command)
{
    if (command.program.isEmpty())
        return false;
    if (starterHook())
        return starterHook()(command);
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(command.workingDirectory);
    if (!command.environment.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (auto it = command.environment.cbegin(); it != command.environment.cend(); ++it)
            environment.insert(it.key(), it.value());
        process.setProcessEnvironment(environment);
    }
    return process.startDetached();
}

bool openDocument(const QString &pathOrUrl)
{
    if (pathOrUrl.isEmpty())
        return false;
    if (openerHook())
        return openerHook()(pathOrUrl);
    return openWithDesktop(pathOrUrl);
}

void setStarterForTesting(Starter starter)
{
    starterHook() = std::move(starter);
}

void setOpenerForTesting(Opener opener)
{
    openerHook() = std::move(opener);
}

} // namespace ShellOpen
