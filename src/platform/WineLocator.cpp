#include "platform/WineLocator.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

using ExecutableKind::Machine;

namespace {

QString &rootOverride()
{
    static QString path;
    return path;
}

QStringList candidates()
{
    QStringList out;
    const QStringList path = qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &name : {QStringLiteral("wine"), QStringLiteral("wine64")}) {
        for (const QString &dir : path) {
            // A relative entry names a folder of wherever we were started: never a loader.
            if (dir.startsWith(QLatin1Char('/')))
                out << dir + QLatin1Char('/') + name;
        }
    }
    for (const QString &dir : {QStringLiteral("/usr/lib/wine"), QStringLiteral("/usr/lib/wine-development")})
        out << dir + QStringLiteral("/wine") << dir + QStringLiteral("/wine64");
    for (const QString &dir : {QStringLiteral("stable"), QStringLiteral("devel"), QStringLiteral("staging")})
        out << QStringLiteral("/opt/wine-") + dir + QStringLiteral("/bin/wine")
            << QStringLiteral("/opt/wine-") + dir + QStringLiteral("/bin/wine64");
    return out;
}

} // namespace

namespace WineLocator {

MachineRoot root()
{
    return MachineRoot(rootOverride().isEmpty() ? QStringLiteral("/") : rootOverride());
}

QList<WineLoader> installed()
{
    const MachineRoot machine = root();
    QList<WineLoader> out;
    QSet<QString> seen;
    for (const QString &path : candidates()) {
        const QString resolved = machine.resolve(path);
        if (resolved.isEmpty() || seen.contains(resolved))
            continue;
        seen.insert(resolved);
        if (std::optional<WineLoader> loader = WineLoader::inspect(machine, path))
            out << *loader;
    }
    return out;
}

std::optional<WineLoader> loaderFor(Machine machine)
{
    const QList<WineLoader> all = installed();
    // One that does not hand the program over to the other loader of a pair first: that
    // starts two Wines. A script of unknown kind keeps its place (the user's own wrapper).
    for (const WineLoader &loader : all) {
        if (loader.runs(machine)
            && (loader.loaderMachine() == machine || loader.loaderMachine() == Machine::None))
            return loader;
    }
    for (const WineLoader &loader : all) {
        if (loader.runs(machine))
            return loader;
    }
    return std::nullopt;
}

QString loader()
{
    const QList<WineLoader> all = installed();
    return all.isEmpty() ? QString() : all.first().path();
}

bool isLoaderName(const QString &name)
{
    static const QRegularExpression loaderName(QStringLiteral("^wine(64)?(-stable|-development|-devel|-staging)?$"));
    return loaderName.match(name).hasMatch();
}

QString missingWineMessage(const QString &program)
{
    const QString name = QFileInfo(program).fileName();
    if (ExecutableKind::windowsMachine(program).machine == Machine::I386)
        return QStringLiteral("%1 is a 32-bit Windows program (i386): Wine is needed to start it, "
                              "and Wine was not found.\rPlease install Wine with its 32-bit part "
                              "(on Debian and Ubuntu for amd64, as root: dpkg --add-architecture "
                              "i386, then apt-get update, then apt-get install wine wine32:i386).")
            .arg(name);
    return QStringLiteral("%1 is a Windows program: Wine is needed to start it, and Wine was "
                          "not found.\rPlease install Wine (on Debian and Ubuntu: the package "
                          "\"wine\").")
        .arg(name);
}

void setRootForTesting(const QString &path)
{
    rootOverride() = path;
}

} // namespace WineLocator
