#pragma once

#include "table/ColorSet.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// The five fields of the settings page "User Data", as they read at the moment of a run.
struct UserData
{
    QString name;
    QString email;
    QString phone;
    QString mobile;
    QString pager;
};

// The run options of the settings pages.
struct RunOptions
{
    bool noColors = false;       // "Disable color support "
    bool useEditorFont = false;  // "Use this font in TeraTerm "
    QByteArray fontName;         // the macro editor's font face
    int fontHeight = 0;          // its Windows height, negative for a size in points
    bool doNotTile = false;      // "Do not tile": "Run all selected" leaves the windows as they are
};

// What the window's pages hold when a run starts. The window fills it from its controls; the
// runner never reads a widget.
struct RunContext
{
    UserData user;
    // The macro editor's whole text, used when the run's connection is CurrentNode with
    // unapplied edits.
    QByteArray editorText;
    // The editor's first lines through the caret's line, each followed by CR LF (see
    // BuildRunToCursorText); the source of every run to the cursor.
    QByteArray runToCursorText;
    ColorSet colors;               // the Colours page's working set
    RunOptions options;
    bool logSession = false;       // "Start logging when the macro ends"
    // The stored colour text of the connection the editors show (CurrentNode), none when no
    // connection is shown, and whether the editors hold unapplied edits of it. The ini copy
    // gets those stored colours, or the working set while there are such edits.
    std::optional<QByteArray> currentNodeColors;
    bool currentNodeModified = false;
};

// The clock a run reads once for its log file names; tests set a fixed one.
using Clock = std::function<QDateTime()>;
