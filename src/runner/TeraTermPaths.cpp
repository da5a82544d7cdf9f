#include "runner/TeraTermPaths.h"

#include "platform/AppPaths.h"
#include "platform/ExecutableKind.h"
#include "platform/WinePrefix.h"
#include "runner/MacroVariables.h"
#include "runner/ProgramFolder.h"

#include <QFile>

TeraTermPaths::TeraTermPaths(const QString &prefix)
    : m_prefix(prefix), m_drives(WineDriveMap::forPrefix(prefix))
{
}

TeraTermPaths TeraTermPaths::forProgramFolder()
{
    if (!ExecutableKind::isWindowsExecutable(TeraTermExePath()))
        return TeraTermPaths();
    const QString prefix = WinePrefix::containing(AppPaths::programDir());
    return prefix.isEmpty() ? TeraTermPaths() : TeraTermPaths(prefix);
}

std::optional<QString> TeraTermPaths::file(const QString &path) const
{
    if (!throughWine())
        return path;
    return m_drives.windowsPath(path);
}

std::optional<QString> TeraTermPaths::folder(const QString &path) const
{
    if (path.isEmpty())
        return QString(separator());
    std::optional<QString> name = file(path);
    if (name && !name->endsWith(separator()))
        *name += separator();
    return name;
}

QByteArray TeraTermPaths::windowsDir() const
{
    // Wine keeps its Windows folder there whatever the drives show.
    return throughWine() ? QByteArrayLiteral("C:\\windows\\") : GetWindowsDirWithSlash();
}

QByteArray TeraTermPaths::bytes(const QString &name) const
{
    return throughWine() ? name.toUtf8() : QFile::encodeName(name);
}

QChar TeraTermPaths::separator() const
{
    return throughWine() ? QLatin1Char('\\') : QLatin1Char('/');
}
