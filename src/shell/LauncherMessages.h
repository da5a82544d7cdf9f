#pragma once

#include <QString>

// The names this program shares with its other starts and with the companion launcher: the
// broadcast messages, the two semaphores and the launcher's file.
namespace LauncherMessages {

// A later start of this program to the running one: come to the front, offer the handed-over
// file for import.
inline const QString InstanceMessage = QStringLiteral("VurozeziMessage");
// To the launcher: the options or the table changed.
inline const QString SettingsChangedMessage = QStringLiteral("WexmoraRRMessage");
// From the launcher: close as the user would.
inline const QString StopMessage = QStringLiteral("VurozeziStopMessage");
// To the launcher: stop before an upgrade.
inline const QString LauncherStopMessage = QStringLiteral("WexmoraStopMessage");
// From the launcher: come to the front and check for updates.
inline const QString CheckUpgradeMessage = QStringLiteral("VurozeziCheckUpgrade");

// Held by this program's first start for its whole run.
inline const QString InstanceSemaphore = QStringLiteral("VurozeziSemaphore");
// Held by the launcher while it runs.
inline const QString LauncherSemaphore = QStringLiteral("WexmoraSemaphore");

inline const QString ProductName = QStringLiteral("Wexmora");
// The launcher's file in the program folder; also the name of its auto-start entry.
inline const QString LauncherFileName = ProductName + QStringLiteral(".exe");

// The one argument with which the launcher starts this program for an update check only.
inline const QString UpgradeCheckArgument = QStringLiteral("upgradeCheck=true");

} // namespace LauncherMessages
