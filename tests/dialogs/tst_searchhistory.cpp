#include "dialogs/SearchHistory.h"

#include <QTest>

class TestSearchHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("CR LF, CR and LF") << "a\r\nb\rc\nd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("a break at the end starts nothing") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("an empty line inside is kept") << "a\n\nb" << QStringList{"a", "", "b"};
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    }
    void fromText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QCOMPARE(SearchHistory::fromText(text), entries);
    }

    void toText_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("text");
        QStringList twelve;
        for (int i = 1; i <= 12; ++i)
            twelve << QString::number(i);
        QTest::newRow("empty") << QStringList() << "";
        QTest::newRow("no break after the last") << QStringList{"a", "b"} << "a\r\nb";
        QTest::newRow("twelve keep their first ten") << twelve << "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10";
    }
    void toText()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, text);
        QCOMPARE(SearchHistory::toText(entries), text);
    }

    void push_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("a new text goes first") << QStringList{"a", "b"} << "c" << QStringList{"c", "a", "b"};
        QTest::newRow("third in another case: once, as typed") << QStringList{"a", "b", "foo", "d"} << "FOO"
                                                               << QStringList{"FOO", "a", "b", "d"};
        QTest::newRow("already first") << QStringList{"a", "b"} << "a" << QStringList{"a", "b"};
        QTest::newRow("an empty text is never added") << QStringList{"a"} << "" << QStringList{"a"};
    }
    void push()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        SearchHistory::push(entries, text);
        QCOMPARE(entries, after);
    }
};

QTEST_GUILESS_MAIN(TestSearchHistory)
#include "tst_searchhistory.moc"
