#include "dialogs/MacroTemplates.h"

namespace {

// The lines between each template's opening lines and its closing title line. The texts stay
// as users have always received them, spelling included: they are pasted into stored macros.
const char *const kTelnet[] = {
    "; Openning telnet connection using port 23",
    "connect '<server_name_or_IP_address>:23 /nossh'",
    ";",
    "; Entering synchronous communication mode (useful in most cases)",
    "setsync 1",
    ";",
    "; Assigning new title to TeraTerm window",
    "settitle 'Connecting <Server_name_or_site_name>'",
    "; Another way of assigning title using Wexmora key word",
    "; settitle 'Connecting $connection$'",
    ";",
    "; Waiting for Login prompt from remote side",
    "wait 'ogin:'",
    ";",
    "; Sending user name",
    "sendln '<user_name>'",
    "; Another way of sending user name using Wexmora key word",
    "; sendln '$user$'",
    ";",
    "; Waiting for Password prompt from remote side",
    "wait 'assword:'",
    ";",
    "; Calling Popup window to type in password",
    "passwordbox 'Enter password' 'Login'",
    "sendln inputstr",
    "; Previous 2 lines can be replaced with hardcoded password (not recommended)",
    "; sendln '<password>'",
    ";",
    "; Assigning final title to TeraTerm window",
};

const char *const kSsh1[] = {
    "; Openning SSH1 connection using port 22.",
    "; User will be prompted for username and password",
    "connect '<server_name_or_IP_address> /ssh /1'",
    ";",
    "; Entering synchronous communication mode(useful in most cases)",
    "setsync 1",
    ";",
    "; Assigning new title to TeraTerm window",
};

const char *const kSsh1Credentials[] = {
    "; Calling Popup window to get username",
    "inputbox 'Enter username' 'Login'",
    "; Assigning the value entered by user to variable _user",
    "_user=inputstr",
    "; Calling Popup window to get password",
    "passwordbox 'Enter password' 'Login'",
    "; Building connection string",
    "_constr='<server_name_or_IP_address> /ssh /1 /auth=password /user='",
    "strconcat _constr _user",
    "strconcat _constr ' /passwd='",
    "strconcat _constr inputstr",
    "; Openning SSH1 conection",
    "connect _constr",
    "; Alternative way with hardcoded username and password (not recommended)",
    "; The following line replaces lines 5..17",
    "; connect '<server_name_or_IP_address> /ssh /1 /auth=password /user=<username> /passwd=<password>'",
    ";",
    "; Entering synchronous communication mode (useful in most cases)",
    "setsync 1",
    ";",
    "; Assigning new title to TeraTerm window",
};

const char *const kSsh1PublicKey[] = {
    "; Building connection string",
    "_constr='<server_name_or_IP_address> /ssh /1 /auth=publickey /user='",
    "; Calling Popup window to get username",
    "inputbox 'Enter username' 'Login'",
    "strconcat _constr inputstr",
    "strconcat _constr ' /passwd='",
    "; Calling Popup window to get password",
    "passwordbox 'Enter password' 'Login'",
    "strconcat _constr inputstr",
    "strconcat _constr ' /keyfile='",
    "; Calling Popup window to get key file name",
    "inputbox 'Key file' 'Login'",
    "strconcat _constr inputstr",
    "; Openning SSH1 conection",
    "connect _constr",
    "; Alternative way with hardcoded username and password (not recommended)",
    "; The following line replaces lines 5..19",
    "; connect '<server_name_or_IP_address> /ssh /1 /auth=keyfile /user=<username> /passwd=<password> /keyfile=<private-key-file>'",
    ";",
    "; Entering synchronous communication mode (useful in most cases)",
    "setsync 1",
    ";",
    "; Assigning new title to TeraTerm window",
};

const char *const kSerial[] = {
    "; Openning Serial connection using COM port.",
    "; Valid value for port number is 1..6.",
    "connect '/C=<port_number>'",
    ";",
    "; If COM port is connected to modem the following lines can be used",
    "; sendln 'ATZ'",
    "; wait 'OK'",
    "; ATDT<phone number>",
    ";",
    "; Assigning new title to TeraTerm window",
};

struct Template
{
    const char *kind;
    const char *const *body;
    int bodyLines;
};

template<int N>
constexpr Template entry(const char *kind, const char *const (&body)[N])
{
    return {kind, body, N};
}

// Templates 5 to 7 are made from 2 to 4.
const Template kTemplates[] = {
    entry("Telnet session", kTelnet),
    entry("SSH1 session", kSsh1),
    entry("SSH1 session with credentials", kSsh1Credentials),
    entry("SSH1 session with public key", kSsh1PublicKey),
    entry("Serial connection", kSerial),
};
constexpr int kFirstSsh2 = 5;
constexpr int kSsh2Offset = 3;

const Template &stored(int number)
{
    return kTemplates[number == MacroTemplateCount ? 4 : number - 1];
}

QString ssh2(const QString &ssh1)
{
    return QString(ssh1)
        .replace(QLatin1String("SSH1"), QLatin1String("SSH2"))
        .replace(QLatin1String(" /1"), QLatin1String(" /2"));
}

} // namespace

QString MacroTemplateKind(int number)
{
    if (number < 1 || number > MacroTemplateCount)
        return {};
    if (number >= kFirstSsh2 && number < MacroTemplateCount)
        return ssh2(MacroTemplateKind(number - kSsh2Offset));
    return QString::fromLatin1(stored(number).kind);
}

QString MacroTemplateText(int number)
{
    if (number < 1 || number > MacroTemplateCount)
        return {};
    if (number >= kFirstSsh2 && number < MacroTemplateCount)
        return ssh2(MacroTemplateText(number - kSsh2Offset));
    // Every template opens with the same four lines and ends by setting the window's title.
    const Template &t = stored(number);
    QStringList lines{QLatin1String("; ******* Wexmora Macro Template for ") + QLatin1String(t.kind)
                          + QLatin1String(" *******"),
                      QStringLiteral("; Substitute words inside angle brackets with corresponding values"),
                      QStringLiteral("; and delete angle brackets."), QStringLiteral(";")};
    for (int i = 0; i < t.bodyLines; ++i)
        lines << QString::fromLatin1(t.body[i]);
    lines << QStringLiteral("settitle 'Connected to <Server_name_or_site_name>'") << QStringLiteral(";");
    // Only the Telnet template ends with a line break.
    if (number == 1)
        lines << QString();
    return lines.join(QLatin1String("\r\n"));
}
