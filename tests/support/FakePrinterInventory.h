#pragma once

#include "platform/widgets/PrinterInventory.h"

#include <QPrinter>

#include <condition_variable>
#include <memory>
#include <mutex>

// A print system with as many printers as a test says, in colour or not, the program's
// printer among them named "Office" unless the test names another; like the real one it is
// first read at the first refresh, on a thread of its own. Header-only: only tests that link
// the widget layers include it.
class FakePrinterInventory final : public PrinterInventory
{
public:
    explicit FakePrinterInventory(int printers = 1, bool color = true)
        : m_printers(printers), m_color(color)
    {
    }
    ~FakePrinterInventory() override { answer(); }

    // The print system's list changes; the inventory sees it at its next refresh.
    void setPrinters(int printers) { m_printers = printers; }
    void setColor(bool color) { m_color = color; }
    void setPrinterName(const QString &name) { m_name = name; }
    // The program's printer puts its pages into Pdf, where a test reads them. A QPrinter that
    // sends its pages into any other file prints to a file and, as Qt's own, names no printer.
    void setPrinterFile(const QString &pdf) { m_file = pdf; }

    // The print server stops answering: every read waits until answer() (or the end of the
    // inventory).
    void stall() { m_gate->set(true); }
    void answer() { m_gate->set(false); }

    bool IsColorPrinter(const QPrinter &) const override { return m_color; }
    QString PrinterName(const QPrinter &printer) const override
    {
        return m_file.isEmpty() || printer.outputFileName() == m_file ? m_name : QString();
    }

protected:
    Reader reader() const override
    {
        return [count = m_printers, name = m_name, gate = m_gate] {
            gate->pass();
            PrinterList list;
            for (int i = 0; i < count; ++i)
                list.names << (i == 0 ? name : QStringLiteral("Printer %1").arg(i + 1));
            if (count > 0)
                list.defaultName = name;
            return list;
        };
    }

private:
    // Holds the reads while the print server stalls.
    struct Gate
    {
        std::mutex mutex;
        std::condition_variable opened;
        bool closed = false;

        void set(bool close)
        {
            {
                const std::lock_guard lock(mutex);
                closed = close;
            }
            opened.notify_all();
        }
        void pass()
        {
            std::unique_lock lock(mutex);
            opened.wait(lock, [this] { return !closed; });
        }
    };

    int m_printers;
    bool m_color;
    QString m_name = QStringLiteral("Office");
    QString m_file;
    std::shared_ptr<Gate> m_gate = std::make_shared<Gate>();
};
