#pragma once

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

// The print commands' dialogs, so tests can answer them. The print dialog offers printing
// to a file without choosing it: a choice left from an earlier print would send every later
// print to a file instead of the printer.
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // Shows the print dialog for Printer; true when the user confirmed it.
    virtual bool confirmPrint(QPrinter &printer, QWidget *parent) = 0;
    // Shows the printer set-up for Printer: which printer, and its paper and orientation.
    // What the user confirms there stays with Printer.
    virtual void setupPrinter(QPrinter &printer, QWidget *parent) = 0;
};

// Qt's print dialog, for a print and for the printer set-up.
class QtPrintDialogs final : public PrintDialogs
{
public:
    bool confirmPrint(QPrinter &printer, QWidget *parent) override;
    void setupPrinter(QPrinter &printer, QWidget *parent) override;

    // Shows a set-up dialog and returns its result; QDialog::exec by default. Tests look at
    // the dialog and answer it here.
    using Runner = std::function<int(QDialog &dialog)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }

private:
    int run(QDialog &dialog) const;

    Runner m_runner;
};
