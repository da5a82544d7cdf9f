#include "table/ColorSet.h"

#include <QTest>

namespace {

// A set whose every byte differs from what the texts below write, so kept bytes show.
ColorSet marked()
{
    ColorSet s;
    for (std::size_t i = 0; i < s.bytes.size(); ++i)
        s.bytes[i] = static_cast<std::uint8_t>(200 + i);
    return s;
}

QByteArray joined(const QList<QByteArray> &fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i)
        out += (i ? ":" : "") + fields[i];
    return out;
}

QList<QByteArray> numbers(int count, int start)
{
    QList<QByteArray> out;
    for (int i = 0; i < count; ++i)
        out << QByteArray::number(start + i);
    return out;
}

} // namespace

using ByteList = QList<int>;

class TestColorSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        // Expected bytes; -1 means the byte keeps its old value.
        QTest::addColumn<ByteList>("expected");

        ByteList ten;
        for (int i = 0; i < 24; ++i)
            ten << 10 + i;
        QTest::newRow("well formed") << joined(numbers(24, 10)) << true << ten;

        QTest::newRow("shortest well formed, 47 characters")
            << joined(QList<QByteArray>(24, "7")) << true << ByteList(24, 7);

        QByteArray short46 = joined(QList<QByteArray>(24, "7")).chopped(1);
        QTest::newRow("46 characters change nothing") << short46 << false << ByteList(24, -1);

        ByteList letter = ten;
        letter[5] = -1;
        QList<QByteArray> withLetter = numbers(24, 10);
        withLetter[5] = "x";
        QTest::newRow("letter in field 5") << joined(withLetter) << false << letter;

        QList<QByteArray> empty = numbers(24, 10);
        empty[0] = "";
        ByteList emptyKept = ten;
        emptyKept[0] = -1;
        QTest::newRow("empty field") << joined(empty) << false << emptyKept;

        QList<QByteArray> wide = numbers(24, 10);
        wide[0] = "300";
        wide[1] = "256";
        wide[2] = "-1";
        wide[3] = "+5";
        ByteList low = ten;
        low[0] = 44;
        low[1] = 0;
        low[2] = 255;
        low[3] = 5;
        QTest::newRow("low 8 bits stored") << joined(wide) << true << low;

        QList<QByteArray> outOfRange = numbers(24, 10);
        outOfRange[4] = "4294967296";
        outOfRange[6] = "-";
        outOfRange[7] = "1.5";
        ByteList rangeKept = ten;
        rangeKept[4] = rangeKept[6] = rangeKept[7] = -1;
        QTest::newRow("not 32-bit integers") << joined(outOfRange) << false << rangeKept;

        // 22 colons: the fields after the last colon have no end and keep their bytes.
        ByteList fewer = ten;
        fewer[22] = fewer[23] = -1;
        QTest::newRow("too few colons") << joined(numbers(23, 10)) << false << fewer;

        ByteList more = ten;
        more[23] = -1;
        QTest::newRow("too many colons") << joined(numbers(25, 10)) << false << more;

        ByteList noColon(24, -1);
        QTest::newRow("no colon at all") << QByteArray(50, '1') << false << noColon;
    }
    void parses()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        QFETCH(ByteList, expected);
        ColorSet set = marked();
        const ColorSet before = set;
        QCOMPARE(ParseColorSet(text, set), ok);
        for (int i = 0; i < 24; ++i) {
            const int want = expected[i] < 0 ? before.bytes[std::size_t(i)] : expected[i];
            QCOMPARE(int(set.bytes[std::size_t(i)]), want);
        }
    }

    void formats()
    {
        ColorSet set;
        for (std::size_t i = 0; i < set.bytes.size(); ++i)
            set.bytes[i] = static_cast<std::uint8_t>(i * 11);
        QCOMPARE(FormatColorSet(set),
                 QByteArray("0:11:22:33:44:55:66:77:88:99:110:121:132:143:154:165:176:187:198:209:220:231:242:253"));
        QCOMPARE(FormatColorSet(ColorSet{}), joined(QList<QByteArray>(24, "0")));
    }

    void schemesRoundTrip_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < ColorSchemeCount; ++row)
            QTest::newRow(ColorSchemes[row].name) << row;
    }
    void schemesRoundTrip()
    {
        QFETCH(int, row);
        ColorSet set = marked();
        QVERIFY(ParseColorSet(ColorSchemes[row].text, set));
        QCOMPARE(FormatColorSet(set), QByteArray(ColorSchemes[row].text));
    }

    void schemesInListOrder()
    {
        const QStringList names{"Black on Light color", "Black on Light Yellow", "Black on White", "Green Tint",
                                "Green on Black", "Grey on Black", "White on Black"};
        QCOMPARE(ColorSchemeCount, int(names.size()));
        for (int row = 0; row < ColorSchemeCount; ++row)
            QCOMPARE(QString::fromLatin1(ColorSchemes[row].name), names[row]);
        // Element layout: row 3's URL element is 128,128,255 on 0,128,128.
        ColorSet set;
        QVERIFY(ParseColorSet(ColorSchemes[3].text, set));
        QCOMPARE(int(set.at(ColorSet::Url, false, 0)), 128);
        QCOMPARE(int(set.at(ColorSet::Url, false, 2)), 255);
        QCOMPARE(int(set.at(ColorSet::Url, true, 1)), 128);
        QCOMPARE(int(set.at(ColorSet::Normal, true, 0)), 0);
        QCOMPARE(QByteArray(FromTeraTermIniScheme), QByteArray("from TeraTerm.ini file"));
    }
};

QTEST_GUILESS_MAIN(TestColorSet)
#include "tst_colorset.moc"
