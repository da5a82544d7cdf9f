#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPrinter;

// What the print system answered when asked for its printers.
struct PrinterList
{
    QStringList names;
    // Its default printer; empty when it names none.
    QString defaultName;
};

// The printers the print system offers, as the print commands ask about them: whether
// printing is possible at all (the count of printers, re-read on request and kept between
// requests), which printer the program starts on, and whether a printer prints in colour.
// The program uses the system's list (SystemPrinterInventory); tests give their own.
//
// A print server that accepts a connection and never answers must not freeze the window:
// the list is always read on a thread of its own. A refresh waits for the answer about a
// second at most; an answer that comes later is kept when it comes, and printersRead()
// tells the commands to follow it. While one read is under way a refresh starts no other
// and does not wait: it answers from what the last answer said.
class PrinterInventory : public QObject
{
    Q_OBJECT
public:
    PrinterInventory();
    ~PrinterInventory() override;

    // With Refresh the list is read anew first (see above); true when there is a printer.
    bool HasPrinters(bool refresh);
    // -1 until the first answer.
    int PrinterCount() const { return m_count; }
    // The printer the print system would print on by default, by the last answer: its
    // default printer, else its first one; empty without printers.
    QString defaultPrinterName() const;
    // Whether a read is under way.
    bool reading() const;

    virtual bool IsColorPrinter(const QPrinter &printer) const = 0;
    // The name of the printer Printer prints on, as the print system lists it; empty when
    // it names none (it prints into a file, or there is no printer).
    virtual QString PrinterName(const QPrinter &printer) const = 0;

    // How long a refresh waits for the print system's answer.
    static constexpr int AnswerWaitMs = 1000;

Q_SIGNALS:
    // An answer came in after its refresh stopped waiting for it.
    void printersRead();

protected:
    // Reads the list. It runs on a thread of its own and may block for as long as the print
    // system takes, so it holds all it needs by value: it may outlive this inventory.
    using Reader = std::function<PrinterList()>;
    virtual Reader reader() const = 0;

private:
    struct Read;
    void take(const PrinterList &answer);

    std::shared_ptr<Read> m_read;
    int m_count = -1;
    PrinterList m_last;
};

// The print system's printers (CUPS through Qt): a printer prints in colour when colour is
// its default mode; a PDF file takes the colour mode chosen for it.
class SystemPrinterInventory final : public PrinterInventory
{
public:
    bool IsColorPrinter(const QPrinter &printer) const override;
    QString PrinterName(const QPrinter &printer) const override;

protected:
    Reader reader() const override;
};
