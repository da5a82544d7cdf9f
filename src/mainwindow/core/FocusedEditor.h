#pragma once

#include <QtGlobal>

// The controls of the main window whose focus decides which control the edit commands act
// on. The window tells which one has the focus; InPlaceEditor is the edit control of the
// tree's in-place name editor, only while it still exists.
enum class FocusWidget {
    None,
    VT,
    Memo1,
    Memo2,
    Edit1,
    Edit2,
    Edit3,
    Edit4,
    Edit5,
    Edit6,
    Edit7,
    Edit8,
    Edit9,
    Edit10,
    InPlaceEditor,
};

// The focused-editor id the edit commands and the command state dispatch on.
namespace FocusedEditorId {
constexpr int None = -1;
constexpr int Tree = 0;
constexpr int Macro = 1;
constexpr int Popup = 2;
constexpr int InPlaceEditor = 11;
} // namespace FocusedEditorId

// 0 the tree, 1 the macro editor, 2 the popup editor, 3 to 5 the user-data fields Edit1 to
// Edit3, 6 to 10 the schedule fields Edit4 to Edit8, 11 the in-place editor, 12 and 13 the
// mobile and pager fields Edit9 and Edit10, -1 anything else.
int GetFocusedEditorId(FocusWidget focus);

// A single-line field (ids 3 to 10, 12, 13).
bool IsFieldEditorId(int id);

// While the tree or its in-place editor has the focus a refresh waits for the 200 ms timer,
// so that a burst of tree events makes one refresh; any other focus refreshes at once.
bool CommandRefreshIsDeferred(int focusedEditorId);
