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
#include "updates/widgets/TForm2.h"

#include <QApplication>

#include <memory>

int ProgramMainBlock(const QStringList &arguments, ShellServices &services, Prompter *prompter)
{
    MessageBoxPrompter boxes;
    Prompter &startUpPrompter = prompter ? *prompter : boxes;
    if (!ProgramStartUp(arguments, services.registry(), startUpPrompter, services.messages()))
        return 0;
    if (!CheckTeraTermPresent(startUpPrompter))
        return 1;
    DeleteTempFiles(startUpPrompter);

    // The windows, in the order the program makes them; they go in the reverse order, the main
    // window last (which saves the options and tells the launcher).
    TForm1 form(prompter);
    form.FormCreate(services, arguments);
    TForm4 licence;
    TForm6 about(UpdateServer::ProgramBaseURL(), licence);
    TTestPrintPreviewDlg preview(form.printing().printers(), form.prompter(), form.options().PrintPreviewScale);
    form.setSecondaryWindows(licence, about, preview);
    const std::unique_ptr<TForm2> updates = form.CreateUpdateWindow();
    if (IsUpgradeCheckStart(arguments)) {
        // The launcher asked for the check alone: the main window never shows.
        updates->CheckForUpdatesAndWait();
        return 0;
    }
    form.show();
    return QApplication::exec();
}
