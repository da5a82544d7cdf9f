#include "support/TempProgramFolder.h"

#include "platform/AppPaths.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFileInfo>

TempProgramFolder::TempProgramFolder()
{
    AppPaths::setProgramDir(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    AppPaths::setProgramDir(QString());
}

bool TempProgramFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString p = filePath(name);
    QDir().mkpath(QFileInfo(p).path());
    return WriteFileBytes(p, bytes);
}

QByteArray TempProgramFolder::read(const QString &name) const
{
    return ReadFileBytes(filePath(name));
}
