#include "platform/AppPaths.h"

#include "platform/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

namespace AppPaths {

QString programDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return QCoreApplication::applicationDirPath();
}

void setProgramDir(const QString &dir)
{
    overrideDir() = dir;
}

QString AppFilePath(const QString &name)
{
    QString dir = programDir();
    QString rest = name;
    while (dir.endsWith(QLatin1Char('/')) && dir.size() > 1)
        dir.chop(1);
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    return dir + QLatin1Char('/') + rest;
}

QString EnsureAppSubdir(const QString &name, Prompter &prompter)
{
    const QString path = AppFilePath(name);
    const QFileInfo info(path);
    if (info.isDir())
        return path;
    if (!info.exists() && QDir().mkdir(path))
        return path;
    prompter.warning(QStringLiteral("Cannot create directory") + path);
    return QString();
}

} // namespace AppPaths
