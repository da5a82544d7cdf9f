#include "platform/WinePrefix.h"

#include "platform/ResolvedPath.h"

#include <QFileInfo>

namespace WinePrefix {

QString containing(const QString &path)
{
    if (path.isEmpty())
        return QString();
    QString dir = ResolvedPath(path);
    for (;;) {
        const QString base = dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
        if (QFileInfo(base + QStringLiteral("drive_c")).isDir()
            && QFileInfo(base + QStringLiteral("dosdevices")).isDir())
            return dir;
        const qsizetype slash = dir.lastIndexOf(QLatin1Char('/'));
        if (slash < 0 || dir == QLatin1String("/"))
            return QString();
        dir = slash == 0 ? QStringLiteral("/") : dir.left(slash);
    }
}

} // namespace WinePrefix
