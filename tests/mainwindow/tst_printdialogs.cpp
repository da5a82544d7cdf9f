#include "platform/widgets/PrintDialogs.h"
#include "platform/widgets/PrinterInventory.h"
#include "support/FakePrinterInventory.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

class TestPrintDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Printing to a file is offered, never chosen in advance: a file chosen for one print
    // must not turn the next print into a file.
    void printDialogOffersPrintingToAFile_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("confirmed") << int(QDialog::Accepted);
        QTest::newRow("cancelled") << int(QDialog::Rejected);
    }
    void printDialogOffersPrintingToAFile()
    {
        QFETCH(int, answer);
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("earlier.pdf"));
        QtPrintDialogs dialogs;
        bool offered = false;
        QString fileWhenShown = QStringLiteral("<not shown>");
        dialogs.setRunner([&](QDialog &dialog) {
            auto *print = qobject_cast<QPrintDialog *>(&dialog);
            offered = print && print->testOption(QAbstractPrintDialog::PrintToFile);
            fileWhenShown = printer.outputFileName();
            return answer;
        });
        QCOMPARE(dialogs.confirmPrint(printer, nullptr), answer == QDialog::Accepted);
        QVERIFY(offered);
        QCOMPARE(fileWhenShown, QString());
    }

    void printerSetupShowsThePageSetup()
    {
        QPrinter printer;
        QtPrintDialogs dialogs;
        bool shown = false;
        dialogs.setRunner([&](QDialog &dialog) {
            shown = qobject_cast<QPageSetupDialog *>(&dialog) != nullptr;
            return int(QDialog::Accepted);
        });
        dialogs.setupPrinter(printer, nullptr);
        QVERIFY(shown);
    }

    // The count is read on request only and kept between requests.
    void printerCountIsKeptBetweenRefreshes()
    {
        FakePrinterInventory printers(0);
        QCOMPARE(printers.PrinterCount(), -1);
        printers.setPrinters(3);
        QVERIFY(!printers.HasPrinters(false));
        QVERIFY(printers.HasPrinters(true));
        QCOMPARE(printers.PrinterCount(), 3);
        printers.setPrinters(0);
        QVERIFY(printers.HasPrinters(false));
        QVERIFY(!printers.HasPrinters(true));
        QCOMPARE(printers.PrinterCount(), 0);
    }

    void aPdfFilePrintsInTheColourModeChosenForIt_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("colour");
        QTest::newRow("colour") << int(QPrinter::Color) << true;
        QTest::newRow("grey") << int(QPrinter::GrayScale) << false;
    }
    void aPdfFilePrintsInTheColourModeChosenForIt()
    {
        QFETCH(int, mode);
        QFETCH(bool, colour);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setColorMode(QPrinter::ColorMode(mode));
        QCOMPARE(SystemPrinterInventory().IsColorPrinter(printer), colour);
    }
};

QTEST_MAIN(TestPrintDialogs)
#include "tst_printdialogs.moc"
