#include "platform/AppPaths.h"

#include <QCoreApplication>

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

} // namespace AppPaths
