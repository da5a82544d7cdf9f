#pragma once

#include "platform/widgets/PrinterInventory.h"

// A print system with as many printers as a test says, in colour or not, the program's
// printer among them named "Office" unless the test names another; like the real one it is
// first read at the first refresh. Header-only: only tests that link the widget layers
// include it.
class FakePrinterInventory final : public PrinterInventory
{
public:
    explicit FakePrinterInventory(int printers = 1, bool color = true)
        : m_printers(printers), m_color(color)
    {
    }

    // The print system's list changes; the inventory sees it at its next refresh.
    void setPrinters(int printers) { m_printers = printers; }
    void setColor(bool color) { m_color = color; }
    void setPrinterName(const QString &name) { m_name = name; }

    bool IsColorPrinter(const QPrinter &) const override { return m_color; }
    QString PrinterName(const QPrinter &) const override { return m_name; }

protected:
    int readPrinterCount() const override { return m_printers; }

private:
    int m_printers;
    bool m_color;
    QString m_name = QStringLiteral("Office");
};
