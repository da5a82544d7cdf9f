#include "support/FakeWineLoader.h"

#include "platform/WineLocator.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>

FakeWineLoader::FakeWineLoader(const QString &folder, bool installed)
    : m_loader(QDir(folder).filePath(QStringLiteral("wine")))
{
    m_path.set(QFile::encodeName(folder));
    WineLocator::setFallbackLoaderForTesting(QDir(folder).filePath(QStringLiteral("lib/wine64")));
    m_ready = QDir().mkpath(folder);
    if (installed)
        m_ready = m_ready && WriteFileBytes(m_loader, "#!/bin/sh\n")
            && QFile::setPermissions(m_loader, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

FakeWineLoader::~FakeWineLoader()
{
    WineLocator::setFallbackLoaderForTesting(QString());
}

bool FakeWineLoader::uninstall()
{
    return QFile::remove(m_loader);
}
