#include "platform/FileUtil.h"

#include "platform/AtomicFileWriter.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

QString GetShellDisplayName(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return path;
    return info.fileName();
}

bool CopyFileByStream(const QString &source, const QString &destination,
                      std::optional<QFileDevice::Permissions> permissions)
{
    QFile in;
    if (RegularFile::open(in, source, true) != RegularFile::Status::Opened)
        return false;
    AtomicFileWriter out(destination, AtomicFileWriter::AtLink::Replace);
    out.setPermissions(permissions ? *permissions : QFileInfo(source).permissions());
    if (!out.open())
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (!out.write(QByteArrayView(buffer, n)))
            return false;
    }
    return out.commit();
}

std::optional<QByteArray> ReadWholeFile(const QString &path)
{
    QFile file;
    if (RegularFile::open(file, path) != RegularFile::Status::Opened)
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    AtomicFileWriter file(path);
    return file.open() && file.write(bytes) && file.commit();
}
