#include "platform/FieldText.h"

#include <QTest>

// How much of a field reaches a widget: a head of at most ShownFieldLength characters, decoded
// as the whole field would be, and the mark of a cut.
class TestFieldText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheHeadOfALongField_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("shown");
        const QString cut(QChar(0x2026));
        const QString e(QChar(0xE9));
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("short") << QByteArray("Web server") << QStringLiteral("Web server");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("just as long as shown") << QByteArray(1024, 'a') << QString(1024, u'a');
        QTest::newRow("one more: cut") << QByteArray(1025, 'a') << QString(1024, u'a') + cut;
        QTest::newRow("a hundred megabytes: cut") << QByteArray(100 << 20, 'N') << QString(1024, u'N') + cut;
        // Two bytes a character: 2048 bytes are 1024 characters, whole.
        QTest::newRow("UTF-8, as long as shown") << QString(1024, QChar(0xE9)).toUtf8() << QString(1024, QChar(0xE9));
        QTest::newRow("UTF-8, cut between characters") << QString(3000, QChar(0xE9)).toUtf8()
                                                      << e.repeated(1024) + cut;
        // A character outside the basic plane is two UTF-16 units: never half of one.
        QTest::newRow("surrogate pair at the cut") << (QByteArray(1023, 'a') + emoji.toUtf8().repeated(2))
                                                   << QString(1023, u'a') + cut;
        // Bytes of the Windows program: one character each.
        QTest::newRow("Windows-1252, cut") << QByteArray(2000, char(0xE9)) << e.repeated(1024) + cut;
        QTest::newRow("Windows-1252, short") << QByteArray("Caf\xE9") << QStringLiteral("Caf") + e;
    }
    void showsTheHeadOfALongField()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, shown);
        QCOMPARE(ShownField(field), shown);
        // The head alone, without the mark, is what an editor starts with.
        QString head = shown;
        if (head.endsWith(QChar(0x2026)) && field.size() > ShownFieldLength)
            head.chop(1);
        QCOMPARE(FieldHead(field), head);
        if (field.size() <= 4096)
            QVERIFY(DecodeField(field).startsWith(head));
    }
};

QTEST_GUILESS_MAIN(TestFieldText)
#include "tst_fieldtext.moc"
