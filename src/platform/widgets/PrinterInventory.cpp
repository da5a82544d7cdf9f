#include "platform/widgets/PrinterInventory.h"

#include <QPrinter>
#include <QPrinterInfo>

bool PrinterInventory::HasPrinters(bool refresh)
{
    if (refresh)
        m_count = readPrinterCount();
    return m_count >= 1;
}

int SystemPrinterInventory::readPrinterCount() const
{
    // The names alone: the full descriptions would ask every printer for its options.
    return int(QPrinterInfo::availablePrinterNames().size());
}

bool SystemPrinterInventory::IsColorPrinter(const QPrinter &printer) const
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.colorMode() == QPrinter::Color;
    return QPrinterInfo::printerInfo(printer.printerName()).defaultColorMode() == QPrinter::Color;
}

QString SystemPrinterInventory::PrinterName(const QPrinter &printer) const
{
    return printer.printerName();
}
