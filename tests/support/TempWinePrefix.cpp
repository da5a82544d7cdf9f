#include "support/TempWinePrefix.h"

#include "platform/WineLocator.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// Generous: wineboot makes a whole Windows folder, and other builds may share the machine.
constexpr int kBootMs = 300000;

// The wineserver of the loader's installation, else the one on the PATH.
QString wineServer(const QString &loader)
{
    const QString beside = QFileInfo(loader).dir().filePath(QStringLiteral("wineserver"));
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("wineserver"));
}

} // namespace

TempWinePrefix::TempWinePrefix()
{
    m_display.unset();
    m_waylandDisplay.unset();
    m_debug.set("-all");
    // No offer to fetch Mono or Gecko while the prefix boots.
    m_overrides.set("mscoree,mshtml=");
    // A start that does not name the test's prefix lands in another one, never in the user's
    // ~/.wine, and sees none of the test's files on drive C.
    m_prefix.set(QFile::encodeName(m_dir.filePath(QStringLiteral("elsewhere"))));
}

TempWinePrefix::~TempWinePrefix()
{
    if (m_booted)
        stopServer();
}

bool TempWinePrefix::boot()
{
    // A 64-bit prefix, where a Wine that runs both machines runs 32-bit programs too.
    const std::optional<WineLoader> wine = WineLocator::loaderFor(ExecutableKind::Machine::X86_64);
    if (!m_dir.isValid() || !wine) {
        m_error = QStringLiteral("no 64-bit Wine is installed (Debian: wine, wine64 and wine32:i386; "
                                 "scripts/install-deps installs them)");
        return false;
    }
    const QString loader = wine->path();
    QProcess wineboot;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), path());
    wineboot.setProcessEnvironment(environment);
    wineboot.setProgram(loader);
    wineboot.setArguments({QStringLiteral("wineboot"), QStringLiteral("--init")});
    wineboot.setProcessChannelMode(QProcess::MergedChannels);
    wineboot.start();
    m_booted = true;
    if (!wineboot.waitForFinished(kBootMs) || wineboot.exitCode() != 0) {
        m_error = QStringLiteral("wineboot failed: ") + QString::fromLocal8Bit(wineboot.readAll());
        wineboot.kill();
        return false;
    }
    if (!QFileInfo(path() + QStringLiteral("/drive_c/windows")).isDir()) {
        m_error = QStringLiteral("wineboot made no drive C");
        return false;
    }
    return true;
}

QString TempWinePrefix::driveC(const QString &name) const
{
    return path() + QStringLiteral("/drive_c/") + name;
}

void TempWinePrefix::stopServer()
{
    const QString server = wineServer(WineLocator::loader());
    if (server.isEmpty())
        return;
    QProcess kill;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), path());
    kill.setProcessEnvironment(environment);
    kill.start(server, {QStringLiteral("-k")});
    kill.waitForFinished(kBootMs);
    // Debian's loader keeps the server's socket folder in the temp folder and names it in the
    // prefix; it would outlive the prefix.
    const QString socketFolder = QString::fromLocal8Bit(ReadFileBytes(path() + QStringLiteral("/wineserver"))).trimmed();
    if (QRegularExpression(QStringLiteral("^wine-[A-Za-z0-9]+$")).match(socketFolder).hasMatch())
        QDir(QDir::temp().filePath(socketFolder)).removeRecursively();
}
