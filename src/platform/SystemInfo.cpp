#include "platform/SystemInfo.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

namespace SystemInfo {

QString userName()
{
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString computerName()
{
    return QSysInfo::machineHostName();
}

bool isNTFamily()
{
    return true;
}

} // namespace SystemInfo
