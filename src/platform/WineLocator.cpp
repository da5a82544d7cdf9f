#include "platform/WineLocator.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &fallbackOverride()
{
    static QString path;
    return path;
}

QString fallbackLoader()
{
    return fallbackOverride().isEmpty() ? QStringLiteral("/usr/lib/wine/wine64") : fallbackOverride();
}

} // namespace

namespace WineLocator {

QString loader()
{
    for (const QString &name : {QStringLiteral("wine"), QStringLiteral("wine64")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    const QFileInfo fallback(fallbackLoader());
    return fallback.isFile() && fallback.isExecutable() ? fallback.filePath() : QString();
}

QString missingWineMessage(const QString &program)
{
    return QStringLiteral("%1 is a Windows program: Wine is needed to start it, and Wine was "
                          "not found.\rPlease install Wine (on Debian and Ubuntu: the package "
                          "\"wine\").")
        .arg(QFileInfo(program).fileName());
}

void setFallbackLoaderForTesting(const QString &path)
{
    fallbackOverride() = path;
}

} // namespace WineLocator
