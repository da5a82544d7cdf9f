#include "platform/MachineRoot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

// The target a link holds as written, not resolved; empty for no link.
QString linkTarget(const QString &hostPath)
{
    const QByteArray name = QFile::encodeName(hostPath);
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(name.constData(), target.data(), size_t(target.size()));
    if (n <= 0 || n >= target.size())
        return QString();
    return QFile::decodeName(target.left(n));
}

} // namespace

MachineRoot::MachineRoot(const QString &root)
    : m_root(QDir::cleanPath(root.isEmpty() ? QStringLiteral("/") : root))
{
}

QString MachineRoot::hostPath(const QString &path) const
{
    const QString clean = QDir::cleanPath(QStringLiteral("/") + path);
    if (m_root == QLatin1String("/"))
        return clean;
    return clean == QLatin1String("/") ? m_root : m_root + clean;
}

QString MachineRoot::resolve(const QString &path) const
{
    QString current = QDir::cleanPath(QStringLiteral("/") + path);
    for (int hops = 0; hops <= 40; ++hops) {
        const QFileInfo info(hostPath(current));
        if (!info.isSymLink())
            return info.exists() ? current : QString();
        const QString target = linkTarget(hostPath(current));
        if (target.isEmpty())
            return QString();
        current = QDir::cleanPath(target.startsWith(QLatin1Char('/'))
                                      ? target
                                      : QFileInfo(current).path() + QLatin1Char('/') + target);
    }
    return QString();
}

bool MachineRoot::isExecutableFile(const QString &path) const
{
    const QString resolved = resolve(path);
    if (resolved.isEmpty())
        return false;
    const QFileInfo info(hostPath(resolved));
    return info.isFile() && info.isExecutable();
}
