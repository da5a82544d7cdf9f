// The macro editor's aids as the window wires them: the template items of the File menu, the
// value tip of the macro variables, and printing with its printer count.
#include "mainwindow/TForm1.h"

#include "components/PrintHeader.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/MacroPrintCommands.h"
#include "mainwindow/RunCommands.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/UserDataPage.h"
#include "runner/MacroVariables.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>

void TForm1::setupMacroEditor()
{
    // The template items carry their template's number.
    for (QAction *item : findChild<QMenu *>(QStringLiteral("MnImportTemplate"))->actions())
        if (!item->isSeparator())
            connect(item, &QAction::triggered, Memo1,
                    [this, number = item->data().toInt()] { Memo1->OpenTelnetsession1Click(number); });

    // The tip shows what a run of the focused connection would put in place of the variable.
    Memo1->setValueTip(m_macroPage->stLabel(), [this](int index) {
        return GetMacroVariableValue(index, focusedNode(), m_settingsPage->userData()->userData(),
                                     prompter(), [this] { return macroRunner().now(); });
    });

    m_printing = new MacroPrintCommands(*Memo1, m_host, this);
    // A print server slow to answer tells the printers late; the commands follow then.
    connect(m_printing, &MacroPrintCommands::printersChanged, this, &TForm1::RequestCommandRefresh);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            ApplicationEvents1Activate();
    });
}

QString TForm1::currentNodePathText() const
{
    return GetNodePathText(m_doc.tree(), m_doc.CurrentNode);
}

void TForm1::MnPrintClick()
{
    m_printing->MnPrintClick(m_doc.CurrentTableFile, currentNodePathText(), this);
}

void TForm1::MnPrintPreviewClick()
{
    m_printing->MnPrintPreviewClick(m_doc.CurrentTableFile, currentNodePathText());
}

void TForm1::MnPrinterSetupClick()
{
    if (m_printing->MnPrinterSetupClick(this))
        RequestCommandRefresh();
}

void TForm1::ApplicationEvents1Activate()
{
    // A printer added or removed meanwhile shows in the print commands at once.
    m_printing->HasPrinters(true);
    RequestCommandRefresh();
}
