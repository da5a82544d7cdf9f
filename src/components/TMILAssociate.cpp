#include "components/TMILAssociate.h"

#include "platform/DesktopFileTypes.h"
#include "platform/Registry.h"

#include <QCoreApplication>

namespace {

using Hive = Registry::Hive;

const QString kOldAssociation = QStringLiteral("OldAssociation");
const QString kDefault;  // a key's unnamed value

// The class hive's writes of one operation: after the first refused write the rest are
// skipped, and what was written before stays.
class HiveWriter
{
public:
    explicit HiveWriter(Registry &registry) : m_reg(registry) {}

    bool ok() const { return m_ok; }

    void write(const QString &key, const QString &name, const QString &value)
    {
        if (m_ok)
            m_ok = m_reg.writeString(Hive::ClassesRoot, key, name, value);
    }
    void removeKey(const QString &key)
    {
        if (m_ok && m_reg.keyExists(Hive::ClassesRoot, key))
            m_ok = m_reg.deleteKey(Hive::ClassesRoot, key);
    }
    void removeValue(const QString &key, const QString &name)
    {
        if (m_ok && m_reg.valueExists(Hive::ClassesRoot, key, name))
            m_ok = m_reg.deleteValue(Hive::ClassesRoot, key, name);
    }

private:
    Registry &m_reg;
    bool m_ok = true;
};

QString readDefault(const Registry &reg, const QString &key)
{
    return reg.readString(Hive::ClassesRoot, key, kDefault).value_or(QString());
}

// A key path that stands for no key of its own: empty, or only separators (the hive's root).
bool namesNoKey(const QString &key)
{
    return key.split(QLatin1Char('\\'), Qt::SkipEmptyParts).isEmpty();
}

// An extension (without its dot) that can name a key of the hive's top level.
bool usableExtension(const QString &x)
{
    return !x.isEmpty() && !x.contains(QLatin1Char('\\'));
}

QString iconKey(const QString &type)
{
    return type + QLatin1String("\\DefaultIcon");
}

QString quickViewKey(const QString &type)
{
    return type + QLatin1String("\\QuickView");
}

QString shellNewKey(const QString &extensionKey)
{
    return extensionKey + QLatin1String("\\ShellNew");
}

} // namespace

TMILAssociate::TMILAssociate(Registry &registry) : m_registry(registry) {}

QString TMILAssociate::NormalizeExtension(const QString &ext)
{
    const qsizetype dot = ext.indexOf(QLatin1Char('.'));
    if (dot < 1)
        return ext.startsWith(QLatin1Char('.')) ? ext : QLatin1Char('.') + ext;
    return ext.mid(dot);
}

QString TMILAssociate::StripLeadingDot(const QString &ext)
{
    return ext.startsWith(QLatin1Char('.')) ? ext.mid(1) : ext;
}

QString TMILAssociate::iconEntry() const
{
    return m_iconPath + QLatin1Char(',') + QString::number(m_icon);
}

QString TMILAssociate::commandKey(const QString &type) const
{
    return type + QLatin1String("\\Shell\\") + m_shellCmd + QLatin1String("\\Command");
}

bool TMILAssociate::ownsType(const QString &type) const
{
    return !m_pathToApp.isEmpty()
           && readDefault(m_registry, iconKey(type)).startsWith(m_pathToApp, Qt::CaseSensitive);
}

bool TMILAssociate::notifyShell(bool written)
{
    bool desktop = true;
    if (m_notifier) {
        desktop = m_notifier();
    } else {
        const QString name = QCoreApplication::applicationName();
        desktop = DesktopFileTypes::follow(m_registry, {m_pathToApp, m_shellCmd, name});
    }
    return written && desktop;
}

bool TMILAssociate::RegisterFileType()
{
    HiveWriter w(m_registry);
    if (!namesNoKey(m_keyName)) {
        w.write(m_keyName, kDefault, m_typeName);
        w.write(iconKey(m_keyName), kDefault, iconEntry());
        w.write(commandKey(m_keyName), kDefault, m_shell);
        if (m_quickView)
            w.write(quickViewKey(m_keyName), kDefault, QStringLiteral("*"));
        else
            w.removeKey(quickViewKey(m_keyName));
    }
    return notifyShell(w.ok());
}

