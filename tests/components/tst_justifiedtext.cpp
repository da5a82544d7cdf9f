#include "components/JustifiedText.h"

#include <QTest>

namespace {

// Every character one pixel wide: widths are lengths.
int byLength(const QString &text)
{
    return int(text.size());
}

QString describe(const QList<TLineObj> &lines)
{
    QStringList out;
    for (const TLineObj &l : lines)
        out << QStringLiteral("%1|%2|%3").arg(l.Text).arg(l.Gaps).arg(l.Extra);
    return out.join(QLatin1String(" / "));
}

} // namespace

class TestJustifiedText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gapExtraSpreadsTheRemainder_data()
    {
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("gaps");
        QTest::addColumn<QList<int>>("perGap");  // from the rightmost blank leftwards
        QTest::newRow("6 over 4") << 6 << 4 << QList<int>{1, 1, 2, 2};
        QTest::newRow("7 over 4: one short") << 7 << 4 << QList<int>{1, 2, 2, 1};
        QTest::newRow("even") << 8 << 4 << QList<int>{2, 2, 2, 2};
        QTest::newRow("less than one each") << 2 << 4 << QList<int>{0, 0, 1, 1};
        QTest::newRow("no gaps") << 5 << 0 << QList<int>{0, 0};
    }
    void gapExtraSpreadsTheRemainder()
    {
        QFETCH(int, extra);
        QFETCH(int, gaps);
        QFETCH(QList<int>, perGap);
        const TLineObj line{extra, gaps, QString()};
        QList<int> got;
        for (int i = 0; i < perGap.size(); ++i)
            got << line.GapExtra(i);
        QCOMPARE(got, perGap);
        QCOMPARE(line.GapExtra(-1), line.GapExtra(0));
    }

    void breakLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("lines");  // text|gaps|extra per line
        QTest::newRow("empty") << "" << 10 << "|0|0";
        QTest::newRow("fits") << "one two" << 10 << "one two|0|0";
        QTest::newRow("three-line paragraph")
            << "aa bb cc dd ee ff gg" << 8 << "aa bb|1|3 / cc dd|1|3 / ee ff gg|0|0";
        QTest::newRow("spare pixels") << "aa b ccc dd" << 7 << "aa b|1|3 / ccc dd|0|0";
        QTest::newRow("word too long breaks where it passes")
            << "abcdefghij kl" << 4 << "abcd|0|0 / efgh|0|0 / ij|0|2 / kl|0|0";
        QTest::newRow("tab is a blank and a gap") << "a\tb\tc dd" << 6 << "a b c|2|1 / dd|0|0";
        QTest::newRow("paragraphs by CR LF") << "aa bb\r\ncc" << 10 << "aa bb|0|0 / cc|0|0";
        QTest::newRow("lone CR") << "aa\rbb" << 10 << "aa|0|0 / bb|0|0";
        QTest::newRow("lone LF is a character") << "aa\nbb" << 10 << "aa\nbb|0|0";
        QTest::newRow("ends with a line break") << "aa\r\n" << 10 << "aa|0|0 / |0|0";
        QTest::newRow("last character never classified") << "ab\t" << 10 << "ab\t|0|0";
        QTest::newRow("blank of an earlier line is not reused")
            << "ab cdefgh" << 3 << "ab|0|1 / cde|0|0 / fgh|0|0";
    }
    void breakLines()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, lines);
        QCOMPARE(describe(BreakLines(text, width, byLength)), lines);
    }

    void justifiedLineReachesTheEdge_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("gaps");
        QTest::addColumn<QList<int>>("x");
        QTest::addColumn<int>("end");  // where the last character ends
        // 9 characters, 4 blanks, in 15 pixels: the line ends at the edge.
        QTest::newRow("6 spare") << "a b c d e" << 6 << 4
                                 << QList<int>{0, 1, 4, 5, 8, 9, 11, 12, 14} << 15;
        // In 16 pixels it ends one short.
        QTest::newRow("7 spare") << "a b c d e" << 7 << 4
                                 << QList<int>{0, 1, 3, 4, 7, 8, 11, 12, 14} << 15;
        QTest::newRow("leading blank gets nothing") << " ab c" << 2 << 2
                                                    << QList<int>{0, 1, 2, 3, 5} << 6;
        QTest::newRow("natural line") << "ab cd" << 0 << 0 << QList<int>{0, 1, 2, 3, 4} << 5;
    }
    void justifiedLineReachesTheEdge()
    {
        QFETCH(QString, text);
        QFETCH(int, extra);
        QFETCH(int, gaps);
        QFETCH(QList<int>, x);
        QFETCH(int, end);
        QList<int> extents;
        for (int k = 1; k <= text.size(); ++k)
            extents << k;
        const JustifiedLayout layout = LayoutJustifiedLine({extra, gaps, text}, extents, 100);
        QCOMPARE(layout.fit, int(text.size()));
        QCOMPARE(layout.x, x);
        QCOMPARE(layout.x.last() + 1, end);
    }

    void charactersPastTheWidthAreNotDrawn()
    {
        const JustifiedLayout layout = LayoutJustifiedLine({0, 0, "abcdef"}, {3, 6, 9, 12, 15, 18}, 10);
        QCOMPARE(layout.fit, 3);
        QCOMPARE(layout.x, QList<int>({0, 3, 6}));
        QCOMPARE(LayoutJustifiedLine({0, 0, QString()}, {}, 10).fit, 0);
    }
};

QTEST_GUILESS_MAIN(TestJustifiedText)
#include "tst_justifiedtext.moc"
