#include "runner/ProgramFolder.h"

#include "platform/AppPaths.h"
#include "platform/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString TeraTermExePath()
{
    return AppFilePath(QStringLiteral("ttermpro.exe"));
}

bool CheckTeraTermPresent(Prompter &prompter)
{
    if (QFileInfo(TeraTermExePath()).isFile())
        return true;
    prompter.error(QStringLiteral("TTERMPRO.EXE not found.\rPlease move Vurozezi.exe into TeraTerm directory."));
    return false;
}

void DeleteTempFiles(Prompter &prompter)
{
    const QString temp = EnsureAppSubdir(QStringLiteral("Temp_TTL"), prompter);
    if (temp.isEmpty())
        return;
    QDir dir(temp);
    // Links are removed as links, never followed; folders of such names stay.
    const QDir::Filters filter = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const char *pattern : {"~macroC*.ttl", "~TTiniC*.ini"}) {
        const QStringList names = dir.entryList({QString::fromLatin1(pattern)}, filter);
        for (const QString &n : names)
            QFile::remove(dir.filePath(n));
    }
}
