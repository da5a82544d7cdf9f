#include "runner/TeraTermConfigBackup.h"

#include "platform/FileUtil.h"
#include "platform/IniFile.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"
#include "runner/MacroAssembler.h"
#include "runner/TeraTermIniEntries.h"
#include "shell/ProgramRegKey.h"
#include "table/TableHost.h"
#include "table/UrlCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>

namespace {

const QString IniName = QStringLiteral("teraterm.ini");
const QString CygTermName = QStringLiteral("cygterm.cfg");
const QString IniBackupValue = QStringLiteral("IniBackup");
const QString CygTermBackupValue = QStringLiteral("CygTermBackup");

const QString BackupFailed = QStringLiteral("Failed to back up TeraTerm configuration.");
const QString RestoreFailed = QStringLiteral("Failed to restore TeraTerm configuration.");

// Names a copy may take when its dated name is taken (two restores in one second).
constexpr int FreeNameAttempts = 1000;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString cannotRead(const QString &path)
{
    return QStringLiteral("Cannot read file ") + shown(path) + QLatin1Char('.');
}

QString cannotWrite(const QString &path)
{
    return QStringLiteral("Cannot write file ") + shown(path) + QLatin1Char('.');
}

QString encodedForStore(const QByteArray &text)
{
    return QString::fromLatin1(UrlEncode(text, true));
}

struct StoredBackup
{
    QList<QByteArray> lines;   // the time, then the entries
    QByteArray cygTerm;
};

std::optional<StoredBackup> readStoredBackup(const Registry &registry)
{
    if (!registry.keyExists(ProgramRegHive, ProgramRegKey))
        return std::nullopt;
    const auto ini = registry.readString(ProgramRegHive, ProgramRegKey, IniBackupValue);
    if (!ini || ini->isEmpty())
        return std::nullopt;
    StoredBackup backup;
    backup.lines = SplitMacroLines(UrlDecode(ini->toUtf8()));
    if (backup.lines.isEmpty())
        return std::nullopt;
    if (const auto cyg = registry.readString(ProgramRegHive, ProgramRegKey, CygTermBackupValue))
        backup.cygTerm = UrlDecode(cyg->toUtf8());
    return backup;
}

} // namespace

TeraTermConfigBackup::TeraTermConfigBackup(const QString &programDir, Registry &registry,
                                           TableHost &host, Clock clock, const QLocale &locale)
    : m_programDir(programDir)
    , m_registry(registry)
    , m_host(host)
    , m_prompter(host.prompter())
    , m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
    , m_locale(locale)
{
}

bool TeraTermConfigBackup::ReadTTConfigBackup(const Registry &registry)
{
    return readStoredBackup(registry).has_value();
}

QString TeraTermConfigBackup::filePath(const QString &name) const
{
    return QDir(m_programDir).filePath(name);
}

TeraTermConfigBackup::Outcome TeraTermConfigBackup::fail(const QString &headline,
                                                         const QString &reason) const
{
    m_prompter.error(headline + QLatin1Char('\n') + reason);
    return Outcome::Failed;
}

TeraTermConfigBackup::Outcome TeraTermConfigBackup::Backup()
{
    const QString iniPath = filePath(IniName);
    const auto ini = ReadWholeFile(iniPath);
    if (!ini)
        return fail(BackupFailed, cannotRead(iniPath));
    const QString cygPath = filePath(CygTermName);
    std::optional<QByteArray> cyg;
    if (QFileInfo::exists(cygPath) && !(cyg = ReadWholeFile(cygPath)))
        return fail(BackupFailed, cannotRead(cygPath));

    const QString time = m_locale.toString(m_clock(), QStringLiteral("dddd, dd-MMM-yyyy HH:mm:ss"));
    const QByteArray text = JoinMacroLines(QList<QByteArray>{time.toUtf8()} + TeraTermIniEntries(*ini));

    // Both values or neither: a restore never mixes two backups' halves.
    bool stored = m_registry.beginTransaction()
        && m_registry.writeString(ProgramRegHive, ProgramRegKey, IniBackupValue, encodedForStore(text));
    if (stored && cyg)
        stored = m_registry.writeString(ProgramRegHive, ProgramRegKey, CygTermBackupValue,
                                        encodedForStore(JoinMacroLines(SplitMacroLines(*cyg))));
    if (!stored || !m_registry.commit()) {
        m_registry.rollback();
        return fail(BackupFailed, QStringLiteral("Error writing registry."));
    }
    m_prompter.information(QStringLiteral("TeraTerm configuration was backed up successfully.\n"
                                          "Backup time - ") + time);
    return Outcome::Done;
}

