#include "platform/ChunkedFileWriter.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Records of the given sizes, each filled with a byte of its own number, appended and handed
// over one by one as a table is written. Returns whether every hand-over succeeded and
// appends the bytes to Expected.
bool writeRecords(ChunkedFileWriter &file, const QList<qsizetype> &sizes, QByteArray &expected)
{
    bool ok = true;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QByteArray record(sizes[i], char('a' + i % 26));
        file.buffer().append(record);
        expected.append(record);
        ok = file.writeWhenFull() && ok;
    }
    return ok;
}

QList<qsizetype> recordsOf(qsizetype total, qsizetype first, qsizetype step)
{
    QList<qsizetype> sizes;
    qsizetype size = first;
    for (qsizetype sum = 0; sum < total; sum += size, size = size % 3000 + step)
        sizes << size;
    return sizes;
}

// A limit on the size of the files this process writes, for one test: writes beyond it fail
// with EFBIG, as on a full disk.
struct FileSizeLimit
{
    rlimit old {};
    void (*oldHandler)(int) = nullptr;
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
};

} // namespace

// A file written a piece at a time while the next piece is made: every byte in order
// whatever the records' sizes, and the old file whole when a write fails or no commit comes.
class TestChunkedFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesEveryByteInOrder_data()
    {
        QTest::addColumn<QList<qsizetype>>("sizes");
        QTest::newRow("nothing") << QList<qsizetype>{};
        QTest::newRow("less than a piece") << QList<qsizetype>{1000, 17};
        QTest::newRow("exactly a piece") << QList<qsizetype>{1 << 20};
        QTest::newRow("many pieces of small records") << recordsOf(9 << 20, 1, 7);
        QTest::newRow("a record of several pieces") << QList<qsizetype>{100, 3 << 20, 5, (1 << 20) - 1, 2};
    }
    void writesEveryByteInOrder()
    {
        QFETCH(QList<qsizetype>, sizes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("table.QDZ"));
        QVERIFY(WriteFileBytes(path, "old"));
        QByteArray expected;
        {
            ChunkedFileWriter file(path);
            QVERIFY(file.open());
            QVERIFY(writeRecords(file, sizes, expected));
            QVERIFY(file.commit());
        }
        QCOMPARE(ReadFileBytes(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("table.QDZ")});
    }

    // A write that fails (here the file grows past the limit the process may write) is told
    // while the records are still made, the commit fails, and the old file stays as it was.
    // So does a writer dropped without a commit.
    void failureOrNoCommitKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("failing");
        QTest::newRow("a write fails") << true;
        QTest::newRow("no commit") << false;
    }
    void failureOrNoCommitKeepsTheOldFile()
    {
        QFETCH(bool, failing);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("table.QDZ"));
        QVERIFY(WriteFileBytes(path, "old"));
        {
            ChunkedFileWriter file(path);
            QVERIFY(file.open());
            QByteArray expected;
            if (failing) {
                const FileSizeLimit limit(2 << 20);
                QVERIFY(!writeRecords(file, recordsOf(8 << 20, 10, 1), expected));
                QVERIFY(!file.commit());
            } else {
                QVERIFY(writeRecords(file, recordsOf(5 << 20, 10, 1), expected));
            }
        }
        QCOMPARE(ReadFileBytes(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("table.QDZ")});
    }
};

QTEST_GUILESS_MAIN(TestChunkedFileWriter)
#include "tst_chunkedfilewriter.moc"
