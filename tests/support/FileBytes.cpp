#include "support/FileBytes.h"

#include <QFile>

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadFileBytes(const QString &path, const QByteArray &unreadable)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : unreadable;
}
