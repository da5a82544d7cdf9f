#include "platform/FileUtil.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString GetShellDisplayName(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return path;
    return info.fileName();
}

bool CopyFileByStream(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (out.write(buffer, n) != n)
            return false;
    }
    return out.commit();
}

std::optional<QByteArray> ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
