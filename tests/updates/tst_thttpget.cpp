#include "LoopbackHttpServer.h"
#include "support/ScopedEnv.h"
#include "updates/THTTPGet.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

using Server = LoopbackHttpServer;

namespace {

// What a download ended in, as its events told it, and whether each event came on the
// component's thread.
struct Outcome
{
    QStringList done;
    int errors = 0;
    QList<QPair<qint64, qint64>> progress;
    bool offThread = false;

    int events() const { return int(done.size()) + errors; }
};

void watch(THTTPGet &get, Outcome &outcome)
{
    const auto check = [&get, &outcome] {
        outcome.offThread |= QThread::currentThread() != get.thread();
    };
    QObject::connect(&get, &THTTPGet::OnDoneString, &get, [&outcome, check](const QString &text) {
        check();
        outcome.done << text;
    });
    QObject::connect(&get, &THTTPGet::OnError, &get, [&outcome, check] {
        check();
        ++outcome.errors;
    });
    QObject::connect(&get, &THTTPGet::OnProgress, &get, [&outcome, check](qint64 total, qint64 read) {
        check();
        outcome.progress << qMakePair(total, read);
    });
}

using Setup = std::function<void(THTTPGet &)>;

} // namespace

Q_DECLARE_METATYPE(Server::Reply)
Q_DECLARE_METATYPE(Setup)

class TestTHTTPGet : public QObject
{
    Q_OBJECT

private:
    // The loopback must never go through a proxy the machine may have configured.
    ScopedEnv m_noProxy{"no_proxy"};

private Q_SLOTS:
    void initTestCase() { m_noProxy.set("*"); }

