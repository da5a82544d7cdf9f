#include "dialogs/MacroTemplates.h"

namespace {

// The texts stay as users have always received them, spelling included: they are pasted into
// stored macros.
const char *const kTelnet[] = {
    "; ******* Wexmora Macro Template for Telnet session *******",
    "; Substitute words inside angle brackets with corresponding values",
    "; and delete angle brackets.",
    ";",
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
    "settitle 'Connected to <Server_name_or_site_name>'",
    ";",
    "",
};

const char *const kSsh1[] = {
    "; ******* Wexmora Macro Template for SSH1 session *******",
    "; Substitute words inside angle brackets with corresponding values",
    "; and delete angle brackets.",
    ";",
    "; Openning SSH1 connection using port 22.",
    "; User will be prompted for username and password",
    "connect '<server_name_or_IP_address> /ssh /1'",
    ";",
    "; Entering synchronous communication mode(useful in most cases)",
    "setsync 1",
    ";",
    "; Assigning new title to TeraTerm window",
    "settitle 'Connected to <Server_name_or_site_name>'",
    ";",
};

const char *const kSsh1Credentials[] = {
    "; ******* Wexmora Macro Template for SSH1 session with credentials *******",
    "; Substitute words inside angle brackets with corresponding values",
    "; and delete angle brackets.",
    ";",
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
    "settitle 'Connected to <Server_name_or_site_name>'",
    ";",
};

const char *const kSsh1PublicKey[] = {
    "; ******* Wexmora Macro Template for SSH1 session with public key *******",
    "; Substitute words inside angle brackets with corresponding values",
    "; and delete angle brackets.",
    ";",
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
    "settitle 'Connected to <Server_name_or_site_name>'",
    ";",
};

const char *const kSerial[] = {
    "; ******* Wexmora Macro Template for Serial connection *******",
    "; Substitute words inside angle brackets with corresponding values",
    "; and delete angle brackets.",
    ";",
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
    "settitle 'Connected to <Server_name_or_site_name>'",
    ";",
};

struct Template
{
    const char *const *lines;
    int lineCount;
};

template<int N>
constexpr Template entry(const char *const (&lines)[N])
{
    return {lines, N};
}

const char *const kKinds[MacroTemplateCount] = {
    "Telnet session",
    "SSH1 session",
    "SSH1 session with credentials",
    "SSH1 session with public key",
    "SSH2 session",
    "SSH2 session with credentials",
    "SSH2 session with public key",
    "Serial connection",
};

// Templates 5 to 7 are made from 2 to 4.
const Template kStored[] = {
    entry(kTelnet), entry(kSsh1), entry(kSsh1Credentials), entry(kSsh1PublicKey),
};
constexpr int kFirstSsh2 = 5;
constexpr int kSsh2Offset = 3;

QString joined(const Template &t)
{
    QStringList lines;
    for (int i = 0; i < t.lineCount; ++i)
        lines << QString::fromLatin1(t.lines[i]);
    return lines.join(QLatin1String("\r\n"));
}

} // namespace

QString MacroTemplateKind(int number)
{
    if (number < 1 || number > MacroTemplateCount)
        return {};
    return QString::fromLatin1(kKinds[number - 1]);
}

QString MacroTemplateText(int number)
{
    if (number < 1 || number > MacroTemplateCount)
        return {};
    if (number == MacroTemplateCount)
        return joined(entry(kSerial));
    if (number >= kFirstSsh2)
        return MacroTemplateText(number - kSsh2Offset)
            .replace(QLatin1String("SSH1"), QLatin1String("SSH2"))
            .replace(QLatin1String(" /1"), QLatin1String(" /2"));
    return joined(kStored[number - 1]);
}
