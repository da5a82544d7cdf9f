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
    return dialog.exec() == QDialog::Accepted;
}

void QtPrintDialogs::setupPrinter(QPrinter &printer, QWidget *parent)
{
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}
