#pragma once

#include <QString>

// Every message box of the program goes through this interface, so the core can ask
// questions and tests can answer them from a script.
class Prompter
{
public:
    enum class Kind { Warning, Error, Information, Confirmation };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    // Values match the dialog result codes the program compares against (IDOK, IDCANCEL,
    // IDYES, IDNO).
    enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~Prompter() = default;
    virtual Answer ask(Kind kind, const QString &text, Buttons buttons) = 0;

    void warning(const QString &text) { ask(Kind::Warning, text, Buttons::Ok); }
    void error(const QString &text) { ask(Kind::Error, text, Buttons::Ok); }
    void information(const QString &text) { ask(Kind::Information, text, Buttons::Ok); }
};
