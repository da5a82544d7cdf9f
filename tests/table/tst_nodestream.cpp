#include "table/NodeStream.h"

#include "support/TableBytes.h"

#include <QBuffer>
#include <QTest>

namespace {

rVTNodeData sample()
{
    rVTNodeData r;
    r.Name = "Server \xE9";
    r.Macro = QByteArray("con\0nect\r\nwait", 14);
    r.Popup = "\x80\x81\xFE\xFF";
    r.Schedule = "=0 8 * * 1,2,3";
    r.LastUpdated = "Monday, 03-Jun-2024 10:11:12";
    r.Colors = "0:0:0:255:255:216:0:0:255:255:255:216:0:255:255:255:255:216:0:0:255:255:255:216";
    r.Kind = NodeKindWithMacro;
    r.Level = 3;
    r.LogSession = true;
    return r;
}

} // namespace

class TestNodeStream : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyRecordIs33Bytes()
    {
        QByteArray out;
        VTSaveNode(rVTNodeData{}, out);
        QCOMPARE(out.size(), 33);
        QCOMPARE(out, QByteArray(33, '\0'));
    }

    void integersComeLevelFirst_data()
    {
        QTest::addColumn<qint32>("level");
        QTest::addColumn<qint32>("kind");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("level 2 kind 2") << 2 << 2 << QByteArray::fromHex("0200000002000000");
        QTest::newRow("level 1 kind 3") << 1 << 3 << QByteArray::fromHex("0100000003000000");
        QTest::newRow("wide values") << 0x01020304 << -2 << QByteArray::fromHex("04030201feffffff");
        QTest::newRow("extremes") << std::numeric_limits<qint32>::min() << std::numeric_limits<qint32>::max()
                                  << QByteArray::fromHex("00000080ffffff7f");
    }
    void integersComeLevelFirst()
    {
        QFETCH(qint32, level);
        QFETCH(qint32, kind);
        QFETCH(QByteArray, head);
        rVTNodeData r;
        r.Level = level;
        r.Kind = kind;
        QByteArray out;
        VTSaveNode(r, out);
        QCOMPARE(out.left(8), head);

        ByteReader in(out);
        rVTNodeData back;
        QVERIFY(VTLoadNode(in, back));
        QCOMPARE(back.Level, level);
        QCOMPARE(back.Kind, kind);
    }

    void roundTripsEveryByte()
    {
        const rVTNodeData r = sample();
        QByteArray out = "prefix";
        VTSaveNode(r, out);
        const QByteArray expected = "prefix"
            + RecordBytes(3, 2, '\1', {r.Name, r.Macro, r.Popup, r.Schedule, r.LastUpdated, r.Colors});
        QCOMPARE(out, expected);

        // Two records back to back, read from where the first one starts.
        rVTNodeData second;
        second.Name = "b";
        VTSaveNode(second, out);
        ByteReader in(out, 6);
        rVTNodeData a, b;
        QVERIFY(VTLoadNode(in, a));
        QCOMPARE(a, r);
        QCOMPARE(a.Macro.size(), 14);
        QVERIFY(VTLoadNode(in, b));
        QCOMPARE(b, second);
        QVERIFY(in.atEnd());

        QByteArray again = "prefix";
        VTSaveNode(a, again);
        VTSaveNode(b, again);
        QCOMPARE(again, out);
    }

    void loadsFieldsUnconverted()
    {
        // A separator name, old colours and escaping stay as the stream gives them.
        const QByteArray bytes = RecordBytes(7, 3, '\0', {"-x", "a+b%0D", "", "", "", "1:2:3"});
        ByteReader in(bytes);
        rVTNodeData r;
        QVERIFY(VTLoadNode(in, r));
        QCOMPARE(r.Name, QByteArray("-x"));
        QCOMPARE(r.Macro, QByteArray("a+b%0D"));
        QCOMPARE(r.Colors, QByteArray("1:2:3"));
        QCOMPARE(r.Level, 7);
        QCOMPARE(r.Kind, 3);
        QCOMPARE(r.LogSession, false);
    }

    void logSessionAnyNonZeroByteIsTrue()
    {
        QByteArray bytes = RecordBytes(1, 0, '\5', {"n", "", "", "", "", ""});
        ByteReader in(bytes);
        rVTNodeData r;
        QVERIFY(VTLoadNode(in, r));
        QCOMPARE(r.LogSession, true);
        QByteArray out;
        VTSaveNode(r, out);
        QCOMPARE(out.at(8), '\1');
        bytes[8] = '\1';
        QCOMPARE(out, bytes);
    }

    void refusesDamagedRecords_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = RecordBytes(1, 0, '\1', {"name", "macro", "", "", "", "c"});
        QTest::newRow("empty buffer") << QByteArray();
        QTest::newRow("cut inside Level") << good.left(3);
        QTest::newRow("cut inside Kind") << good.left(6);
        QTest::newRow("cut before LogSession") << good.left(8);
        QTest::newRow("cut inside a length") << good.left(11);
        QTest::newRow("cut inside a string") << good.left(15);
        QTest::newRow("last string short") << good.chopped(1);
        QTest::newRow("negative length") << Int32Bytes(1) + Int32Bytes(0) + QByteArray(1, '\0') + Int32Bytes(-1) + "abcd";
        QTest::newRow("length beyond end") << Int32Bytes(1) + Int32Bytes(0) + QByteArray(1, '\0') + Int32Bytes(5) + "abcd";
        QTest::newRow("huge length") << Int32Bytes(1) + Int32Bytes(0) + QByteArray(1, '\0')
                                        + Int32Bytes(std::numeric_limits<qint32>::max()) + QByteArray(40, 'x');
        QTest::newRow("lowest length") << Int32Bytes(1) + Int32Bytes(0) + QByteArray(1, '\0')
                                          + Int32Bytes(std::numeric_limits<qint32>::min()) + QByteArray(40, 'x');
        QTest::newRow("huge later length")
            << Int32Bytes(1) + Int32Bytes(0) + QByteArray(1, '\0') + StringBytes("n") + StringBytes("m")
                   + StringBytes("p") + StringBytes("s") + StringBytes("u") + Int32Bytes(0x7FFFFFF0) + "0:0:0";
    }
    void refusesDamagedRecords()
    {
        QFETCH(QByteArray, bytes);
        const QByteArray buffer = "xy" + bytes;
        ByteReader in(buffer, 2);
        rVTNodeData r = sample();
        QVERIFY(!VTLoadNode(in, r));
        QCOMPARE(r, sample());         // nothing invented, nothing half filled
        QCOMPARE(in.position(), 2);   // ready for the caller to report where it failed

        // Read from a file as it comes, the same bytes are refused the same way: damaged,
        // not unreadable.
        QBuffer device;
        device.setData(bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        DeviceReader stream(device);
        QVERIFY(!VTLoadNode(stream, r));
        QCOMPARE(r, sample());
        QVERIFY(!stream.failed());
    }

    // Records read from a device through the reader's pieces, strings shorter and longer than
    // a piece among them, come back byte for byte.
    void deviceReadsAcrossItsPieces_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("macroSize");
        QTest::newRow("many short records") << 6000 << 40;
        QTest::newRow("a string longer than a piece") << 3 << 300 * 1024;
        QTest::newRow("strings longer than two pieces") << 2 << 700 * 1024;
    }
    void deviceReadsAcrossItsPieces()
    {
        QFETCH(int, records);
        QFETCH(int, macroSize);
        QList<rVTNodeData> written;
        QByteArray bytes;
        for (int i = 0; i < records; ++i) {
            rVTNodeData r = sample();
            r.Name = "n" + QByteArray::number(i);
            r.Macro = QByteArray(macroSize, char('a' + i % 26));
            r.Level = i;
            VTSaveNode(r, bytes);
            written << r;
        }
        QBuffer device;
        device.setData(bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        DeviceReader in(device);
        for (const rVTNodeData &expected : std::as_const(written)) {
            rVTNodeData r;
            QVERIFY(VTLoadNode(in, r));
            QCOMPARE(r, expected);
        }
        QCOMPARE(in.remaining(), 0);
        rVTNodeData r;
        QVERIFY(!VTLoadNode(in, r));
    }

    // The fields of a record read in share one allocation, yet each is a string of its own:
    // ended by a NUL, and changed without touching the others or a copy of the record.
    void fieldsReadInAreStringsOfTheirOwn()
    {
        QByteArray bytes;
        VTSaveNode(sample(), bytes);
        ByteReader in(bytes);
        rVTNodeData r;
        QVERIFY(VTLoadNode(in, r));
        for (const QByteArray *field : {&r.Name, &r.Macro, &r.Popup, &r.Schedule, &r.LastUpdated, &r.Colors})
            QCOMPARE(field->constData()[field->size()], '\0');
        const rVTNodeData copy = r;
        r.Name += " renamed";
        r.Macro[0] = 'X';
        r.Popup.clear();
        QCOMPARE(r.Name, sample().Name + " renamed");
        QCOMPARE(r.Macro, "X" + sample().Macro.mid(1));
        QCOMPARE(r.Schedule, sample().Schedule);
        QCOMPARE(r.Colors, sample().Colors);
        QCOMPARE(copy, sample());
    }

    void readerChecksEachRead()
    {
        const QByteArray bytes = QByteArray::fromHex("0000008007");
        ByteReader in(bytes);
        qint32 v = 0;
        QVERIFY(in.readInt32(v));
        QCOMPARE(v, std::numeric_limits<qint32>::min());
        QVERIFY(!in.readInt32(v));
        QCOMPARE(in.position(), 4);
        QByteArray out = "keep";
        QVERIFY(!in.readBytes(2, out));
        QVERIFY(!in.readBytes(-1, out));
        QCOMPARE(out, QByteArray("keep"));
        quint8 b = 0;
        QVERIFY(in.readByte(b));
        QCOMPARE(b, quint8(7));
        QVERIFY(in.atEnd());
        QVERIFY(!in.readByte(b));
    }
};

QTEST_GUILESS_MAIN(TestNodeStream)
#include "tst_nodestream.moc"
