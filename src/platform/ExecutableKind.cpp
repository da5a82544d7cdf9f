#include "platform/ExecutableKind.h"

#include "platform/RegularFile.h"

#include <QFile>

namespace ExecutableKind {

bool isWindowsExecutable(const QString &path)
{
    QFile file;
    if (RegularFile::open(file, path) != RegularFile::Status::Opened)
        return false;
    return file.read(2) == "MZ";
}

} // namespace ExecutableKind
