#pragma once

#include <QString>

class QPrinter;

// The printers the print system offers, as the print commands ask about them: whether
// printing is possible at all (the count of printers, re-read on request and kept between
// requests), and whether a printer prints in colour. The program uses the system's list
// (SystemPrinterInventory); tests give their own.
class PrinterInventory
{
public:
    virtual ~PrinterInventory() = default;

    // With Refresh the count is read anew first; true when there is a printer.
    bool HasPrinters(bool refresh);
    // -1 until the first refresh.
    int PrinterCount() const { return m_count; }

    virtual bool IsColorPrinter(const QPrinter &printer) const = 0;
    // The name of the printer Printer prints on, as the print system lists it; empty when
    // it names none (there is no default printer).
    virtual QString PrinterName(const QPrinter &printer) const = 0;

protected:
    virtual int readPrinterCount() const = 0;

private:
    int m_count = -1;
};

// The print system's printers (CUPS through Qt): a printer prints in colour when colour is
// its default mode; a PDF file takes the colour mode chosen for it.
class SystemPrinterInventory final : public PrinterInventory
{
public:
    bool IsColorPrinter(const QPrinter &printer) const override;
    QString PrinterName(const QPrinter &printer) const override;

protected:
    int readPrinterCount() const override;
};
