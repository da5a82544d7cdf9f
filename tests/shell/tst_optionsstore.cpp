#include "platform/Registry.h"
#include "shell/HighlighterAttributeStore.h"
#include "shell/OptionsStore.h"
#include "shell/ProgramRegKey.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <functional>
#include <memory>

namespace {

const QString LockItem = DblClickActionItems.at(5);
const QString CygWinItem = DblClickActionItems.at(6);

QStringList itemsWithout(const QStringList &removed)
{
    QStringList items = DblClickActionItems;
    for (const QString &r : removed)
        items.removeAll(r);
    return items;
}

LoadEnvironment testEnvironment()
{
    LoadEnvironment env;
    env.minWidth = 654;
    env.minHeight = 500;
    env.screenWidth = 1920;
    env.screenHeight = 1080;
    env.workArea = QRect(0, 0, 1920, 1040);
    env.treeMinWidth = 30;
    // Colours no option would hold by itself, so a preset is told from a stored value.
    env.systemWindowColor = 0xFF000005;
    env.systemHighlightColor = 0xFF00000D;
    env.systemHighlightTextColor = 0xFF00000E;
    return env;
}

QString hex(quint32 v)
{
    return QStringLiteral("0x%1").arg(v, 8, 16, QLatin1Char('0'));
}

template <typename T>
QString opt(const std::optional<T> &v)
{
    if (!v)
        return QStringLiteral("unset");
    if constexpr (std::is_same_v<T, QString>)
        return *v;
    else
        return QString::number(*v);
}

QString yes(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

// Every member of the options as text, so one table column can hold any of them.
QString member(const ProgramOptions &o, const QString &name)
{
    static const QHash<QString, std::function<QString(const ProgramOptions &)>> members = {
        {"KeyFound", [](auto &o) { return yes(o.KeyFound); }},
        {"SelectLast", [](auto &o) { return yes(o.SelectLast); }},
        {"SelectedNodeIndex", [](auto &o) { return QString::number(o.SelectedNodeIndex); }},
        {"WinWidth", [](auto &o) { return QString::number(o.WinWidth); }},
        {"WinHeight", [](auto &o) { return QString::number(o.WinHeight); }},
        {"WinTop", [](auto &o) { return QString::number(o.WinTop); }},
        {"WinLeft", [](auto &o) { return QString::number(o.WinLeft); }},
        {"TreeWidth", [](auto &o) { return opt(o.TreeWidth); }},
        {"WinMaximized", [](auto &o) { return QString::number(o.WinMaximized); }},
        {"NoColors", [](auto &o) { return yes(o.NoColors); }},
        {"VarName", [](auto &o) { return o.VarName; }},
        {"VarEmail", [](auto &o) { return o.VarEmail; }},
        {"VarPhone", [](auto &o) { return o.VarPhone; }},
        {"VarMobile", [](auto &o) { return o.VarMobile; }},
        {"VarPager", [](auto &o) { return o.VarPager; }},
        {"MultiStartIndex", [](auto &o) { return QString::number(o.MultiStartIndex); }},
        {"DelaySeconds", [](auto &o) { return QString::number(o.DelaySeconds()); }},
        {"PrintPreviewScale", [](auto &o) { return QString::number(o.PrintPreviewScale); }},
        {"LastQDZFile", [](auto &o) { return o.LastQDZFile; }},
        {"UseColorsInEditor", [](auto &o) { return yes(o.UseColorsInEditor); }},
        {"UseSameBackground", [](auto &o) { return yes(o.UseSameBackground); }},
        {"Logging", [](auto &o) {
             switch (o.Logging) {
             case LoggingChoice::Log: return QStringLiteral("log");
             case LoggingChoice::DontLog: return QStringLiteral("don't log");
             case LoggingChoice::Unset: break;
             }
             return QStringLiteral("unset");
         }},
        {"AutoSave", [](auto &o) { return yes(o.AutoSave); }},
        {"DoNotTile", [](auto &o) { return yes(o.DoNotTile); }},
        {"DblClickAction", [](auto &o) { return QString::number(o.DblClickAction); }},
        {"AllowTAB", [](auto &o) { return yes(o.AllowTAB); }},
        {"TAB2Space", [](auto &o) { return yes(o.TAB2Space); }},
        {"SmartTabs", [](auto &o) { return yes(o.SmartTabs); }},
        {"SpacePerTABIndex", [](auto &o) { return QString::number(o.SpacePerTABIndex); }},
        {"EditorTabWidth", [](auto &o) { return QString::number(o.EditorTabWidth()); }},
        {"UseAsTTFont", [](auto &o) { return yes(o.UseAsTTFont); }},
        {"FullPathMRU", [](auto &o) { return yes(o.FullPathMRU); }},
        {"Font1.Name", [](auto &o) { return opt(o.Font1.Name); }},
        {"Font1.CharSet", [](auto &o) { return opt(o.Font1.CharSet); }},
        {"Font1.Size", [](auto &o) { return opt(o.Font1.Size); }},
        {"Font1.Style", [](auto &o) { return opt(o.Font1.Style); }},
        {"Font2.Name", [](auto &o) { return opt(o.Font2.Name); }},
        {"Font2.CharSet", [](auto &o) { return opt(o.Font2.CharSet); }},
        {"Font2.Size", [](auto &o) { return opt(o.Font2.Size); }},
        {"Font2.Style", [](auto &o) { return opt(o.Font2.Style); }},
        {"CheckUpdateInterval", [](auto &o) { return QString::number(o.CheckUpdateInterval); }},
        {"DefaultColors", [](auto &o) { return QString::number(o.DefaultColors); }},
        {"EditorBgColor", [](auto &o) { return hex(o.EditorBgColor); }},
        {"EditorActLineColor", [](auto &o) { return hex(o.EditorActLineColor); }},
        {"EditorSelectionForeground", [](auto &o) { return hex(o.EditorSelectionForeground); }},
        {"EditorSelectionBackground", [](auto &o) { return hex(o.EditorSelectionBackground); }},
    };
    const auto it = members.constFind(name);
    if (it == members.constEnd())
        qFatal("no member %s", qPrintable(name));
    return (*it)(o);
}

} // namespace

// Shown by QCOMPARE when two option sets differ.
char *toString(const ProgramOptions &o)
{
    static const QStringList names = {
        "KeyFound", "SelectLast", "SelectedNodeIndex", "WinWidth", "WinHeight", "WinTop",
        "WinLeft", "TreeWidth", "WinMaximized", "NoColors", "VarName", "VarEmail", "VarPhone",
        "VarMobile", "VarPager", "MultiStartIndex", "PrintPreviewScale", "LastQDZFile",
        "UseColorsInEditor", "UseSameBackground", "Logging", "AutoSave", "DoNotTile",
        "DblClickAction", "AllowTAB", "TAB2Space", "SmartTabs", "SpacePerTABIndex",
        "UseAsTTFont", "FullPathMRU", "Font1.Name", "Font1.CharSet", "Font1.Size",
        "Font1.Style", "Font2.Name", "Font2.CharSet", "Font2.Size", "Font2.Style",
        "CheckUpdateInterval", "DefaultColors", "EditorBgColor", "EditorActLineColor",
        "EditorSelectionForeground", "EditorSelectionBackground"};
    QStringList parts;
    for (const QString &n : names)
        parts << n + QLatin1Char('=') + member(o, n);
    return qstrdup(parts.join(QLatin1String(", ")).toUtf8().constData());
}

namespace {

// The stored values of the options with their types: strings and DWORDs.
const QStringList StringValues = {
    "VarName", "VarEmail", "VarPhone", "VarMobile", "VarPager", "MultiStartInterval",
    "LastQDZFile", "Font1Name", "Font2Name"};
const QStringList DwordValues = {
    "SelectLast", "SelectedNodeIndex", "WinWidth", "WinHeight", "WinTop", "WinLeft",
    "TreeWidth", "WinMaximized", "NoColors", "PrintPreviewScale", "UseColorsInEditor",
    "UseSameBackground", "Logging", "AutoSave", "DoNotTile", "DblClickAction", "AllowTAB",
    "TAB2Space", "SmartTabs", "SpacePerTAB", "UseAsTTFont", "FullPathMRU", "Font1CharSet",
    "Font2CharSet", "Font1Size", "Font2Size", "Font1Style", "Font2Style",
    "CheckUpdateInterval", "DontCheckUpdates", "DefaultColors", "EditorBgColor",
    "EditorActLineColor", "EditorSelectionForeground", "EditorSelectionBackground"};

} // namespace

class TestOptionsStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Registry> m_reg;

