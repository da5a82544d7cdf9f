#include "shell/OptionsStore.h"

#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "shell/HighlighterAttributeStore.h"
#include "shell/ProgramRegKey.h"

#include <QFileInfo>

namespace {

// Reads typed values of the program key. A value that is missing or of the other type is
// unreadable (nullopt); an absent string reads as empty, as the launcher expects. It notes
// whether any value it was asked for is stored at all, readable or not.
class KeyReader
{
public:
    explicit KeyReader(const Registry &registry) : m_reg(registry) {}

    bool anyStored() const { return m_anyStored; }

    std::optional<int> integer(const QString &name)
    {
        if (const auto v = dword(name))
            return int(qint32(*v));
        return std::nullopt;
    }
    std::optional<quint32> colour(const QString &name)
    {
        const auto v = dword(name);
        if (v && StoredColor::isValid(*v))
            return v;
        return std::nullopt;
    }
    std::optional<bool> boolean(const QString &name)
    {
        if (const auto v = dword(name))
            return *v != 0;
        return std::nullopt;
    }
    QString string(const QString &name)
    {
        const auto v = m_reg.readString(ProgramRegHive, ProgramRegKey, name);
        note(name, v.has_value());
        return v.value_or(QString());
    }
    // A list index: unreadable when outside the list, so the list always has a selection.
    std::optional<int> index(const QString &name, int count)
    {
        const auto v = integer(name);
        if (v && *v >= 0 && *v < count)
            return v;
        return std::nullopt;
    }

private:
    std::optional<quint32> dword(const QString &name)
    {
        const auto v = m_reg.readDword(ProgramRegHive, ProgramRegKey, name);
        note(name, v.has_value());
        return v;
    }
    void note(const QString &name, bool readable)
    {
        if (!m_anyStored)
            m_anyStored = readable || m_reg.valueExists(ProgramRegHive, ProgramRegKey, name);
    }

    const Registry &m_reg;
    bool m_anyStored = false;
};

// Writes typed values of the program key until one is refused.
class KeyWriter
{
public:
    explicit KeyWriter(Registry &registry) : m_reg(registry) {}

    void integer(const QString &name, int value)
    {
        if (m_ok)
            m_ok = m_reg.writeDword(ProgramRegHive, ProgramRegKey, name, quint32(value));
    }
    void colour(const QString &name, quint32 value)
    {
        if (m_ok)
            m_ok = m_reg.writeDword(ProgramRegHive, ProgramRegKey, name, value);
    }
    void boolean(const QString &name, bool value) { integer(name, value ? 1 : 0); }
    void string(const QString &name, const QString &value)
    {
        if (m_ok)
            m_ok = m_reg.writeString(ProgramRegHive, ProgramRegKey, name, value);
    }
    bool ok() const { return m_ok; }

private:
    Registry &m_reg;
    bool m_ok = true;
};

// Options stored under their own name and read and written alike; each list is in the order
// of the reads and writes.
template<typename T>
struct StoredOption
{
    const char *name;
    T ProgramOptions::*member;
};
// The personal texts the macros may use.
constexpr StoredOption<QString> PersonalTexts[] = {
    {"VarName", &ProgramOptions::VarName},
    {"VarEmail", &ProgramOptions::VarEmail},
    {"VarPhone", &ProgramOptions::VarPhone},
    {"VarMobile", &ProgramOptions::VarMobile},
    {"VarPager", &ProgramOptions::VarPager},
};

// The sample editor's colours.
constexpr StoredOption<quint32> EditorColours[] = {
    {"EditorBgColor", &ProgramOptions::EditorBgColor},
    {"EditorActLineColor", &ProgramOptions::EditorActLineColor},
    {"EditorSelectionForeground", &ProgramOptions::EditorSelectionForeground},
    {"EditorSelectionBackground", &ProgramOptions::EditorSelectionBackground},
};

// The largest size the font dialog offers. The store may be edited or damaged, and a menu font
// of the largest stored number fills the window with one letter.
constexpr int LargestFontSize = 512;

void readFont(KeyReader &r, const QString &prefix, FontOption &font)
{
    const QString name = r.string(prefix + QLatin1String("Name"));
    font.Name = name.isEmpty() ? std::nullopt : std::optional<QString>(name);
    const auto charSet = r.integer(prefix + QLatin1String("CharSet"));
    font.CharSet = charSet && *charSet >= 0 ? charSet : std::nullopt;
    const auto size = r.integer(prefix + QLatin1String("Size"));
    font.Size = size && *size > 0 && *size <= LargestFontSize ? size : std::nullopt;
    const auto style = r.integer(prefix + QLatin1String("Style"));
    font.Style = style && *style > 0 ? style : std::nullopt;
}

void writeFont(KeyWriter &w, const QString &prefix, const FontOption &font)
{
    w.string(prefix + QLatin1String("Name"), font.Name.value_or(QString()));
    w.integer(prefix + QLatin1String("CharSet"), font.CharSet.value_or(-1));
    w.integer(prefix + QLatin1String("Size"), font.Size.value_or(-1));
    w.integer(prefix + QLatin1String("Style"), font.Style.value_or(-1));
}

// "MultiStartInterval" holds seconds as text; the list starts at 2 seconds.
int delayIndexFromText(const QString &text)
{
    constexpr int fallback = 3;
    bool ok = false;
    const int seconds = text.toInt(&ok, 10);
    if (!ok)
        return fallback;
    const qint64 index = qint64(seconds) - 2;
    if (index < 0)
        return fallback;
    return int(qMin<qint64>(index, DelayItemCount - 1));
}

} // namespace

