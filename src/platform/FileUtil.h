#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The name a file manager shows for Path: its file name when the file exists, else the path
// unchanged.
QString GetShellDisplayName(const QString &path);

// Copies Source over Destination whole. Returns false when either side fails; an existing
// Destination is then left as it was.
bool CopyFileByStream(const QString &source, const QString &destination);

// The bytes of the file at Path, whole; nothing when it is no file or cannot be read to its end.
std::optional<QByteArray> ReadWholeFile(const QString &path);
// Writes Bytes as the whole file at Path through a temporary file renamed over it, so a failure
// leaves the old file as it was. False on failure.
bool WriteWholeFile(const QString &path, const QByteArray &bytes);
