#include "runner/TeraTermIni.h"

#include "support/TempProgramFolder.h"
#include "table/ColorSet.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

const QByteArray kRow0("0:0:0:255:255:216:0:0:255:255:255:216:0:255:255:255:255:216:0:0:255:255:255:216");

// TeraTerm's file as it comes: comments, other sections, keys in its own spelling.
const QByteArray kTeraTermIni(
    "; Tera Term configuration\r\n"
    "[Tera Term]\r\n"
    "Language=Japanese\r\n"
    "VTColor=255,255,255,0,0,0\r\n"
    "VTFont=Terminal,0,-12,255\r\n"
    "vtboldcolor = 0,0,255,255,255,255\r\n"
    "VTBlinkColor=255,0,0,255,255,255\r\n"
    "URLColor=0,255,0,255,255,255\r\n"
    "\r\n"
    "[BG]\r\n"
    "BGEnable=on\r\n"
    "BGThemeFile=theme\\test.ini\r\n");

ColorSet numbered()
{
    ColorSet set;
    for (int i = 0; i < 24; ++i)
        set.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 10 + 5);
    return set;
}

} // namespace

class TestTeraTermIni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTeraTermColors_data()
    {
        QTest::addColumn<QByteArray>("ini");  // null: no teraterm.ini
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("no file") << QByteArray() << kRow0;
        QTest::newRow("all four keys") << kTeraTermIni
            << QByteArray("255:255:255:0:0:0:0:0:255:255:255:255:255:0:0:255:255:255:0:255:0:255:255:255");
        QTest::newRow("URLColor missing")
            << QByteArray("[Tera Term]\nVTColor=1,2,3,4,5,6\nVTBoldColor=1,2,3,4,5,6\nVTBlinkColor=1,2,3,4,5,6\n")
            << kRow0;
        QTest::newRow("five numbers in one key")
            << QByteArray("[Tera Term]\nVTColor=1,2,3,4,5\nVTBoldColor=1,2,3,4,5,6\nVTBlinkColor=1,2,3,4,5,6\nURLColor=1,2,3,4,5,6\n")
            << kRow0;
        QTest::newRow("seven numbers in one key")
            << QByteArray("[Tera Term]\nVTColor=1,2,3,4,5,6,7\nVTBoldColor=1,2,3,4,5,6\nVTBlinkColor=1,2,3,4,5,6\nURLColor=1,2,3,4,5,6\n")
            << kRow0;
        QTest::newRow("numbers not checked here")
            << QByteArray("[Tera Term]\nVTColor=a,2,3,4,5,6\nVTBoldColor=1,2,3,4,5,6\nVTBlinkColor=1,2,3,4,5,6\nURLColor=1,2,3,4,5,999\n")
            << QByteArray("a:2:3:4:5:6:1:2:3:4:5:6:1:2:3:4:5:6:1:2:3:4:5:999");
        QTest::newRow("quotes, blanks and letter case")
            << QByteArray("[TERA TERM]\r\n vtcolor = \"1,2,3,4,5,6\" \r\nVTBOLDCOLOR='1,2,3,4,5,6'\r\nVTBlinkColor=1,2,3,4,5,6\r\nurlcolor=1,2,3,4,5,6\r\n")
            << QByteArray("1:2:3:4:5:6:1:2:3:4:5:6:1:2:3:4:5:6:1:2:3:4:5:6");
        QTest::newRow("keys in another section")
            << QByteArray("[Other]\nVTColor=1,2,3,4,5,6\nVTBoldColor=1,2,3,4,5,6\nVTBlinkColor=1,2,3,4,5,6\nURLColor=1,2,3,4,5,6\n")
            << kRow0;
    }

    void readsTeraTermColors()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, expected);
        TempProgramFolder folder;
        if (!ini.isNull())
            QVERIFY(folder.write(QStringLiteral("teraterm.ini"), ini));
        QCOMPARE(ReadTeraTermColors(), expected);
    }

    void writesColorsInPlace()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("copy.ini"), kTeraTermIni));
        QVERIFY(WriteTeraTermColors(folder.filePath(QStringLiteral("copy.ini")), numbered()));
        QCOMPARE(folder.read(QStringLiteral("copy.ini")),
                 QByteArray("; Tera Term configuration\r\n"
                            "[Tera Term]\r\n"
                            "Language=Japanese\r\n"
                            "VTColor=5,15,25,35,45,55\r\n"
                            "VTFont=Terminal,0,-12,255\r\n"
                            "vtboldcolor=65,75,85,95,105,115\r\n"
                            "VTBlinkColor=125,135,145,155,165,175\r\n"
                            "URLColor=185,195,205,215,225,235\r\n"
                            "\r\n"
                            "[BG]\r\n"
                            "BGEnable=on\r\n"
                            "BGThemeFile=theme\\test.ini\r\n"));
    }

    void addsMissingColorKeys()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("copy.ini"), "[Tera Term]\nVTColor=1,1,1,1,1,1\n\n[BG]\nBGEnable=on\n"));
        ColorSet set;
        QVERIFY(WriteTeraTermColors(folder.filePath(QStringLiteral("copy.ini")), set));
        QCOMPARE(folder.read(QStringLiteral("copy.ini")),
                 QByteArray("[Tera Term]\nVTColor=0,0,0,0,0,0\nVTBoldColor=0,0,0,0,0,0\n"
                            "VTBlinkColor=0,0,0,0,0,0\nURLColor=0,0,0,0,0,0\n\n[BG]\nBGEnable=on\n"));
    }

    void writesFont_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("face");
        QTest::addColumn<int>("height");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("face and height replaced")
            << QByteArray("[Tera Term]\r\nVTFont=Terminal,0,-12,255\r\nX=1\r\n") << QByteArray("Courier New") << -13
            << QByteArray("[Tera Term]\r\nVTFont=Courier New,0,-13,255\r\nX=1\r\n");
        QTest::newRow("further fields kept")
            << QByteArray("[Tera Term]\nVTFont=Terminal,8,-12,128,extra,x\n") << QByteArray("Mono") << 16
            << QByteArray("[Tera Term]\nVTFont=Mono,8,16,128,extra,x\n");
        QTest::newRow("value without commas")
            << QByteArray("[Tera Term]\nVTFont=Terminal\n") << QByteArray("Mono") << -13
            << QByteArray("[Tera Term]\nVTFont=Mono,,-13,Terminal\n");
        QTest::newRow("value with one comma")
            << QByteArray("[Tera Term]\nVTFont=Terminal,0\n") << QByteArray("Mono") << -13
            << QByteArray("[Tera Term]\nVTFont=Mono,,-13,0\n");
        QTest::newRow("value with two commas")
            << QByteArray("[Tera Term]\nVTFont=Terminal,0,-12\n") << QByteArray("Mono") << -13
            << QByteArray("[Tera Term]\nVTFont=Mono,0,-13,-12\n");
        QTest::newRow("VTFont absent")
            << QByteArray("[Tera Term]\nVTColor=1\n") << QByteArray("Mono") << -13
            << QByteArray("[Tera Term]\nVTColor=1\n");
        QTest::newRow("VTFont empty")
            << QByteArray("[Tera Term]\nVTFont=  \n") << QByteArray("Mono") << -13
            << QByteArray("[Tera Term]\nVTFont=  \n");
        QTest::newRow("face holding a comma")
            << QByteArray("[Tera Term]\nVTFont=Terminal,0,-12,255\n") << QByteArray("Odd, Font") << -13
            << QByteArray("[Tera Term]\nVTFont=Terminal,0,-12,255\n");
    }

    void writesFont()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, face);
        QFETCH(int, height);
        QFETCH(QByteArray, expected);
        TempProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("copy.ini"), ini));
        QVERIFY(WriteTeraTermFont(folder.filePath(QStringLiteral("copy.ini")), face, height));
        QCOMPARE(folder.read(QStringLiteral("copy.ini")), expected);
    }

    void disablesBackground_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("switched off in place") << kTeraTermIni
            << QByteArray(kTeraTermIni).replace("BGEnable=on", "BGEnable=off");
        QTest::newRow("section added")
            << QByteArray("[Tera Term]\r\nVTColor=1\r\n")
            << QByteArray("[Tera Term]\r\nVTColor=1\r\n\r\n[BG]\r\nBGEnable=off\r\n");
        QTest::newRow("key added to its section")
            << QByteArray("[bg]\nBGThemeFile=x\n")
            << QByteArray("[bg]\nBGThemeFile=x\nBGEnable=off\n");
    }

    void disablesBackground()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, expected);
        TempProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("copy.ini"), ini));
        QVERIFY(DisableTeraTermBackground(folder.filePath(QStringLiteral("copy.ini"))));
        QCOMPARE(folder.read(QStringLiteral("copy.ini")), expected);
    }

    void writersLeaveMissingFilesMissing()
    {
        TempProgramFolder folder;
        const QString path = folder.filePath(QStringLiteral("none.ini"));
        QVERIFY(WriteTeraTermColors(path, numbered()));
        QVERIFY(WriteTeraTermFont(path, "Mono", -13));
        QVERIFY(DisableTeraTermBackground(path));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(WriteTeraTermColors(QString(), numbered()));
    }

    void writersLeaveAFolderInTheFilesPlaceAlone()
    {
        TempProgramFolder folder;
        const QString path = folder.filePath(QStringLiteral("odd.ini"));
        QVERIFY(QDir().mkpath(path));
        QVERIFY(WriteTeraTermColors(path, numbered()));
        QVERIFY(QFileInfo(path).isDir());
    }

    void neverWritesTeraTermsOwnFile()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(QStringLiteral("teraterm.ini"), kTeraTermIni));
        QCOMPARE(ReadTeraTermColors().count(':'), 23);
        QVERIFY(!IsCygwinInstalled());
        QCOMPARE(folder.read(QStringLiteral("teraterm.ini")), kTeraTermIni);
    }

    void detectsCygwin_data()
    {
        QTest::addColumn<QByteArray>("ini");  // null: no teraterm.ini; <dir> stands for the folder
        QTest::addColumn<bool>("expected");

        QTest::newRow("no teraterm.ini") << QByteArray() << false;
        QTest::newRow("key missing") << QByteArray("[Tera Term]\nVTColor=1\n") << false;
        QTest::newRow("key empty") << QByteArray("[Tera Term]\nCygwinDirectory=\n") << false;
        QTest::newRow("folder without closing separator") << QByteArray("[Tera Term]\nCygwinDirectory=<dir>/cygwin\n") << true;
        QTest::newRow("folder with closing slash") << QByteArray("[Tera Term]\nCygwinDirectory=<dir>/cygwin/\n") << true;
        QTest::newRow("backslashes") << QByteArray("[Tera Term]\nCygwinDirectory=<bsdir>\\cygwin\\\n") << true;
        QTest::newRow("quoted") << QByteArray("[tera term]\ncygwindirectory=\"<dir>/cygwin\"\n") << true;
        QTest::newRow("no bin folder") << QByteArray("[Tera Term]\nCygwinDirectory=<dir>/nobin\n") << false;
        QTest::newRow("bin is a file") << QByteArray("[Tera Term]\nCygwinDirectory=<dir>/binfile\n") << false;
        QTest::newRow("folder missing") << QByteArray("[Tera Term]\nCygwinDirectory=<dir>/absent\n") << false;
    }

    void detectsCygwin()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, expected);
        TempProgramFolder folder;
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("cygwin/bin"))));
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("nobin"))));
        QVERIFY(folder.write(QStringLiteral("binfile/bin"), "not a folder"));
        if (!ini.isNull()) {
            const QByteArray dir = QFile::encodeName(folder.path());
            ini.replace("<dir>", dir).replace("<bsdir>", QByteArray(dir).replace('/', '\\'));
            QVERIFY(folder.write(QStringLiteral("teraterm.ini"), ini));
        }
        QCOMPARE(IsCygwinInstalled(), expected);
    }
};

QTEST_GUILESS_MAIN(TestTeraTermIni)
#include "tst_teratermini.moc"
