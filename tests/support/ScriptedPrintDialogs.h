#pragma once

#include "platform/widgets/PrintDialogs.h"

#include <QPrinter>
#include <QString>

#include <functional>

// The print dialogs answered by the test: the print dialog confirms or not, and a confirmed
// one sends the print into the PDF file the test names, as a user choosing "Print to file"
// would; the set-up may choose another printer. Counts what was shown. Header-only: only tests that link the widget layers use it.
class ScriptedPrintDialogs final : public PrintDialogs
{
public:
    void answerPrint(bool confirm, const QString &pdfFile = {})
    {
        m_confirm = confirm;
        m_pdfFile = pdfFile;
    }

    // What the user does in the set-up dialog, such as choosing another printer.
    void answerSetup(std::function<void()> choice) { m_setupChoice = std::move(choice); }

    bool confirmPrint(QPrinter &printer, QWidget *) override
    {
        ++m_printShown;
        if (m_confirm && !m_pdfFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_pdfFile);
        }
        return m_confirm;
    }
    void setupPrinter(QPrinter &, QWidget *) override
    {
        ++m_setupShown;
        if (m_setupChoice)
            m_setupChoice();
    }

    int printShown() const { return m_printShown; }
    int setupShown() const { return m_setupShown; }

private:
    bool m_confirm = false;
    QString m_pdfFile;
    std::function<void()> m_setupChoice;
    int m_printShown = 0;
    int m_setupShown = 0;
};
