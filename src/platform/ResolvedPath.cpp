#include "platform/ResolvedPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString ResolvedPath(const QString &path)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString head = clean;
    QStringList tail;
    for (;;) {
        const QString canonical = QFileInfo(head).canonicalFilePath();
        if (!canonical.isEmpty())
            return tail.isEmpty() ? canonical
                                  : QDir::cleanPath(canonical + QLatin1Char('/') + tail.join(QLatin1Char('/')));
        const qsizetype slash = head.lastIndexOf(QLatin1Char('/'));
        if (slash < 0 || head == QLatin1String("/"))
            return clean;
        tail.prepend(head.mid(slash + 1));
        head = slash == 0 ? QStringLiteral("/") : head.left(slash);
    }
}