    void parsesURLs_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("path");
        QTest::newRow("host and path") << "http://example.org/a/b.txt" << "example.org" << 80 << "/a/b.txt";
        QTest::newRow("scheme in capitals") << "HTTP://Example.org/x" << "Example.org" << 80 << "/x";
        QTest::newRow("text before the scheme") << "see http://h/x" << "h" << 80 << "/x";
        QTest::newRow("no scheme") << "h/x" << "h" << 80 << "/x";
        QTest::newRow("host and a slash") << "http://h/" << "h" << 80 << "/";
        QTest::newRow("host alone") << "http://h" << "h" << 80 << "index.html";
        QTest::newRow("empty") << "" << "" << 80 << "index.html";
        QTest::newRow("port") << "http://127.0.0.1:8080/v.txt" << "127.0.0.1" << 8080 << "/v.txt";
        QTest::newRow("IPv6 with port") << "http://[::1]:81/v" << "[::1]" << 81 << "/v";
        QTest::newRow("IPv6 without port") << "http://[::1]/v" << "[::1]" << 80 << "/v";
        QTest::newRow("port zero") << "http://h:0/v" << "h" << 0 << "/v";
        QTest::newRow("port too large") << "http://h:65536/v" << "h" << 0 << "/v";
        QTest::newRow("port with a sign") << "http://h:+80/v" << "h" << 0 << "/v";
        QTest::newRow("port missing") << "http://h:/v" << "h" << 0 << "/v";
    }

    void parsesURLs()
    {
        QFETCH(QString, url);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, path);
        const THTTPGet::Address address = THTTPGet::ParseURL(url);
        QCOMPARE(address.host, host);
        QCOMPARE(address.port, port);
        QCOMPARE(address.path, path);
    }

    // Every reply ends in exactly one event, on the component's thread.
    void endsInOneEvent_data()
    {
        QTest::addColumn<Server::Reply>("reply");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("done");  // empty: the download fails
        const Setup none = [](THTTPGet &) {};
        const Setup smallCap = [](THTTPGet &get) { get.setMaxSize(64); };
        const Setup quickStall = [](THTTPGet &get) { get.setStallTimeout(1); };
        const Setup binary = [](THTTPGet &get) { get.setBinaryData(true); };
        const QStringList fails;

        QTest::newRow("200 with a body") << Server::Reply{Server::ok("2.8-1")} << none << QStringList{"2.8-1"};
        QTest::newRow("200 without a length")
            << Server::Reply{"HTTP/1.0 200 OK\r\n\r\nhello"} << none << QStringList{"hello"};
        QTest::newRow("200 without a length, length required")
            << Server::Reply{"HTTP/1.0 200 OK\r\n\r\nhello"} << binary << fails;
        QTest::newRow("200 with a length, length required")
            << Server::Reply{Server::ok("hello")} << binary << QStringList{"hello"};
        QTest::newRow("200 empty") << Server::Reply{Server::ok("")} << none << fails;
        QTest::newRow("204") << Server::Reply{Server::response(204, "No Content", "")} << none << fails;
        QTest::newRow("404 with a body")
            << Server::Reply{Server::response(404, "Not Found", "<html>404</html>")} << none << fails;
        QTest::newRow("500 with a body")
            << Server::Reply{Server::response(500, "Oops", "2.8-1")} << none << fails;
        QTest::newRow("redirect") << Server::Reply{Server::redirect("/target")} << none << QStringList{"moved here"};
        QTest::newRow("redirect loop") << Server::Reply{Server::redirect("/file")} << none << fails;
        QTest::newRow("body at the cap") << Server::Reply{Server::ok(QByteArray(64, 'x'))} << smallCap
                                         << QStringList{QString(64, 'x')};
        QTest::newRow("body over the cap") << Server::Reply{Server::ok(QByteArray(65, 'x'))} << smallCap << fails;
        QTest::newRow("body over the cap without a length")
            << Server::Reply{"HTTP/1.0 200 OK\r\n\r\n" + QByteArray(100, 'x')} << smallCap << fails;
        QTest::newRow("length larger than the body")
            << Server::Reply{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n2.8-1"} << none << fails;
        QTest::newRow("malformed header")
            << Server::Reply{"HTTP/1.0 200 OK\r\nno colon here\r\n\r\n2.8-1"} << none << fails;
        QTest::newRow("malformed length")
            << Server::Reply{"HTTP/1.0 200 OK\r\nContent-Length: 5x\r\n\r\n2.8-1"} << none << fails;
        QTest::newRow("two lengths")
            << Server::Reply{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\nContent-Length: 4\r\n\r\n2.8-1"}
            << none << fails;
        QTest::newRow("malformed status line")
            << Server::Reply{"HTTP/1.0 2OO OK\r\nContent-Length: 5\r\n\r\n2.8-1"} << none << fails;
        QTest::newRow("no HTTP at all") << Server::Reply{"2.8-1\r\n"} << none << fails;
        QTest::newRow("stall before the reply") << Server::Reply{"", true} << quickStall << fails;
        QTest::newRow("stall in the body")
            << Server::Reply{"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n2.8", true} << quickStall << fails;
        QTest::newRow("UTF-8 body") << Server::Reply{Server::ok("caf\xc3\xa9 \xe2\x82\xac")} << none
                                    << QStringList{QStringLiteral("café €")};
        QTest::newRow("Windows-1252 body") << Server::Reply{Server::ok("caf\xe9 \x80")} << none
                                           << QStringList{QStringLiteral("café €")};
    }

    void endsInOneEvent()
    {
        QFETCH(Server::Reply, reply);
        QFETCH(Setup, setup);
        QFETCH(QStringList, done);
        Server server;
        server.setReply("/file", reply);
        server.setReply("/target", Server::ok("moved here"));
        THTTPGet get;
        setup(get);
        Outcome outcome;
        watch(get, outcome);
        get.setURL(server.url("/file"));
        get.GetString();
        QVERIFY(get.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!get.isBusy(), 20000);
        QCoreApplication::processEvents();
        QCOMPARE(outcome.events(), 1);
        QCOMPARE(outcome.done, done);
        QVERIFY(!outcome.offThread);
    }

    void refusedConnectionFails()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 port = closed.serverPort();
        closed.close();
        THTTPGet get;
        Outcome outcome;
        watch(get, outcome);
        get.setURL(QStringLiteral("http://127.0.0.1:%1/ttversion.txt").arg(port));
        get.GetString();
        QTRY_VERIFY_WITH_TIMEOUT(!get.isBusy(), 20000);
        QCOMPARE(outcome.errors, 1);
        QCOMPARE(outcome.events(), 1);
    }

    void requestAsSent_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QList<QByteArray>>("present");  // "Name: value"
        QTest::addColumn<QList<QByteArray>>("absent");   // names
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("as the update window asks") << Setup([](THTTPGet &get) {
            get.setAgent("Wexmora");
        }) << QByteArray("GET")
           << QList<QByteArray>{"User-Agent: Wexmora", "Accept: */*", "Pragma: no-cache",
                                "Cache-Control: no-cache"}
           << QList<QByteArray>{"Referer", "Authorization", "Content-Type"} << QByteArray();
        QTest::newRow("defaults") << Setup([](THTTPGet &) {}) << QByteArray("GET")
                                  << QList<QByteArray>{"User-Agent: Pelthorn HTTPGet", "Accept: */*"}
                                  << QList<QByteArray>{} << QByteArray();
        QTest::newRow("no agent, no types, cache allowed") << Setup([](THTTPGet &get) {
            get.setAgent(QString());
            get.setAcceptTypes(QString());
            get.setUseCache(true);
        }) << QByteArray("GET") << QList<QByteArray>{}
           << QList<QByteArray>{"User-Agent", "Accept", "Pragma", "Cache-Control"} << QByteArray();
        QTest::newRow("form post") << Setup([](THTTPGet &get) {
            get.setPostQuery("a=1&b=two");
            get.setReferer("http://referrer.example/page");
            get.setAcceptTypes("text/plain");
        }) << QByteArray("POST")
           << QList<QByteArray>{"Content-Type: application/x-www-form-urlencoded",
                                "Referer: http://referrer.example/page", "Accept: text/plain"}
           << QList<QByteArray>{} << QByteArray("a=1&b=two");
        QTest::newRow("credentials") << Setup([](THTTPGet &get) {
            get.setUserName("user");
            get.setPassword("secret");
        }) << QByteArray("GET") << QList<QByteArray>{"Authorization: Basic dXNlcjpzZWNyZXQ="}
           << QList<QByteArray>{} << QByteArray();
    }

    void requestAsSent()
    {
        QFETCH(Setup, setup);
        QFETCH(QByteArray, method);
        QFETCH(QList<QByteArray>, present);
        QFETCH(QList<QByteArray>, absent);
        QFETCH(QByteArray, body);
        Server server;
        server.setReply("/freeware/TeraTerm/ttversion.txt", Server::ok("4.106-2"));
        THTTPGet get;
        setup(get);
        get.setURL(server.url("/freeware/TeraTerm/ttversion.txt"));
        get.GetString();
        QTRY_VERIFY_WITH_TIMEOUT(!get.isBusy(), 20000);
        QCOMPARE(server.requests().size(), 1);
        const Server::Request &request = server.requests().first();
        QCOMPARE(request.method, method);
        QCOMPARE(request.path, QByteArray("/freeware/TeraTerm/ttversion.txt"));
        QCOMPARE(request.version, QByteArray("HTTP/1.0"));
        for (const QByteArray &header : present) {
            const qsizetype colon = header.indexOf(':');
            QCOMPARE(request.header(header.left(colon)), header.mid(colon + 2));
        }
        for (const QByteArray &name : absent)
            QVERIFY2(!request.hasHeader(name), name.constData());
        QCOMPARE(request.body, body);
    }

    // One download at a time: a start while one runs is ignored, also from inside its event;
    // once it has ended, the next one runs.
    void startsWhileBusyAreIgnored()
    {
        Server server;
        server.setReply("/slow", Server::Reply{"HTTP/1.0 200 OK\r\n\r\n", true});
        server.setReply("/a", Server::ok("first"));
        server.setReply("/b", Server::ok("second"));
        THTTPGet get;
        get.setStallTimeout(1);
        Outcome outcome;
        watch(get, outcome);
        get.setURL(server.url("/slow"));
        get.GetString();
        QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, 20000);
        get.setURL(server.url("/a"));
        get.GetString();
        QTRY_VERIFY_WITH_TIMEOUT(!get.isBusy(), 20000);
        QCOMPARE(outcome.errors, 1);

        connect(&get, &THTTPGet::OnDoneString, &get, [&get, &server] {
            get.setURL(server.url("/b"));
            get.GetString();
        });
        get.setURL(server.url("/a"));
        get.GetString();
        QTRY_VERIFY_WITH_TIMEOUT(!get.isBusy(), 20000);
        QCoreApplication::processEvents();
        QCOMPARE(outcome.done, QStringList{"first"});
        QCOMPARE(server.paths(), (QList<QByteArray>{"/slow", "/a"}));
    }

    void progressFollowsTheBody()
    {
        Server server;
        const QByteArray body(200000, 'c');
        server.setReply("/big", Server::ok(body));
        THTTPGet get;
        Outcome outcome;
        watch(get, outcome);
        get.setURL(server.url("/big"));
        get.GetString();
        QTRY_VERIFY_WITH_TIMEOUT(!get.isBusy(), 20000);
        QCOMPARE(outcome.done.size(), 1);
        QVERIFY(!outcome.progress.isEmpty());
        for (qsizetype i = 0; i < outcome.progress.size(); ++i) {
            QCOMPARE(outcome.progress.at(i).first, body.size());
            QVERIFY(i == 0 || outcome.progress.at(i).second > outcome.progress.at(i - 1).second);
        }
        QCOMPARE(outcome.progress.last().second, body.size());
    }

    // Abort ends a stalled download (long before its stall limit) in one OnError; nothing
    // follows it.
    void abortEndsInOneError()
    {
        Server server;
        server.setReply("/stall", Server::Reply{"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n2.8", true});
        THTTPGet get;
        Outcome outcome;
        watch(get, outcome);
        get.Abort();  // nothing runs: nothing happens
        get.setURL(server.url("/stall"));
        get.GetString();
        QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, 20000);
        get.Abort();
        const auto progressBefore = outcome.progress.size();
        QTRY_VERIFY_WITH_TIMEOUT(!get.isBusy(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 20000);
        QCoreApplication::processEvents();
        QCOMPARE(outcome.errors, 1);
        QCOMPARE(outcome.events(), 1);
        QCOMPARE(outcome.progress.size(), progressBefore);
    }

    // Destroyed mid-transfer, the component ends its worker before it goes and raises nothing.
    void destructionEndsTheTransferSilently()
    {
        Server server;
        server.setReply("/stall", Server::Reply{"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n2.8", true});
        Outcome outcome;
        QObject witness;
        auto get = std::make_unique<THTTPGet>();
        connect(get.get(), &THTTPGet::OnError, &witness, [&outcome] { ++outcome.errors; });
        connect(get.get(), &THTTPGet::OnDoneString, &witness,
                [&outcome](const QString &text) { outcome.done << text; });
        get->setURL(server.url("/stall"));
        get->GetString();
        QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, 20000);
        get.reset();
        QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 20000);
        QCoreApplication::processEvents();
        QCOMPARE(outcome.events(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTHTTPGet)
#include "tst_thttpget.moc"
