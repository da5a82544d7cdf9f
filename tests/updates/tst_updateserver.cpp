#include "support/ScopedEnv.h"
#include "updates/UpdateServer.h"

#include <QTest>

class TestUpdateServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The build's host serves unless the environment names another.
    void addressesFollowTheConfiguredHost_data()
    {
        QTest::addColumn<QByteArray>("configured");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("domain");
        QTest::newRow("the build's") << QByteArray() << QStringLiteral(WEX_UPDATE_HOST)
                                     << QStringLiteral(WEX_UPDATE_HOST);
        QTest::newRow("a mirror") << QByteArray("mirror.example.net") << "mirror.example.net"
                                  << "mirror.example.net";
        QTest::newRow("a test server") << QByteArray("127.0.0.1:8080") << "127.0.0.1:8080" << "127.0.0.1";
        QTest::newRow("IPv6") << QByteArray("[::1]:81") << "[::1]:81" << "[::1]";
    }

    void addressesFollowTheConfiguredHost()
    {
        QFETCH(QByteArray, configured);
        QFETCH(QString, host);
        QFETCH(QString, domain);
        ScopedEnv env("WEXMORA_UPDATE_HOST");
        if (configured.isNull())
            env.unset();
        else
            env.set(configured);
        QCOMPARE(UpdateServer::Host(), host);
        QCOMPARE(UpdateServer::DomainName(), domain);
        QCOMPARE(UpdateServer::TeraTermBaseURL(), "http://" + host + "/freeware/TeraTerm");
        QCOMPARE(UpdateServer::ProgramBaseURL(), "http://" + host + "/freeware/Wexmora");
        QCOMPARE(UpdateServer::TeraTermInstallerURL("4.106"),
                 "http://" + host + "/freeware/TeraTerm/teraterm_utf8_4106.exe");
        QCOMPARE(UpdateServer::ProgramInstallerURL("2.8.1"),
                 "http://" + host + "/freeware/Wexmora/setup281.exe");
    }
};

QTEST_GUILESS_MAIN(TestUpdateServer)
#include "tst_updateserver.moc"
