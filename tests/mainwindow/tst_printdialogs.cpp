#include "platform/widgets/PrintDialogs.h"
#include "platform/widgets/PrinterInventory.h"
#include "support/FakePrinterInventory.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSignalSpy>
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

    // The set-up chooses the printer (with its paper and orientation) that the commands print
    // on: the print dialog on that printer, confirmed without printing and without a file to
    // print into.
    void printerSetupOffersTheChoiceOfPrinter()
    {
        QPrinter printer;
        QtPrintDialogs dialogs;
        bool onThePrinter = false;
        bool fileOffered = true;
        QString title;
        QString okText;
        dialogs.setRunner([&](QDialog &dialog) {
            auto *print = qobject_cast<QPrintDialog *>(&dialog);
            if (!print)
                return int(QDialog::Rejected);
            onThePrinter = print->printer() == &printer;
            fileOffered = print->testOption(QAbstractPrintDialog::PrintToFile);
            title = print->windowTitle();
            if (auto *buttons = print->findChild<QDialogButtonBox *>())
                if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
                    okText = ok->text();
            return int(QDialog::Accepted);
        });
        dialogs.setupPrinter(printer, nullptr);
        QVERIFY(onThePrinter);
        QVERIFY(!fileOffered);
        QCOMPARE(title, QStringLiteral("Printer Setup"));
        QCOMPARE(okText, QStringLiteral("OK"));
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

    // A print server that does not answer is not waited for beyond the bound: the count
    // stays what the last answer said, no second read starts while the first hangs, and the
    // late answer is taken, and told, when it comes.
    void aLateAnswerIsTakenWhenItComes()
    {
        FakePrinterInventory printers(2);
        QSignalSpy told(&printers, &PrinterInventory::printersRead);
        printers.stall();
        QVERIFY(!printers.HasPrinters(true));
        QVERIFY(printers.reading());
        QCOMPARE(printers.PrinterCount(), -1);
        QVERIFY(!printers.HasPrinters(true));
        QCOMPARE(printers.defaultPrinterName(), QString());

        printers.answer();
        QVERIFY(told.wait());
        QCOMPARE(told.size(), 1);
        QVERIFY(!printers.reading());
        QCOMPARE(printers.PrinterCount(), 2);
        QVERIFY(printers.HasPrinters(false));
        QCOMPARE(printers.defaultPrinterName(), QStringLiteral("Office"));
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
