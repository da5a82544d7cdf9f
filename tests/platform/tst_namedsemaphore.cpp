#include "platform/NamedSemaphore.h"
#include "support/ScopedEnv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using Result = NamedSemaphore::Result;

namespace {

const char *resultWord(Result r)
{
    switch (r) {
    case Result::Created:
        return "created";
    case Result::AlreadyExists:
        return "exists";
    case Result::Failed:
        return "failed";
    }
    return "?";
}

// Child mode: tries the semaphore, tells the parent what it got, and keeps it until its
// standard input closes (or it is killed).
int holdFromChild(const QString &name)
{
    NamedSemaphore sem(name);
    std::printf("%s\n", resultWord(sem.tryAcquire()));
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}

// A child of this test binary that holds (or tries) Name; started when its first answer is
// in.
class Holder
{
public:
    explicit Holder(const QString &name)
    {
        m_process.start(QCoreApplication::applicationFilePath(), {"--hold", name});
        if (m_process.waitForStarted(30000))
            while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
            }
        m_answer = QString::fromLatin1(m_process.readLine().trimmed());
    }
    ~Holder()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(30000);
        }
    }
    QString answer() const { return m_answer; }
    // Lets the child end normally.
    bool finish()
    {
        m_process.closeWriteChannel();
        return m_process.waitForFinished(30000) && m_process.exitCode() == 0;
    }
    bool kill()
    {
        m_process.kill();  // SIGKILL: no chance to clean up
        return m_process.waitForFinished(30000) && m_process.exitStatus() == QProcess::CrashExit;
    }

private:
    QProcess m_process;
    QString m_answer;
};

int mode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

} // namespace

class TestNamedSemaphore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_runtime;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        QVERIFY(QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner
                                                            | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }

    void heldUntilReleaseOrDestruction()
    {
        NamedSemaphore first("VurozeziSemaphore");
        QCOMPARE(first.tryAcquire(), Result::Created);
        QVERIFY(first.isHeld());
        QCOMPARE(first.tryAcquire(), Result::Created);  // ours already
        {
            NamedSemaphore second("VurozeziSemaphore");
            QCOMPARE(second.tryAcquire(), Result::AlreadyExists);
            QVERIFY(!second.isHeld());
            NamedSemaphore other("WexmoraSemaphore");
            QCOMPARE(other.tryAcquire(), Result::Created);
        }
        QVERIFY(NamedSemaphore::exists("VurozeziSemaphore"));
        QVERIFY(!NamedSemaphore::exists("WexmoraSemaphore"));  // its holder was destroyed
        first.release();
        QVERIFY(!first.isHeld());
        QVERIFY(!NamedSemaphore::exists("VurozeziSemaphore"));
        NamedSemaphore again("VurozeziSemaphore");
        QCOMPARE(again.tryAcquire(), Result::Created);
    }

    void anotherProcessSeesOurSemaphore()
    {
        NamedSemaphore sem("VurozeziSemaphore");
        QCOMPARE(sem.tryAcquire(), Result::Created);
        Holder child("VurozeziSemaphore");
        QCOMPARE(child.answer(), QStringLiteral("exists"));
        QVERIFY(child.finish());
        QVERIFY(sem.isHeld());
    }

    void semaphoreOfAnotherProcessIsSeenUntilItEnds()
    {
        Holder launcher("WexmoraSemaphore");
        QCOMPARE(launcher.answer(), QStringLiteral("created"));
        QVERIFY(NamedSemaphore::exists("WexmoraSemaphore"));
        NamedSemaphore sem("WexmoraSemaphore");
        QCOMPARE(sem.tryAcquire(), Result::AlreadyExists);
        QVERIFY(launcher.finish());
        QVERIFY(!NamedSemaphore::exists("WexmoraSemaphore"));
        QCOMPARE(sem.tryAcquire(), Result::Created);
    }

    void killedHolderLeavesNothingStale()
    {
        Holder crashing("VurozeziSemaphore");
        QCOMPARE(crashing.answer(), QStringLiteral("created"));
        QVERIFY(crashing.kill());
        QVERIFY(QFile::exists(NamedSemaphore::lockPath("VurozeziSemaphore")));
        NamedSemaphore next("VurozeziSemaphore");
        QCOMPARE(next.tryAcquire(), Result::Created);
    }

    void probingLeavesTheSemaphoreFree()
    {
        QVERIFY(!NamedSemaphore::exists("WexmoraSemaphore"));
        Holder launcher("WexmoraSemaphore");
        QCOMPARE(launcher.answer(), QStringLiteral("created"));
    }

    void programsWeStartDoNotInheritTheLock()
    {
        NamedSemaphore sem("VurozeziSemaphore");
        QCOMPARE(sem.tryAcquire(), Result::Created);
        Holder started("SomethingElse");  // outlives our release below
        QCOMPARE(started.answer(), QStringLiteral("created"));
        sem.release();
        QVERIFY(!NamedSemaphore::exists("VurozeziSemaphore"));
    }

    void badNamesFail_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("slash") << "../VurozeziSemaphore";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    }
    void badNamesFail()
    {
        QFETCH(QString, name);
        NamedSemaphore sem(name);
        QCOMPARE(sem.tryAcquire(), Result::Failed);
        QVERIFY(!NamedSemaphore::exists(name));
        QVERIFY(NamedSemaphore::lockPath(name).isEmpty());
    }

    void lockFilesArePrivate()
    {
        NamedSemaphore sem("VurozeziSemaphore");
        QCOMPARE(sem.tryAcquire(), Result::Created);
        const QString path = NamedSemaphore::lockPath("VurozeziSemaphore");
        QCOMPARE(path, m_runtime.filePath("wexmora/VurozeziSemaphore.lock"));
        QCOMPARE(mode(m_runtime.filePath("wexmora")), 0700);
        QCOMPARE(mode(path), 0600);
    }

    void withoutRuntimeDirAPrivateTempDirIsUsed()
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR");
        ScopedEnv tmpDir("TMPDIR");
        QTemporaryDir tmp;
        runtime.unset();
        tmpDir.set(QFile::encodeName(tmp.path()));
        const QString own = tmp.filePath("wexmora-runtime-" + QString::number(geteuid()));

        // A link planted where our directory goes is not followed.
        QTemporaryDir elsewhere;
        QVERIFY(QFile::link(elsewhere.path(), own));
        QVERIFY(NamedSemaphore::lockPath("VurozeziSemaphore").isEmpty());
        NamedSemaphore refused("VurozeziSemaphore");
        QCOMPARE(refused.tryAcquire(), Result::Failed);
        QVERIFY(QFile::remove(own));

        NamedSemaphore sem("VurozeziSemaphore");
        QCOMPARE(sem.tryAcquire(), Result::Created);
        QCOMPARE(NamedSemaphore::lockPath("VurozeziSemaphore"),
                 own + "/wexmora/VurozeziSemaphore.lock");
        QCOMPARE(mode(own), 0700);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--hold") == 0)
        return holdFromChild(QString::fromLocal8Bit(argv[2]));
    TestNamedSemaphore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_namedsemaphore.moc"
