#include "updates/UpdateServer.h"

#include <QtGlobal>

namespace UpdateServer {

namespace {

QString withoutDots(QString version)
{
    return version.remove(QLatin1Char('.'));
}

} // namespace

QString Host()
{
    const QString configured = qEnvironmentVariable("WEXMORA_UPDATE_HOST");
    return configured.isEmpty() ? QStringLiteral(WEX_UPDATE_HOST) : configured;
}

QString DomainName()
{
    const QString host = Host();
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    return colon > host.lastIndexOf(QLatin1Char(']')) ? host.left(colon) : host;
}

QString TeraTermBaseURL()
{
    return QStringLiteral("http://") + Host() + QStringLiteral("/freeware/TeraTerm");
}

QString ProgramBaseURL()
{
    return QStringLiteral("http://") + Host() + QStringLiteral("/freeware/Wexmora");
}

QString TeraTermInstallerURL(const QString &shownVersion)
{
    return TeraTermBaseURL() + QStringLiteral("/teraterm_utf8_") + withoutDots(shownVersion)
        + QStringLiteral(".exe");
}

QString ProgramInstallerURL(const QString &shownVersion)
{
    return ProgramBaseURL() + QStringLiteral("/setup") + withoutDots(shownVersion)
        + QStringLiteral(".exe");
}

} // namespace UpdateServer