QString TeraTermConfigBackup::dated(const QString &path, const QDateTime &time) const
{
    QString stamp = m_locale.toString(time, QStringLiteral("_ddMMMyyyy_HHmmss"));
    stamp.replace(QLatin1Char('/'), QLatin1Char('-'));   // a month name must not make a folder
    return path.chopped(4) + stamp + path.right(4);
}

bool TeraTermConfigBackup::makeDatedCopy(const QString &path, const QDateTime &time,
                                         QString *copyPath) const
{
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return false;
    // Written beside the file under a temporary name, then given the first free dated name:
    // a rename never replaces an existing file, so an earlier copy is never lost.
    QTemporaryFile copy(QFileInfo(path).dir().filePath(QStringLiteral(".restore-XXXXXX")));
    if (!copy.open() || copy.write(*bytes) != bytes->size() || !copy.flush())
        return false;
    copy.setPermissions(QFileInfo(path).permissions());
    const QString tempName = copy.fileName();
    copy.close();
    const QString first = dated(path, time);
    for (int n = 0; n < FreeNameAttempts; ++n) {
        const QString name = n == 0 ? first
                                    : first.chopped(4) + QLatin1Char('_') + QString::number(n) + first.right(4);
        if (QFile::rename(tempName, name)) {
            copy.setAutoRemove(false);
            *copyPath = name;
            return true;
        }
        if (!QFileInfo::exists(name))
            return false;
    }
    return false;
}

TeraTermConfigBackup::Outcome TeraTermConfigBackup::Restore()
{
    const auto backup = readStoredBackup(m_registry);
    if (!backup) {
        m_prompter.error(RestoreFailed + QStringLiteral("\nError reading registry."));
        return Outcome::NoBackup;
    }
    const QString iniPath = filePath(IniName);
    if (!QFileInfo(iniPath).isFile())
        return fail(RestoreFailed, cannotRead(iniPath));

    const QString backupTime = QString::fromUtf8(backup->lines.first());
    const auto answer = m_prompter.ask(
        Prompter::Kind::Confirmation,
        QStringLiteral("Do you want to restore TeraTerm configuration backed up on ") + backupTime
            + QStringLiteral(" ?\n\nCopy of current configuration file TeraTerm.ini will be "
                             "created prior applying changes to it."),
        Prompter::Buttons::YesNo);
    if (answer != Prompter::Yes)
        return Outcome::Declined;

    // From the answer to the last message: copying and rewriting the files takes a moment.
    const WaitCursor hourglass(m_host);
    // Both dated copies are made before anything is written, so a failure changes nothing.
    const QDateTime now = m_clock();
    QString iniCopy;
    if (!makeDatedCopy(iniPath, now, &iniCopy))
        return fail(RestoreFailed, QStringLiteral("Cannot copy file ") + shown(iniPath) + QLatin1Char('.'));
    const QString cygPath = filePath(CygTermName);
    QString cygCopy;
    if (QFileInfo::exists(cygPath) && !makeDatedCopy(cygPath, now, &cygCopy))
        return fail(RestoreFailed, QStringLiteral("Cannot copy file ") + shown(cygPath) + QLatin1Char('.'));

    IniFile ini(iniPath);
    if (ini.readFailed())
        return fail(RestoreFailed, cannotRead(iniPath));
    for (const QByteArray &line : backup->lines.sliced(1)) {
        // A line naming no section and key is no entry; the ini file refuses such names too.
        if (const auto entry = ParseTeraTermIniEntry(line))
            ini.writeString(entry->section, entry->key, entry->value);
    }
    if (!ini.flush())
        return fail(RestoreFailed, cannotWrite(iniPath));
    if (!WriteWholeFile(cygPath, backup->cygTerm))
        return fail(RestoreFailed, cannotWrite(cygPath));

    m_prompter.information(QStringLiteral("Current TeraTerm.ini file was copied into file ") + shown(iniCopy)
                           + QStringLiteral("\n\nTeraTerm configuration from ") + backupTime
                           + QStringLiteral(" has been restored."));
    return Outcome::Done;
}
