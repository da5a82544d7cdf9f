#include "platform/WindowMessages.h"

#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <cstdio>
#include <cstring>

// Other test programs may share the session bus, so every message name here carries a token
// of this run and waiting skips foreign messages.
namespace {

struct Message
{
    QString name;
    qint64 wParam = 0;
    qint64 lParam = 0;
    QString sender;
};

// Waits until a message named Name is in Spy (or arrives) and returns it; nothing when none
// comes for 10 s.
std::optional<Message> waitFor(QSignalSpy &spy, const QString &name)
{
    for (qsizetype seen = 0;;) {
        for (; seen < spy.size(); ++seen) {
            const QList<QVariant> &args = spy.at(seen);
            if (args.at(0).toString() == name)
                return Message{name, args.at(1).toLongLong(), args.at(2).toLongLong(),
                               args.at(3).toString()};
        }
        if (!spy.wait(10000))
            return std::nullopt;
    }
}

void say(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Child: says its id, broadcasts one message and ends at once.
int broadcastFromChild(const QString &name, qint64 w, qint64 l)
{
    WindowMessages messages;
    say(messages.ownId().toUtf8());
    return messages.broadcast(name, w, l) ? 0 : 1;
}

// Child: listens, greets itself, reports each message of this run as
// "<name> <wParam> <lParam> own|other", and ends on "<token>stop".
int listenInChild(const QString &token)
{
    WindowMessages messages;
    QObject::connect(&messages, &WindowMessages::received, &messages,
                     [&](const QString &name, qint64 w, qint64 l, const QString &sender) {
                         if (!name.startsWith(token))
                             return;
                         say(QStringLiteral("%1 %2 %3 %4")
                                 .arg(name.mid(token.size()))
                                 .arg(w)
                                 .arg(l)
                                 .arg(messages.isOwn(sender) ? "own" : "other")
                                 .toUtf8());
                         // Ready once our own broadcast came back: the bus orders messages
                         // per sender only, so the parent must not send before that.
                         if (name == token + "hello")
                             say("ready " + messages.ownId().toUtf8());
                         if (name == token + "stop")
                             QCoreApplication::quit();
                     });
    messages.broadcast(token + "hello", 0, 0);
    return QCoreApplication::exec();
}

// Child without a bus: reports what it could do.
int withoutBusInChild()
{
    WindowMessages messages;
    const bool first = messages.broadcast("WexmoraRRMessage");
    const bool second = messages.broadcast("VurozeziMessage");
    say(QStringLiteral("connected=%1 sent=%2%3 id=%4")
            .arg(int(messages.isConnected()))
            .arg(int(first))
            .arg(int(second))
            .arg(messages.ownId())
            .toUtf8());
    return 0;
}

} // namespace

#define REQUIRE_BUS()                                                                     \
    do {                                                                                  \
        if (!WindowMessages().isConnected())                                              \
            QSKIP("no session bus; scripts/test runs the suite under dbus-run-session"); \
    } while (false)

class TestWindowMessages : public QObject
{
    Q_OBJECT

private:
    QString m_token = QUuid::createUuid().toString(QUuid::Id128) + QLatin1Char('-');

private Q_SLOTS:
    // Any process on the bus may send a signal under our path and name, of any form; only
    // the form "sxxs" is a message.
    void onlyMessagesOfTheirFormAreTaken_data()
    {
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<bool>("taken");
        const QString name = QStringLiteral("VurozeziMessage");
        const QString id = QStringLiteral(":1.7");
        QTest::newRow("sxxs") << QVariantList{name, qlonglong(1), qlonglong(2), id} << true;
        QTest::newRow("too few") << QVariantList{name, qlonglong(1), qlonglong(2)} << false;
        QTest::newRow("too many") << QVariantList{name, qlonglong(1), qlonglong(2), id, id} << false;
        QTest::newRow("32-bit numbers") << QVariantList{name, 1, 2, id} << false;
        QTest::newRow("bytes for the name") << QVariantList{name.toUtf8(), qlonglong(1), qlonglong(2), id} << false;
        QTest::newRow("nothing") << QVariantList{} << false;
    }
    void onlyMessagesOfTheirFormAreTaken()
    {
        QFETCH(QVariantList, arguments);
        QFETCH(bool, taken);
        QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(WindowMessages::kPath),
                                                         QLatin1String(WindowMessages::kInterface),
                                                         QLatin1String(WindowMessages::kSignal));
        signal.setArguments(arguments);
        const std::optional<WindowMessages::Message> m = WindowMessages::decode(signal);
        QCOMPARE(m.has_value(), taken);
        if (taken) {
            QCOMPARE(m->name, QStringLiteral("VurozeziMessage"));
            QCOMPARE(m->wParam, 1);
            QCOMPARE(m->lParam, 2);
            QCOMPARE(m->senderId, QStringLiteral(":1.7"));
        }
    }

