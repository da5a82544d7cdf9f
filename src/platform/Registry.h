#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct sqlite3;

// The Windows registry as this program uses it: hives, keys named by paths with "\", and
// typed values (string, 32-bit number), kept in one SQLite database
// ($XDG_CONFIG_HOME/wexmora/registry.sqlite3) shared with the companion launcher. Key and
// value names match without regard to case and keep the spelling they were created with. A
// value of the other type reads as unreadable (nullopt). The unnamed default value is the
// value named "". Key paths ignore leading, trailing and doubled "\". Every call sees what
// another process committed before it. A store that cannot be opened reads nothing and
// refuses every write.
class Registry
{
public:
    enum class Hive { CurrentUser, LocalMachine, ClassesRoot };

    // Opens (creating when needed) the database at Path; the default is the user's store.
    explicit Registry(const QString &path = defaultPath());
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    static QString defaultPath();
    bool isOpen() const { return m_db != nullptr; }

    bool keyExists(Hive hive, const QString &key) const;
    bool createKey(Hive hive, const QString &key);
    // Removes the key with its values and sub-keys. False when it is missing or a hive root.
    bool deleteKey(Hive hive, const QString &key);
    // Names in the order they were created, spelled as created.
    QStringList subKeys(Hive hive, const QString &key) const;
    QStringList valueNames(Hive hive, const QString &key) const;

    bool valueExists(Hive hive, const QString &key, const QString &name) const;
    std::optional<QString> readString(Hive hive, const QString &key, const QString &name) const;
    std::optional<quint32> readDword(Hive hive, const QString &key, const QString &name) const;
    // Writing creates the key when it is missing. False when the store refused the write.
    bool writeString(Hive hive, const QString &key, const QString &name, const QString &value);
    bool writeDword(Hive hive, const QString &key, const QString &name, quint32 value);
    // False when the value is missing.
    bool deleteValue(Hive hive, const QString &key, const QString &name);

    // Several writes as one: another process sees all of them or none. Begin takes the write
    // lock at once (waiting up to 5 s for another writer) and fails inside a transaction; a
    // failed commit leaves the transaction open for rollback. Destruction rolls back.
    bool beginTransaction();
    bool commit();
    void rollback();

private:
    sqlite3 *m_db = nullptr;
};
