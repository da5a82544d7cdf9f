#include "support/TempProgramFolder.h"

#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
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
    QFile f(p);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray TempProgramFolder::read(const QString &name) const
{
    QFile f(filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
