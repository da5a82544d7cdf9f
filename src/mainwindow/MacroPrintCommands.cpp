#include "mainwindow/MacroPrintCommands.h"

#include "components/widgets/MacroPrintJob.h"
#include "dialogs/widgets/TTestPrintPreviewDlg.h"
#include "mainwindow/MacroEditor.h"
#include "platform/Prompter.h"
#include "platform/widgets/PrintDialogs.h"
#include "platform/widgets/PrinterInventory.h"
#include "table/TableHost.h"

#include <QPrinter>

MacroPrintCommands::MacroPrintCommands(MacroEditor &editor, TableHost &host, QObject *parent)
    : QObject(parent), m_editor(editor), m_host(host), m_printer(std::make_unique<QPrinter>()),
      m_ownPrinters(std::make_unique<SystemPrinterInventory>()),
      m_ownDialogs(std::make_unique<QtPrintDialogs>()), m_printers(m_ownPrinters.get()),
      m_dialogs(m_ownDialogs.get()), SynEditPrint(std::make_unique<MacroPrintJob>())
{
    m_printer->setCopyCount(1);
}

MacroPrintCommands::~MacroPrintCommands() = default;

void MacroPrintCommands::setPrinterInventory(PrinterInventory *printers)
{
    m_printers = printers ? printers : m_ownPrinters.get();
}

void MacroPrintCommands::setPrintDialogs(PrintDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
}

void MacroPrintCommands::setPreviewWindow(TTestPrintPreviewDlg *preview)
{
    m_preview = preview;
}

bool MacroPrintCommands::HasPrinters(bool refresh)
{
    return m_printers->HasPrinters(refresh);
}

QString MacroPrintCommands::currentPrinterName() const
{
    return m_printers->PrinterName(*m_printer);
}

bool MacroPrintCommands::IsColorPrinter() const
{
    // Asking a printer for its modes can take a while.
    const WaitCursor hourglass(m_host);
    return m_printers->IsColorPrinter(*m_printer);
}

void MacroPrintCommands::PreparePrintJob(const QString &tableFile, const QString &nodePathText)
{
    if (!HasPrinters(false))
        return;
    SynEditPrint->Prepare(&m_editor, PrintHeader::forMacro(tableFile, nodePathText), IsColorPrinter());
}

void MacroPrintCommands::MnPrintClick(const QString &tableFile, const QString &nodePathText,
                                      QWidget *dialogParent)
{
    if (!HasPrinters(true) || !m_dialogs->confirmPrint(*m_printer, dialogParent))
        return;
    // Prepared after the dialog: the printer and its colour mode are the ones chosen there.
    PreparePrintJob(tableFile, nodePathText);
    print(*m_printer);
}

void MacroPrintCommands::MnPrintPreviewClick(const QString &tableFile, const QString &nodePathText)
{
    if (!m_preview || !HasPrinters(false))
        return;
    PreparePrintJob(tableFile, nodePathText);
    m_preview->setPrintEngine([this](QPrinter &target) { return SynEditPrint->print(target); },
                              nodePathText);
    m_preview->exec();
}

bool MacroPrintCommands::MnPrinterSetupClick(QWidget *dialogParent)
{
    if (!HasPrinters(false))
        return false;
    m_dialogs->setupPrinter(*m_printer, dialogParent);
    return true;
}

bool MacroPrintCommands::print(QPrinter &printer)
{
    if (SynEditPrint->print(printer))
        return true;
    const QString target = printer.outputFileName().isEmpty() ? currentPrinterName() : printer.outputFileName();
    m_host.prompter().error(MacroPrintFailedText(target));
    return false;
}