    QString dbPath() const { return m_dir.filePath(QStringLiteral("registry.sqlite3")); }

    void store(const QString &name, const QVariant &value)
    {
        if (!value.isValid())
            return;   // left missing
        if (value.typeId() == QMetaType::QString)
            QVERIFY(m_reg->writeString(ProgramRegHive, ProgramRegKey, name, value.toString()));
        else
            QVERIFY(m_reg->writeDword(ProgramRegHive, ProgramRegKey, name,
                                      quint32(value.toLongLong())));
    }
    bool execSql(const char *sql) const
    {
        sqlite3 *db = nullptr;
        const bool ok = sqlite3_open(QFile::encodeName(dbPath()).constData(), &db) == SQLITE_OK
                        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return ok;
    }
    std::optional<quint32> dword(const QString &name) const
    {
        return m_reg->readDword(ProgramRegHive, ProgramRegKey, name);
    }
    std::optional<QString> string(const QString &name) const
    {
        return m_reg->readString(ProgramRegHive, ProgramRegKey, name);
    }

    // Options that differ from every preset and fallback.
    static ProgramOptions fullOptions()
    {
        ProgramOptions o;
        o.KeyFound = true;
        o.SelectLast = false;
        o.SelectedNodeIndex = 12;
        o.WinWidth = 900;
        o.WinHeight = 700;
        o.WinTop = 40;
        o.WinLeft = -120;
        o.TreeWidth = 210;
        o.WinMaximized = 1;
        o.NoColors = true;
        o.VarName = QStringLiteral("Jörg Bäcker");
        o.VarEmail = QStringLiteral("jb@example.org");
        o.VarPhone = QStringLiteral("+49 30 1234");
        o.VarMobile = QStringLiteral("0170 555");
        o.VarPager = QStringLiteral("pager \"x\" \\ y");
        o.MultiStartIndex = 13;
        o.PrintPreviewScale = 7;
        o.UseColorsInEditor = true;
        o.UseSameBackground = false;
        o.Logging = LoggingChoice::Log;
        o.AutoSave = true;
        o.DoNotTile = true;
        o.DblClickAction = 4;
        o.AllowTAB = true;
        o.TAB2Space = true;
        o.SmartTabs = true;
        o.SpacePerTABIndex = 6;
        o.UseAsTTFont = true;
        o.FullPathMRU = true;
        o.Font1 = {QStringLiteral("DejaVu Sans Mono"), 0, 11,
                   FontStyleBits::Bold | FontStyleBits::Italic};
        o.Font2 = {QStringLiteral("Noto Sans"), 204, 9, FontStyleBits::StrikeOut};
        o.CheckUpdateInterval = 2;
        o.DefaultColors = 3;
        o.EditorBgColor = 0x00C0FFEE;
        o.EditorActLineColor = 0x00E0E0E0;
        o.EditorSelectionForeground = 0xFF000008;
        o.EditorSelectionBackground = 0x00800000;
        return o;
    }

