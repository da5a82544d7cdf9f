#pragma once

#include <QString>

// The update server: its host is a constant of the build, which the environment variable
// WEXMORA_UPDATE_HOST replaces ("host" or "host:port") for a mirror or a test server.
namespace UpdateServer {

QString Host();
// The host without its port, as messages name the server.
QString DomainName();

// The folders of the two products' version files and installers.
QString TeraTermBaseURL();
QString ProgramBaseURL();

// The installers for a version as the window shows it ("4.106", "2.8.1"): its dots dropped.
QString TeraTermInstallerURL(const QString &shownVersion);
QString ProgramInstallerURL(const QString &shownVersion);

} // namespace UpdateServer
