// The registry database, shared with the companion launcher. Its layout is the contract
// between the two programs:
//
//   PRAGMA journal_mode = WAL;      -- readers never wait for a writer
//   PRAGMA user_version = 1;        -- this layout
//
//   CREATE TABLE keys (
//       id     INTEGER PRIMARY KEY,
//       parent INTEGER NOT NULL,    -- id of the parent key; 0 for the three hive roots
//       name   TEXT NOT NULL,       -- spelled as when the key was created
//       fold   TEXT NOT NULL,       -- name after Unicode case folding; names match on it
//       UNIQUE (parent, fold));
//   CREATE TABLE vals (
//       id     INTEGER PRIMARY KEY,
//       key    INTEGER NOT NULL,    -- keys.id of the key holding the value
//       name   TEXT NOT NULL,       -- spelled as when the value was created; '' = default value
//       fold   TEXT NOT NULL,       -- name after Unicode case folding
//       type   INTEGER NOT NULL,    -- 1 string (REG_SZ), 4 32-bit number (REG_DWORD)
//       data,                       -- type 1: TEXT in UTF-8; type 4: INTEGER 0..4294967295
//       UNIQUE (key, fold));
//
// The hive roots are keys with parent 0 named "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" and
// "HKEY_CLASSES_ROOT"; a key path such as "Software\Quenid Solutions\Wexmora" is found by
// walking from its hive root one name at a time. Folding is QString::toCaseFolded() (Unicode
// simple case folding; for ASCII names the lower case). Rows are enumerated in id order,
// which is creation order: rewriting a value keeps its row, name spelling and place.
// Readers accept a type 4 value stored in signed form (-2147483648..-1) as well; a value
// whose type or storage class does not match what is asked for is unreadable. Every write
// takes the write lock at once (BEGIN IMMEDIATE) and waits up to 5 s for another writer.

#include "platform/Registry.h"

