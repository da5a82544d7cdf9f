#pragma once

#include <QString>

class Prompter;

// The Help menu's help files and the window's context help, each opened from the program's
// folder; a missing file is reported by name, and so is a missing Wine for a help file that
// only Wine's viewer can show.
class HelpCommands
{
public:
    explicit HelpCommands(Prompter &prompter);

    // The contents of the program's own help, "Wexmora.hlp".
    void WexmoraHelp1Click();
    // TeraTerm's help, "ttermp.hlp", and its macro language's, "macro.hlp".
    void MnTeraTermHelpClick();
    void MnTeraTermMacroLanguageClick();
    // The program's help at Context (F1 on a control).
    void showContext(int context);

private:
    void open(const QString &name, int context, const QString &missingText);

    Prompter &m_prompter;
};
