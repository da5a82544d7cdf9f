#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Colours as the option store keeps them: 0x00BBGGRR, or a system colour 0xFF0000nn that the
// window resolves through its palette.
namespace StoredColor {
inline constexpr quint32 SystemWindow = 0xFF000005;
inline constexpr quint32 SystemHighlight = 0xFF00000D;
inline constexpr quint32 SystemHighlightText = 0xFF00000E;
inline constexpr quint32 None = 0x1FFFFFFF;   // no colour of its own
inline constexpr quint32 Yellow = 0x0000FFFF;

// True for an RGB value or a system-colour code; anything else is no colour we can show.
inline constexpr bool isValid(quint32 value)
{
    return (value & 0xFF000000u) == 0 || (value & 0xFFFFFF00u) == 0xFF000000u;
}
} // namespace StoredColor

// Font styles stored as one integer.
namespace FontStyleBits {
inline constexpr int Bold = 1;
inline constexpr int Italic = 2;
inline constexpr int Underline = 4;
inline constexpr int StrikeOut = 8;
} // namespace FontStyleBits

// The tray double-click actions in the launcher's numbering; the window's list shows them in
// this order, without "lock the screen" on systems that lack it and without "start CygWin"
// when CygTerm is missing.
inline const QStringList DblClickActionItems = {
    QStringLiteral("open Configuration window"),
    QStringLiteral("start TeraTerm"),
    QStringLiteral("start last executed macro"),
    QStringLiteral("show desktop"),
    QStringLiteral("start screen saver"),
    QStringLiteral("lock the screen (W2K and XP)"),
    QStringLiteral("start CygWin"),
};

// Sizes of the fixed option lists: "Run all selected" delay (2 to 30 seconds), tab width
// (2 to 32), update-check interval (its last item "never"), default colour scheme (seven
// schemes and "from TeraTerm.ini file"), print preview scale.
inline constexpr int DelayItemCount = 29;
inline constexpr int SpacePerTABItemCount = 31;
inline constexpr int UpdateIntervalItemCount = 6;
inline constexpr int UpdateIntervalNever = UpdateIntervalItemCount - 1;
inline constexpr int DefaultColorsItemCount = 8;
inline constexpr int PrintPreviewScaleCount = 9;

// A font option. Each part is applied to the font only when it holds a value; an empty name,
// a negative character set, and a size or style of 0 or less are stored but not applied.
struct FontOption
{
    std::optional<QString> Name;
    std::optional<int> CharSet;
    std::optional<int> Size;    // points
    std::optional<int> Style;   // FontStyleBits

    bool operator==(const FontOption &) const = default;
};

// The new-connection logging default: neither radio button is set until the options were
// read once.
enum class LoggingChoice { Unset, Log, DontLog };

// Every option the program keeps between runs. Options whose controls are not built yet are
// carried through load and save all the same, so a run never drops what an earlier one stored.
struct ProgramOptions
{
    // The options were read from the store (it holds at least one of them). Only then does the
    // window set the macro editor's tab width from SpacePerTABIndex; otherwise it keeps its
    // design.
    bool KeyFound = false;

    bool SelectLast = true;              // read by the launcher only
    int SelectedNodeIndex = 0;           // pre-order index of the node to reselect at start

    int WinWidth = 0;
    int WinHeight = 0;
    int WinTop = 0;
    int WinLeft = 0;
    std::optional<int> TreeWidth;        // unset: the tree keeps its designed width
    int WinMaximized = 0;                // window-state value: 1 maximized

    bool NoColors = false;

    QString VarName;
    QString VarEmail;
    QString VarPhone;
    QString VarMobile;
    QString VarPager;

    int MultiStartIndex = 3;             // "Run all selected" delay list index: seconds - 2
    int PrintPreviewScale = 4;
    QString LastQDZFile;                 // the table opened at start (CurrentTableFile)

    bool UseColorsInEditor = false;      // false: syntax highlighting
    bool UseSameBackground = true;
    LoggingChoice Logging = LoggingChoice::Unset;
    bool AutoSave = false;
    bool DoNotTile = false;
    int DblClickAction = 0;              // index in the list as shown

    bool AllowTAB = false;
    bool TAB2Space = false;
    bool SmartTabs = false;
    int SpacePerTABIndex = 4;            // tab width list index: width - 2
    bool UseAsTTFont = false;
    bool FullPathMRU = false;

    FontOption Font1;                    // macro and popup editors
    FontOption Font2;                    // menus

    int CheckUpdateInterval = UpdateIntervalNever;
    int DefaultColors = DefaultColorsItemCount - 1;

    quint32 EditorBgColor = StoredColor::SystemWindow;
    quint32 EditorActLineColor = StoredColor::Yellow;
    quint32 EditorSelectionForeground = StoredColor::SystemHighlightText;
    quint32 EditorSelectionBackground = StoredColor::SystemHighlight;

    int DelaySeconds() const { return MultiStartIndex + 2; }
    int EditorTabWidth() const { return SpacePerTABIndex + 2; }

    bool operator==(const ProgramOptions &) const = default;
};
