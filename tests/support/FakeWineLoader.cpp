#include "support/FakeWineLoader.h"

#include "platform/WineLocator.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>

FakeWineLoader::FakeWineLoader(const QString &folder, bool installed)
    : m_loader(QDir(folder).filePath(QStringLiteral("usr/bin/wine")))
{
    m_path.set("/usr/bin");
    WineLocator::setRootForTesting(folder);
    m_ready = QDir().mkpath(QDir(folder).filePath(QStringLiteral("usr/bin")));
    if (installed)
        m_ready = m_ready && WriteFileBytes(m_loader, "#!/bin/sh\n")
            && QFile::setPermissions(m_loader, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

FakeWineLoader::~FakeWineLoader()
{
    WineLocator::setRootForTesting(QString());
}

bool FakeWineLoader::uninstall()
{
    return QFile::remove(m_loader);
}
