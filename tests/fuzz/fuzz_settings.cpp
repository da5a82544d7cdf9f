// The values read back from the settings database, which is the user's own file and may be
// edited or damaged: any value under any of the names the program reads, of any type and any
// storage (text, number, bytes, nothing). Read as the program reads them at start (the
// options, the window's place, the highlighter's attributes, the recent files, the hand-over
// value, the stored TeraTerm configuration, restored into a scratch folder), nothing may crash,
// and every value taken must be one the window can show.
#include "FuzzCheck.h"

#include "components/TMostRecentFiles.h"
#include "mainwindow/core/WindowPlacement.h"
#include "platform/Registry.h"
#include "runner/TeraTermConfigBackup.h"
#include "shell/HighlighterAttributeStore.h"
#include "shell/OptionsStore.h"
#include "shell/ParamName.h"
#include "shell/ProgramRegKey.h"
#include "support/FakeTableHost.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QLocale>

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>

namespace {

// The names the program reads under its key, and those of the highlighter's sub-keys.
const char *const ValueNames[] = {
    "SelectLast", "SelectedNodeIndex", "WinWidth", "WinHeight", "WinTop", "WinLeft", "TreeWidth",
    "WinMaximized", "NoColors", "VarName", "VarEmail", "VarPhone", "VarMobile", "VarPager",
    "MultiStartInterval", "PrintPreviewScale", "LastQDZFile", "UseColorsInEditor",
    "UseSameBackground", "Logging", "AutoSave", "DoNotTile", "DblClickAction", "AllowTAB",
    "TAB2Space", "SmartTabs", "SpacePerTAB", "UseAsTTFont", "FullPathMRU", "Font1Name",
    "Font2Name", "Font1CharSet", "Font2CharSet", "Font1Size", "Font2Size", "Font1Style",
    "Font2Style", "CheckUpdateInterval", "DontCheckUpdates", "DefaultColors", "EditorBgColor",
    "EditorActLineColor", "EditorSelectionForeground", "EditorSelectionBackground", "NT",
    "ParamName", "NextCheck", "TTLatestVersion", "WexmoraLatestVersion", "IniBackup",
    "CygTermBackup", "MRU1", "MRU2", "MRU3", "MRU4", "MRU5", "Foreground", "Background", "Style",
};
const char *const AttributeNames[] = {"Comment", "Label", "Asm", "Labels", "WexmoraVars",
                                      "Space", "String", "Symbol", "SysVars"};

const QRect WorkArea(0, 0, 1920, 1040);

// The scratch store, opened once: the program's side and a raw side that writes rows as
// no writer of the program would.
struct Store
{
    QString path = ScratchFile(QStringLiteral("registry.sqlite3"));
    Registry registry{path};
    sqlite3 *raw = nullptr;

    Store()
    {
        Check(registry.isOpen(), "the scratch store opens");
        Check(sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK,
              "the scratch store opens raw");
    }

    qint64 keyId(const QString &key)
    {
        Check(registry.createKey(ProgramRegHive, key), "a key is made");
        sqlite3_stmt *find = nullptr;
        sqlite3_prepare_v2(raw, "SELECT id FROM keys WHERE fold = ?1 ORDER BY id DESC LIMIT 1", -1, &find, nullptr);
        const QByteArray fold = key.section(QLatin1Char('\\'), -1).toCaseFolded().toUtf8();
        sqlite3_bind_text(find, 1, fold.constData(), int(fold.size()), SQLITE_TRANSIENT);
        const qint64 id = sqlite3_step(find) == SQLITE_ROW ? sqlite3_column_int64(find, 0) : -1;
        sqlite3_finalize(find);
        Check(id >= 0, "a made key is found");
        return id;
    }

