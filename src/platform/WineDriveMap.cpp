#include "platform/WineDriveMap.h"

#include "platform/ResolvedPath.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kSlash = QStringLiteral("/");

// Characters Windows file names cannot hold; Wine shows such a Linux name under a made-up
// short name that cannot be known here.
bool isWindowsName(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 32 || QStringLiteral("\\:*?\"<>|").contains(c))
            return false;
    return true;
}

// Whether Root, a folder, holds Path or is it.
bool holds(const QString &root, const QString &path)
{
    if (root == kSlash)
        return true;
    return path.startsWith(root)
        && (path.size() == root.size() || path.at(root.size()) == QLatin1Char('/'));
}

} // namespace

WineDriveMap::WineDriveMap(const QList<Drive> &drives)
{
    for (const Drive &d : drives) {
        if (d.letter < QLatin1Char('A') || d.letter > QLatin1Char('Z') || !d.root.startsWith(kSlash))
            continue;
        m_drives.append({d.letter, QDir::cleanPath(d.root)});
    }
    std::stable_sort(m_drives.begin(), m_drives.end(),
                     [](const Drive &a, const Drive &b) { return a.letter < b.letter; });
}

QChar WineDriveMap::driveLetter(const QString &entryName)
{
    if (entryName.size() != 2 || entryName.at(1) != QLatin1Char(':'))
        return QChar();
    const QChar letter = entryName.at(0).toUpper();
    return letter >= QLatin1Char('A') && letter <= QLatin1Char('Z') ? letter : QChar();
}

WineDriveMap WineDriveMap::forPrefix(const QString &prefix)
{
    const QDir devices(QDir(prefix).filePath(QStringLiteral("dosdevices")));
    QList<Drive> drives;
    // Broken links are listed too (System): they are passed over below, as no folder.
    const QStringList names = devices.entryList(QDir::AllEntries | QDir::System | QDir::Hidden
                                                | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QChar letter = driveLetter(name);
        if (letter.isNull())
            continue;
        const QFileInfo target(devices.filePath(name));
        if (target.isDir())
            drives.append({letter, target.canonicalFilePath()});
    }
    return WineDriveMap(drives);
}

std::optional<QString> WineDriveMap::windowsPath(const QString &path) const
{
    if (path.isEmpty())
        return std::nullopt;
    return windowsPathOfResolved(ResolvedPath(path));
}

std::optional<QString> WineDriveMap::windowsPathOfResolved(const QString &path) const
{
    if (!path.startsWith(kSlash))
        return std::nullopt;
    const Drive *best = nullptr;
    for (const Drive &d : m_drives)
        if (holds(d.root, path) && (!best || d.root.size() > best->root.size()))
            best = &d;
    if (!best)
        return std::nullopt;
    const QStringList names = path.mid(best->root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!std::all_of(names.begin(), names.end(), isWindowsName))
        return std::nullopt;
    return QString(best->letter) + QStringLiteral(":\\") + names.join(QLatin1Char('\\'));
}
