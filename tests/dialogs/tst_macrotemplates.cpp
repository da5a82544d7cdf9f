#include "dialogs/MacroTemplates.h"

#include <QRegularExpression>
#include <QTest>

class TestMacroTemplates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyTemplateHasItsHeaderAndTitleLines_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("connectLine");
        QTest::newRow("1") << 1 << "Telnet session" << 36
                           << "connect '<server_name_or_IP_address>:23 /nossh'";
        QTest::newRow("2") << 2 << "SSH1 session" << 14 << "connect '<server_name_or_IP_address> /ssh /1'";
        QTest::newRow("3") << 3 << "SSH1 session with credentials" << 27 << "connect _constr";
        QTest::newRow("4") << 4 << "SSH1 session with public key" << 29 << "connect _constr";
        QTest::newRow("5") << 5 << "SSH2 session" << 14 << "connect '<server_name_or_IP_address> /ssh /2'";
        QTest::newRow("6") << 6 << "SSH2 session with credentials" << 27 << "connect _constr";
        QTest::newRow("7") << 7 << "SSH2 session with public key" << 29 << "connect _constr";
        QTest::newRow("8") << 8 << "Serial connection" << 16 << "connect '/C=<port_number>'";
    }
    void everyTemplateHasItsHeaderAndTitleLines()
    {
        QFETCH(int, number);
        QFETCH(QString, kind);
        QFETCH(int, lines);
        QFETCH(QString, connectLine);
        QCOMPARE(MacroTemplateKind(number), kind);
        const QString text = MacroTemplateText(number);
        QVERIFY(!text.contains(QRegularExpression("[^\r]\n|\r[^\n]")));  // CR LF only
        QStringList got = text.split("\r\n");
        QCOMPARE(got.size(), lines);
        QCOMPARE(got.mid(0, 4),
                 QStringList({"; ******* Wexmora Macro Template for " + kind + " *******",
                              "; Substitute words inside angle brackets with corresponding values",
                              "; and delete angle brackets.", ";"}));
        // Only the Telnet template ends with a line break.
        if (number == 1)
            QCOMPARE(got.takeLast(), QString());
        QCOMPARE(got.last(), QStringLiteral(";"));
        QCOMPARE(got.at(got.size() - 2), QStringLiteral("settitle 'Connected to <Server_name_or_site_name>'"));
        QVERIFY(got.at(got.size() - 3).startsWith(';'));
        QVERIFY(got.contains(connectLine));
    }

    void ssh2TemplatesFollowTheSsh1Ones_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("5: comment") << 5 << 5 << "; Openning SSH2 connection using port 22.";
        QTest::newRow("6: connection string")
            << 6 << 12 << "_constr='<server_name_or_IP_address> /ssh /2 /auth=password /user='";
        QTest::newRow("6: hardcoded line")
            << 6 << 20
            << "; connect '<server_name_or_IP_address> /ssh /2 /auth=password /user=<username> "
               "/passwd=<password>'";
        QTest::newRow("6: kept line numbers") << 6 << 19 << "; The following line replaces lines 5..17";
        QTest::newRow("7: connection string")
            << 7 << 6 << "_constr='<server_name_or_IP_address> /ssh /2 /auth=publickey /user='";
        QTest::newRow("7: comment") << 7 << 18 << "; Openning SSH2 conection";
        QTest::newRow("7: key file line")
            << 7 << 22
            << "; connect '<server_name_or_IP_address> /ssh /2 /auth=keyfile /user=<username> "
               "/passwd=<password> /keyfile=<private-key-file>'";
    }
    void ssh2TemplatesFollowTheSsh1Ones()
    {
        QFETCH(int, number);
        QFETCH(int, line);
        QFETCH(QString, text);
        QCOMPARE(MacroTemplateText(number).split("\r\n").at(line - 1), text);
        QVERIFY(!MacroTemplateText(number).contains("SSH1"));
        QVERIFY(!MacroTemplateText(number).contains(" /1"));
    }

    void serialTemplateWhole()
    {
        QCOMPARE(MacroTemplateText(8),
                 QStringLiteral("; ******* Wexmora Macro Template for Serial connection *******\r\n"
                                "; Substitute words inside angle brackets with corresponding values\r\n"
                                "; and delete angle brackets.\r\n"
                                ";\r\n"
                                "; Openning Serial connection using COM port.\r\n"
                                "; Valid value for port number is 1..6.\r\n"
                                "connect '/C=<port_number>'\r\n"
                                ";\r\n"
                                "; If COM port is connected to modem the following lines can be used\r\n"
                                "; sendln 'ATZ'\r\n"
                                "; wait 'OK'\r\n"
                                "; ATDT<phone number>\r\n"
                                ";\r\n"
                                "; Assigning new title to TeraTerm window\r\n"
                                "settitle 'Connected to <Server_name_or_site_name>'\r\n"
                                ";"));
    }

    void telnetTemplateWord()
    {
        const QStringList lines = MacroTemplateText(1).split("\r\n");
        QCOMPARE(lines.at(13), QStringLiteral("; settitle 'Connecting $connection$'"));
        QCOMPARE(lines.at(21), QStringLiteral("; sendln '$user$'"));
        QCOMPARE(lines.at(27), QStringLiteral("passwordbox 'Enter password' 'Login'"));
    }

    void outsideTheMenuThereIsNone()
    {
        QVERIFY(MacroTemplateText(0).isEmpty());
        QVERIFY(MacroTemplateText(MacroTemplateCount + 1).isEmpty());
        QVERIFY(MacroTemplateKind(-1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMacroTemplates)
#include "tst_macrotemplates.moc"
