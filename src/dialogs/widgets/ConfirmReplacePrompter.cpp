#include "dialogs/widgets/ConfirmReplacePrompter.h"

#include "components/widgets/QsciTextDocument.h"
#include "dialogs/widgets/TConfirmReplaceDialog.h"
#include "platform/widgets/QsciIncludes.h"

ConfirmReplacePrompter::ConfirmReplacePrompter(QsciTextDocument &editor, QWidget &window)
    : m_editor(editor), m_window(window)
{
}

ConfirmReplacePrompter::~ConfirmReplacePrompter()
{
    delete m_dialog;
}

ReplaceAction ConfirmReplacePrompter::Memo1ReplaceText(const QString &search, const QString &replace,
                                                       int line, int column)
{
    if (search == replace)
        return raSkip;

    const QPoint hit = m_editor.editor().viewport()->mapToGlobal(m_editor.pointOf({line, column}));
    const QRect windowRect(m_window.mapToGlobal(QPoint(0, 0)), m_window.size());
    if (!m_dialog)
        m_dialog = new TConfirmReplaceDialog(&m_window);
    m_dialog->PrepareShowing(windowRect, hit.x(), hit.y(), hit.y() + m_editor.lineHeight(line), search);
    switch (m_dialog->exec()) {
    case TConfirmReplaceDialog::Yes:
        return raReplace;
    case TConfirmReplaceDialog::No:
        return raSkip;
    case TConfirmReplaceDialog::YesToAll:
        return raReplaceAll;
    default:
        return raCancel;
    }
}
