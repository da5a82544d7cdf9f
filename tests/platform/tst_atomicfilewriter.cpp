#include "platform/AtomicFileWriter.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

unsigned modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0xFFFF;
}

// Sets the umask for one test.
struct Umask
{
    mode_t old;
    explicit Umask(mode_t mask) : old(::umask(mask)) {}
    ~Umask() { ::umask(old); }
};

} // namespace

// A file written whole through a temporary: never readable by more than the finished file,
// the old file whole until the new one takes its name, and nothing of an earlier killed write
// left behind.
class TestAtomicFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void temporaryIsNeverWiderThanTheFile_data()
    {
        QTest::addColumn<int>("existing");   // mode of the file already there, -1 for none
        QTest::addColumn<int>("asked");      // mode asked for, -1 for none
        QTest::addColumn<int>("temporary");  // mode of the temporary while it is written
        QTest::addColumn<int>("finished");
        // The umask is 022 throughout.
        QTest::newRow("owner-only table") << 0600 << -1 << 0600 << 0600;
        QTest::newRow("group-readable table") << 0640 << -1 << 0600 << 0640;
        QTest::newRow("table readable by all") << 0644 << -1 << 0600 << 0644;
        QTest::newRow("read-only table") << 0400 << -1 << 0400 << 0400;
        QTest::newRow("new file") << -1 << -1 << 0600 << 0644;
        QTest::newRow("new file, owner-only asked") << -1 << 0600 << 0600 << 0600;
        QTest::newRow("over a readable file, owner-only asked") << 0644 << 0600 << 0600 << 0600;
    }
    void temporaryIsNeverWiderThanTheFile()
    {
        QFETCH(int, existing);
        QFETCH(int, asked);
        QFETCH(int, temporary);
        QFETCH(int, finished);
        const Umask mask(022);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.QDZ"));
        if (existing >= 0) {
            QVERIFY(WriteFileBytes(path, "old"));
            QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(existing)) == 0);
        }
        AtomicFileWriter writer(path);
        if (asked >= 0)
            writer.setPermissions(asked == 0600 ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                : QFileDevice::Permissions());
        QVERIFY(writer.open());
        struct stat st {};
        QCOMPARE(::fstat(writer.handle(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), temporary);
        QVERIFY(writer.write("new table"));
        // Until the commit the old file stands as it was, and nothing else is there.
        QCOMPARE(ReadFileBytes(path), existing >= 0 ? QByteArray("old") : QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), existing >= 0 ? 1 : 0);
        QVERIFY(writer.commit());
        QCOMPARE(ReadFileBytes(path), QByteArray("new table"));
        QCOMPARE(int(modeOf(path)), finished);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("t.QDZ")});
    }

    void removesWhatAKilledWriteLeft_data()
    {
        QTest::addColumn<QStringList>("beside");   // files in the folder before the write
        QTest::addColumn<QStringList>("kept");     // what is there after it, the file aside
        const QString ours = AtomicFileWriter::temporaryPrefix(QStringLiteral("t.QDZ"));
        QTest::newRow("a leftover of this file") << QStringList{ours + "Ab12Cd"} << QStringList{};
        QTest::newRow("two leftovers") << QStringList{ours + "Ab12Cd", ours + "zzzzzz"} << QStringList{};
        QTest::newRow("another table's leftover stays")
            << QStringList{AtomicFileWriter::temporaryPrefix(QStringLiteral("u.QDZ")) + "Ab12Cd"}
            << QStringList{AtomicFileWriter::temporaryPrefix(QStringLiteral("u.QDZ")) + "Ab12Cd"};
        QTest::newRow("not of that naming: the user's files stay")
            << QStringList{QStringLiteral("t.QDZ.backup"), QStringLiteral("t.QDZ.bak"), ours + "Ab12Cd7",
                           ours + "Ab-2Cd"}
            << QStringList{QStringLiteral("t.QDZ.backup"), QStringLiteral("t.QDZ.bak"), ours + "Ab-2Cd",
                           ours + "Ab12Cd7"};
    }
    void removesWhatAKilledWriteLeft()
    {
        QFETCH(QStringList, beside);
        QFETCH(QStringList, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.QDZ"));
        QVERIFY(WriteFileBytes(path, "old"));
        for (const QString &name : beside)
            QVERIFY(WriteFileBytes(dir.filePath(name), "a whole table"));
        AtomicFileWriter writer(path);
        QVERIFY(writer.open() && writer.write("new") && writer.commit());
        QStringList after = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        after.removeOne(QStringLiteral("t.QDZ"));
        kept.sort();
        QCOMPARE(after, kept);
    }

    void linkAtTheName_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("a table linked in: its file is written") << false;
        QTest::newRow("a link planted: replaced, never followed") << true;
    }
    void linkAtTheName()
    {
        QFETCH(bool, replace);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("elsewhere"));
        const QString path = dir.filePath(QStringLiteral("t.QDZ"));
        QVERIFY(WriteFileBytes(target, "old"));
        QVERIFY(QFile::link(target, path));
        AtomicFileWriter writer(path, replace ? AtomicFileWriter::AtLink::Replace : AtomicFileWriter::AtLink::WriteTarget);
        QVERIFY(writer.open() && writer.write("new") && writer.commit());
        QCOMPARE(QFileInfo(path).isSymLink(), !replace);
        QCOMPARE(ReadFileBytes(path), QByteArray("new"));
        QCOMPARE(ReadFileBytes(target), replace ? QByteArray("old") : QByteArray("new"));
    }

    void cancelLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.QDZ"));
        QVERIFY(WriteFileBytes(path, "old"));
        {
            AtomicFileWriter writer(path);
            QVERIFY(writer.open() && writer.write("half a"));
        }
        QCOMPARE(ReadFileBytes(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("t.QDZ")});
    }
};

QTEST_GUILESS_MAIN(TestAtomicFileWriter)
#include "tst_atomicfilewriter.moc"
