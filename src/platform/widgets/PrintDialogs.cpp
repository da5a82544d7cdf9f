#include "platform/widgets/PrintDialogs.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

bool QtPrintDialogs::confirmPrint(QPrinter &printer, QWidget *parent)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return run(dialog) == QDialog::Accepted;
}

void QtPrintDialogs::setupPrinter(QPrinter &printer, QWidget *parent)
{
    // The print dialog in set-up use: the printer's choice with its properties (paper,
    // orientation), without a file to print into, and confirmed without printing.
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    run(dialog);
}

int QtPrintDialogs::run(QDialog &dialog) const
{
    return m_runner ? m_runner(dialog) : dialog.exec();
}
