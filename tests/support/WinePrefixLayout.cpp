#include "support/WinePrefixLayout.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool MakeWinePrefixLayout(const QString &folder)
{
    const QDir prefix(folder);
    return prefix.mkpath(QStringLiteral("drive_c/windows")) && prefix.mkpath(QStringLiteral("dosdevices"))
        && QFile::link(QStringLiteral("../drive_c"), prefix.filePath(QStringLiteral("dosdevices/c:")))
        && QFile::link(QStringLiteral("/"), prefix.filePath(QStringLiteral("dosdevices/z:")));
}

bool WriteWindowsExecutable(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    return WriteFileBytes(path, QByteArray("MZ\x90\0\3\0\0\0", 8));
}