bool TMILAssociate::UnregisterFileType()
{
    HiveWriter w(m_registry);
    if (!namesNoKey(m_keyName)) {
        w.removeKey(m_keyName + QLatin1String("\\Shell"));
        w.removeKey(quickViewKey(m_keyName));
        w.removeKey(iconKey(m_keyName));
        w.removeKey(m_keyName);
    }
    return notifyShell(w.ok());
}

bool TMILAssociate::IsAssociated(const QString &ext) const
{
    const QString e = NormalizeExtension(ext);
    if (!usableExtension(StripLeadingDot(e)) || !m_registry.keyExists(Hive::ClassesRoot, e))
        return false;
    const QString type = readDefault(m_registry, e);
    return !namesNoKey(type) && m_registry.keyExists(Hive::ClassesRoot, iconKey(type))
           && ownsType(type);
}

bool TMILAssociate::Associate(const QString &ext)
{
    const QString e = NormalizeExtension(ext);
    const QString x = StripLeadingDot(e);
    HiveWriter w(m_registry);
    if (!usableExtension(x))
        return notifyShell(w.ok());

    // Writes a type's entries. A type taken over keeps its description unless it has none,
    // and its icon entry and command are kept aside for Unassociate.
    const auto writeType = [&](const QString &type, bool takeOver) {
        if (!takeOver || readDefault(m_registry, type).isEmpty())
            w.write(type, kDefault, m_typeName);
        const QString icon = iconKey(type);
        if (takeOver)
            w.write(icon, kOldAssociation, readDefault(m_registry, icon));
        w.write(icon, kDefault, iconEntry());
        const QString command = commandKey(type);
        if (takeOver)
            w.write(command, kOldAssociation, readDefault(m_registry, command));
        w.write(command, kDefault, m_shell);
        if (m_quickView)
            w.write(quickViewKey(type), kDefault, QStringLiteral("*"));
        else if (takeOver)
            w.removeKey(quickViewKey(type));
    };

    if (!m_registry.keyExists(Hive::ClassesRoot, e)) {
        const QString type = x + QLatin1String("file");
        w.write(e, kDefault, type);
        if (m_showInNew)
            w.write(shellNewKey(e), QStringLiteral("NullFile"), QString());
        writeType(type, false);
        return notifyShell(w.ok());
    }

    const QString type = readDefault(m_registry, e);
    if (m_showInNew)
        w.write(shellNewKey(e), QStringLiteral("NullFile"), QString());
    else
        w.removeKey(shellNewKey(e));
    if (!namesNoKey(type))
        writeType(type, m_registry.keyExists(Hive::ClassesRoot, type));
    return notifyShell(w.ok());
}

bool TMILAssociate::Unassociate(const QString &ext)
{
    const QString e = NormalizeExtension(ext);
    const QString x = StripLeadingDot(e);
    HiveWriter w(m_registry);
    if (!usableExtension(x) || !m_registry.keyExists(Hive::ClassesRoot, e))
        return notifyShell(w.ok());
    const QString type = readDefault(m_registry, e);
    if (namesNoKey(type) || !m_registry.keyExists(Hive::ClassesRoot, type))
        return notifyShell(w.ok());

    // Whether a taken-over entry is given back depends on whether one was kept, not on its
    // text: an empty kept entry is still another program's, and its type key stays.
    const QString icon = iconKey(type);
    if (m_registry.valueExists(Hive::ClassesRoot, icon, kOldAssociation)) {
        w.write(icon, kDefault, m_registry.readString(Hive::ClassesRoot, icon, kOldAssociation)
                                    .value_or(QString()));
        w.removeValue(icon, kOldAssociation);
    } else if (ownsType(type)) {
        w.removeKey(icon);
        w.removeKey(commandKey(type));
        w.removeKey(quickViewKey(type));
        w.removeKey(type);
        w.removeKey(shellNewKey(e));
        w.removeKey(e);
    }
    const QString command = commandKey(type);
    if (m_registry.valueExists(Hive::ClassesRoot, command, kOldAssociation)) {
        w.write(command, kDefault,
                m_registry.readString(Hive::ClassesRoot, command, kOldAssociation)
                    .value_or(QString()));
        w.removeValue(command, kOldAssociation);
    }
    return notifyShell(w.ok());
}
