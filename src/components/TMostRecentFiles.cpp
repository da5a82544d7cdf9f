#include "components/TMostRecentFiles.h"

#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr Registry::Hive Hive = Registry::Hive::CurrentUser;
const QByteArray IniSection = QByteArrayLiteral("MRU List");

QString valueName(unsigned i)
{
    return QStringLiteral("MRU") + QString::number(i);
}

} // namespace

TMostRecentFiles::TMostRecentFiles(Registry &registry, Prompter &prompter, QObject *parent)
    : QObject(parent), m_registry(registry), m_prompter(prompter)
{
    load();
}

TMostRecentFiles::~TMostRecentFiles()
{
    save();
}

void TMostRecentFiles::setMaxFiles(unsigned value)
{
    value = std::clamp(value, 1u, 8u);
    if (value == m_maxFiles)
        return;
    m_maxFiles = value;
    Q_EMIT listChanged();
}

void TMostRecentFiles::setShowFullPath(bool value)
{
    if (value == m_showFullPath)
        return;
    m_showFullPath = value;
    Q_EMIT listChanged();
}

void TMostRecentFiles::setIniFile(const QString &value)
{
    m_iniFile = value;
    if (m_regPath.isEmpty())
        LoadFromIni();
}

QString TMostRecentFiles::iniFilePath() const
{
    if (m_iniFile.contains(QLatin1Char('/')))
        return m_iniFile;
    if (!m_iniFile.isEmpty())
        return AppFilePath(m_iniFile);
    return AppFilePath(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                       + QStringLiteral(".ini"));
}

void TMostRecentFiles::setRegPath(const QString &value)
{
    m_regPath = value;
    load();
}

QString TMostRecentFiles::caption(int index) const
{
    const QString &path = m_files.at(index);
    QString shown = m_showFullPath ? path : path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1  %2").arg(QString::number(index + 1), shown);
}

void TMostRecentFiles::AddFile(const QString &fileName)
{
    const qsizetype at = m_files.indexOf(fileName);
    if (at == 0)
        return;
    if (at > 0)
        m_files.removeAt(at);
    m_files.prepend(fileName);
    while (unsigned(m_files.size()) > m_maxFiles)
        m_files.removeLast();
    Q_EMIT listChanged();
}

void TMostRecentFiles::MenuClick(int index)
{
    if (!m_onMenuClick || index < 0 || index >= m_files.size())
        return;
    const QString fileName = m_files.at(index);
    if (QFileInfo(fileName).isFile()) {
        if (index > 0) {
            m_files.move(index, 0);
            Q_EMIT listChanged();
        }
        m_onMenuClick(fileName);
        return;
    }
    m_files.removeAt(index);
    Q_EMIT listChanged();
    if (m_onFileNotExist)
        m_onFileNotExist(fileName);
    else
        m_prompter.information(QStringLiteral("The file '\"%1\"' no longer exists.").arg(fileName));
}

void TMostRecentFiles::load()
{
    if (m_regPath.isEmpty())
        LoadFromIni();
    else
        LoadFromRegistry();
}

void TMostRecentFiles::save() const
{
    if (m_regPath.isEmpty())
        SaveToIni();
    else
        SaveToRegistry();
}

void TMostRecentFiles::LoadFromRegistry()
{
    m_files.clear();
    if (m_registry.keyExists(Hive, m_regPath)) {
        for (unsigned i = 1; i <= m_maxFiles; ++i) {
            if (!m_registry.valueExists(Hive, m_regPath, valueName(i)))
                break;
            // An empty value, or one that is no text, holds no entry; the next may.
            const QString fileName = m_registry.readString(Hive, m_regPath, valueName(i)).value_or(QString());
            if (!fileName.isEmpty())
                m_files.append(fileName);
        }
    }
    Q_EMIT listChanged();
}

void TMostRecentFiles::SaveToRegistry() const
{
    for (unsigned i = 1; i <= m_maxFiles; ++i)
        m_registry.writeString(Hive, m_regPath, valueName(i), i <= unsigned(m_files.size()) ? m_files.at(i - 1) : QString());
}

void TMostRecentFiles::LoadFromIni()
{
    m_files.clear();
    const ::IniFile ini(iniFilePath());
    for (unsigned i = 1; i <= m_maxFiles; ++i) {
        const QByteArray fileName = ini.readString(IniSection, QByteArray::number(i));
        if (fileName.isEmpty())
            break;
        m_files.append(QFile::decodeName(fileName));
    }
    Q_EMIT listChanged();
}

void TMostRecentFiles::SaveToIni() const
{
    ::IniFile ini(iniFilePath());
    for (unsigned i = 1; i <= m_maxFiles; ++i)
        ini.writeString(IniSection, QByteArray::number(i),
                        i <= unsigned(m_files.size()) ? QFile::encodeName(m_files.at(i - 1)) : QByteArray());
    ini.flush();
}
