#include "mainwindow/MacroPrintCommands.h"

#include "components/widgets/MacroPrintJob.h"
#include "dialogs/widgets/TTestPrintPreviewDlg.h"
#include "mainwindow/MacroEditor.h"
#include "platform/Prompter.h"
#include "platform/widgets/PrintDialogs.h"
#include "platform/widgets/PrinterInventory.h"
#include "table/TableHost.h"

#include <QPrinter>

namespace {

// Where a printer sends its pages: the print system's printer, or a file.
struct PrintTarget
{
    QPrinter::OutputFormat format;
    QString fileName;
    QString printerName;

    static PrintTarget of(const QPrinter &printer)
    {
        return {printer.outputFormat(), printer.outputFileName(), printer.printerName()};
    }
    bool sameAs(const QPrinter &printer) const
    {
        return printer.outputFormat() == format && printer.outputFileName() == fileName;
    }
    void restore(QPrinter &printer) const
    {
        // No file name is the print system's default printer; the printer's name then picks
        // the one it was.
        printer.setOutputFileName(fileName);
        if (format == QPrinter::NativeFormat && !printerName.isEmpty())
            printer.setPrinterName(printerName);
    }
};

} // namespace

MacroPrintCommands::MacroPrintCommands(MacroEditor &editor, TableHost &host, QObject *parent)
    : QObject(parent), m_editor(editor), m_host(host),
      m_ownPrinters(std::make_unique<SystemPrinterInventory>()),
      m_ownDialogs(std::make_unique<QtPrintDialogs>()), m_dialogs(m_ownDialogs.get()),
      SynEditPrint(std::make_unique<MacroPrintJob>())
{
    setPrinterInventory(nullptr);
}

MacroPrintCommands::~MacroPrintCommands() = default;

void MacroPrintCommands::setPrinterInventory(PrinterInventory *printers)
{
    if (m_printers)
        disconnect(m_printers, &PrinterInventory::printersRead, this, &MacroPrintCommands::printersChanged);
    m_printers = printers ? printers : m_ownPrinters.get();
    connect(m_printers, &PrinterInventory::printersRead, this, &MacroPrintCommands::printersChanged);
}

QPrinter &MacroPrintCommands::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
        m_printer->setCopyCount(1);
    }
    return *m_printer;
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
    // Until a command makes the printer, it is the one a new printer would take.
    return m_printer ? m_printers->PrinterName(*m_printer) : m_printers->defaultPrinterName();
}

bool MacroPrintCommands::IsColorPrinter()
{
    // Asking a printer for its modes can take a while.
    const WaitCursor hourglass(m_host);
    return m_printers->IsColorPrinter(printer());
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
    if (!HasPrinters(true))
        return;
    QPrinter &target = printer();
    const PrintTarget before = PrintTarget::of(target);
    if (!m_dialogs->confirmPrint(target, dialogParent))
        return;
    // Prepared after the dialog: the printer and its colour mode are the ones chosen there.
    PreparePrintJob(tableFile, nodePathText);
    print(target);
    // A printer chosen in the dialog stays the program's printer; a file chosen there was
    // for this print only.
    if (target.outputFormat() == QPrinter::PdfFormat && !before.sameAs(target))
        before.restore(target);
}

void MacroPrintCommands::MnPrintPreviewClick(const QString &tableFile, const QString &nodePathText)
{
    if (!m_preview || !HasPrinters(false))
        return;
    PreparePrintJob(tableFile, nodePathText);
    m_preview->setPrintEngine(printer(), [this](QPrinter &target) { return SynEditPrint->print(target); },
                              nodePathText);
    m_preview->exec();
}

bool MacroPrintCommands::MnPrinterSetupClick(QWidget *dialogParent)
{
    if (!HasPrinters(false))
        return false;
    m_dialogs->setupPrinter(printer(), dialogParent);
    return true;
}

bool MacroPrintCommands::print(QPrinter &printer)
{
    if (SynEditPrint->print(printer))
        return true;
    const QString target = printer.outputFileName().isEmpty() ? m_printers->PrinterName(printer) : printer.outputFileName();
    m_host.prompter().error(MacroPrintFailedText(target));
    return false;
}
