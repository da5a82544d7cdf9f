#include "mainwindow/core/FocusedEditor.h"

int GetFocusedEditorId(FocusWidget focus)
{
    switch (focus) {
    case FocusWidget::VT: return 0;
    case FocusWidget::Memo1: return 1;
    case FocusWidget::Memo2: return 2;
    case FocusWidget::Edit1: return 3;
    case FocusWidget::Edit2: return 4;
    case FocusWidget::Edit3: return 5;
    case FocusWidget::Edit4: return 6;
    case FocusWidget::Edit5: return 7;
    case FocusWidget::Edit6: return 8;
    case FocusWidget::Edit7: return 9;
    case FocusWidget::Edit8: return 10;
    case FocusWidget::InPlaceEditor: return 11;
    case FocusWidget::Edit9: return 12;
    case FocusWidget::Edit10: return 13;
    case FocusWidget::None: break;
    }
    return FocusedEditorId::None;
}

bool IsFieldEditorId(int id)
{
    return (id >= 3 && id <= 10) || id == 12 || id == 13;
}

bool CommandRefreshIsDeferred(int focusedEditorId)
{
    return focusedEditorId == FocusedEditorId::Tree || focusedEditorId == FocusedEditorId::InPlaceEditor;
}
