// The drive map of a Wine prefix reads names and link targets the user made in "dosdevices".
// Input: lines; "entry<TAB>root" makes a drive of a dosdevices entry, any other line is a path
// to name through the drives.
#include "platform/WineDriveMap.h"

#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    QList<WineDriveMap::Drive> drives;
    QList<QString> paths;
    for (const QStringView line : lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab >= 0)
            drives.append({WineDriveMap::driveLetter(line.left(tab).toString()), line.mid(tab + 1).toString()});
        else
            paths.append(line.toString());
    }
    const WineDriveMap map(drives);
    for (const QString &path : paths) {
        const std::optional<QString> name = map.windowsPathOfResolved(path);
        // A name always starts with a drive the map holds.
        if (name && (name->size() < 3 || name->at(1) != QLatin1Char(':') || name->at(2) != QLatin1Char('\\')))
            __builtin_trap();
    }
    return 0;
}
