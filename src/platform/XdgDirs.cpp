#include "platform/XdgDirs.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString absoluteEnv(const char *name)
{
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

} // namespace

namespace XdgDirs {

QString configHome()
{
    const QString dir = absoluteEnv("XDG_CONFIG_HOME");
    return dir.isEmpty() ? QDir::homePath() + QLatin1String("/.config") : dir;
}

QString dataHome()
{
    const QString dir = absoluteEnv("XDG_DATA_HOME");
    return dir.isEmpty() ? QDir::homePath() + QLatin1String("/.local/share") : dir;
}

QString runtimeDir()
{
    const QString dir = absoluteEnv("XDG_RUNTIME_DIR");
    if (!dir.isEmpty())
        return dir;
    // In a shared temp dir the directory must be ours and closed to others, or another
    // user could plant or hold our lock files.
    const QString own = QDir::tempPath() + QLatin1String("/wexmora-runtime-")
                        + QString::number(geteuid());
    return ensurePrivateDir(own) ? own : QString();
}

bool ensurePrivateDir(const QString &dir)
{
    const QByteArray native = QFile::encodeName(dir);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid())
        return false;
    return (st.st_mode & 0077) == 0 || ::chmod(native.constData(), 0700) == 0;
}

} // namespace XdgDirs