    static void addOptionRows()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("preset");     // key missing
        QTest::addColumn<QString>("fallback");   // key present, value missing or unreadable
        const struct { const char *name, *preset, *fallback; } rows[] = {
            {"KeyFound", "false", "true"},
            {"SelectLast", "true", "true"},
            {"SelectedNodeIndex", "0", "0"},
            {"WinWidth", "654", "654"},
            {"WinHeight", "500", "500"},
            {"WinTop", "290", "290"},
            {"WinLeft", "633", "633"},
            {"TreeWidth", "unset", "30"},
            {"WinMaximized", "0", "0"},
            {"NoColors", "false", "false"},
            {"VarName", "", ""},
            {"VarEmail", "", ""},
            {"VarPhone", "", ""},
            {"VarMobile", "", ""},
            {"VarPager", "", ""},
            {"MultiStartIndex", "3", "3"},
            {"DelaySeconds", "5", "5"},
            {"PrintPreviewScale", "4", "4"},
            {"LastQDZFile", "", ""},
            {"UseColorsInEditor", "false", "false"},
            {"UseSameBackground", "true", "true"},
            {"Logging", "unset", "don't log"},
            {"AutoSave", "false", "true"},
            {"DoNotTile", "false", "false"},
            {"DblClickAction", "0", "0"},
            {"AllowTAB", "false", "false"},
            {"TAB2Space", "false", "false"},
            {"SmartTabs", "false", "false"},
            {"SpacePerTABIndex", "4", "2"},
            {"EditorTabWidth", "6", "4"},
            {"UseAsTTFont", "false", "false"},
            {"FullPathMRU", "false", "false"},
            {"Font1.Name", "unset", "unset"},
            {"Font1.CharSet", "unset", "unset"},
            {"Font1.Size", "unset", "unset"},
            {"Font1.Style", "unset", "unset"},
            {"Font2.Name", "unset", "unset"},
            {"Font2.CharSet", "unset", "unset"},
            {"Font2.Size", "unset", "unset"},
            {"Font2.Style", "unset", "unset"},
            {"CheckUpdateInterval", "5", "5"},
            {"DefaultColors", "7", "7"},
            {"EditorBgColor", "0xff000005", "0xff000005"},
            {"EditorActLineColor", "0x0000ffff", "0x0000ffff"},
            {"EditorSelectionForeground", "0xff00000e", "0xff00000e"},
            {"EditorSelectionBackground", "0xff00000d", "0xff00000d"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.name << r.preset << r.fallback;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
    }
    void init()
    {
        QFile::remove(dbPath());
        m_reg = std::make_unique<Registry>(dbPath());
        QVERIFY(m_reg->isOpen());
    }
    void cleanup() { m_reg.reset(); }

    void keyMissingGivesPresets_data() { addOptionRows(); }
    void keyMissingGivesPresets()
    {
        QFETCH(QString, name);
        QFETCH(QString, preset);
        QVERIFY(!m_reg->keyExists(ProgramRegHive, ProgramRegKey));
        QCOMPARE(member(LoadSettings(*m_reg, testEnvironment()), name), preset);
        QVERIFY(!m_reg->keyExists(ProgramRegHive, ProgramRegKey));
    }

    void valuesMissingGiveFallbacks_data() { addOptionRows(); }
    void valuesMissingGiveFallbacks()
    {
        QFETCH(QString, name);
        QFETCH(QString, fallback);
        // One option stored, at its fallback: the others are missing from stored options.
        store(QStringLiteral("SelectLast"), 1);
        QCOMPARE(member(LoadSettings(*m_reg, testEnvironment()), name), fallback);
    }

    // A first start finds the key made already by values of others, written before the
    // options are first read: it still keeps every preset.
    void keyWithoutOptionsGivesPresets_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("empty key") << QStringList() << QVariantList();
        QTest::newRow("system family") << QStringList{"NT"} << QVariantList{1};
        QTest::newRow("handed-over file and system family") << QStringList{"ParamName", "NT"}
                                                            << QVariantList{"/home/u/a.QDZ", 1};
        QTest::newRow("recent files and update check") << QStringList{"MRU1", "NextCheck"}
                                                         << QVariantList{"/home/u/a.QDZ", "20240101"};
    }
    void keyWithoutOptionsGivesPresets()
    {
        QFETCH(QStringList, names);
        QFETCH(QVariantList, values);
        const ProgramOptions presets = LoadSettings(*m_reg, testEnvironment());
        QVERIFY(!presets.KeyFound);
        QVERIFY(m_reg->createKey(ProgramRegHive, ProgramRegKey));
        for (qsizetype i = 0; i < names.size(); ++i)
            store(names.at(i), values.at(i));
        QCOMPARE(LoadSettings(*m_reg, testEnvironment()), presets);
    }

    // Every value stored with the other type: strings as numbers, numbers as text.
    void valuesOfWrongTypeGiveFallbacks_data() { addOptionRows(); }
    void valuesOfWrongTypeGiveFallbacks()
    {
        QFETCH(QString, name);
        QFETCH(QString, fallback);
        for (const QString &v : StringValues)
            store(v, 7);
        for (const QString &v : DwordValues)
            store(v, QStringLiteral("1"));
        QCOMPARE(member(LoadSettings(*m_reg, testEnvironment()), name), fallback);
    }

