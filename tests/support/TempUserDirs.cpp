#include "support/TempUserDirs.h"

#include "platform/Registry.h"

#include <QFile>

TempUserDirs::TempUserDirs()
{
    m_config.set(QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    m_data.set(QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    m_runtime.set(QFile::encodeName(m_dir.path()));
}

std::unique_ptr<Registry> TempUserDirs::freshRegistry() const
{
    QFile::remove(Registry::defaultPath());
    return std::make_unique<Registry>();
}
