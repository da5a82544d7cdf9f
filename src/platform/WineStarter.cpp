#include "platform/WineStarter.h"

#include "platform/ExecutableKind.h"
#include "platform/WineLocator.h"
#include "platform/WinePrefix.h"

#include <QFileInfo>
#include <QStandardPaths>

using ExecutableKind::Machine;

namespace {

// The file Program names: a bare name is looked for on the PATH, as the start would.
QString programFile(const QString &program)
{
    return program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
}

bool runnable(Machine machine)
{
    return machine == Machine::I386 || machine == Machine::X86_64;
}

QString unsupportedMachine(const QString &name, const ExecutableKind::WindowsMachine &machine)
{
    if (machine.machine == Machine::None)
        return QStringLiteral("%1 is not a Windows program that Wine can start: its PE header is "
                              "missing or damaged.").arg(name);
    return QStringLiteral("%1 is a Windows program for %2 (machine 0x%3); Wine runs only x86 "
                          "programs here (32-bit i386 and 64-bit x86-64).\rPlease use the x86 "
                          "version of %1.")
        .arg(name, ExecutableKind::machineName(machine.machine),
             QStringLiteral("%1").arg(machine.field, 4, 16, QLatin1Char('0')).toUpper());
}

QString noWineFor(const QString &name, Machine machine)
{
    if (machine == Machine::I386)
        return QStringLiteral("%1 is a 32-bit Windows program (i386), and no Wine on this computer "
                              "runs 32-bit programs.\rPlease install Wine's 32-bit part (on Debian "
                              "and Ubuntu for amd64, as root: dpkg --add-architecture i386, then "
                              "apt-get update, then apt-get install wine32:i386).").arg(name);
    return QStringLiteral("%1 is a 64-bit Windows program (x86-64), and no Wine on this computer "
                          "runs 64-bit programs.\rPlease install Wine's 64-bit part (on Debian and "
                          "Ubuntu: the package \"wine64\").").arg(name);
}

// The problem of running a program of Machine, named Name, shown as File when Wine is missing.
QString problemFor(const QString &file, const ExecutableKind::WindowsMachine &machine)
{
    const QString name = QFileInfo(file).fileName();
    if (!runnable(machine.machine))
        return unsupportedMachine(name, machine);
    if (WineLocator::loaderFor(machine.machine))
        return QString();
    if (WineLocator::installed().isEmpty())
        return WineLocator::missingWineMessage(file);
    return noWineFor(name, machine.machine);
}

StartCommand throughWine(const QString &loader, const QString &prefix, const QString &program,
                         const QStringList &arguments, const QString &workingDirectory)
{
    StartCommand command{loader, QStringList{program} + arguments, workingDirectory, {}};
    if (!prefix.isEmpty())
        command.environment.insert(QStringLiteral("WINEPREFIX"), prefix);
    return command;
}

// The prefix's own copy of a program Wine brings along; none in a prefix Wine has not made yet.
QString builtinFile(const QString &prefix, const QString &name)
{
    return prefix + QStringLiteral("/drive_c/windows/system32/") + name;
}

} // namespace

namespace WineStarter {

bool needsWine(const QString &program)
{
    const QString file = programFile(program);
    return !file.isEmpty() && ExecutableKind::isWindowsExecutable(file);
}

QString startProblem(const QString &program)
{
    if (!needsWine(program))
        return QString();
    const QString file = programFile(program);
    return problemFor(file, ExecutableKind::windowsMachine(file));
}

std::optional<StartCommand> commandFor(const QString &program, const QStringList &arguments,
                                       const QString &workingDirectory)
{
    if (!needsWine(program))
        return StartCommand{program, arguments, workingDirectory, {}};
    const QFileInfo file(programFile(program));
    const std::optional<WineLoader> loader =
        WineLocator::loaderFor(ExecutableKind::windowsMachine(file.filePath()).machine);
    if (!loader)
        return std::nullopt;
    // An absolute path, so Wine names the program by the drive that shows its folder.
    return throughWine(loader->path(), WinePrefix::containing(file.absolutePath()),
                       file.absoluteFilePath(), arguments, workingDirectory);
}

std::optional<StartCommand> builtinCommand(const QString &prefix, const QString &name,
                                           const QStringList &arguments)
{
    const QString own = builtinFile(prefix, name);
    QString loader;
    if (QFileInfo(own).isFile()) {
        if (const std::optional<WineLoader> found =
                WineLocator::loaderFor(ExecutableKind::windowsMachine(own).machine))
            loader = found->path();
    } else {
        loader = WineLocator::loader();
    }
    if (loader.isEmpty())
        return std::nullopt;
    return throughWine(loader, prefix, name, arguments, QString());
}

QString builtinProblem(const QString &prefix, const QString &name)
{
    const QString own = builtinFile(prefix, name);
    if (QFileInfo(own).isFile()) {
        if (const QString problem = problemFor(own, ExecutableKind::windowsMachine(own)); !problem.isEmpty())
            return problem;
    }
    return WineLocator::missingWineMessage(name);
}

} // namespace WineStarter
