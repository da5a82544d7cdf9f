#include "platform/FileUtil.h"
#include "platform/RegularFile.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// What the readers of files the user names open: only a regular file, and never by waiting on
// a pipe that has no writer.
class TestRegularFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOnlyARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        QTest::newRow("file") << "file" << int(RegularFile::Status::Opened) << "";
        QTest::newRow("link to a file") << "link" << int(RegularFile::Status::Opened) << "";
        QTest::newRow("missing") << "missing" << int(RegularFile::Status::Missing) << "The file does not exist.";
        QTest::newRow("below a file") << "below-file" << int(RegularFile::Status::Missing)
                                      << "The file does not exist.";
        QTest::newRow("folder") << "folder" << int(RegularFile::Status::NotRegular) << "It is a folder, not a file.";
        // No writer: an open that waited would never return.
        QTest::newRow("named pipe") << "fifo" << int(RegularFile::Status::NotRegular)
                                    << "It is a named pipe, not a file.";
        QTest::newRow("device that never ends") << "/dev/zero" << int(RegularFile::Status::NotRegular)
                                                << "It is a device, not a file.";
        QTest::newRow("unreadable") << "noperm" << int(RegularFile::Status::Failed) << "The file cannot be read.";
    }
    void opensOnlyARegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("x.TTL"));
        if (kind == QLatin1String("file")) {
            QVERIFY(WriteFileBytes(path, "wait 'x'"));
        } else if (kind == QLatin1String("link")) {
            QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("real.TTL")), "wait 'x'"));
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("real.TTL")), path));
        } else if (kind == QLatin1String("below-file")) {
            QVERIFY(WriteFileBytes(path, "wait 'x'"));
            path += QStringLiteral("/y.TTL");
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind.startsWith(QLatin1Char('/'))) {
            path = kind;
        } else if (kind == QLatin1String("noperm")) {
            if (geteuid() == 0)
                QSKIP("the superuser reads every file");
            QVERIFY(WriteFileBytes(path, "wait 'x'"));
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        }
        QFile file;
        QCOMPARE(int(RegularFile::open(file, path)), status);
        QCOMPARE(file.isOpen(), status == int(RegularFile::Status::Opened));
        if (file.isOpen())
            QCOMPARE(file.readAll(), QByteArray("wait 'x'"));
        QCOMPARE(RegularFile::reason(RegularFile::Status(status), path), reason);
        // The readers built on it refuse the same.
        QCOMPARE(ReadWholeFile(path).has_value(), status == int(RegularFile::Status::Opened));
        QCOMPARE(CopyFileByStream(path, dir.filePath(QStringLiteral("copy"))),
                 status == int(RegularFile::Status::Opened));
    }
};

QTEST_GUILESS_MAIN(TestRegularFile)
#include "tst_regularfile.moc"
