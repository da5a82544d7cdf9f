#include "platform/WineLoader.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

using ExecutableKind::Machine;

namespace {

// A wrapper names a few loaders; anything longer is no wrapper of Wine's.
constexpr qint64 kLongestScript = 64 * 1024;

QString beside(const QString &path, const QString &name)
{
    return QFileInfo(path).path() + QLatin1Char('/') + name;
}

Machine elfLoaderMachine(const MachineRoot &root, const QString &path)
{
    const QString resolved = root.resolve(path);
    if (resolved.isEmpty() || !root.isExecutableFile(resolved))
        return Machine::None;
    return ExecutableKind::linuxMachine(root.hostPath(resolved));
}

// The new WoW64 build: the 32-bit Windows side beside the 64-bit Unix side in one library
// folder of the installation the loader (resolved) belongs to.
bool hasNewWow64Side(const MachineRoot &root, const QString &loader)
{
    const QString bin = QFileInfo(loader).path();
    for (const QString &lib : {QStringLiteral("/../lib/wine"), QStringLiteral("/../lib64/wine"),
                               QStringLiteral("/../lib/x86_64-linux-gnu/wine"),
                               QStringLiteral("/../x86_64-linux-gnu/wine")}) {
        const QString folder = bin + lib;
        if (QFileInfo(root.hostPath(folder + QStringLiteral("/i386-windows/ntdll.dll"))).isFile()
            && QFileInfo(root.hostPath(folder + QStringLiteral("/x86_64-unix/ntdll.so"))).isFile())
            return true;
    }
    return false;
}

std::optional<QByteArray> scriptText(const MachineRoot &root, const QString &resolved)
{
    QFile file;
    if (RegularFile::open(file, root.hostPath(resolved)) != RegularFile::Status::Opened || file.peek(2) != "#!")
        return std::nullopt;
    return file.read(kLongestScript);
}

} // namespace

QStringList WineLoader::wrapperLoaders(const QByteArray &script)
{
    if (!script.startsWith("#!"))
        return {};
    QString wine32, wine64;
    for (const QByteArray &raw : script.split('\n')) {
        const QByteArray line = raw.trimmed();
        for (auto [name, target] : {std::pair{QByteArrayView("wine32="), &wine32},
                                    std::pair{QByteArrayView("wine64="), &wine64}}) {
            if (!line.startsWith(name) || !target->isEmpty())
                continue;
            QByteArray value = line.mid(name.size());
            if (value.size() >= 2 && (value.startsWith('"') || value.startsWith('\''))
                && value.endsWith(value.front()))
                value = value.mid(1, value.size() - 2);
            // Only a plain absolute path: no variable, command or quote to interpret.
            if (value.startsWith('/') && !value.contains('$') && !value.contains('`')
                && !value.contains('"') && !value.contains('\'') && !value.contains(' '))
                *target = QFile::decodeName(value);
        }
    }
    if (wine32.isEmpty() || wine64.isEmpty())
        return {};
    return {wine32, wine64};
}

std::optional<WineLoader> WineLoader::inspect(const MachineRoot &root, const QString &path)
{
    if (!root.isExecutableFile(path))
        return std::nullopt;
    const QString resolved = root.resolve(path);
    const QString hostPath = root.hostPath(path);
    const Machine machine = elfLoaderMachine(root, resolved);
    switch (machine) {
    case Machine::I386:
        return WineLoader(hostPath, Layout::Loader32, Machine::I386, true,
                          elfLoaderMachine(root, beside(resolved, QStringLiteral("wine64"))) == Machine::X86_64);
    case Machine::X86_64: {
        if (elfLoaderMachine(root, beside(resolved, QStringLiteral("wine"))) == Machine::I386)
            return WineLoader(hostPath, Layout::Wow64Pair, Machine::X86_64, true, true);
        if (hasNewWow64Side(root, resolved))
            return WineLoader(hostPath, Layout::NewWow64, Machine::X86_64, true, true);
        return WineLoader(hostPath, Layout::Loader64, Machine::X86_64, false, true);
    }
    case Machine::None:
        break;
    case Machine::Arm:
    case Machine::Arm64:
    case Machine::Other:
        return WineLoader(hostPath, Layout::OtherMachine, machine, false, false);
    }
    const std::optional<QByteArray> script = scriptText(root, resolved);
    if (!script)
        return std::nullopt;
    const QStringList loaders = wrapperLoaders(*script);
    if (loaders.isEmpty())
        return WineLoader(hostPath, Layout::Script, Machine::None, true, true);
    for (const QString &loader : loaders) {
        if (!root.isExecutableFile(loader))
            continue;
        // Only a real loader: a script there would not start Wine (and might name us again).
        if (elfLoaderMachine(root, loader) == Machine::None)
            return std::nullopt;
        const std::optional<WineLoader> inner = inspect(root, loader);
        if (!inner)
            return std::nullopt;
        return WineLoader(hostPath, Layout::DebianWrapper, inner->m_machine, inner->m_runs32, inner->m_runs64);
    }
    return std::nullopt;
}

bool WineLoader::runs(Machine machine) const
{
    return (machine == Machine::I386 && m_runs32) || (machine == Machine::X86_64 && m_runs64);
}
