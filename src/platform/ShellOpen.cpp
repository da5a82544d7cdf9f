#include "platform/ShellOpen.h"

#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

ShellOpen::Starter &starterHook()
{
    static ShellOpen::Starter hook;
    return hook;
}

ShellOpen::Opener &openerHook()
{
    static ShellOpen::Opener hook;
    return hook;
}

// The desktop's own opener; started like any program, so a test starter sees it too.
bool openWithDesktop(const QString &pathOrUrl)
{
    QString target = pathOrUrl;
    // A local path goes as an absolute path: never read as an option, whatever it starts with.
    if (QFileInfo::exists(pathOrUrl) || QUrl(pathOrUrl).scheme().size() < 2)
        target = QFileInfo(pathOrUrl).absoluteFilePath();
    return ShellOpen::startDetached(QStringLiteral("xdg-open"), {target});
}

} // namespace

namespace ShellOpen {

bool startDetached(const QString &program, const QStringList &arguments,
                   const QString &workingDirectory)
{
    if (program.isEmpty())
        return false;
    if (starterHook())
        return starterHook()(program, arguments, workingDirectory);
    return QProcess::startDetached(program, arguments, workingDirectory);
}

bool openDocument(const QString &pathOrUrl)
{
    if (pathOrUrl.isEmpty())
        return false;
    if (openerHook())
        return openerHook()(pathOrUrl);
    return openWithDesktop(pathOrUrl);
}

void setStarterForTesting(Starter starter)
{
    starterHook() = std::move(starter);
}

void setOpenerForTesting(Opener opener)
{
    openerHook() = std::move(opener);
}

} // namespace ShellOpen
