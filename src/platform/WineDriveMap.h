#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

// The drives of a Wine prefix and the Windows path they give a Linux path, worked out from
// the prefix's "dosdevices" links ("c:" to "../drive_c", "z:" to "/", and any drive the user
// made) without starting Wine.
class WineDriveMap
{
public:
    struct Drive
    {
        QChar letter;  // "A" to "Z"
        QString root;  // the Linux folder the drive shows, links resolved
    };

    WineDriveMap() = default;
    // Drives with an upper-case letter and an absolute root; others are left out.
    explicit WineDriveMap(const QList<Drive> &drives);

    // The drives of Prefix: every entry of its "dosdevices" named by a letter and a colon that
    // leads to an existing folder. Other entries (serial ports, "c::" devices) are no drives.
    static WineDriveMap forPrefix(const QString &prefix);

    // The drive letter an entry of "dosdevices" names ("c:" gives "C"), or a null QChar.
    static QChar driveLetter(const QString &entryName);

    const QList<Drive> &drives() const { return m_drives; }

    // The Windows path of Path, resolved first: the drive whose root is the longest leading
    // part of it (the lower letter between equals), then its names joined by "\". Nothing when
    // no drive shows the path or a name in it holds a character Windows names cannot hold.
    std::optional<QString> windowsPath(const QString &path) const;
    // The same for an absolute path whose links are resolved already; reads no file.
    std::optional<QString> windowsPathOfResolved(const QString &path) const;

private:
    QList<Drive> m_drives;  // by letter
};
