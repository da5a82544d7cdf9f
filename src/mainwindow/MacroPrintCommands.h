#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class MacroEditor;
class MacroPrintJob;
class PrintDialogs;
class PrinterInventory;
class QPrinter;
class QWidget;
class TableHost;
class TTestPrintPreviewDlg;

// The macro editor's print commands: Print, Print preview and Printer setup of the macro it
// shows, under the header naming the table file and the connection, on the program's one
// printer. Printing needs a printer in the print system; the count is read on request and
// kept between requests. The highlighter's colours print only on a colour printer.
//
// The program's printer is the print system's default one until the user chooses another in
// the print dialog or the printer set-up. A print into a file leaves it as it was. It is made
// when a command first needs it: making one asks the print system, which may not answer.
class MacroPrintCommands : public QObject
{
    Q_OBJECT
public:
    // Host: where failures are reported and the hourglass shows.
    MacroPrintCommands(MacroEditor &editor, TableHost &host, QObject *parent = nullptr);
    ~MacroPrintCommands() override;

    // The print system and the print dialogs: the system's and Qt's unless a test gives its
    // own, which must outlive this.
    void setPrinterInventory(PrinterInventory *printers);
    void setPrintDialogs(PrintDialogs *dialogs);
    PrinterInventory &printers() const { return *m_printers; }
    // The program's current printer, which every command prints on and the preview shows.
    QPrinter &printer();
    // The preview window the preview command shows; it must paint on printer().
    void setPreviewWindow(TTestPrintPreviewDlg *preview);

    // True when the print system has a printer; with Refresh its count is read anew first.
    bool HasPrinters(bool refresh);
    // The current printer's name, empty when there is none; the print system is not asked.
    QString currentPrinterName() const;
    bool IsColorPrinter();
    // The print job for the editor's text, under the header of TableFile and the connection's
    // path text; nothing without a printer.
    void PreparePrintJob(const QString &tableFile, const QString &nodePathText);

    // Print: the print dialog, then every page. Nothing without a printer.
    void MnPrintClick(const QString &tableFile, const QString &nodePathText, QWidget *dialogParent);
    // The preview window, shown modally over the prepared pages.
    void MnPrintPreviewClick(const QString &tableFile, const QString &nodePathText);
    // The printer's set-up; true when it was shown (the commands may then have changed).
    bool MnPrinterSetupClick(QWidget *dialogParent);

Q_SIGNALS:
    // The print system's list came in late: the commands' states may have changed.
    void printersChanged();

private:
    bool print(QPrinter &printer);

    MacroEditor &m_editor;
    TableHost &m_host;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<PrinterInventory> m_ownPrinters;
    std::unique_ptr<PrintDialogs> m_ownDialogs;
    PrinterInventory *m_printers = nullptr;
    PrintDialogs *m_dialogs = nullptr;
    QPointer<TTestPrintPreviewDlg> m_preview;
    std::unique_ptr<MacroPrintJob> SynEditPrint;
};
