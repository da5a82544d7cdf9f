#include "platform/Help.h"

#include "platform/AppPaths.h"
#include "platform/ShellOpen.h"
#include "platform/WineDriveMap.h"
#include "platform/WinePrefix.h"
#include "platform/WineStarter.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString HelpViewer = QStringLiteral("winhlp32.exe");

Help::Viewer &viewerHook()
{
    static Help::Viewer hook;
    return hook;
}

Help::Result show(const QString &file)
{
    if (file.endsWith(QLatin1String(".hlp"), Qt::CaseInsensitive)) {
        const QString prefix = WinePrefix::containing(QFileInfo(file).absolutePath());
        if (!prefix.isEmpty()) {
            const std::optional<QString> seen = WineDriveMap::forPrefix(prefix).windowsPath(file);
            if (!seen)
                return Help::Result::NotOpened;
            const std::optional<StartCommand> command =
                WineStarter::builtinCommand(prefix, HelpViewer, {*seen});
            if (!command)
                return Help::Result::ViewerNotStartable;
            return ShellOpen::run(*command) ? Help::Result::Opened : Help::Result::NotOpened;
        }
    }
    return ShellOpen::openDocument(file) ? Help::Result::Opened : Help::Result::NotOpened;
}

} // namespace

namespace Help {

Result open(const QString &name, int context)
{
    const QString file = AppFilePath(name);
    if (!QFileInfo(file).isFile())
        return Result::FileMissing;
    if (viewerHook())
        return viewerHook()(file, context);
    return show(file);
}

QString failureMessage(Result result, const QString &name)
{
    const QString file = QDir::toNativeSeparators(AppFilePath(name));
    switch (result) {
    case Result::Opened:
        return {};
    case Result::FileMissing:
        return QStringLiteral("The help file %1 was not found.").arg(file);
    case Result::ViewerNotStartable:
        // Wine's help viewer is the Windows program that could not start.
        return WineStarter::builtinProblem(WinePrefix::containing(QFileInfo(AppFilePath(name)).absolutePath()),
                                           HelpViewer);
    case Result::NotOpened:
        break;
    }
    return QStringLiteral("The help file %1 could not be opened.").arg(file);
}

void setViewerForTesting(Viewer viewer)
{
    viewerHook() = std::move(viewer);
}

} // namespace Help
