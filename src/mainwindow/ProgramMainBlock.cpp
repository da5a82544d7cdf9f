#include "mainwindow/ProgramMainBlock.h"

#include "dialogs/widgets/TForm4.h"
#include "dialogs/widgets/TForm6.h"
#include "dialogs/widgets/TTestPrintPreviewDlg.h"
#include "mainwindow/MacroPrintCommands.h"
#include "mainwindow/TForm1.h"
#include "platform/widgets/MessageBoxPrompter.h"
#include "runner/ProgramFolder.h"
#include "shell/ProgramStartUp.h"
#include "shell/ShellServices.h"
#include "updates/UpdateServer.h"

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

    // The program's windows, in this order, freed in the reverse one.
    TForm1 form(prompter);
    form.FormCreate(services, arguments);
    TForm4 licence;
    TForm6 about(UpdateServer::ProgramBaseURL(), licence);
    TTestPrintPreviewDlg preview(form.printing().printer(), form.printing().printers(), form.prompter(),
                                 form.options().PrintPreviewScale);
    form.setSecondaryWindows(licence, about, preview);
    form.show();
    return QApplication::exec();
}
