#pragma once

#include "updates/VersionNumbers.h"

#include <QString>

// The update window's texts.
namespace UpdateTexts {

// The installed versions as the window shows them: TeraTerm as major.minor; this program as
// major.minor, then "." release, or " (Beta)" for release 0.
QString InstalledTeraTermVersion(const VersionNumbers &installed);
QString InstalledProgramVersion(const VersionNumbers &installed);
// The latest versions as the window shows them, from a valid version text ("4.106-2",
// "2.8-1"): TeraTerm's up to its "-" ("4.106"), this program's with its "-" as "." ("2.8.1").
QString LatestTeraTermVersion(const QString &versionText);
QString LatestProgramVersion(const QString &versionText);

// Every lone LF becomes CR LF; everything else stays as it is.
QString ConvertLineBreaksToCRLF(const QString &text);

// The outcome of a completed check, by which products have a newer version, with the change
// lists received.
QString OutcomeText(bool teraTermNewer, bool programNewer, const QString &changes);
// The outcome of a check that failed.
QString ErrorText(const QString &domainName);

extern const QString PleaseWait;
extern const QString Checking;
extern const QString Unknown;
extern const QString TeraTermRunning;
extern const QString BackupQuestion;
extern const QString ClosingForUpgrade;

} // namespace UpdateTexts