    // One row as the input says: type and storage as they come.
    void put(qint64 key, const QByteArray &name, int type, int storage, const QByteArray &data)
    {
        sqlite3_stmt *put = nullptr;
        sqlite3_prepare_v2(raw, "INSERT OR REPLACE INTO vals (key, name, fold, type, data) VALUES (?1, ?2, ?3, ?4, ?5)",
                           -1, &put, nullptr);
        const QByteArray fold = QString::fromUtf8(name).toCaseFolded().toUtf8();
        sqlite3_bind_int64(put, 1, key);
        sqlite3_bind_text(put, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(put, 3, fold.constData(), int(fold.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(put, 4, type);
        qint64 number = 0;
        memcpy(&number, data.constData(), size_t(qMin<qsizetype>(data.size(), sizeof number)));
        switch (storage % 5) {
        case 0: sqlite3_bind_text(put, 5, data.constData(), int(data.size()), SQLITE_TRANSIENT); break;
        case 1: sqlite3_bind_int64(put, 5, number); break;
        case 2: sqlite3_bind_int64(put, 5, qint32(number)); break;
        case 3: sqlite3_bind_blob(put, 5, data.constData(), int(data.size()), SQLITE_TRANSIENT); break;
        default: sqlite3_bind_null(put, 5); break;
        }
        sqlite3_step(put);
        sqlite3_finalize(put);
    }

    void clear() { sqlite3_exec(raw, "DELETE FROM vals", nullptr, nullptr, nullptr); }
};

// Reads the input as rows: a byte choosing the key (the program's or a highlighter
// attribute's), a byte choosing the name (one the program reads, or the bytes that follow),
// the type byte, the storage byte, a length byte and that many bytes of data.
void fill(Store &store, const QByteArray &input)
{
    store.clear();
    const qint64 program = store.keyId(ProgramRegKey);
    qsizetype at = 0;
    auto take = [&](qsizetype n) {
        const QByteArray part = input.mid(at, n);
        at += n;
        return part;
    };
    while (at + 5 <= input.size()) {
        const auto keyByte = uchar(input.at(at++));
        const auto nameByte = uchar(input.at(at++));
        const int type = uchar(input.at(at++)) % 6;
        const int storage = uchar(input.at(at++));
        const int length = uchar(input.at(at++));
        QByteArray name;
        if (nameByte < std::size(ValueNames))
            name = ValueNames[nameByte];
        else
            name = take(nameByte % 16);
        const QByteArray data = take(length);
        const qint64 key = keyByte % 2 == 0
            ? program
            : store.keyId(ProgramRegKey + QLatin1Char('\\')
                          + QLatin1String(AttributeNames[(keyByte / 2) % std::size(AttributeNames)]));
        store.put(key, name, type, storage, data);
    }
}

void checkOptions(const ProgramOptions &o, const LoadEnvironment &env)
{
    Check(o.MultiStartIndex >= 0 && o.MultiStartIndex < DelayItemCount, "a delay the list holds");
    Check(o.SpacePerTABIndex >= 0 && o.SpacePerTABIndex < SpacePerTABItemCount, "a tab width the list holds");
    Check(o.PrintPreviewScale >= 0 && o.PrintPreviewScale < PrintPreviewScaleCount, "a preview scale there is");
    Check(o.CheckUpdateInterval >= 0 && o.CheckUpdateInterval < UpdateIntervalItemCount, "an interval the list holds");
    Check(o.DefaultColors >= 0 && o.DefaultColors < DefaultColorsItemCount, "a scheme the list holds");
    Check(o.DblClickAction >= 0 && o.DblClickAction < env.dblClickItems.size(), "a tray action the list holds");
    for (const quint32 c : {o.EditorBgColor, o.EditorActLineColor, o.EditorSelectionForeground,
                            o.EditorSelectionBackground})
        Check(StoredColor::isValid(c), "an editor colour is a colour");
    for (const FontOption *f : {&o.Font1, &o.Font2})
        Check(!f->Size || (*f->Size > 0 && *f->Size <= 512), "a font size the font dialog offers");
    const QRect placed = PlaceOnScreens(QPoint(o.WinLeft, o.WinTop), QSize(o.WinWidth, o.WinHeight), {WorkArea});
    Check(WorkArea.contains(placed), "the window opens on the screen");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    EnsureApplication();
    static Store store;

    fill(store, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    Registry &registry = store.registry;

    LoadEnvironment env;
    env.minHeight = 480;
    env.screenWidth = 1920;
    env.screenHeight = 1080;
    env.workArea = WorkArea;
    checkOptions(LoadSettings(registry, env), env);

    QList<HighlighterAttribute> defaults;
    for (const char *attribute : AttributeNames)
        defaults.append({QLatin1String(attribute)});
    const auto colourOrNone = [](quint32 c) { return c == StoredColor::None || StoredColor::isValid(c); };
    for (const HighlighterAttribute &a : HighlighterAttributeStore::load(registry, defaults))
        Check(colourOrNone(a.Foreground) && colourOrNone(a.Background), "an attribute's colours are colours or none");

    ReadParamName(registry);

    ScriptedPrompter prompter;
    {
        TMostRecentFiles recent(registry, prompter);
        recent.setRegPath(ProgramRegKey);
        Check(unsigned(recent.files().size()) <= recent.MaxFiles(), "no more recent files than the list holds");
        for (int i = 0; i < recent.files().size(); ++i)
            recent.caption(i);
    }

    // The stored configuration restored into a folder of its own, whatever it holds.
    const QString folder = ScratchFile(QStringLiteral("program"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    Check(WriteFileBytes(folder + QStringLiteral("/teraterm.ini"), "[Tera Term]\r\nVTFont=Terminal\r\n"),
          "teraterm.ini is written");
    FakeTableHost host;
    TeraTermConfigBackup backup(folder, registry, host,
                                [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); }, QLocale::c());
    if (TeraTermConfigBackup::ReadTTConfigBackup(registry))
        backup.Restore();
    return 0;
}
