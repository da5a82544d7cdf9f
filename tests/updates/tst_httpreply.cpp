#include "updates/HttpReply.h"

#include <QTest>

class TestHttpReply : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Header lines (each given its CR LF) and body pieces, fed in order until one is refused;
    // what was refused, and what the reply then is.
    void readsReplies_data()
    {
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QList<QByteArray>>("body");
        QTest::addColumn<QString>("refused");  // "line N", "piece N" or empty
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("complete");
        using L = QList<QByteArray>;
        QTest::newRow("plain 200") << L{"HTTP/1.0 200 OK", "Content-Length: 5", ""} << L{"2.8-1"}
                                   << "" << 200 << true;
        QTest::newRow("no reason") << L{"HTTP/1.1 200", ""} << L{"x"} << "" << 200 << true;
        QTest::newRow("major only") << L{"HTTP/2 204 No Content", ""} << L{} << "" << 204 << false;
        QTest::newRow("in pieces") << L{"HTTP/1.0 200 OK", "content-length:  6 ", ""}
                                   << L{"abc", "def"} << "" << 200 << true;
        QTest::newRow("interim reply first")
            << L{"HTTP/1.1 100 Continue", "", "HTTP/1.1 200 OK", "Content-Length: 1", ""} << L{"x"}
            << "" << 200 << true;
        QTest::newRow("a redirect's length is forgotten")
            << L{"HTTP/1.0 302 Found", "Content-Length: 5", "Location: /b", "", "HTTP/1.0 200 OK", ""}
            << L{"longer body"} << "" << 200 << true;
        QTest::newRow("same length twice") << L{"HTTP/1.0 200 OK", "Content-Length: 1", "Content-Length: 1", ""}
                                           << L{"x"} << "" << 200 << true;
        QTest::newRow("other status") << L{"HTTP/1.0 404 Not Found", ""} << L{"<html/>"} << "" << 404 << false;
        QTest::newRow("empty body") << L{"HTTP/1.0 200 OK", ""} << L{} << "" << 200 << false;
        QTest::newRow("shorter than stated") << L{"HTTP/1.0 200 OK", "Content-Length: 6", ""} << L{"abc"}
                                             << "" << 200 << false;
        QTest::newRow("longer than stated") << L{"HTTP/1.0 200 OK", "Content-Length: 2", ""} << L{"abc"}
                                            << "" << 200 << false;
        QTest::newRow("headers never ended") << L{"HTTP/1.0 200 OK"} << L{"x"} << "piece 1" << 200 << false;
        QTest::newRow("over the limit") << L{"HTTP/1.0 200 OK", ""} << L{"0123456789", "0123456789", "x"}
                                        << "piece 3" << 200 << false;
        QTest::newRow("field before the status") << L{"Content-Length: 1"} << L{} << "line 1" << 0 << false;
        QTest::newRow("blank before the status") << L{""} << L{} << "line 1" << 0 << false;
        QTest::newRow("status inside the headers")
            << L{"HTTP/1.0 302 Found", "HTTP/1.0 200 OK"} << L{} << "line 2" << 302 << false;
        QTest::newRow("no colon") << L{"HTTP/1.0 200 OK", "no colon here"} << L{} << "line 2" << 200 << false;
        QTest::newRow("empty name") << L{"HTTP/1.0 200 OK", ": x"} << L{} << "line 2" << 200 << false;
        QTest::newRow("blank in the name") << L{"HTTP/1.0 200 OK", "Content Length: 1"} << L{} << "line 2"
                                           << 200 << false;
        QTest::newRow("folded line") << L{"HTTP/1.0 200 OK", "X-A: 1", " continued"} << L{} << "line 3"
                                     << 200 << false;
        QTest::newRow("control character") << L{"HTTP/1.0 200 OK", QByteArray("X-A: a\0b", 8)} << L{}
                                           << "line 2" << 200 << false;
        QTest::newRow("CR inside") << L{"HTTP/1.0 200 OK", "X-A: a\rb"} << L{} << "line 2" << 200 << false;
        QTest::newRow("length with letters") << L{"HTTP/1.0 200 OK", "Content-Length: 5x"} << L{} << "line 2"
                                             << 200 << false;
        QTest::newRow("negative length") << L{"HTTP/1.0 200 OK", "Content-Length: -1"} << L{} << "line 2"
                                         << 200 << false;
        QTest::newRow("empty length") << L{"HTTP/1.0 200 OK", "Content-Length:"} << L{} << "line 2"
                                      << 200 << false;
        QTest::newRow("length of 19 digits")
            << L{"HTTP/1.0 200 OK", "Content-Length: 9999999999999999999"} << L{} << "line 2" << 200 << false;
        QTest::newRow("two lengths") << L{"HTTP/1.0 200 OK", "Content-Length: 1", "Content-Length: 2"} << L{}
                                     << "line 3" << 200 << false;
        QTest::newRow("length list") << L{"HTTP/1.0 200 OK", "Content-Length: 1, 1"} << L{} << "line 2"
                                     << 200 << false;
        QTest::newRow("status with letters") << L{"HTTP/1.0 2OO OK"} << L{} << "line 1" << 0 << false;
        QTest::newRow("status of two digits") << L{"HTTP/1.0 20 OK"} << L{} << "line 1" << 0 << false;
        QTest::newRow("status of four digits") << L{"HTTP/1.0 2000 OK"} << L{} << "line 1" << 0 << false;
        QTest::newRow("status below 100") << L{"HTTP/1.0 099 Odd"} << L{} << "line 1" << 0 << false;
        QTest::newRow("no version") << L{"HTTP/ 200 OK"} << L{} << "line 1" << 0 << false;
        QTest::newRow("broken minor version") << L{"HTTP/1. 200 OK"} << L{} << "line 1" << 0 << false;
        QTest::newRow("a second blank") << L{"HTTP/1.0 200 OK", "", ""} << L{} << "line 3" << 200 << false;
    }

    void readsReplies()
    {
        QFETCH(QList<QByteArray>, lines);
        QFETCH(QList<QByteArray>, body);
        QFETCH(QString, refused);
        QFETCH(int, status);
        QFETCH(bool, complete);
        HttpReply reply(20);
        QString got;
        for (qsizetype i = 0; i < lines.size() && got.isEmpty(); ++i) {
            if (!reply.addHeaderLine(lines.at(i) + "\r\n"))
                got = QStringLiteral("line %1").arg(i + 1);
        }
        for (qsizetype i = 0; i < body.size() && got.isEmpty(); ++i) {
            if (!reply.addBody(body.at(i)))
                got = QStringLiteral("piece %1").arg(i + 1);
        }
        QCOMPARE(got, refused);
        QCOMPARE(reply.status(), status);
        QCOMPARE(reply.isComplete(false), complete);
        QVERIFY(reply.body().size() <= 20);
    }

    void lengthMayBeRequired()
    {
        HttpReply stated(100);
        QVERIFY(stated.addHeaderLine("HTTP/1.0 200 OK\n"));
        QVERIFY(stated.addHeaderLine("Content-Length: 3\n"));
        QVERIFY(stated.addHeaderLine("\n"));
        QVERIFY(stated.addBody("abc"));
        QVERIFY(stated.isComplete(true));

        HttpReply unstated(100);
        QVERIFY(unstated.addHeaderLine("HTTP/1.0 200 OK\n"));
        QVERIFY(unstated.addHeaderLine("\n"));
        QVERIFY(unstated.addBody("abc"));
        QVERIFY(unstated.isComplete(false));
        QVERIFY(!unstated.isComplete(true));
    }
};

QTEST_GUILESS_MAIN(TestHttpReply)
#include "tst_httpreply.moc"
