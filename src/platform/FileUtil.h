#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// The name a file manager shows for Path: its file name when the file exists, else the path
// unchanged.
QString GetShellDisplayName(const QString &path);

// Copies the regular file Source whole to Destination, replacing a file there. The copy has
// Permissions, or else the source's, from its first byte on; a link standing at Destination is
// replaced, never written through. Returns false when either side fails; an existing
// Destination is then left as it was.
bool CopyFileByStream(const QString &source, const QString &destination,
                      std::optional<QFileDevice::Permissions> permissions = std::nullopt);

// The bytes of the file at Path, whole; nothing when it is no regular file or cannot be read to
// its end.
std::optional<QByteArray> ReadWholeFile(const QString &path);
// Writes Bytes as the whole file at Path through a temporary file renamed over it, so a failure
// leaves the old file as it was. False on failure.
bool WriteWholeFile(const QString &path, const QByteArray &bytes);
