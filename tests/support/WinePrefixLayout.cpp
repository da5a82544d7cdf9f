#include "support/WinePrefixLayout.h"

#include "support/FileBytes.h"
#include "support/PeImage.h"

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

bool WriteWindowsExecutable(const QString &path, quint16 field)
{
    QDir().mkpath(QFileInfo(path).path());
    PeImage image(PeImage::Options{.pe32Plus = field == PeX86_64});
    image.put16(PeImage::PeHeader + 4, field);
    return WriteFileBytes(path, image.bytes);
}
