#include "platform/widgets/PrintDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

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
    QPageSetupDialog dialog(&printer, parent);
    run(dialog);
}

int QtPrintDialogs::run(QDialog &dialog) const
{
    return m_runner ? m_runner(dialog) : dialog.exec();
}