int LimitWinTop(int top, const QRect &workArea)
{
    const qint64 bottom = qint64(workArea.top()) + workArea.height();
    qint64 t = top;
    if (t > bottom)
        t = bottom - 50;
    if (workArea.top() > t)
        t = workArea.top();
    return int(t);
}

int LimitWinLeft(int left, int width, const QRect &workArea)
{
    const qint64 right = qint64(workArea.left()) + workArea.width();
    qint64 l = left;
    if (l > right)
        l = right - 50;
    if (workArea.left() > l + width)
        l = qint64(workArea.left()) - width + 50;
    return int(l);
}

int DblClickIndexFromAction(int action, const QStringList &items)
{
    if (action < 0 || action >= DblClickActionItems.size())
        return 0;
    return qMax(0, int(items.indexOf(DblClickActionItems.at(action))));
}

int DblClickActionFromIndex(int index, const QStringList &items)
{
    if (index < 0 || index >= items.size())
        return 0;
    // Index 5 is the lock item on a full list, and "start CygWin" when the lock item is gone.
    if (index == 5)
        return items.at(5).startsWith(QLatin1String("lock")) ? 5 : 6;
    return index;
}

ProgramOptions LoadSettings(const Registry &registry, const LoadEnvironment &env)
{
    ProgramOptions o;
    o.EditorBgColor = env.systemWindowColor;
    o.EditorSelectionForeground = env.systemHighlightTextColor;
    o.EditorSelectionBackground = env.systemHighlightColor;
    o.EditorActLineColor = StoredColor::Yellow;
    o.WinWidth = env.minWidth;
    o.WinHeight = env.minHeight;
    o.WinTop = (env.screenHeight - o.WinHeight) / 2;
    o.WinLeft = (env.screenWidth - o.WinWidth) / 2;

    const ProgramOptions presets = o;

    KeyReader r(registry);
    o.SelectLast = r.boolean(QStringLiteral("SelectLast")).value_or(true);
    o.SelectedNodeIndex = env.hasCommandLineArgument
        ? 0 : r.integer(QStringLiteral("SelectedNodeIndex")).value_or(0);
    o.WinWidth = r.integer(QStringLiteral("WinWidth")).value_or(env.minWidth);
    o.WinHeight = r.integer(QStringLiteral("WinHeight")).value_or(env.minHeight);
    o.WinTop = LimitWinTop(r.integer(QStringLiteral("WinTop"))
                               .value_or((env.screenHeight - o.WinHeight) / 2),
                           env.workArea);
    o.WinLeft = LimitWinLeft(r.integer(QStringLiteral("WinLeft"))
                                 .value_or((env.screenWidth - o.WinWidth) / 2),
                             o.WinWidth, env.workArea);
    o.TreeWidth = r.integer(QStringLiteral("TreeWidth")).value_or(env.treeMinWidth);
    o.WinMaximized = r.integer(QStringLiteral("WinMaximized")).value_or(0);
    o.NoColors = r.boolean(QStringLiteral("NoColors")).value_or(false);
    for (const auto &t : PersonalTexts)
        o.*t.member = r.string(QLatin1String(t.name));
    o.MultiStartIndex = delayIndexFromText(r.string(QStringLiteral("MultiStartInterval")));
    o.PrintPreviewScale =
        r.index(QStringLiteral("PrintPreviewScale"), PrintPreviewScaleCount).value_or(4);
    o.LastQDZFile = r.string(QStringLiteral("LastQDZFile"));
    o.UseColorsInEditor = r.boolean(QStringLiteral("UseColorsInEditor")).value_or(false);
    o.UseSameBackground = r.boolean(QStringLiteral("UseSameBackground")).value_or(true);
    o.Logging = r.boolean(QStringLiteral("Logging")).value_or(false)
        ? LoggingChoice::Log : LoggingChoice::DontLog;
    o.AutoSave = r.boolean(QStringLiteral("AutoSave")).value_or(true);
    o.DoNotTile = r.boolean(QStringLiteral("DoNotTile")).value_or(false);
    o.DblClickAction = DblClickIndexFromAction(
        r.integer(QStringLiteral("DblClickAction")).value_or(0), env.dblClickItems);
    o.AllowTAB = r.boolean(QStringLiteral("AllowTAB")).value_or(false);
    o.TAB2Space = r.boolean(QStringLiteral("TAB2Space")).value_or(false);
    o.SmartTabs = r.boolean(QStringLiteral("SmartTabs")).value_or(false);
    o.SpacePerTABIndex =
        r.index(QStringLiteral("SpacePerTAB"), SpacePerTABItemCount).value_or(2);
    o.UseAsTTFont = r.boolean(QStringLiteral("UseAsTTFont")).value_or(false);
    o.FullPathMRU = r.boolean(QStringLiteral("FullPathMRU")).value_or(false);
    readFont(r, QStringLiteral("Font1"), o.Font1);
    readFont(r, QStringLiteral("Font2"), o.Font2);

    // A table that has gone since the last run is not reopened.
    if (!o.LastQDZFile.isEmpty() && !QFileInfo(o.LastQDZFile).isFile())
        o.LastQDZFile.clear();

    if (const auto interval =
            r.index(QStringLiteral("CheckUpdateInterval"), UpdateIntervalItemCount)) {
        o.CheckUpdateInterval = *interval;
    } else {
        // Older versions kept only a yes/no choice; it is read but never written.
        const auto dontCheck = r.boolean(QStringLiteral("DontCheckUpdates"));
        o.CheckUpdateInterval = dontCheck && !*dontCheck ? 0 : UpdateIntervalNever;
    }
    o.DefaultColors = r.index(QStringLiteral("DefaultColors"), DefaultColorsItemCount)
                          .value_or(DefaultColorsItemCount - 1);
    // A colour that is missing or no colour keeps its preset.
    for (const auto &c : EditorColours)
        o.*c.member = r.colour(QLatin1String(c.name)).value_or(o.*c.member);

    // The key alone stores no options: the start writes "NT", and a start with an argument
    // "ParamName", into it before the options are first read. Such a start keeps the presets.
    if (!r.anyStored())
        return presets;
    o.KeyFound = true;
    return o;
}

