#include "updates/UpdateTexts.h"

namespace UpdateTexts {

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString ChangesOfRelease = QStringLiteral("The list of changes of the latest release");
const QString ShownBelow = QStringLiteral(" is shown below.") + CRLF + CRLF;
const QString ClickToUpgrade = QStringLiteral("Click on the blue link to start upgrade. ") + CRLF;
const QString ThenUpgradeProgram =
    QStringLiteral("once it will be installed run Wexmora and perform this check again. Then "
                   "upgrade Wexmora if necessary.");

QString majorMinor(const VersionNumbers &v)
{
    return QString::number(v.major) + QLatin1Char('.') + QString::number(v.minor);
}

} // namespace

const QString PleaseWait = QStringLiteral("Please wait...");
const QString Checking = QStringLiteral("Checking");
const QString Unknown = QStringLiteral("???");
const QString TeraTermRunning =
    QStringLiteral("TeraTerm is currently running. It has to be closed to perform the upgrade.")
    + CRLF
    + QStringLiteral("Use <Alt-Tab> key combination to switch between applications and close "
                     "all open TeraTerm windows.")
    + CRLF
    + QStringLiteral("Then return to Wexmora and press 'OK' button in this window to start "
                     "upgrade.");
const QString BackupQuestion =
    QStringLiteral("TeraTerm installation program will overwrite your current TeraTerm "
                   "settings.")
    + CRLF
    + QStringLiteral("Wexmora can backup your 'teraterm.ini' file before installing new "
                     "version. You can restore it after upgrade by choosing 'File -> TeraTerm "
                     "Configuration -> Restore' menu of Wexmora Configuration window.")
    + CRLF + CRLF + QStringLiteral("Do you want to backup 'teraterm.ini' file?");
const QString ClosingForUpgrade = QStringLiteral("Wexmora will close now to perform the upgrade.")
    + CRLF + QStringLiteral("Press 'OK' to continue.");

QString InstalledTeraTermVersion(const VersionNumbers &installed)
{
    return majorMinor(installed);
}

QString InstalledProgramVersion(const VersionNumbers &installed)
{
    return majorMinor(installed)
        + (installed.release != 0 ? QLatin1Char('.') + QString::number(installed.release)
                                  : QStringLiteral(" (Beta)"));
}

QString LatestTeraTermVersion(const QString &versionText)
{
    return versionText.section(QLatin1Char('-'), 0, 0);
}

QString LatestProgramVersion(const QString &versionText)
{
    return versionText.section(QLatin1Char('-'), 0, 0) + QLatin1Char('.')
        + versionText.section(QLatin1Char('-'), 1);
}

QString ConvertLineBreaksToCRLF(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.count(QLatin1Char('\n')));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n') && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
            out += QLatin1Char('\r');
        out += text.at(i);
    }
    return out;
}

QString OutcomeText(bool teraTermNewer, bool programNewer, const QString &changes)
{
    if (teraTermNewer && programNewer)
        return QStringLiteral("Both TeraTerm and Wexmora versions on this PC are out of date. ")
            + CRLF + QStringLiteral("First upgrade TeraTerm by clicking on the left blue link and ")
            + ThenUpgradeProgram + CRLF + ChangesOfRelease + QLatin1Char('s') + ShownBelow
            + changes;
    if (programNewer)
        return QStringLiteral("Wexmora version on this PC is out of date. ") + ClickToUpgrade
            + ChangesOfRelease + ShownBelow + changes;
    if (teraTermNewer)
        return QStringLiteral("TeraTerm version on this PC is out of date. ") + CRLF
            + QStringLiteral("Upgrade TeraTerm by clicking on the blue link and ")
            + ThenUpgradeProgram + CRLF + ClickToUpgrade + ChangesOfRelease + ShownBelow + changes;
    return QStringLiteral("Both TeraTerm and Wexmora versions on this PC are up to date.") + CRLF
        + CRLF + QStringLiteral("No upgrade is necessary.");
}

QString ErrorText(const QString &domainName)
{
    return QStringLiteral("Error connecting ") + domainName + QStringLiteral(" web site.") + CRLF
        + CRLF + QStringLiteral("Check your Internet connection or try again later.");
}

} // namespace UpdateTexts
