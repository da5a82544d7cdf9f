#include "platform/ApplicationIdentity.h"

#include <QCoreApplication>

QString ProgramVersion()
{
    return QStringLiteral(WEX_PROGRAM_VERSION);
}

void SetApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Wexmora"));
    QCoreApplication::setApplicationVersion(ProgramVersion());
}