    void closedStoreGivesPresets()
    {
        QFile blocker(m_dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Registry closed(m_dir.filePath(QStringLiteral("file/registry.sqlite3")));
        QVERIFY(!closed.isOpen());
        ProgramOptions expected;
        const LoadEnvironment env = testEnvironment();
        expected.WinWidth = 654;
        expected.WinHeight = 500;
        expected.WinTop = 290;
        expected.WinLeft = 633;
        QCOMPARE(LoadSettings(closed, env), expected);
        QVERIFY(!SaveSettings(closed, fullOptions(), SaveEnvironment()));
        QVERIFY(ReadIsNTFlag(closed));
    }

    // One stored value and what it gives; the other values are missing.
    void storedValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("delay 1 s is below the list") << "MultiStartInterval" << QVariant("1") << "DelaySeconds" << "5";
        QTest::newRow("delay 2 s is the first item") << "MultiStartInterval" << QVariant("2") << "MultiStartIndex" << "0";
        QTest::newRow("delay 7 s") << "MultiStartInterval" << QVariant("7") << "MultiStartIndex" << "5";
        QTest::newRow("delay 30 s is the last item") << "MultiStartInterval" << QVariant("30") << "MultiStartIndex" << "28";
        QTest::newRow("delay 45 s shows 30") << "MultiStartInterval" << QVariant("45") << "DelaySeconds" << "30";
        QTest::newRow("delay abc shows 5") << "MultiStartInterval" << QVariant("abc") << "DelaySeconds" << "5";
        QTest::newRow("delay empty text") << "MultiStartInterval" << QVariant("") << "DelaySeconds" << "5";
        QTest::newRow("delay beyond 32 bits") << "MultiStartInterval" << QVariant("99999999999") << "DelaySeconds" << "5";
        QTest::newRow("delay negative") << "MultiStartInterval" << QVariant("-4") << "DelaySeconds" << "5";
        QTest::newRow("Boolean 2 is true") << "NoColors" << QVariant(2) << "NoColors" << "true";
        QTest::newRow("Boolean 0 is false") << "SelectLast" << QVariant(0) << "SelectLast" << "false";
        QTest::newRow("AutoSave 0") << "AutoSave" << QVariant(0) << "AutoSave" << "false";
        QTest::newRow("Logging 1 sets log") << "Logging" << QVariant(1) << "Logging" << "log";
        QTest::newRow("Logging 0 sets don't log") << "Logging" << QVariant(0) << "Logging" << "don't log";
        QTest::newRow("same background read under its other spelling") << "UseSameBackGround" << QVariant(0) << "UseSameBackground" << "false";
        QTest::newRow("node index") << "SelectedNodeIndex" << QVariant(17) << "SelectedNodeIndex" << "17";
        QTest::newRow("window state 1") << "WinMaximized" << QVariant(1) << "WinMaximized" << "1";
        QTest::newRow("tree width") << "TreeWidth" << QVariant(250) << "TreeWidth" << "250";
        QTest::newRow("tree width 0 is kept") << "TreeWidth" << QVariant(0) << "TreeWidth" << "0";
        QTest::newRow("width centres the window") << "WinWidth" << QVariant(800) << "WinLeft" << "560";
        QTest::newRow("height centres the window") << "WinHeight" << QVariant(600) << "WinTop" << "240";
        QTest::newRow("tab width list index 0") << "SpacePerTAB" << QVariant(0) << "EditorTabWidth" << "2";
        QTest::newRow("tab width list index 30") << "SpacePerTAB" << QVariant(30) << "EditorTabWidth" << "32";
        QTest::newRow("tab width beyond the list") << "SpacePerTAB" << QVariant(31) << "SpacePerTABIndex" << "2";
        QTest::newRow("tab width negative") << "SpacePerTAB" << QVariant(-1) << "SpacePerTABIndex" << "2";
        QTest::newRow("preview scale last entry") << "PrintPreviewScale" << QVariant(8) << "PrintPreviewScale" << "8";
        QTest::newRow("preview scale beyond the list") << "PrintPreviewScale" << QVariant(9) << "PrintPreviewScale" << "4";
        QTest::newRow("preview scale negative") << "PrintPreviewScale" << QVariant(-1) << "PrintPreviewScale" << "4";
        QTest::newRow("scheme 0") << "DefaultColors" << QVariant(0) << "DefaultColors" << "0";
        QTest::newRow("scheme beyond the list") << "DefaultColors" << QVariant(8) << "DefaultColors" << "7";
        QTest::newRow("scheme negative") << "DefaultColors" << QVariant(-1) << "DefaultColors" << "7";
        QTest::newRow("font name") << "Font1Name" << QVariant("Hack") << "Font1.Name" << "Hack";
        QTest::newRow("font name empty") << "Font2Name" << QVariant("") << "Font2.Name" << "unset";
        QTest::newRow("character set 0 applies") << "Font1CharSet" << QVariant(0) << "Font1.CharSet" << "0";
        QTest::newRow("character set -1") << "Font2CharSet" << QVariant(-1) << "Font2.CharSet" << "unset";
        QTest::newRow("font size 10") << "Font1Size" << QVariant(10) << "Font1.Size" << "10";
        QTest::newRow("font size 0") << "Font2Size" << QVariant(0) << "Font2.Size" << "unset";
        // No font dialog gives more; a menu font of the largest number fills the window.
        QTest::newRow("font size 512, the largest offered") << "Font2Size" << QVariant(512) << "Font2.Size" << "512";
        QTest::newRow("font size 513 is not applied") << "Font2Size" << QVariant(513) << "Font2.Size" << "unset";
        QTest::newRow("font size 32767 is not applied") << "Font1Size" << QVariant(32767) << "Font1.Size" << "unset";
        QTest::newRow("font style 0 is not applied") << "Font1Style" << QVariant(0) << "Font1.Style" << "unset";
        QTest::newRow("font style bold italic") << "Font1Style" << QVariant(3) << "Font1.Style" << "3";
        QTest::newRow("font style -1") << "Font2Style" << QVariant(-1) << "Font2.Style" << "unset";
        QTest::newRow("editor colour rgb") << "EditorBgColor" << QVariant(0x00112233) << "EditorBgColor" << "0x00112233";
        QTest::newRow("editor colour system code") << "EditorActLineColor" << QVariant(0xFF000010u) << "EditorActLineColor" << "0xff000010";
        QTest::newRow("editor colour no colour at all") << "EditorSelectionBackground" << QVariant(0x12345678) << "EditorSelectionBackground" << "0xff00000d";
    }
    void storedValue()
    {
        QFETCH(QString, value);
        QFETCH(QVariant, stored);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        store(value, stored);
        QCOMPARE(member(LoadSettings(*m_reg, testEnvironment()), name), expected);
    }