bool SaveSettings(Registry &registry, const ProgramOptions &o, const SaveEnvironment &env)
{
    if (!registry.isOpen() || !registry.beginTransaction())
        return false;

    KeyWriter w(registry);
    if (!registry.createKey(ProgramRegHive, ProgramRegKey)) {
        registry.rollback();
        return false;
    }
    for (const auto &t : PersonalTexts)
        w.string(QLatin1String(t.name), o.*t.member);
    w.string(QStringLiteral("MultiStartInterval"), QString::number(o.DelaySeconds()));
    w.integer(QStringLiteral("PrintPreviewScale"), o.PrintPreviewScale);
    w.integer(QStringLiteral("SelectedNodeIndex"), env.focusedNodeIndex);
    w.boolean(QStringLiteral("SelectLast"), o.SelectLast);
    w.boolean(QStringLiteral("UseColorsInEditor"), o.UseColorsInEditor);
    w.boolean(QStringLiteral("UseSameBackGround"), o.UseSameBackground);
    w.boolean(QStringLiteral("AutoSave"), o.AutoSave);
    w.string(QStringLiteral("LastQDZFile"), o.LastQDZFile);
    w.integer(QStringLiteral("WinTop"), o.WinTop);
    w.integer(QStringLiteral("WinLeft"), o.WinLeft);
    w.integer(QStringLiteral("WinWidth"), o.WinWidth);
    w.integer(QStringLiteral("WinHeight"), o.WinHeight);
    // Without a width of its own the tree's stored width, if any, stays as it is.
    if (o.TreeWidth)
        w.integer(QStringLiteral("TreeWidth"), *o.TreeWidth);
    w.boolean(QStringLiteral("WinMaximized"), o.WinMaximized == 1);
    w.boolean(QStringLiteral("DoNotTile"), o.DoNotTile);
    w.boolean(QStringLiteral("NoColors"), o.NoColors);
    w.integer(QStringLiteral("DblClickAction"),
              DblClickActionFromIndex(o.DblClickAction, env.dblClickItems));
    w.boolean(QStringLiteral("AllowTAB"), o.AllowTAB);
    w.boolean(QStringLiteral("TAB2Space"), o.TAB2Space);
    w.boolean(QStringLiteral("SmartTabs"), o.SmartTabs);
    w.boolean(QStringLiteral("UseAsTTFont"), o.UseAsTTFont);
    w.boolean(QStringLiteral("FullPathMRU"), o.FullPathMRU);
    w.integer(QStringLiteral("SpacePerTAB"), o.SpacePerTABIndex);
    writeFont(w, QStringLiteral("Font1"), o.Font1);
    writeFont(w, QStringLiteral("Font2"), o.Font2);
    w.integer(QStringLiteral("CheckUpdateInterval"), o.CheckUpdateInterval);
    w.integer(QStringLiteral("DefaultColors"), o.DefaultColors);
    w.boolean(QStringLiteral("Logging"), o.Logging == LoggingChoice::Log);
    for (const auto &c : EditorColours)
        w.colour(QLatin1String(c.name), o.*c.member);

    bool ok = w.ok();
    if (ok && env.highlighterAttributes)
        ok = HighlighterAttributeStore::write(registry, *env.highlighterAttributes);
    if (!ok || !registry.commit()) {
        registry.rollback();
        return false;
    }
    return true;
}

bool ReadIsNTFlag(Registry &registry)
{
    if (!registry.createKey(ProgramRegHive, ProgramRegKey))
        return true;
    if (const auto nt = registry.readDword(ProgramRegHive, ProgramRegKey, QStringLiteral("NT")))
        return *nt != 0;
    const bool nt = SystemInfo::isNTFamily();
    registry.writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("NT"), nt ? 1 : 0);
    return nt;
}
