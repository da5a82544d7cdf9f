#pragma once

#include "components/SearchReplace.h"

#include <QPointer>

class QsciTextDocument;
class QWidget;
class TConfirmReplaceDialog;

// The question before each replacement of one replace run: the confirm-replace dialog, made
// on the first question, placed next to the hit against Window's client area, and released
// with the run (this object).
class ConfirmReplacePrompter
{
public:
    ConfirmReplacePrompter(QsciTextDocument &editor, QWidget &window);
    ~ConfirmReplacePrompter();
    ConfirmReplacePrompter(const ConfirmReplacePrompter &) = delete;
    ConfirmReplacePrompter &operator=(const ConfirmReplacePrompter &) = delete;

    // A replacement equal to the search text is skipped unasked; otherwise the dialog's Yes
    // replaces, No skips, Yes to all replaces the rest unasked, anything else cancels.
    ReplaceAction Memo1ReplaceText(const QString &search, const QString &replace, int line, int column);

private:
    QsciTextDocument &m_editor;
    QWidget &m_window;
    QPointer<TConfirmReplaceDialog> m_dialog;
};
