#include "shell/SingleInstance.h"

#include "platform/AppPaths.h"
#include "platform/FileUtil.h"
#include "platform/Prompter.h"
#include "platform/WindowMessages.h"
#include "shell/InstanceSemaphore.h"
#include "shell/ParamName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool StageParameterFile(const QString &fileName, Registry &registry, Prompter &prompter)
{
    const QString dir = AppPaths::EnsureAppSubdir(QStringLiteral("Temp_TTL"), prompter);
    if (dir.isEmpty()) {
        prompter.error(QStringLiteral("Failed to create temporary folder. The file cannot be imported."));
        return false;
    }
    // The name part as this system splits paths; it never holds a "/", so the copy stays in
    // "Temp_TTL".
    const QString name = QFileInfo(QDir::cleanPath(fileName)).fileName();
    if (name.isEmpty()) {
        // Nothing nameable to hand over: the running instance still comes to the front.
        return WriteParamName(registry, QString());
    }
    const QString dest = dir + QStringLiteral("/~") + name;
    // Only a regular file is copied (a directory, FIFO or device could hang or fill the disk).
    // A table may hold passwords: the copy is owner-only from its first byte, and a link
    // planted at its name is replaced, never written through.
    const bool copied = CopyFileByStream(fileName, dest, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!copied && (QFileInfo(dest).isFile() || QFileInfo(dest).isSymLink()))
        QFile::remove(dest);
    return WriteParamName(registry, dest);
}

bool CheckSingleInstance(const QString &semaphoreName, const QString &messageName,
                         const QStringList &arguments, Registry &registry, Prompter &prompter,
                         WindowMessages &messages)
{
    if (InstanceSemaphoreHandle().acquire(semaphoreName) != NamedSemaphore::Result::AlreadyExists)
        return true;
    if (arguments.isEmpty() || StageParameterFile(arguments.first(), registry, prompter))
        messages.broadcast(messageName);
    return false;
}
