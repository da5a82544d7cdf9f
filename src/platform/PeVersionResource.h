#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

// The file version of a Windows executable (PE32 or PE32+), read from the fixed part of its
// version resource. Every offset and size taken from the file is checked against the file
// before it is used: a damaged or hostile file gives no version, never a read outside it.
namespace PeVersionResource {

struct FileVersion
{
    quint16 major = 0;
    quint16 minor = 0;
    quint16 release = 0;
    quint16 build = 0;
};

// The version of the image Bytes; nothing when it is no PE file or has no fixed version
// block.
std::optional<FileVersion> read(QByteArrayView bytes);
// The same for the file Path, mapped rather than read; nothing when it cannot be opened.
std::optional<FileVersion> readFile(const QString &path);

} // namespace PeVersionResource
