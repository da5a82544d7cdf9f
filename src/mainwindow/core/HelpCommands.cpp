#include "mainwindow/core/HelpCommands.h"

#include "platform/Help.h"
#include "platform/Prompter.h"

namespace {

const QString ProgramHelpFile = QStringLiteral("Wexmora.hlp");
const QString ProgramHelpMissing = QStringLiteral("Help file 'Wexmora.hlp' not found.");

} // namespace

HelpCommands::HelpCommands(Prompter &prompter) : m_prompter(prompter)
{
}

void HelpCommands::WexmoraHelp1Click()
{
    open(ProgramHelpFile, 0, ProgramHelpMissing);
}

void HelpCommands::MnTeraTermHelpClick()
{
    open(QStringLiteral("ttermp.hlp"), 0, QStringLiteral("TeraTerm help file 'ttermp.hlp' not found."));
}

void HelpCommands::MnTeraTermMacroLanguageClick()
{
    open(QStringLiteral("macro.hlp"), 0, QStringLiteral("TeraTerm macro help file 'macro.hlp' not found."));
}

void HelpCommands::showContext(int context)
{
    open(ProgramHelpFile, context, ProgramHelpMissing);
}

void HelpCommands::open(const QString &name, int context, const QString &missingText)
{
    switch (Help::open(name, context)) {
    case Help::Result::FileMissing:
        m_prompter.error(missingText);
        break;
    case Help::Result::ViewerNotStartable:
        m_prompter.error(Help::failureMessage(Help::Result::ViewerNotStartable, name));
        break;
    case Help::Result::Opened:
    case Help::Result::NotOpened:
        break;
    }
}
