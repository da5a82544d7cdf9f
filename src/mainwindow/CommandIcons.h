#pragma once

#include <QIcon>

// The toolbar's icons, drawn here in a few strokes so the program needs no image files.
class CommandIcons
{
public:
    enum Kind {
        New, Open, Save, SaveAs, Print, PrintPreview,
        Undo, Cut, Copy, Paste,
        AddChild, AddSibling, Delete, MoveUp, MoveDown, Apply,
        RunToCursor, Run, RunBranchToCursor, RunBranch,
    };

    static QIcon icon(Kind kind);
};