    void everyInstanceGetsTheBroadcastAndKnowsItsOwn_data()
    {
        QTest::addColumn<qint64>("wParam");
        QTest::addColumn<qint64>("lParam");
        QTest::newRow("zeros") << qint64(0) << qint64(0);
        QTest::newRow("extremes") << std::numeric_limits<qint64>::min()
                                  << std::numeric_limits<qint64>::max();
        QTest::newRow("handle") << qint64(0x3a00007) << qint64(-1);
    }
    void everyInstanceGetsTheBroadcastAndKnowsItsOwn()
    {
        REQUIRE_BUS();
        QFETCH(qint64, wParam);
        QFETCH(qint64, lParam);
        WindowMessages sender;
        WindowMessages other;
        QSignalSpy senderSpy(&sender, &WindowMessages::received);
        QSignalSpy otherSpy(&other, &WindowMessages::received);
        const QString name = m_token + "WexmoraRRMessage";
        QVERIFY(sender.broadcast(name, wParam, lParam));
        for (QSignalSpy *spy : {&senderSpy, &otherSpy}) {
            const auto got = waitFor(*spy, name);
            QVERIFY(got);
            QCOMPARE(got->wParam, wParam);
            QCOMPARE(got->lParam, lParam);
            QCOMPARE(got->sender, sender.ownId());
            QVERIFY(sender.isOwn(got->sender));
        }
    }

    void messageOfAnotherProcessIsNotOurOwn()
    {
        REQUIRE_BUS();
        WindowMessages messages;
        QSignalSpy spy(&messages, &WindowMessages::received);
        const QString name = m_token + "VurozeziMessage";
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"--broadcast", name, "0", "-42"});
        // The child ends right after its broadcast: the message must have left by then.
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QString childId = QString::fromUtf8(child.readAllStandardOutput().trimmed());
        const auto got = waitFor(spy, name);
        QVERIFY(got);
        QCOMPARE(got->wParam, qint64(0));
        QCOMPARE(got->lParam, qint64(-42));
        QCOMPARE(got->sender, childId);
        QVERIFY(!messages.isOwn(got->sender));
    }

    void anotherProcessGetsOurBroadcasts()
    {
        REQUIRE_BUS();
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--listen", m_token});
        QVERIFY(child.waitForStarted(30000));
        QByteArray out;
        while (!out.contains("ready") && child.waitForReadyRead(30000))
            out += child.readAllStandardOutput();
        QVERIFY(out.contains("ready :"));
        WindowMessages messages;
        QVERIFY(messages.broadcast(m_token + "VurozeziStopMessage", 5, 6));
        QVERIFY(messages.broadcast(m_token + "stop"));
        QVERIFY(child.waitForFinished(30000));
        out += child.readAllStandardOutput();
        const QList<QByteArray> lines = out.trimmed().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QByteArray("hello 0 0 own"));
        QVERIFY(lines.at(1).startsWith("ready :"));
        QCOMPARE(lines.at(2), QByteArray("VurozeziStopMessage 5 6 other"));
        QCOMPARE(lines.at(3), QByteArray("stop 0 0 other"));
    }

    void withoutSessionBusTheProgramRunsOn()
    {
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        env.remove("DISPLAY");  // no autolaunch of a bus through X11
        env.insert("XDG_RUNTIME_DIR", runtime.path());  // no "bus" socket there
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--no-bus"});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("connected=0 sent=00 id="));
        const QByteArray err = child.readAllStandardError();
        QCOMPARE(err.count("not sent"), 1);
        QVERIFY(err.contains("\"WexmoraRRMessage\""));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "--broadcast") == 0)
        return broadcastFromChild(QString::fromUtf8(argv[2]), QByteArray(argv[3]).toLongLong(),
                                  QByteArray(argv[4]).toLongLong());
    if (argc == 3 && std::strcmp(argv[1], "--listen") == 0)
        return listenInChild(QString::fromUtf8(argv[2]));
    if (argc == 2 && std::strcmp(argv[1], "--no-bus") == 0)
        return withoutBusInChild();
    TestWindowMessages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowmessages.moc"
