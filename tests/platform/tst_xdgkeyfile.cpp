#include "platform/XdgKeyFile.h"

#include <QTest>

namespace {

const QByteArray kFile = "# the user's own comment\n"
                         "[Default Applications]\n"
                         "text/plain = editor.desktop;\n"
                         "  image/png=viewer.desktop;\n"
                         "text/plain=second.desktop;\n"
                         "\n"
                         "[Added Associations]\n"
                         "text/plain=other.desktop;\n"
                         "[Default Applications]\n"
                         "text/html=late.desktop;\n";

} // namespace

class TestXdgKeyFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");  // null: missing
        QTest::newRow("blanks around =") << QByteArray("Default Applications") << QByteArray("text/plain")
                                         << QByteArray("editor.desktop;");
        QTest::newRow("indented key") << QByteArray("Default Applications") << QByteArray("image/png")
                                      << QByteArray("viewer.desktop;");
        QTest::newRow("other group") << QByteArray("Added Associations") << QByteArray("text/plain")
                                     << QByteArray("other.desktop;");
        QTest::newRow("second group of a name is not read")
            << QByteArray("Default Applications") << QByteArray("text/html") << QByteArray();
        QTest::newRow("letter case") << QByteArray("default applications") << QByteArray("text/plain")
                                     << QByteArray();
        QTest::newRow("comment is no key") << QByteArray("Default Applications")
                                           << QByteArray("# the user's own comment") << QByteArray();
    }
    void reading()
    {
        QFETCH(QByteArray, group);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        const auto got = XdgKeyFile(kFile).value(group, key);
        QCOMPARE(got.has_value(), !value.isNull());
        if (got)
            QCOMPARE(*got, value);
        QCOMPARE(XdgKeyFile(kFile).contents(), kFile);
    }

    void writing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replaced where it stands")
            << kFile << QByteArray("Default Applications") << QByteArray("text/plain") << QByteArray("mine.desktop;")
            << QByteArray(kFile).replace("text/plain = editor.desktop;", "text/plain=mine.desktop;");
        QTest::newRow("added after the group's last line")
            << kFile << QByteArray("Added Associations") << QByteArray("a/b") << QByteArray("x;")
            << QByteArray(kFile).replace("text/plain=other.desktop;\n", "text/plain=other.desktop;\na/b=x;\n");
        QTest::newRow("added before the blank lines ending a group")
            << kFile << QByteArray("Default Applications") << QByteArray("a/b") << QByteArray("x;")
            << QByteArray(kFile).replace("second.desktop;\n\n", "second.desktop;\na/b=x;\n\n");
        QTest::newRow("new group at the end") << QByteArray("[A]\nk=v") << QByteArray("B") << QByteArray("k")
                                              << QByteArray("w") << QByteArray("[A]\nk=v\n\n[B]\nk=w\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray("B") << QByteArray("k") << QByteArray("")
                                    << QByteArray("[B]\nk=\n");
        QTest::newRow("last line without line end")
            << QByteArray("[A]\nk=v") << QByteArray("A") << QByteArray("j") << QByteArray("w")
            << QByteArray("[A]\nk=v\nj=w\n");
    }
    void writing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, group);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        XdgKeyFile file(before);
        QVERIFY(file.setValue(group, key, value));
        QCOMPARE(file.contents(), after);
        QCOMPARE(XdgKeyFile(after).value(group, key), std::optional<QByteArray>(value));
    }

    void refusesWhatWouldNotReadBack_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("empty group") << QByteArray() << QByteArray("k") << QByteArray("v");
        QTest::newRow("empty key") << QByteArray("G") << QByteArray() << QByteArray("v");
        QTest::newRow("line break in value") << QByteArray("G") << QByteArray("k") << QByteArray("a\nb=c");
        QTest::newRow("carriage return") << QByteArray("G") << QByteArray("k") << QByteArray("a\rb");
        QTest::newRow("= in key") << QByteArray("G") << QByteArray("k=x") << QByteArray("v");
        QTest::newRow("] in group") << QByteArray("G]x") << QByteArray("k") << QByteArray("v");
        QTest::newRow("blank around value") << QByteArray("G") << QByteArray("k") << QByteArray(" v");
        QTest::newRow("comment key") << QByteArray("G") << QByteArray("#k") << QByteArray("v");
    }
    void refusesWhatWouldNotReadBack()
    {
        QFETCH(QByteArray, group);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        XdgKeyFile file(kFile);
        QVERIFY(!file.setValue(group, key, value));
        QCOMPARE(file.contents(), kFile);
    }

    void removing()
    {
        XdgKeyFile file(kFile);
        QVERIFY(file.remove("Default Applications", "image/png"));
        QVERIFY(!file.remove("Default Applications", "image/png"));
        QVERIFY(!file.remove("Nowhere", "text/plain"));
        QCOMPARE(file.contents(), QByteArray(kFile).replace("  image/png=viewer.desktop;\n", ""));
    }
};

QTEST_GUILESS_MAIN(TestXdgKeyFile)
#include "tst_xdgkeyfile.moc"
