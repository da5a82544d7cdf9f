#include "platform/NamedSemaphore.h"

#include "platform/XdgDirs.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool usableName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString lockDir()
{
    const QString base = XdgDirs::runtimeDir();
    if (base.isEmpty())
        return {};
    const QString dir = base + QLatin1String("/wexmora");
    return XdgDirs::ensurePrivateDir(dir) ? dir : QString();
}

} // namespace

NamedSemaphore::NamedSemaphore(const QString &name) : m_name(name) {}

NamedSemaphore::~NamedSemaphore()
{
    release();
}

QString NamedSemaphore::lockPath(const QString &name)
{
    if (!usableName(name))
        return {};
    const QString dir = lockDir();
    return dir.isEmpty() ? QString() : dir + QLatin1Char('/') + name + QLatin1String(".lock");
}

NamedSemaphore::Result NamedSemaphore::tryAcquire()
{
    if (m_fd >= 0)
        return Result::Created;
    const QString path = lockPath(m_name);
    if (path.isEmpty())
        return Result::Failed;
    // Close-on-exec: programs we start (the launcher, TeraTerm) must not inherit our lock.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Failed;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_fd = fd;
        return Result::Created;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? Result::AlreadyExists : Result::Failed;
}

void NamedSemaphore::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);  // drops the lock
    m_fd = -1;
}

bool NamedSemaphore::exists(const QString &name)
{
    NamedSemaphore probe(name);
    return probe.tryAcquire() == Result::AlreadyExists;
}
