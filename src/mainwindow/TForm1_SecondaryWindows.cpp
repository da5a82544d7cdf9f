// The windows the program makes after the main window, as the main window opens them.
#include "mainwindow/TForm1.h"

#include "dialogs/widgets/TForm4.h"
#include "dialogs/widgets/TForm6.h"
#include "dialogs/widgets/TTestPrintPreviewDlg.h"
#include "mainwindow/MacroPrintCommands.h"
#include "platform/widgets/ContextHelp.h"

void TForm1::setSecondaryWindows(TForm4 &licence, TForm6 &about, TTestPrintPreviewDlg &preview)
{
    Form4 = &licence;
    Form6 = &about;
    m_printing->setPreviewWindow(&preview);
    // The preview is a window of its own: F1 there opens the program's help at its topics.
    new ContextHelp(preview, [this](int context) { m_help.showContext(context); });
    // The scale chosen in the preview is an option, kept for the next run.
    connect(&preview, &TTestPrintPreviewDlg::PrintPreviewScaleChanged, this,
            [this](int index) { m_options.PrintPreviewScale = index; });
}

void TForm1::MnFreeWareLicenseClick()
{
    if (Form4)
        Form4->exec();
}

void TForm1::MnAboutClick()
{
    if (Form6)
        Form6->exec();
}
