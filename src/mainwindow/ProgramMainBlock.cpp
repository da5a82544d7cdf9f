#include "mainwindow/ProgramMainBlock.h"

#include "mainwindow/TForm1.h"
#include "platform/widgets/MessageBoxPrompter.h"
#include "runner/ProgramFolder.h"
#include "shell/ProgramStartUp.h"
#include "shell/ShellServices.h"

#include <QApplication>

int ProgramMainBlock(const QStringList &arguments, ShellServices &services, Prompter *prompter)
{
    MessageBoxPrompter boxes;
    Prompter &startUpPrompter = prompter ? *prompter : boxes;
    if (!ProgramStartUp(arguments, services.registry(), startUpPrompter, services.messages()))
        return 0;
    if (!CheckTeraTermPresent(startUpPrompter))
        return 1;
    DeleteTempFiles(startUpPrompter);

    TForm1 form(prompter);
    form.FormCreate(services, arguments);
    form.show();
    return QApplication::exec();
}
