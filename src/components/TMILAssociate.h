#pragma once

#include <QString>

#include <functional>

class Registry;

// Registers a file type in the class hive of the registry, associates an extension with it,
// tells whether an extension is associated with the program, and undoes both, giving back
// what another program had registered before (kept in "OldAssociation" values). Every
// operation ends by telling the desktop that associations changed, also when it wrote
// nothing; the desktop then follows the hive (DesktopFileTypes).
//
// Layout in the class hive ("default" is a key's unnamed value):
//   type key                           default = TypeName
//   type key\DefaultIcon               default = IconPath + "," + Icon; "OldAssociation"
//   type key\Shell\<ShellCmd>\Command  default = Shell; "OldAssociation"
//   type key\QuickView                 default = "*" (with QuickView)
//   extension key (".QDZ")             default = the type key's name
//   extension key\ShellNew             "NullFile" = "" (with ShowInNew)
//
// An empty extension, or an extension key naming no type, leaves every key but the
// extension's own alone, and nothing is ever written at the hive's root. A write the
// registry refuses ends the operation (earlier writes stay) and makes it answer false.
class TMILAssociate
{
public:
    explicit TMILAssociate(Registry &registry);

    const QString &KeyName() const { return m_keyName; }
    void setKeyName(const QString &value) { m_keyName = value; }
    const QString &PathToApp() const { return m_pathToApp; }
    void setPathToApp(const QString &value) { m_pathToApp = value; }
    const QString &IconPath() const { return m_iconPath; }
    void setIconPath(const QString &value) { m_iconPath = value; }
    int Icon() const { return m_icon; }
    void setIcon(int value) { m_icon = value; }
    const QString &ShellCmd() const { return m_shellCmd; }
    void setShellCmd(const QString &value) { m_shellCmd = value; }
    const QString &Shell() const { return m_shell; }
    void setShell(const QString &value) { m_shell = value; }
    const QString &TypeName() const { return m_typeName; }
    void setTypeName(const QString &value) { m_typeName = value; }
    bool ShowInNew() const { return m_showInNew; }
    void setShowInNew(bool value) { m_showInNew = value; }
    bool QuickView() const { return m_quickView; }
    void setQuickView(bool value) { m_quickView = value; }

    // Each answers false when a write failed, in the hive or on the desktop.
    bool RegisterFileType();
    bool UnregisterFileType();
    bool IsAssociated(const QString &ext) const;
    bool Associate(const QString &ext);
    bool Unassociate(const QString &ext);

    // "QDZ", ".QDZ" and "name.QDZ" give ".QDZ"; "a.b.c" gives ".b.c".
    static QString NormalizeExtension(const QString &ext);
    static QString StripLeadingDot(const QString &ext);

    // Tests replace the desktop's side of the notification; it answers whether it succeeded.
    using Notifier = std::function<bool()>;
    void setNotifierForTesting(Notifier notifier) { m_notifier = std::move(notifier); }

private:
    QString iconEntry() const;
    QString commandKey(const QString &type) const;
    bool ownsType(const QString &type) const;
    bool notifyShell(bool written);

    Registry &m_registry;
    QString m_keyName;
    QString m_pathToApp;
    QString m_iconPath;
    int m_icon = 0;
    QString m_shellCmd = QStringLiteral("Open");
    QString m_shell;
    QString m_typeName;
    bool m_showInNew = false;
    bool m_quickView = false;
    Notifier m_notifier;
};
