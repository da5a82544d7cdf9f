#include "platform/IniFile.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A file holding Bytes, or no file at all for a null Bytes.
    QString fixture(const QByteArray &bytes)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("f%1.ini").arg(++n));
        if (!bytes.isNull())
            WriteFileBytes(path, bytes);
        return path;
    }

private Q_SLOTS:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");  // "<default>" when the key is missing

        QTest::newRow("plain") << QByteArray("[A]\r\nx=1\r\n") << QByteArray("A") << QByteArray("x") << QByteArray("1");
        QTest::newRow("section any case") << QByteArray("[Tera Term]\r\nVTColor=1\r\n") << QByteArray("TERA TERM") << QByteArray("VTColor") << QByteArray("1");
        QTest::newRow("key any case") << QByteArray("[A]\nVTColor=1\n") << QByteArray("a") << QByteArray("vtcolor") << QByteArray("1");
        QTest::newRow("blanks trimmed") << QByteArray("[A]\n \t x \t= \t v w \t \n") << QByteArray("A") << QByteArray("x") << QByteArray("v w");
        QTest::newRow("blanks around header") << QByteArray("  [ A ]  \nx=1\n") << QByteArray("A") << QByteArray("x") << QByteArray("1");
        QTest::newRow("caller's blanks ignored") << QByteArray("[A]\nx=1\n") << QByteArray(" A ") << QByteArray(" x ") << QByteArray("1");
        QTest::newRow("double quotes dropped") << QByteArray("[A]\nx= \" v \" \n") << QByteArray("A") << QByteArray("x") << QByteArray(" v ");
        QTest::newRow("single quotes dropped") << QByteArray("[A]\nx='v'\n") << QByteArray("A") << QByteArray("x") << QByteArray("v");
        QTest::newRow("one pair only") << QByteArray("[A]\nx=\"\"v\"\"\n") << QByteArray("A") << QByteArray("x") << QByteArray("\"v\"");
        QTest::newRow("unpaired quotes kept") << QByteArray("[A]\nx=\"v'\n") << QByteArray("A") << QByteArray("x") << QByteArray("\"v'");
        QTest::newRow("lone quote kept") << QByteArray("[A]\nx=\"\n") << QByteArray("A") << QByteArray("x") << QByteArray("\"");
        QTest::newRow("empty quotes") << QByteArray("[A]\nx=''\n") << QByteArray("A") << QByteArray("x") << QByteArray("");
        QTest::newRow("first = splits") << QByteArray("[A]\nx=a=b\n") << QByteArray("A") << QByteArray("x") << QByteArray("a=b");
        QTest::newRow("empty value") << QByteArray("[A]\nx=\n") << QByteArray("A") << QByteArray("x") << QByteArray("");
        QTest::newRow("missing key") << QByteArray("[A]\ny=1\n") << QByteArray("A") << QByteArray("x") << QByteArray("<default>");
        QTest::newRow("missing section") << QByteArray("[B]\nx=1\n") << QByteArray("A") << QByteArray("x") << QByteArray("<default>");
        QTest::newRow("key of the next section") << QByteArray("[A]\n[B]\nx=1\n") << QByteArray("A") << QByteArray("x") << QByteArray("<default>");
        QTest::newRow("before any section") << QByteArray("x=1\n[A]\n") << QByteArray("A") << QByteArray("x") << QByteArray("<default>");
        QTest::newRow("comment is no key") << QByteArray("[A]\n;x=1\n  ; x=2\n") << QByteArray("A") << QByteArray(";x") << QByteArray("<default>");
        QTest::newRow("line without = is no key") << QByteArray("[A]\nx\n") << QByteArray("A") << QByteArray("x") << QByteArray("<default>");
        QTest::newRow("duplicate key: first wins") << QByteArray("[A]\nx=1\nX=2\n") << QByteArray("A") << QByteArray("x") << QByteArray("1");
        QTest::newRow("duplicate section: first wins") << QByteArray("[A]\ny=1\n[a]\nx=2\n") << QByteArray("A") << QByteArray("x") << QByteArray("<default>");
        QTest::newRow("CRLF not in value") << QByteArray("[A]\r\nx=v\r\n") << QByteArray("A") << QByteArray("x") << QByteArray("v");
        QTest::newRow("last line without end") << QByteArray("[A]\nx=v") << QByteArray("A") << QByteArray("x") << QByteArray("v");
        QTest::newRow("8-bit bytes") << QByteArray("[\xc4]\n\xe9=\xff\xfe\n") << QByteArray("\xc4") << QByteArray("\xe9") << QByteArray("\xff\xfe");
        QTest::newRow("no case folding above ASCII") << QByteArray("[A]\n\xe9=1\n") << QByteArray("A") << QByteArray("\xc9") << QByteArray("<default>");
        QTest::newRow("long value whole") << (QByteArray("[A]\nx=") + QByteArray(5000, 'v') + "\n") << QByteArray("A") << QByteArray("x") << QByteArray(5000, 'v');
        QTest::newRow("empty key asked") << QByteArray("[A]\n=1\n") << QByteArray("A") << QByteArray("") << QByteArray("<default>");
    }

    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        const IniFile ini(fixture(file));
        QCOMPARE(ini.readString(section, key, "<default>"), expected);
        QCOMPARE(ini.hasKey(section, key), expected != "<default>");
        // The one-pass listing agrees with the lookup.
        const auto fold = [](QByteArray b) {
            for (char &c : b)
                c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            return b;
        };
        QByteArray listed = "<default>";
        for (const auto &e : ini.entries(section)) {
            if (fold(e.first) == fold(key.trimmed())) {
                listed = e.second;
                break;
            }
        }
        QCOMPARE(listed, expected);
    }

    void writes_data()
    {
        // Each write is {section, key, value}; the file is compared byte for byte afterwards.
        QTest::addColumn<QByteArray>("file");  // null: no file
        QTest::addColumn<QList<QByteArrayList>>("writes");
        QTest::addColumn<QByteArray>("expected");
        using W = QList<QByteArrayList>;

        QTest::newRow("replace in place")
            << QByteArray("[A]\r\nx=1\r\ny=2\r\n") << W{{"A", "x", "9"}}
            << QByteArray("[A]\r\nx=9\r\ny=2\r\n");
        QTest::newRow("replace keeps indentation and key spelling")
            << QByteArray("[Tera Term]\r\n  VTColor = 1,2 \r\nz=0\r\n") << W{{"tera term", "vtcolor", "3"}}
            << QByteArray("[Tera Term]\r\n  VTColor=3\r\nz=0\r\n");
        QTest::newRow("replace with empty value")
            << QByteArray("[A]\nx=1\n") << W{{"A", "x", ""}}
            << QByteArray("[A]\nx=\n");
        QTest::newRow("add after last non-blank line of section")
            << QByteArray("[A]\r\nx=1\r\n\r\n\r\n[B]\r\ny=2\r\n") << W{{"a", "z", "3"}}
            << QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n");
        QTest::newRow("add after a closing comment")
            << QByteArray("[A]\r\nx=1\r\n; end of A\r\n") << W{{"A", "z", "3"}}
            << QByteArray("[A]\r\nx=1\r\n; end of A\r\nz=3\r\n");
        QTest::newRow("add to an empty section")
            << QByteArray("[A]\n\n[B]\n") << W{{"A", "z", "3"}}
            << QByteArray("[A]\nz=3\n\n[B]\n");
        QTest::newRow("add after a last line without end")
            << QByteArray("[A]\nx=1") << W{{"A", "y", "2"}}
            << QByteArray("[A]\nx=1\ny=2\n");
        QTest::newRow("new section after blank line")
            << QByteArray("[A]\r\nx=1\r\n") << W{{"BG", "BGEnable", "off"}}
            << QByteArray("[A]\r\nx=1\r\n\r\n[BG]\r\nBGEnable=off\r\n");
        QTest::newRow("new section, file ends blank")
            << QByteArray("[A]\nx=1\n\n") << W{{"B", "k", "v"}}
            << QByteArray("[A]\nx=1\n\n[B]\nk=v\n");
        QTest::newRow("new section, last line without end")
            << QByteArray("[A]\nx=1") << W{{"B", "k", "v"}}
            << QByteArray("[A]\nx=1\n\n[B]\nk=v\n");
        QTest::newRow("new section then its second key")
            << QByteArray("[A]\nx=1\n") << W{{"B", "k", "v"}, {"b", "l", "w"}}
            << QByteArray("[A]\nx=1\n\n[B]\nk=v\nl=w\n");
        QTest::newRow("missing file created with CRLF")
            << QByteArray() << W{{"BG", "BGEnable", "off"}}
            << QByteArray("[BG]\r\nBGEnable=off\r\n");
        QTest::newRow("empty file")
            << QByteArray("") << W{{"BG", "BGEnable", "off"}}
            << QByteArray("[BG]\r\nBGEnable=off\r\n");
        QTest::newRow("first line end sets the style")
            << QByteArray("[A]\nx=1\r\n") << W{{"A", "y", "2"}}
            << QByteArray("[A]\nx=1\r\ny=2\n");
        QTest::newRow("comment with = is no key")
            << QByteArray("[A]\r\n;x=1\r\n") << W{{"A", "x", "2"}}
            << QByteArray("[A]\r\n;x=1\r\nx=2\r\n");
        QTest::newRow("line without = is no key")
            << QByteArray("[A]\nx\n") << W{{"A", "x", "1"}}
            << QByteArray("[A]\nx\nx=1\n");
        QTest::newRow("duplicate keys: the first wins")
            << QByteArray("[A]\nx=1\nX=2\n") << W{{"A", "x", "3"}}
            << QByteArray("[A]\nx=3\nX=2\n");
        QTest::newRow("duplicate sections: the first wins")
            << QByteArray("[A]\nx=1\n[a]\ny=2\n") << W{{"A", "y", "3"}}
            << QByteArray("[A]\nx=1\ny=3\n[a]\ny=2\n");
        QTest::newRow("keys before any section untouched")
            << QByteArray("x=1\n[A]\n") << W{{"A", "x", "2"}}
            << QByteArray("x=1\n[A]\nx=2\n");
        QTest::newRow("value written as given")
            << QByteArray("[A]\n") << W{{"A", "k", " \"q\" "}}
            << QByteArray("[A]\nk= \"q\" \n");
        QTest::newRow("line breaks and NUL in a value become blanks")
            << QByteArray("[A]\n") << W{{"A", "k", QByteArray("a\r\nb\0c", 6)}}
            << QByteArray("[A]\nk=a  b c\n");
        QTest::newRow("other bytes kept")
            << QByteArray("\xef\xbb\xbf; top\r\n[A]\r\n  odd line \xff\r\njunk]\r\nx=\xe9\r\n\t\r\n[B] trailing\r\nz=1")
            << W{{"A", "x", "\xe8"}}
            << QByteArray("\xef\xbb\xbf; top\r\n[A]\r\n  odd line \xff\r\njunk]\r\nx=\xe8\r\n\t\r\n[B] trailing\r\nz=1");
        QTest::newRow("same key twice")
            << QByteArray("[A]\nx=1\n") << W{{"A", "x", "2"}, {"A", "X", "3"}}
            << QByteArray("[A]\nx=3\n");
        QTest::newRow("the caller's blanks around names dropped")
            << QByteArray("[A]\n") << W{{" B ", " k ", "v"}}
            << QByteArray("[A]\n\n[B]\nk=v\n");
    }

    void writes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<QByteArrayList>, writes);
        QFETCH(QByteArray, expected);
        const QString path = fixture(file);
        IniFile ini(path);
        for (const QByteArrayList &w : writes)
            QVERIFY(ini.writeString(w[0], w[1], w[2]));
        QCOMPARE(ini.contents(), expected);
        QVERIFY(ini.flush());
        QCOMPARE(ReadFileBytes(path), expected);
        // A fresh reader keeps the written file byte for byte as well.
        QCOMPARE(IniFile(path).contents(), expected);
    }

    void writtenValueReadsBack_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("readBack");
        QTest::newRow("plain") << QByteArray("1,2,3") << QByteArray("1,2,3");
        QTest::newRow("inner blanks") << QByteArray("Courier New,0,-13,255") << QByteArray("Courier New,0,-13,255");
        QTest::newRow("outer blanks trimmed on read") << QByteArray("  v  ") << QByteArray("v");
        QTest::newRow("quotes dropped on read") << QByteArray("'v'") << QByteArray("v");
        QTest::newRow("line break") << QByteArray("a\nb") << QByteArray("a b");
    }

    void writtenValueReadsBack()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, readBack);
        const QString path = fixture("[Tera Term]\r\nVTFont=x\r\n");
        IniFile ini(path);
        QVERIFY(ini.writeString("Tera Term", "VTFont", value));
        QVERIFY(ini.writeString("Other", "k", value));
        QVERIFY(ini.flush());
        const IniFile again(path);
        QCOMPARE(again.readString("tera term", "vtfont"), readBack);
        QCOMPARE(again.readString("other", "K"), readBack);
    }

    void refusesNamesThatCannotBeReadBack_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("empty section") << QByteArray("") << QByteArray("k");
        QTest::newRow("blank section") << QByteArray("  ") << QByteArray("k");
        QTest::newRow("] in section") << QByteArray("a]b") << QByteArray("k");
        QTest::newRow("line break in section") << QByteArray("a\nb") << QByteArray("k");
        QTest::newRow("empty key") << QByteArray("A") << QByteArray("");
        QTest::newRow("= in key") << QByteArray("A") << QByteArray("a=b");
        QTest::newRow("comment key") << QByteArray("A") << QByteArray(";k");
        QTest::newRow("header key") << QByteArray("A") << QByteArray("[k");
        QTest::newRow("CR in key") << QByteArray("A") << QByteArray("a\rb");
        QTest::newRow("NUL in key") << QByteArray("A") << QByteArray("a\0b", 3);
    }

    void refusesNamesThatCannotBeReadBack()
    {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        const QByteArray before("[A]\nx=1\n");
        const QString path = fixture(before);
        IniFile ini(path);
        QVERIFY(!ini.writeString(section, key, "v"));
        QCOMPARE(ini.contents(), before);
    }

    void listsKeysAndSections()
    {
        const IniFile ini(fixture("[A]\nb=1\n;c=2\nx\nB=3\na=4\n[C]\n"));
        QCOMPARE(ini.keys("a"), (QList<QByteArray>{"b", "a"}));
        QCOMPARE(ini.entries("a"), (QList<QPair<QByteArray, QByteArray>>{{"b", "1"}, {"a", "4"}}));
        QVERIFY(ini.entries("D").isEmpty());
        QVERIFY(ini.keys("C").isEmpty());
        QVERIFY(ini.hasSection("c"));
        QVERIFY(!ini.hasSection("D"));
        QVERIFY(ini.keys("D").isEmpty());
    }

    void flushWithoutChangesWritesNothing()
    {
        const QString path = fixture(QByteArray());
        IniFile ini(path);
        QVERIFY(!ini.fileExists());
        QVERIFY(ini.flush());
        QVERIFY(!QFileInfo::exists(path));
        // Rewriting a value as it stands is no change either.
        const QString existing = fixture("[A]\r\nx = 1\r\n");
        IniFile same(existing);
        QVERIFY(same.fileExists());
        QVERIFY(same.writeString("A", "x", "1"));
        QCOMPARE(same.contents(), QByteArray("[A]\r\nx=1\r\n"));
        // The line is respelled, so that is a change after all.
        QVERIFY(same.flush());
        QCOMPARE(ReadFileBytes(existing), QByteArray("[A]\r\nx=1\r\n"));
    }

    void unreadableFileIsNeverReplaced()
    {
        // A folder stands at the path: it cannot be read as a file, so nothing may overwrite it.
        const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
        QVERIFY(QDir().mkpath(path));
        IniFile ini(path);
        QVERIFY(ini.readFailed());
        QVERIFY(ini.writeString("A", "x", "1"));
        QVERIFY(!ini.flush());
        QVERIFY(QFileInfo(path).isDir());
    }

    void flushKeepsPermissions()
    {
        // Per-run copies are owner-only; writing keys into them must not widen that.
        const QString path = fixture("[A]\nx=1\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        IniFile ini(path);
        QVERIFY(ini.writeString("A", "x", "2"));
        QVERIFY(ini.flush());
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
            | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(path).permissions() & others, QFileDevice::Permissions());
        QCOMPARE(ReadFileBytes(path), QByteArray("[A]\nx=2\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
