#include "platform/ProcessSnapshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace ProcessSnapshot {

namespace {

QString &rootForTesting()
{
    static QString root;
    return root;
}

QString procRoot()
{
    return rootForTesting().isEmpty() ? QStringLiteral("/proc") : rootForTesting();
}

// A command line longer than this is cut; the first two arguments are all that is looked at.
constexpr qint64 kCommandLineLimit = 64 * 1024;

QByteArray readHead(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(limit);
}

// The last part of a path written with either separator ("C:\TeraTerm\ttermpro.exe" under Wine).
QString fileNameOf(const QString &path)
{
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    return path.section(separator, -1);
}

// Wine's loader and preloader, as Wine and the distributions name them ("wine", "wine64",
// "wine-preloader", "wine64-preloader").
bool isWineLoader(const QString &program)
{
    static const QRegularExpression loader(QStringLiteral("^wine(64)?(-preloader)?$"));
    return loader.match(program).hasMatch();
}

bool isProcessFolder(const QString &name)
{
    return !name.isEmpty()
        && std::all_of(name.begin(), name.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QStringList ExeNamesOf(const QByteArray &command, const QString &exeTarget, const QByteArray &commandLine)
{
    QStringList names;
    const QString commandName = QString::fromLocal8Bit(command).trimmed();
    if (!commandName.isEmpty())
        names << commandName;
    if (!exeTarget.isEmpty())
        names << fileNameOf(exeTarget);
    const QList<QByteArray> arguments = commandLine.split('\0');
    const QString program = fileNameOf(QString::fromLocal8Bit(arguments.first()));
    if (!program.isEmpty())
        names << program;
    if (isWineLoader(program) && arguments.size() > 1) {
        const QString runs = fileNameOf(QString::fromLocal8Bit(arguments.at(1)));
        if (!runs.isEmpty())
            names << runs;
    }
    return names;
}

QStringList ProcessEntryExeNames(const QString &processDir)
{
    const QDir dir(processDir);
    return ExeNamesOf(readHead(dir.filePath("comm"), 256), QFileInfo(dir.filePath("exe")).symLinkTarget(),
                      readHead(dir.filePath("cmdline"), kCommandLineLimit));
}

bool IsProcessRunning(const QString &exeName)
{
    const QDir root(procRoot());
    const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (!isProcessFolder(entry))
            continue;
        const QStringList names = ProcessEntryExeNames(root.filePath(entry));
        if (names.contains(exeName, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void setRootForTesting(const QString &root)
{
    rootForTesting() = root;
}

} // namespace ProcessSnapshot
