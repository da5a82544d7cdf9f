#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RegularFile::Status statusOfErrno(int error)
{
    return error == ENOENT || error == ENOTDIR ? RegularFile::Status::Missing : RegularFile::Status::Failed;
}

} // namespace

RegularFile::Status RegularFile::open(QFile &file, const QString &path, bool unbuffered)
{
    if (path.isEmpty())
        return Status::Missing;
    const QByteArray name = QFile::encodeName(path);
    // Refused by its kind before it is opened at all: opening some devices already acts.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return statusOfErrno(errno);
    if (!S_ISREG(st.st_mode))
        return Status::NotRegular;
    // The name may have been swapped for a pipe since: the open does not wait, and what was
    // opened is checked again.
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return statusOfErrno(errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Status::NotRegular;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return Status::Failed;
    }
    QIODevice::OpenMode mode = QIODevice::ReadOnly;
    if (unbuffered)
        mode |= QIODevice::Unbuffered;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Status::Failed;
    }
    return Status::Opened;
}

QString RegularFile::reason(Status status, const QString &path)
{
    switch (status) {
    case Status::Opened:
        return {};
    case Status::Missing:
        return QStringLiteral("The file does not exist.");
    case Status::Failed:
        return QStringLiteral("The file cannot be read.");
    case Status::NotRegular:
        break;
    }
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return QStringLiteral("It is a folder, not a file.");
        if (S_ISFIFO(st.st_mode))
            return QStringLiteral("It is a named pipe, not a file.");
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
            return QStringLiteral("It is a device, not a file.");
        if (S_ISSOCK(st.st_mode))
            return QStringLiteral("It is a socket, not a file.");
    }
    return QStringLiteral("It is not a regular file.");
}
