#include "platform/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int RandomLength = 6;
constexpr int NameAttempts = 100;
constexpr int LinkDepth = 40;
constexpr char NameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The umask without changing it, where the system tells it.
mode_t currentUmask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(mask & 0777);
            }
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

unsigned modeOf(QFileDevice::Permissions p)
{
    unsigned mode = 0;
    const struct { QFileDevice::Permission flag; unsigned bit; } bits[] = {
        {QFileDevice::ReadOwner, 0400}, {QFileDevice::WriteOwner, 0200}, {QFileDevice::ExeOwner, 0100},
        {QFileDevice::ReadGroup, 040},  {QFileDevice::WriteGroup, 020},  {QFileDevice::ExeGroup, 010},
        {QFileDevice::ReadOther, 04},   {QFileDevice::WriteOther, 02},   {QFileDevice::ExeOther, 01},
    };
    for (const auto &b : bits)
        if (p.testFlag(b.flag))
            mode |= b.bit;
    return mode;
}

QByteArray randomSuffix()
{
    QByteArray s(RandomLength, Qt::Uninitialized);
    for (char &c : s)
        c = NameCharacters[QRandomGenerator::global()->bounded(int(sizeof NameCharacters - 1))];
    return s;
}

bool isRandomSuffix(QStringView s)
{
    if (s.size() != RandomLength)
        return false;
    for (const QChar c : s)
        if (c.unicode() > 127 || !std::strchr(NameCharacters, char(c.unicode())))
            return false;
    return true;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString &path, AtLink atLink) : m_path(path), m_atLink(atLink)
{
}

AtomicFileWriter::~AtomicFileWriter()
{
    cancel();
}

void AtomicFileWriter::setPermissions(QFileDevice::Permissions permissions)
{
    m_mode = modeOf(permissions);
}

QString AtomicFileWriter::temporaryPrefix(const QString &fileName)
{
    return fileName + QStringLiteral(".wexsave-");
}

bool AtomicFileWriter::fail(const char *step, int error)
{
    m_failed = true;
    if (m_error.isEmpty())
        m_error = QString::fromLatin1(step) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
    return false;
}

bool AtomicFileWriter::open()
{
    if (m_fd >= 0 || m_path.isEmpty())
        return fail("open", EINVAL);
    QString target = m_path;
    if (m_atLink == AtLink::WriteTarget) {
        for (int depth = 0; depth < LinkDepth && QFileInfo(target).isSymLink(); ++depth)
            target = QFileInfo(target).symLinkTarget();
    }
    m_target = QFile::encodeName(target);

    struct stat st {};
    const bool exists = ::lstat(m_target.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail("open", EISDIR);
    if (m_mode)
        m_finalMode = *m_mode;
    else if (exists && S_ISREG(st.st_mode))
        m_finalMode = st.st_mode & 0777;
    else
        m_finalMode = 0666 & ~currentUmask();

    removeLeftovers();
    const QFileInfo info(target);
    // Never readable by more than the finished file, and by nobody but the owner meanwhile.
    const mode_t tempMode = m_finalMode & 0600;
#ifdef O_TMPFILE
    // Without a name until it is whole; it is named through /proc, so only where that is.
    if (::access("/proc/self/fd", X_OK) == 0) {
        const QByteArray dir = QFile::encodeName(info.absolutePath());
        do {
            m_fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, tempMode);
        } while (m_fd < 0 && errno == EINTR);
        m_unnamed = m_fd >= 0;
    }
#endif
    for (int attempt = 0; m_fd < 0 && attempt < NameAttempts; ++attempt) {
        const QByteArray name = QFile::encodeName(info.absoluteDir().filePath(temporaryPrefix(info.fileName())))
            + randomSuffix();
        m_fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, tempMode);
        if (m_fd >= 0)
            m_tempName = name;
        else if (errno != EEXIST && errno != EINTR)
            return fail("create", errno);
    }
    if (m_fd < 0)
        return fail("create", EEXIST);
    return true;
}

bool AtomicFileWriter::write(QByteArrayView bytes)
{
    if (m_fd < 0 || m_failed)
        return fail("write", EBADF);
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail("write", errno);
        }
        p += n;
        left -= n;
    }
    return true;
}

bool AtomicFileWriter::giveName(QByteArray &named)
{
    const QFileInfo info(QFile::decodeName(m_target));
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QByteArray name = QFile::encodeName(info.absoluteDir().filePath(temporaryPrefix(info.fileName())))
            + randomSuffix();
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            named = name;
            return true;
        }
        if (errno != EEXIST)
            return fail("link", errno);
    }
    return fail("link", EEXIST);
}

bool AtomicFileWriter::commit()
{
    if (m_fd < 0 || m_failed) {
        cancel();
        return false;
    }
    bool ok = true;
    if (::fdatasync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        ok = fail("sync", errno);
    // The final mode only now: a kill from here on leaves at most what the file itself shows.
    if (ok && ::fchmod(m_fd, mode_t(m_finalMode)) != 0 && errno != EPERM && errno != ENOTSUP)
        ok = fail("chmod", errno);
    if (ok && m_unnamed)
        ok = giveName(m_tempName);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && ok)
        ok = fail("close", errno);
    if (ok && ::rename(m_tempName.constData(), m_target.constData()) != 0)
        ok = fail("rename", errno);
    if (ok)
        m_tempName.clear();
    cancel();
    return ok;
}

void AtomicFileWriter::cancel()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempName.isEmpty()) {
        ::unlink(m_tempName.constData());
        m_tempName.clear();
    }
}

void AtomicFileWriter::removeLeftovers() const
{
    const QFileInfo info(QFile::decodeName(m_target));
    const QString prefix = temporaryPrefix(info.fileName());
    const QDir dir = info.absoluteDir();
    // Compared by hand: a file name may hold the wildcard characters of a name filter.
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!name.startsWith(prefix) || !isRandomSuffix(QStringView(name).mid(prefix.size())))
            continue;
        // Only what this user's writes leave: a plain file, never a link or another's file.
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            ::unlink(path.constData());
    }
}
