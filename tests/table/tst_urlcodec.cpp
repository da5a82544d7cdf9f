#include "table/UrlCodec.h"

#include <QRandomGenerator>
#include <QTest>

class TestUrlCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("withPlus");
        QTest::addColumn<QByteArray>("withPercent");
        QTest::newRow("blank") << QByteArray("a b") << QByteArray("a+b") << QByteArray("a%20b");
        QTest::newRow("percent") << QByteArray("100%") << QByteArray("100%25") << QByteArray("100%25");
        QTest::newRow("CR LF") << QByteArray("\r\n") << QByteArray("%0D%0A") << QByteArray("%0D%0A");
        QTest::newRow("plus") << QByteArray("+") << QByteArray("%2B") << QByteArray("%2B");
        QTest::newRow("byte 233") << QByteArray("\xE9") << QByteArray("%E9") << QByteArray("%E9");
        QTest::newRow("NUL") << QByteArray("\0", 1) << QByteArray("%00") << QByteArray("%00");
        QTest::newRow("letters and digits stay") << QByteArray("azAZ09") << QByteArray("azAZ09")
                                                 << QByteArray("azAZ09");
        QTest::newRow("punctuation") << QByteArray("-_.~*") << QByteArray("%2D%5F%2E%7E%2A")
                                     << QByteArray("%2D%5F%2E%7E%2A");
        QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
    }
    void encodes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, withPlus);
        QFETCH(QByteArray, withPercent);
        QCOMPARE(UrlEncode(text, true), withPlus);
        QCOMPARE(UrlEncode(text, false), withPercent);
    }

    void decodes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("decoded");
        QTest::newRow("plus and escaped plus") << QByteArray("a+b%2Bc") << QByteArray("a b+c");
        QTest::newRow("upper-case hex") << QByteArray("%41") << QByteArray("A");
        QTest::newRow("lower-case hex") << QByteArray("%4a") << QByteArray("J");
        QTest::newRow("lower-case CR") << QByteArray("%0d") << QByteArray("\r");
        QTest::newRow("trailing H drops") << QByteArray("%4H") << QByteArray("\x04");
        QTest::newRow("trailing h drops") << QByteArray("%4hx") << QByteArray("\x04x");
        QTest::newRow("not hex gives NUL") << QByteArray("%G1") << QByteArray("\0", 1);
        QTest::newRow("second not hex gives NUL") << QByteArray("%1Gz") << QByteArray("\0z", 2);
        QTest::newRow("percent at the end") << QByteArray("abc%") << QByteArray("abc\0", 4);
        QTest::newRow("percent alone") << QByteArray("%") << QByteArray("\0", 1);
        QTest::newRow("one digit left ends") << QByteArray("x%4") << QByteArray("x\0", 2);
        QTest::newRow("other bytes copied") << QByteArray("a b\xFF") << QByteArray("a b\xFF");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void decodes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, decoded);
        QCOMPARE(UrlDecode(text), decoded);
    }

    void hexReader_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("digits") << QByteArray("1F") << qint64(31);
        QTest::newRow("lower case") << QByteArray("ff") << qint64(255);
        QTest::newRow("trailing H") << QByteArray("10H") << qint64(16);
        QTest::newRow("only one H dropped") << QByteArray("1HH") << qint64(0);
        QTest::newRow("bad character") << QByteArray("1X2") << qint64(0);
        QTest::newRow("empty") << QByteArray() << qint64(0);
        QTest::newRow("eight digits") << QByteArray("7FFFFFFF") << qint64(0x7FFFFFFF);
        // Only 255 characters count: read whole, the text would give 0x15.
        QTest::newRow("read at most 255") << QByteArray(254, '0') + "15" << qint64(1);
    }
    void hexReader()
    {
        QFETCH(QByteArray, text);
        QFETCH(qint64, value);
        QCOMPARE(HexToInt64(text), value);
    }

    void roundTripsEveryByte()
    {
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, static_cast<char>(b));
            QCOMPARE(UrlDecode(UrlEncode(one, true)), one);
            QCOMPARE(UrlDecode(UrlEncode(one, false)), one);
        }
    }

    void roundTripsRandomTexts()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 500; ++round) {
            QByteArray text(random.bounded(0, 300), '\0');
            for (char &c : text)
                c = static_cast<char>(random.bounded(256));
            const QByteArray encoded = UrlEncode(text, true);
            for (const char c : encoded)
                QVERIFY((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
                        || c == '+' || c == '%');
            QCOMPARE(UrlDecode(encoded), text);
            QCOMPARE(UrlDecode(UrlEncode(text, false)), text);
        }
    }
};

QTEST_GUILESS_MAIN(TestUrlCodec)
#include "tst_urlcodec.moc"