    void windowKeptOnWorkArea_data()
    {
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QVariant>("top");
        QTest::addColumn<QVariant>("left");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("expectedTop");
        QTest::addColumn<int>("expectedLeft");
        const QRect screen(0, 0, 1920, 1080);
        QTest::newRow("top below the work area") << screen << QVariant(5000) << QVariant(10) << 800 << 1030 << 10;
        QTest::newRow("top on the bottom edge stays") << screen << QVariant(1080) << QVariant(10) << 800 << 1080 << 10;
        QTest::newRow("top above the work area") << screen << QVariant(-300) << QVariant(10) << 800 << 0 << 10;
        QTest::newRow("left far off to the left") << screen << QVariant(10) << QVariant(-2000) << 800 << 10 << -750;
        QTest::newRow("left partly off stays") << screen << QVariant(10) << QVariant(-700) << 800 << 10 << -700;
        QTest::newRow("left beyond the right edge") << screen << QVariant(10) << QVariant(4000) << 800 << 10 << 1870;
        QTest::newRow("inside stays") << screen << QVariant(200) << QVariant(300) << 800 << 200 << 300;
        const QRect second(1920, 100, 1280, 900);
        QTest::newRow("second monitor: above its top") << second << QVariant(50) << QVariant(2000) << 800 << 100 << 2000;
        QTest::newRow("second monitor: below its bottom") << second << QVariant(1200) << QVariant(2000) << 800 << 950 << 2000;
        QTest::newRow("second monitor: left of it") << second << QVariant(500) << QVariant(0) << 800 << 500 << 1170;
        QTest::newRow("second monitor: right of it") << second << QVariant(500) << QVariant(3300) << 800 << 500 << 3150;
        QTest::newRow("missing: centred on the screen") << screen << QVariant() << QVariant() << 800 << 290 << 560;
    }
    void windowKeptOnWorkArea()
    {
        QFETCH(QRect, workArea);
        QFETCH(QVariant, top);
        QFETCH(QVariant, left);
        QFETCH(int, width);
        QFETCH(int, expectedTop);
        QFETCH(int, expectedLeft);
        store(QStringLiteral("WinTop"), top);
        store(QStringLiteral("WinLeft"), left);
        store(QStringLiteral("WinWidth"), width);
        LoadEnvironment env = testEnvironment();
        env.workArea = workArea;
        const ProgramOptions o = LoadSettings(*m_reg, env);
        QCOMPARE(o.WinTop, expectedTop);
        QCOMPARE(o.WinLeft, expectedLeft);
    }

    void nodeIndexIgnoredWithCommandLineArgument()
    {
        store(QStringLiteral("SelectedNodeIndex"), 17);
        LoadEnvironment env = testEnvironment();
        env.hasCommandLineArgument = true;
        QCOMPARE(LoadSettings(*m_reg, env).SelectedNodeIndex, 0);
    }

    void checkUpdateInterval_data()
    {
        QTest::addColumn<QVariant>("interval");
        QTest::addColumn<QVariant>("dontCheck");
        QTest::addColumn<int>("expected");
        QTest::newRow("stored interval wins") << QVariant(2) << QVariant(1) << 2;
        QTest::newRow("interval 0") << QVariant(0) << QVariant() << 0;
        QTest::newRow("missing, old choice check") << QVariant() << QVariant(0) << 0;
        QTest::newRow("missing, old choice don't check") << QVariant() << QVariant(1) << 5;
        QTest::newRow("both missing") << QVariant() << QVariant() << 5;
        QTest::newRow("old choice unreadable") << QVariant() << QVariant("0") << 5;
        QTest::newRow("interval unreadable, old choice check") << QVariant("2") << QVariant(0) << 0;
        QTest::newRow("interval beyond the list, old choice check") << QVariant(6) << QVariant(0) << 0;
        QTest::newRow("interval beyond the list") << QVariant(99) << QVariant() << 5;
        QTest::newRow("interval negative") << QVariant(-1) << QVariant() << 5;
    }
    void checkUpdateInterval()
    {
        QFETCH(QVariant, interval);
        QFETCH(QVariant, dontCheck);
        QFETCH(int, expected);
        store(QStringLiteral("CheckUpdateInterval"), interval);
        store(QStringLiteral("DontCheckUpdates"), dontCheck);
        QCOMPARE(LoadSettings(*m_reg, testEnvironment()).CheckUpdateInterval, expected);
    }

