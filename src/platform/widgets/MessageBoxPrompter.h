#pragma once

#include "platform/Prompter.h"

#include <QPointer>

class QWidget;

// The program's message boxes: a QMessageBox titled "Wexmora", modal to Parent.
class MessageBoxPrompter : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget *parent) { m_parent = parent; }

    Answer ask(Kind kind, const QString &text, Buttons buttons) override;

    // The texts break lines with CR, LF, CR+LF or LF+CR; each pair is one break.
    static QString displayText(const QString &text);

private:
    QPointer<QWidget> m_parent;
};