#include "platform/XdgDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kTypeString = 1;
constexpr int kTypeDword = 4;
constexpr int kBusyTimeoutMs = 5000;
constexpr int kSchemaVersion = 1;

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS keys (id INTEGER PRIMARY KEY, parent INTEGER NOT NULL,"
    " name TEXT NOT NULL, fold TEXT NOT NULL, UNIQUE (parent, fold));"
    "CREATE TABLE IF NOT EXISTS vals (id INTEGER PRIMARY KEY, key INTEGER NOT NULL,"
    " name TEXT NOT NULL, fold TEXT NOT NULL, type INTEGER NOT NULL, data,"
    " UNIQUE (key, fold));";

QString hiveName(Registry::Hive hive)
{
    switch (hive) {
    case Registry::Hive::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    case Registry::Hive::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case Registry::Hive::ClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    }
    return {};
}

// The hive's name followed by the key's parts: no empty parts, so "\a\\b\" is "a\b".
QStringList keyPath(Registry::Hive hive, const QString &key)
{
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    parts.prepend(hiveName(hive));
    return parts;
}

bool exec(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// One prepared statement, finalized on scope exit.
class Statement
{
public:
    Statement(sqlite3 *db, const char *sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool ok() const { return m_stmt != nullptr; }
    sqlite3_stmt *get() const { return m_stmt; }

    void bind(int index, qint64 value) { sqlite3_bind_int64(m_stmt, index, value); }
    void bind(int index, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE; }
    bool run() { return step() == SQLITE_DONE; }

    QString text(int column) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        const int n = sqlite3_column_bytes(m_stmt, column);
        return p ? QString::fromUtf8(p, n) : QString();
    }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

// Makes one write all-or-nothing: its own immediate transaction, or a savepoint inside the
// caller's transaction.
class WriteScope
{
public:
    explicit WriteScope(sqlite3 *db) : m_db(db)
    {
        m_own = sqlite3_get_autocommit(db) != 0;
        m_active = exec(db, m_own ? "BEGIN IMMEDIATE" : "SAVEPOINT registry_write");
    }
    ~WriteScope()
    {
        if (!m_active)
            return;
        if (m_own)
            exec(m_db, "ROLLBACK");
        else if (!sqlite3_get_autocommit(m_db))
            exec(m_db, "ROLLBACK TO registry_write; RELEASE registry_write");
    }
    WriteScope(const WriteScope &) = delete;
    WriteScope &operator=(const WriteScope &) = delete;

    bool active() const { return m_active; }
    bool commit()
    {
        if (!m_active)
            return false;
        if (!exec(m_db, m_own ? "COMMIT" : "RELEASE registry_write"))
            return false;  // the destructor rolls back
        m_active = false;
        return true;
    }

private:
    sqlite3 *m_db;
    bool m_own = false;
    bool m_active = false;
};

// The id of the key at Path, or 0 when it is missing (or the lookup failed). With Create the
// missing parts are added.
qint64 findKey(sqlite3 *db, const QStringList &path, bool create)
{
    qint64 parent = 0;
    for (const QString &name : path) {
        const QString fold = name.toCaseFolded();
        Statement find(db, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
        if (!find.ok())
            return 0;
        find.bind(1, parent);
        find.bind(2, fold);
        const int rc = find.step();
        if (rc == SQLITE_ROW) {
            parent = sqlite3_column_int64(find.get(), 0);
            continue;
        }
        if (rc != SQLITE_DONE || !create)
            return 0;
        Statement add(db, "INSERT INTO keys (parent, name, fold) VALUES (?1, ?2, ?3)");
        if (!add.ok())
            return 0;
        add.bind(1, parent);
        add.bind(2, name);
        add.bind(3, fold);
        if (!add.run())
            return 0;
        parent = sqlite3_last_insert_rowid(db);
    }
    return parent;
}

struct StoredValue
{
    int type = 0;
    int storage = SQLITE_NULL;  // the storage class of the data column
    qint64 number = 0;
    QString text;
};

std::optional<StoredValue> findValue(sqlite3 *db, Registry::Hive hive, const QString &key,
                                     const QString &name)
{
    if (!db)
        return std::nullopt;
    const qint64 id = findKey(db, keyPath(hive, key), false);
    if (id == 0)
        return std::nullopt;
    Statement read(db, "SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2");
    if (!read.ok())
        return std::nullopt;
    read.bind(1, id);
    read.bind(2, name.toCaseFolded());
    if (read.step() != SQLITE_ROW)
        return std::nullopt;
    StoredValue v;
    v.type = sqlite3_column_int(read.get(), 0);
    v.storage = sqlite3_column_type(read.get(), 1);
    if (v.storage == SQLITE_INTEGER)
        v.number = sqlite3_column_int64(read.get(), 1);
    else if (v.storage == SQLITE_TEXT)
        v.text = read.text(1);
    return v;
}

// Names of the rows under key Id in creation order.
QStringList names(sqlite3 *db, const char *sql, qint64 id)
{
    QStringList out;
    Statement list(db, sql);
    if (!list.ok())
        return out;
    list.bind(1, id);
    while (list.step() == SQLITE_ROW)
        out << list.text(0);
    return out;
}

// Creates or replaces a value; an existing value keeps its name's spelling and its place.
template<typename BindData>
bool writeValue(sqlite3 *db, Registry::Hive hive, const QString &key, const QString &name,
                int type, BindData bindData)
{
    if (!db)
        return false;
    WriteScope scope(db);
    if (!scope.active())
        return false;
    const qint64 id = findKey(db, keyPath(hive, key), true);
    if (id == 0)
        return false;
    Statement put(db, "INSERT INTO vals (key, name, fold, type, data) VALUES (?1, ?2, ?3, ?4, ?5)"
                      " ON CONFLICT (key, fold) DO UPDATE SET type = excluded.type,"
                      " data = excluded.data");
    if (!put.ok())
        return false;
    put.bind(1, id);
    put.bind(2, name);
    put.bind(3, name.toCaseFolded());
    put.bind(4, qint64(type));
    bindData(put, 5);
    return put.run() && scope.commit();
}

// A new file is private to the user before SQLite opens it; its -wal and -shm files take
// the same mode.
void prepareFile(const QString &path)
{
    const QFileInfo info(path);
    QDir dir = info.absoluteDir();
    if (!dir.exists() && dir.mkpath(QStringLiteral(".")))
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (info.exists())
        return;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}

bool prepareSchema(sqlite3 *db)
{
    if (sqlite3_busy_timeout(db, kBusyTimeoutMs) != SQLITE_OK)
        return false;
    // Fails only on a file that is no database; a store that cannot switch to WAL (read-only
    // medium) still serves reads.
    if (!exec(db, "PRAGMA journal_mode = WAL"))
        return false;
    int version = -1;
    {
        Statement v(db, "PRAGMA user_version");
        if (v.step() != SQLITE_ROW)
            return false;
        version = sqlite3_column_int(v.get(), 0);
    }
    if (version >= kSchemaVersion)
        return true;
    WriteScope scope(db);
    if (!scope.active() || !exec(db, kSchema))
        return false;
    const QByteArray setVersion = "PRAGMA user_version = " + QByteArray::number(kSchemaVersion);
    return exec(db, setVersion.constData()) && scope.commit();
}

} // namespace

Registry::Registry(const QString &path)
{
    if (path.isEmpty())
        return;
    prepareFile(path);
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                       | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK || !prepareSchema(db)) {
        sqlite3_close(db);
        return;
    }
    m_db = db;
}

Registry::~Registry()
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        exec(m_db, "ROLLBACK");
    sqlite3_close(m_db);
}

QString Registry::defaultPath()
{
    return XdgDirs::configHome() + QLatin1String("/wexmora/registry.sqlite3");
}

bool Registry::keyExists(Hive hive, const QString &key) const
{
    if (!m_db)
        return false;
    const QStringList path = keyPath(hive, key);
    // A hive root always exists, even before its first key is written.
    return path.size() == 1 || findKey(m_db, path, false) != 0;
}

bool Registry::createKey(Hive hive, const QString &key)
{
    if (!m_db)
        return false;
    WriteScope scope(m_db);
    return scope.active() && findKey(m_db, keyPath(hive, key), true) != 0 && scope.commit();
}

bool Registry::deleteKey(Hive hive, const QString &key)
{
    const QStringList path = keyPath(hive, key);
    if (!m_db || path.size() == 1)
        return false;
    WriteScope scope(m_db);
    if (!scope.active())
        return false;
    const qint64 id = findKey(m_db, path, false);
    if (id == 0)
        return false;
    static const char kTree[] = "WITH RECURSIVE tree (id) AS (SELECT ?1 UNION ALL"
                                " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) ";
    Statement values(m_db, (QByteArray(kTree) + "DELETE FROM vals WHERE key IN tree").constData());
    Statement keys(m_db, (QByteArray(kTree) + "DELETE FROM keys WHERE id IN tree").constData());
    if (!values.ok() || !keys.ok())
        return false;
    values.bind(1, id);
    keys.bind(1, id);
    return values.run() && keys.run() && scope.commit();
}

QStringList Registry::subKeys(Hive hive, const QString &key) const
{
    if (!m_db)
        return {};
    const qint64 id = findKey(m_db, keyPath(hive, key), false);
    if (id == 0)
        return {};
    return names(m_db, "SELECT name FROM keys WHERE parent = ?1 ORDER BY id", id);
}

QStringList Registry::valueNames(Hive hive, const QString &key) const
{
    if (!m_db)
        return {};
    const qint64 id = findKey(m_db, keyPath(hive, key), false);
    if (id == 0)
        return {};
    return names(m_db, "SELECT name FROM vals WHERE key = ?1 ORDER BY id", id);
}

bool Registry::valueExists(Hive hive, const QString &key, const QString &name) const
{
    return findValue(m_db, hive, key, name).has_value();
}

std::optional<QString> Registry::readString(Hive hive, const QString &key,
                                            const QString &name) const
{
    const auto v = findValue(m_db, hive, key, name);
    if (!v || v->type != kTypeString || v->storage != SQLITE_TEXT)
        return std::nullopt;
    return v->text;
}

std::optional<quint32> Registry::readDword(Hive hive, const QString &key,
                                           const QString &name) const
{
    const auto v = findValue(m_db, hive, key, name);
    if (!v || v->type != kTypeDword || v->storage != SQLITE_INTEGER)
        return std::nullopt;
    if (v->number < -qint64(0x80000000) || v->number > qint64(0xFFFFFFFF))
        return std::nullopt;
    return quint32(v->number);
}

bool Registry::writeString(Hive hive, const QString &key, const QString &name,
                           const QString &value)
{
    return writeValue(m_db, hive, key, name, kTypeString,
                      [&value](Statement &s, int index) { s.bind(index, value); });
}

bool Registry::writeDword(Hive hive, const QString &key, const QString &name, quint32 value)
{
    return writeValue(m_db, hive, key, name, kTypeDword,
                      [value](Statement &s, int index) { s.bind(index, qint64(value)); });
}

bool Registry::deleteValue(Hive hive, const QString &key, const QString &name)
{
    if (!m_db)
        return false;
    WriteScope scope(m_db);
    if (!scope.active())
        return false;
    const qint64 id = findKey(m_db, keyPath(hive, key), false);
    if (id == 0)
        return false;
    Statement del(m_db, "DELETE FROM vals WHERE key = ?1 AND fold = ?2");
    if (!del.ok())
        return false;
    del.bind(1, id);
    del.bind(2, name.toCaseFolded());
    return del.run() && sqlite3_changes(m_db) > 0 && scope.commit();
}

bool Registry::beginTransaction()
{
    return m_db && sqlite3_get_autocommit(m_db) && exec(m_db, "BEGIN IMMEDIATE");
}

bool Registry::commit()
{
    return m_db && !sqlite3_get_autocommit(m_db) && exec(m_db, "COMMIT");
}

void Registry::rollback()
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        exec(m_db, "ROLLBACK");
}
