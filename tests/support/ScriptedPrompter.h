#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QString>

#include <functional>

// Records every message box and answers from a queue; with the queue empty it answers the
// first button of the set (OK or Yes).
class ScriptedPrompter : public Prompter
{
public:
    struct Box
    {
        Kind kind;
        QString text;
        Buttons buttons;
    };

    Answer ask(Kind kind, const QString &text, Buttons buttons) override;

    void queue(Answer answer) { m_answers.append(answer); }
    // Runs as each box is asked, while it would be on screen: a test looks at the window then.
    void whileAsking(std::function<void(const Box &)> look) { m_look = std::move(look); }
    const QList<Box> &boxes() const { return m_boxes; }
    QStringList texts() const;
    void clear() { m_boxes.clear(); m_answers.clear(); }

private:
    QList<Box> m_boxes;
    QList<Answer> m_answers;
    std::function<void(const Box &)> m_look;
};
