#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

#include <optional>

// Writes a file whole through a temporary file in the same folder that takes the file's name
// only when it is complete, so a failure, or a kill at any moment, leaves the old file whole.
// Tables and macros may hold passwords: the temporary is owner-only from its first byte, and
// it gets the finished file's mode only just before it takes the name, so nothing on disk is
// ever readable by more than the finished file will be. The temporary has no name while it is
// written; should a kill fall between naming it ("<name>.wexsave-XXXXXX") and renaming it,
// the next write of that file removes what was left.
class AtomicFileWriter
{
public:
    // What a link standing at Path means: the file it leads to is written (a table kept
    // elsewhere and linked into a folder), or the link itself is replaced by the new file and
    // whatever it points at is never touched (files in folders others may write).
    enum class AtLink { WriteTarget, Replace };

    explicit AtomicFileWriter(const QString &path, AtLink atLink = AtLink::WriteTarget);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // The mode of the finished file. Without it an existing file keeps its own mode and a new
    // one gets the usual mode of new files (what the umask leaves of 0666).
    void setPermissions(QFileDevice::Permissions permissions);

    // Creates the temporary, after removing what an earlier killed write of this file left.
    bool open();
    bool write(QByteArrayView bytes);
    // Gives the temporary its final mode and the file's name. False when any step failed;
    // the old file is then as it was, and the temporary is gone.
    bool commit();
    // Drops the temporary; the old file stays.
    void cancel();

    bool isOpen() const { return m_fd >= 0; }
    // The temporary's descriptor while open.
    int handle() const { return m_fd; }
    QString errorString() const { return m_error; }

    // The names a write of FileName gives its temporary, before the six random characters.
    static QString temporaryPrefix(const QString &fileName);

private:
    bool fail(const char *step, int error);
    bool giveName(QByteArray &named);
    void removeLeftovers() const;

    QString m_path;
    AtLink m_atLink;
    std::optional<unsigned> m_mode;
    QByteArray m_target;      // the file written, links resolved as asked
    QByteArray m_tempName;    // the temporary's name, when it has one
    unsigned m_finalMode = 0;
    int m_fd = -1;
    bool m_unnamed = false;
    bool m_failed = false;
    QString m_error;
};
