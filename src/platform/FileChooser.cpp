#include "platform/FileChooser.h"

#include <QFileInfo>

namespace {

QString patternList(const QString &patterns)
{
    QStringList out;
    for (const QString &raw : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString p = raw.trimmed();
        if (p.isEmpty())
            continue;
        if (p == QLatin1String("*.*") || p == QLatin1String("*")) {
            out.append(QStringLiteral("*"));
            continue;
        }
        for (const QString &spelling : {p, p.toUpper(), p.toLower()})
            if (!out.contains(spelling))
                out.append(spelling);
    }
    return out.join(QLatin1Char(' '));
}

// The description without a trailing "(...)" list: Qt reads the patterns from there, so the
// list is written anew from the pattern part.
QString descriptionText(const QString &description)
{
    QString d = description.trimmed();
    if (d.endsWith(QLatin1Char(')'))) {
        const qsizetype open = d.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            d = d.left(open).trimmed();
    }
    return d;
}

} // namespace

QStringList FileDialogNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out.append(descriptionText(parts.at(i)) + QStringLiteral(" (") + patternList(parts.at(i + 1))
                   + QStringLiteral(")"));
    return out;
}

QString AddDefaultExtension(const QString &fileName, const QString &extension)
{
    if (fileName.isEmpty() || extension.isEmpty())
        return fileName;
    const QString name = QFileInfo(fileName).fileName();
    if (name.contains(QLatin1Char('.')))
        return fileName;
    return fileName + QLatin1Char('.') + extension;
}

QString UpperFileExtension(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}
