#include "shell/ParamName.h"

#include "shell/ProgramRegKey.h"

namespace {
const QString ValueName = QStringLiteral("ParamName");
}

bool WriteParamName(Registry &registry, const QString &s)
{
    return registry.writeString(ProgramRegHive, ProgramRegKey, ValueName, s);
}

QString ReadParamName(const Registry &registry)
{
    return registry.readString(ProgramRegHive, ProgramRegKey, ValueName).value_or(QString());
}
