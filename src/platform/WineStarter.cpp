#include "platform/WineStarter.h"

#include "platform/ExecutableKind.h"
#include "platform/WineLocator.h"
#include "platform/WinePrefix.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The file Program names: a bare name is looked for on the PATH, as the start would.
QString programFile(const QString &program)
{
    return program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
}

std::optional<StartCommand> throughWine(const QString &prefix, const QString &program,
                                        const QStringList &arguments, const QString &workingDirectory)
{
    const QString loader = WineLocator::loader();
    if (loader.isEmpty())
        return std::nullopt;
    StartCommand command{loader, QStringList{program} + arguments, workingDirectory, {}};
    if (!prefix.isEmpty())
        command.environment.insert(QStringLiteral("WINEPREFIX"), prefix);
    return command;
}

} // namespace

namespace WineStarter {

bool needsWine(const QString &program)
{
    const QString file = programFile(program);
    return !file.isEmpty() && ExecutableKind::isWindowsExecutable(file);
}

bool wineMissingFor(const QString &program)
{
    return needsWine(program) && WineLocator::loader().isEmpty();
}

std::optional<StartCommand> commandFor(const QString &program, const QStringList &arguments,
                                       const QString &workingDirectory)
{
    if (!needsWine(program))
        return StartCommand{program, arguments, workingDirectory, {}};
    // An absolute path, so Wine names the program by the drive that shows its folder.
    const QFileInfo file(programFile(program));
    return throughWine(WinePrefix::containing(file.absolutePath()), file.absoluteFilePath(),
                       arguments, workingDirectory);
}

std::optional<StartCommand> builtinCommand(const QString &prefix, const QString &name,
                                           const QStringList &arguments)
{
    return throughWine(prefix, name, arguments, QString());
}

} // namespace WineStarter
