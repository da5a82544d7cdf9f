#pragma once

#include "shell/HighlighterAttribute.h"
#include "shell/ProgramOptions.h"

#include <QList>
#include <QRect>
#include <QStringList>

#include <optional>

class Registry;

// What the window tells the options store at start: its design values and the screen.
struct LoadEnvironment
{
    bool hasCommandLineArgument = false;   // then no node is reselected
    int minWidth = 654;
    int minHeight = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    QRect workArea;                        // the desktop without panels
    QStringList dblClickItems = DblClickActionItems;   // the double-click list as shown
    int treeMinWidth = 30;
    quint32 systemWindowColor = StoredColor::SystemWindow;
    quint32 systemHighlightColor = StoredColor::SystemHighlight;
    quint32 systemHighlightTextColor = StoredColor::SystemHighlightText;
};

// What the window adds when the options are written.
struct SaveEnvironment
{
    int focusedNodeIndex = 0;              // pre-order index of the focused node, 0 for none
    QStringList dblClickItems = DblClickActionItems;
    // The highlighter's attributes, written with the options when given.
    std::optional<QList<HighlighterAttribute>> highlighterAttributes;
};

// Reads the options: every value that is missing or unreadable takes its fallback; when no
// option is stored at all (the program key is missing, or holds only values of others such
// as "NT" and "ParamName"), everything keeps its preset.
ProgramOptions LoadSettings(const Registry &registry, const LoadEnvironment &env);

// Writes the options (and the highlighter's attributes, when given) as one transaction: the
// launcher sees the whole new set or the old one. False when the store refused a write;
// nothing is then changed. Values of the key that are not options are left alone.
bool SaveSettings(Registry &registry, const ProgramOptions &options, const SaveEnvironment &env);

// Whether the system is of the NT family, worked out and stored as "NT" the first time.
bool ReadIsNTFlag(Registry &registry);

// The list index that shows tray action Action on the list Items, 0 when it has none.
int DblClickIndexFromAction(int action, const QStringList &items);
// The tray action number of list index Index on the list Items.
int DblClickActionFromIndex(int index, const QStringList &items);

// Window position kept on the work area: at least 50 pixels of the window stay reachable.
int LimitWinTop(int top, const QRect &workArea);
int LimitWinLeft(int left, int width, const QRect &workArea);
