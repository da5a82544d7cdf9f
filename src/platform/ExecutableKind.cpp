#include "platform/ExecutableKind.h"

#include <QFile>

namespace ExecutableKind {

bool isWindowsExecutable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(2) == "MZ";
}

} // namespace ExecutableKind
