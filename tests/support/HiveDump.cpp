#include "support/HiveDump.h"

namespace {

void dumpKey(const Registry &reg, Registry::Hive hive, const QString &key, QStringList &out)
{
    if (!key.isEmpty())
        out << key;
    for (const QString &name : reg.valueNames(hive, key)) {
        if (const auto text = reg.readString(hive, key, name))
            out << key + QLatin1Char('|') + name + QLatin1Char('=') + *text;
        else if (const auto number = reg.readDword(hive, key, name))
            out << key + QLatin1Char('|') + name + QLatin1Char(':') + QString::number(*number);
    }
    for (const QString &sub : reg.subKeys(hive, key))
        dumpKey(reg, hive, key.isEmpty() ? sub : key + QLatin1Char('\\') + sub, out);
}

} // namespace

QStringList DumpHive(const Registry &registry, Registry::Hive hive)
{
    QStringList out;
    dumpKey(registry, hive, QString(), out);
    out.sort();
    return out;
}
