#include "support/ScriptedPrompter.h"

Prompter::Answer ScriptedPrompter::ask(Kind kind, const QString &text, Buttons buttons)
{
    m_boxes.append({kind, text, buttons});
    if (m_look)
        m_look(m_boxes.last());
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Yes : Ok;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const Box &b : m_boxes)
        out << b.text;
    return out;
}