    void dblClickActionRead_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("expected");
        const QStringList full = DblClickActionItems;
        const QStringList noLock = itemsWithout({LockItem});
        const QStringList noCygWin = itemsWithout({CygWinItem});
        const QStringList neither = itemsWithout({LockItem, CygWinItem});
        QTest::newRow("full list, lock") << full << 5 << 5;
        QTest::newRow("full list, CygWin") << full << 6 << 6;
        QTest::newRow("full list, screen saver") << full << 4 << 4;
        QTest::newRow("no lock item, CygWin") << noLock << 6 << 5;
        QTest::newRow("no lock item, lock") << noLock << 5 << 0;
        QTest::newRow("no CygWin item, CygWin") << noCygWin << 6 << 0;
        QTest::newRow("no CygWin item, lock") << noCygWin << 5 << 5;
        QTest::newRow("five items, lock") << neither << 5 << 0;
        QTest::newRow("five items, CygWin") << neither << 6 << 0;
        QTest::newRow("five items, show desktop") << neither << 3 << 3;
        QTest::newRow("unknown action") << full << 7 << 0;
        QTest::newRow("negative action") << full << -1 << 0;
    }
    void dblClickActionRead()
    {
        QFETCH(QStringList, items);
        QFETCH(int, action);
        QFETCH(int, expected);
        store(QStringLiteral("DblClickAction"), action);
        LoadEnvironment env = testEnvironment();
        env.dblClickItems = items;
        QCOMPARE(LoadSettings(*m_reg, env).DblClickAction, expected);
    }

    void dblClickActionRoundTrip_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("written");
        QTest::newRow("full list, lock") << DblClickActionItems << 5 << 5;
        QTest::newRow("full list, CygWin") << DblClickActionItems << 6 << 6;
        QTest::newRow("no lock item, CygWin") << itemsWithout({LockItem}) << 5 << 6;
        QTest::newRow("no CygWin item, lock") << itemsWithout({CygWinItem}) << 5 << 5;
        QTest::newRow("open window") << itemsWithout({LockItem}) << 0 << 0;
        QTest::newRow("start macro") << itemsWithout({LockItem, CygWinItem}) << 2 << 2;
    }
    void dblClickActionRoundTrip()
    {
        QFETCH(QStringList, items);
        QFETCH(int, index);
        QFETCH(int, written);
        ProgramOptions o = fullOptions();
        o.DblClickAction = index;
        SaveEnvironment save;
        save.dblClickItems = items;
        QVERIFY(SaveSettings(*m_reg, o, save));
        QCOMPARE(dword(QStringLiteral("DblClickAction")), std::optional<quint32>(written));
        LoadEnvironment load = testEnvironment();
        load.dblClickItems = items;
        QCOMPARE(LoadSettings(*m_reg, load).DblClickAction, index);
    }

    void lastTable_data()
    {
        QTest::addColumn<QString>("file");   // relative to the temp dir; created when "kept"
        QTest::addColumn<bool>("kept");
        QTest::newRow("existing table") << "Sites.QDZ" << true;
        QTest::newRow("table gone") << "Gone.QDZ" << false;
        QTest::newRow("a folder") << "folder" << false;
    }
    void lastTable()
    {
        QFETCH(QString, file);
        QFETCH(bool, kept);
        const QString path = m_dir.filePath(file);
        if (kept) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (file == QLatin1String("folder")) {
            QVERIFY(QDir(m_dir.path()).mkpath(file));
        }
        store(QStringLiteral("LastQDZFile"), path);
        QCOMPARE(LoadSettings(*m_reg, testEnvironment()).LastQDZFile, kept ? path : QString());
    }

    // Saved, then read back by another connection to the same store, as the next run would.
    void roundTrip()
    {
        ProgramOptions o = fullOptions();
        QFile table(m_dir.filePath(QStringLiteral("Main.QDZ")));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.close();
        o.LastQDZFile = table.fileName();
        SaveEnvironment save;
        save.focusedNodeIndex = o.SelectedNodeIndex;
        QVERIFY(SaveSettings(*m_reg, o, save));

        Registry next(dbPath());
        QCOMPARE(LoadSettings(next, testEnvironment()), o);
    }

    void roundTripOfLoggingAndUnsetParts_data()
    {
        QTest::addColumn<int>("logging");
        QTest::addColumn<int>("loggingRead");
        QTest::newRow("log") << int(LoggingChoice::Log) << int(LoggingChoice::Log);
        QTest::newRow("don't log") << int(LoggingChoice::DontLog) << int(LoggingChoice::DontLog);
        QTest::newRow("unset is saved as don't log") << int(LoggingChoice::Unset) << int(LoggingChoice::DontLog);
    }
    void roundTripOfLoggingAndUnsetParts()
    {
        QFETCH(int, logging);
        QFETCH(int, loggingRead);
        ProgramOptions o = fullOptions();
        o.Logging = LoggingChoice(logging);
        o.Font1 = {};
        o.Font2 = {QStringLiteral("Sans"), std::nullopt, 8, std::nullopt};
        QVERIFY(SaveSettings(*m_reg, o, SaveEnvironment()));
        const ProgramOptions read = LoadSettings(*m_reg, testEnvironment());
        QCOMPARE(int(read.Logging), loggingRead);
        QCOMPARE(read.Font1, FontOption());
        QCOMPARE(read.Font2, o.Font2);
    }

    // The value names and types are shared with the launcher.
    void savedValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QVariant>("expected");   // QString: a string value; else a DWORD
        QTest::newRow("VarName") << "VarName" << QVariant(QStringLiteral("Jörg Bäcker"));
        QTest::newRow("VarPager") << "VarPager" << QVariant(QStringLiteral("pager \"x\" \\ y"));
        QTest::newRow("MultiStartInterval is seconds as text") << "MultiStartInterval" << QVariant("15");
        QTest::newRow("PrintPreviewScale") << "PrintPreviewScale" << QVariant(7);
        QTest::newRow("SelectedNodeIndex from the focused node") << "SelectedNodeIndex" << QVariant(33);
        QTest::newRow("SelectLast") << "SelectLast" << QVariant(0);
        QTest::newRow("UseColorsInEditor") << "UseColorsInEditor" << QVariant(1);
        QTest::newRow("UseSameBackGround") << "UseSameBackGround" << QVariant(0);
        QTest::newRow("AutoSave") << "AutoSave" << QVariant(1);
        QTest::newRow("WinTop") << "WinTop" << QVariant(40);
        QTest::newRow("WinLeft negative") << "WinLeft" << QVariant(quint32(-120));
        QTest::newRow("WinWidth") << "WinWidth" << QVariant(900);
        QTest::newRow("WinHeight") << "WinHeight" << QVariant(700);
        QTest::newRow("TreeWidth") << "TreeWidth" << QVariant(210);
        QTest::newRow("WinMaximized") << "WinMaximized" << QVariant(1);
        QTest::newRow("DoNotTile") << "DoNotTile" << QVariant(1);
        QTest::newRow("NoColors") << "NoColors" << QVariant(1);
        QTest::newRow("DblClickAction") << "DblClickAction" << QVariant(4);
        QTest::newRow("AllowTAB") << "AllowTAB" << QVariant(1);
        QTest::newRow("TAB2Space") << "TAB2Space" << QVariant(1);
        QTest::newRow("SmartTabs") << "SmartTabs" << QVariant(1);
        QTest::newRow("UseAsTTFont") << "UseAsTTFont" << QVariant(1);
        QTest::newRow("FullPathMRU") << "FullPathMRU" << QVariant(1);
        QTest::newRow("SpacePerTAB is the list index") << "SpacePerTAB" << QVariant(6);
        QTest::newRow("Font1Name") << "Font1Name" << QVariant(QStringLiteral("DejaVu Sans Mono"));
        QTest::newRow("Font1CharSet") << "Font1CharSet" << QVariant(0);
        QTest::newRow("Font1Size") << "Font1Size" << QVariant(11);
        QTest::newRow("Font1Style") << "Font1Style" << QVariant(3);
        QTest::newRow("Font2Name") << "Font2Name" << QVariant(QStringLiteral("Noto Sans"));
        QTest::newRow("Font2CharSet") << "Font2CharSet" << QVariant(204);
        QTest::newRow("Font2Size") << "Font2Size" << QVariant(9);
        QTest::newRow("Font2Style") << "Font2Style" << QVariant(8);
        QTest::newRow("CheckUpdateInterval") << "CheckUpdateInterval" << QVariant(2);
        QTest::newRow("DefaultColors") << "DefaultColors" << QVariant(3);
        QTest::newRow("Logging") << "Logging" << QVariant(1);
        QTest::newRow("EditorBgColor") << "EditorBgColor" << QVariant(0x00C0FFEE);
        QTest::newRow("EditorActLineColor") << "EditorActLineColor" << QVariant(0x00E0E0E0);
        QTest::newRow("EditorSelectionForeground") << "EditorSelectionForeground" << QVariant(0xFF000008u);
        QTest::newRow("EditorSelectionBackground") << "EditorSelectionBackground" << QVariant(0x00800000);
    }
    void savedValues()
    {
        QFETCH(QString, value);
        QFETCH(QVariant, expected);
        SaveEnvironment env;
        env.focusedNodeIndex = 33;
        QVERIFY(SaveSettings(*m_reg, fullOptions(), env));
        if (expected.typeId() == QMetaType::QString) {
            QCOMPARE(string(value), std::optional<QString>(expected.toString()));
            QCOMPARE(dword(value), std::nullopt);
        } else {
            QCOMPARE(dword(value), std::optional<quint32>(quint32(expected.toLongLong())));
            QCOMPARE(string(value), std::nullopt);
        }
    }

    void saveWritesNoOtherValues()
    {
        ProgramOptions o = fullOptions();
        o.TreeWidth.reset();
        QVERIFY(SaveSettings(*m_reg, o, SaveEnvironment()));
        const QStringList names = m_reg->valueNames(ProgramRegHive, ProgramRegKey);
        QVERIFY(!names.contains(QStringLiteral("DontCheckUpdates"), Qt::CaseInsensitive));
        QVERIFY(!names.contains(QStringLiteral("TreeWidth"), Qt::CaseInsensitive));
        QVERIFY(!names.contains(QStringLiteral("NT"), Qt::CaseInsensitive));
        QCOMPARE(names.size(), 42);
    }

    // What the launcher, a second instance or the update check wrote stays.
    void saveKeepsForeignValues()
    {
        store(QStringLiteral("ParamName"), QStringLiteral("/tmp/~Sites.QDZ"));
        store(QStringLiteral("MRU1"), QStringLiteral("/home/u/a.QDZ"));
        store(QStringLiteral("NextCheck"), 45000);
        store(QStringLiteral("TreeWidth"), 180);
        ProgramOptions o = fullOptions();
        o.TreeWidth.reset();
        QVERIFY(SaveSettings(*m_reg, o, SaveEnvironment()));
        QCOMPARE(string(QStringLiteral("ParamName")), QStringLiteral("/tmp/~Sites.QDZ"));
        QCOMPARE(string(QStringLiteral("MRU1")), QStringLiteral("/home/u/a.QDZ"));
        QCOMPARE(dword(QStringLiteral("NextCheck")), 45000u);
        QCOMPARE(dword(QStringLiteral("TreeWidth")), 180u);
    }

    // The launcher may have created the value with the other spelling: still one value.
    void sameBackgroundIsOneValue_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::newRow("none yet") << QString();
        QTest::newRow("UseSameBackground") << "UseSameBackground";
        QTest::newRow("USESAMEBACKGROUND") << "USESAMEBACKGROUND";
    }
    void sameBackgroundIsOneValue()
    {
        QFETCH(QString, existing);
        if (!existing.isEmpty())
            store(existing, 1);
        ProgramOptions o = fullOptions();
        o.UseSameBackground = false;
        QVERIFY(SaveSettings(*m_reg, o, SaveEnvironment()));
        const QStringList names = m_reg->valueNames(ProgramRegHive, ProgramRegKey);
        QCOMPARE(names.filter(QStringLiteral("usesamebackground"), Qt::CaseInsensitive).size(), 1);
        QCOMPARE(dword(QStringLiteral("UseSameBackground")), 0u);
        QCOMPARE(LoadSettings(*m_reg, testEnvironment()).UseSameBackground, false);
        o.UseSameBackground = true;
        QVERIFY(SaveSettings(*m_reg, o, SaveEnvironment()));
        QCOMPARE(LoadSettings(*m_reg, testEnvironment()).UseSameBackground, true);
    }

    void saveWritesHighlighterAttributes()
    {
        const QList<HighlighterAttribute> attributes = {
            {QStringLiteral("Comment"), 0x00008000, StoredColor::None, FontStyleBits::Italic},
            {QStringLiteral("Asm"), 0x00800000, 0x00FFFFFF, FontStyleBits::Bold},
        };
        SaveEnvironment env;
        env.highlighterAttributes = attributes;
        QVERIFY(SaveSettings(*m_reg, fullOptions(), env));
        QList<HighlighterAttribute> defaults = {{QStringLiteral("Comment")}, {QStringLiteral("Asm")}};
        QCOMPARE(HighlighterAttributeStore::load(*m_reg, defaults), attributes);
    }

    // The store itself refuses one write near the end of the save, as a full disk or a
    // damaged file would.
    void failedSaveChangesNothing()
    {
        ProgramOptions before = fullOptions();
        before.SelectedNodeIndex = 0;   // no node focused
        QVERIFY(SaveSettings(*m_reg, before, SaveEnvironment()));
        Registry launcher(dbPath());
        QVERIFY(launcher.isOpen());
        QVERIFY(execSql("CREATE TRIGGER refuse_insert BEFORE INSERT ON vals WHEN NEW.fold = 'logging'"
                        " BEGIN SELECT RAISE(ABORT, 'refused'); END;"
                        "CREATE TRIGGER refuse_update BEFORE UPDATE ON vals WHEN NEW.fold = 'logging'"
                        " BEGIN SELECT RAISE(ABORT, 'refused'); END;"));

        ProgramOptions after = before;
        after.VarName = QStringLiteral("someone else");
        after.WinWidth = 1000;
        after.Logging = LoggingChoice::DontLog;
        after.EditorBgColor = 0x00000001;
        SaveEnvironment env;
        env.highlighterAttributes = QList<HighlighterAttribute>{{QStringLiteral("Comment"), 1, 2, 3}};
        QVERIFY(!SaveSettings(*m_reg, after, env));

        QCOMPARE(LoadSettings(launcher, testEnvironment()), before);
        QCOMPARE(LoadSettings(*m_reg, testEnvironment()), before);
        QVERIFY(launcher.subKeys(ProgramRegHive, ProgramRegKey).isEmpty());

        // Once the store takes writes again, the next save goes through whole.
        QVERIFY(execSql("DROP TRIGGER refuse_insert; DROP TRIGGER refuse_update;"));
        QVERIFY(SaveSettings(*m_reg, after, env));
        QCOMPARE(LoadSettings(launcher, testEnvironment()), after);
        QCOMPARE(launcher.subKeys(ProgramRegHive, ProgramRegKey), QStringList{"Comment"});
    }

    void readIsNTFlag_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<quint32>("after");
        QTest::newRow("missing: worked out and stored") << QVariant() << true << 1u;
        QTest::newRow("stored false is believed") << QVariant(0) << false << 0u;
        QTest::newRow("stored true") << QVariant(1) << true << 1u;
        QTest::newRow("unreadable: stored anew") << QVariant("0") << true << 1u;
    }
    void readIsNTFlag()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, answer);
        QFETCH(quint32, after);
        store(QStringLiteral("NT"), stored);
        QCOMPARE(ReadIsNTFlag(*m_reg), answer);
        QCOMPARE(dword(QStringLiteral("NT")), after);
        // A second start finds the value and answers the same.
        QCOMPARE(ReadIsNTFlag(*m_reg), answer);
        QCOMPARE(m_reg->valueNames(ProgramRegHive, ProgramRegKey).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestOptionsStore)
#include "tst_optionsstore.moc"
