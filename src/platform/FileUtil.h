#pragma once

#include <QString>

// The name a file manager shows for Path: its file name when the file exists, else the path
// unchanged.
QString GetShellDisplayName(const QString &path);

// Copies Source over Destination whole. Returns false when either side fails; an existing
// Destination is then left as it was.
bool CopyFileByStream(const QString &source, const QString &destination);
