#include "dialogs/widgets/TTestPrintPreviewDlg.h"
#include "support/FakePrinterInventory.h"
#include "support/ScriptedPrompter.h"

#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// A print job of Count pages, each naming its number.
TTestPrintPreviewDlg::PaintPages pagesOf(int count)
{
    return [count](QPrinter &printer) {
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        for (int i = 1; i <= count; ++i) {
            if (i > 1 && !printer.newPage())
                return false;
            painter.drawText(QPoint(200, 200), QStringLiteral("page %1").arg(i));
        }
        return true;
    };
}

} // namespace

class TestTTestPrintPreviewDlg : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<FakePrinterInventory> m_printers;
    ScriptedPrompter m_prompter;

    std::unique_ptr<TTestPrintPreviewDlg> window(int pages, int scale = 4)
    {
        auto dlg = std::make_unique<TTestPrintPreviewDlg>(*m_printers, m_prompter, scale);
        dlg->setPrintEngine(*m_printer, pagesOf(pages), "/Db/Lab/Sites");
        return dlg;
    }
    static QToolButton *button(QWidget &w, const QString &name)
    {
        return w.findChild<QToolButton *>(name);
    }
    static QString pageButtons(QWidget &w)
    {
        QString states;
        for (const char *name : {"BtnFirst", "BtnPrevious", "BtnNext", "BtnLast"})
            states += button(w, name)->isEnabled() ? '1' : '0';
        return states;
    }
    static QStringList panels(QWidget &w)
    {
        QStringList texts;
        for (QLabel *label : w.findChild<QStatusBar *>("StatusBar")->findChildren<QLabel *>())
            texts << label->text();
        return texts;
    }
    static QWidget *previewViewport(QWidget &w)
    {
        return w.findChild<QPrintPreviewWidget *>("SynEditPrintPreview")
            ->findChild<QGraphicsView *>()->viewport();
    }

private Q_SLOTS:
    void init()
    {
        m_printer = std::make_unique<QPrinter>();
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_dir.filePath("printed.pdf"));
        m_printers = std::make_unique<FakePrinterInventory>(1);
        m_printers->HasPrinters(true);  // as the main window does at its creation
        m_prompter.clear();
    }

    void pagingButtonsAndStatus_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("printers");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("enabled");  // First, Previous, Next, Last
        QTest::addColumn<QString>("pagePanel");
        QTest::newRow("one page") << 1 << 1 << QStringList() << "0000" << " Page 1 of 1";
        QTest::newRow("opens on page 1") << 5 << 1 << QStringList() << "0011" << " Page 1 of 5";
        QTest::newRow("second of five") << 5 << 1 << QStringList{"BtnNext"} << "1111" << " Page 2 of 5";
        QTest::newRow("third of five") << 5 << 1 << QStringList{"BtnNext", "BtnNext"} << "1111"
                                       << " Page 3 of 5";
        QTest::newRow("last of five") << 5 << 1 << QStringList{"BtnLast"} << "1100" << " Page 5 of 5";
        QTest::newRow("no further than the last") << 5 << 1 << QStringList{"BtnLast", "BtnNext"}
                                                  << "1100" << " Page 5 of 5";
        QTest::newRow("back one") << 5 << 1 << QStringList{"BtnLast", "BtnPrevious"} << "1111"
                                  << " Page 4 of 5";
        QTest::newRow("back to the first") << 5 << 1 << QStringList{"BtnLast", "BtnFirst"} << "0011"
                                           << " Page 1 of 5";
        QTest::newRow("no printer") << 5 << 0 << QStringList() << "0000" << " Page 1 of 5";
    }
    void pagingButtonsAndStatus()
    {
        QFETCH(int, pages);
        QFETCH(int, printers);
        QFETCH(QStringList, clicks);
        QFETCH(QString, enabled);
        QFETCH(QString, pagePanel);
        m_printers->setPrinters(printers);
        m_printers->HasPrinters(true);
        const auto dlg = window(pages);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Wexmora Print Preview"));
        for (const QString &name : clicks) {
            if (button(*dlg, name)->isEnabled())
                QTest::mouseClick(button(*dlg, name), Qt::LeftButton);
        }
        QCOMPARE(pageButtons(*dlg), enabled);
        QCOMPARE(panels(*dlg), QStringList({"Macro: /Db/Lab/Sites", pagePanel}));
    }

    void printButtonHint_data()
    {
        QTest::addColumn<int>("printers");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("statusTip");
        QTest::newRow("printer") << 1 << "Print (%1)" << "Print the document on %1";
        QTest::newRow("none") << 0 << "No default printer" << "No default printer";
    }
    void printButtonHint()
    {
        QFETCH(int, printers);
        QFETCH(QString, toolTip);
        QFETCH(QString, statusTip);
        m_printers->setPrinters(printers);
        m_printers->HasPrinters(true);
        m_printers->setPrinterName("Office 2");
        const auto dlg = window(2);
        dlg->show();
        const auto named = [](const QString &hint) { return hint.contains("%1") ? hint.arg("Office 2") : hint; };
        QCOMPARE(button(*dlg, "BtnPrint")->toolTip(), named(toolTip));
        QCOMPARE(button(*dlg, "BtnPrint")->statusTip(), named(statusTip));
        QCOMPARE(button(*dlg, "BtnClose")->toolTip(), QStringLiteral("Close print preview"));
    }

    void clicksOnThePageStepTheScale()
    {
        const auto dlg = window(1, 0);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        auto *preview = dlg->findChild<QPrintPreviewWidget *>("SynEditPrintPreview");
        auto *scale = dlg->findChild<QComboBox *>("CBScale");
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::FitInView);
        QSignalSpy changes(dlg.get(), &TTestPrintPreviewDlg::PrintPreviewScaleChanged);

        const QStringList entries{"Whole Page", "Page Width", "25%", "50%", "100%", "150%",
                                  "200%", "300%", "400%"};
        for (int i = 1; i <= 10; ++i) {
            QTest::mouseClick(previewViewport(*dlg), Qt::LeftButton, {}, QPoint(20, 20));
            QCOMPARE(scale->currentText(), entries.at(std::min(i, 8)));
        }
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::CustomZoom);
        QCOMPARE(preview->zoomFactor(), 4.0);
        QCOMPARE(changes.size(), 8);
        QCOMPARE(changes.last().first().toInt(), 8);

        QTest::mouseClick(previewViewport(*dlg), Qt::MiddleButton, {}, QPoint(20, 20));
        QCOMPARE(scale->currentIndex(), 8);
        for (int i = 7; i >= -1; --i) {
            QTest::mouseClick(previewViewport(*dlg), Qt::RightButton, {}, QPoint(20, 20));
            QCOMPARE(scale->currentIndex(), std::max(i, 0));
        }
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::FitInView);
        QCOMPARE(dlg->PrintPreviewScale(), 0);
    }

    void storedScale_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("zoomMode");
        QTest::addColumn<double>("zoomFactor");
        QTest::newRow("whole page") << 0 << "Whole Page" << int(QPrintPreviewWidget::FitInView) << 0.0;
        QTest::newRow("page width") << 1 << "Page Width" << int(QPrintPreviewWidget::FitToWidth) << 0.0;
        QTest::newRow("25%") << 2 << "25%" << int(QPrintPreviewWidget::CustomZoom) << 0.25;
        QTest::newRow("400%") << 8 << "400%" << int(QPrintPreviewWidget::CustomZoom) << 4.0;
        QTest::newRow("below the list") << -1 << "100%" << int(QPrintPreviewWidget::CustomZoom) << 1.0;
        QTest::newRow("beyond the list") << 9 << "100%" << int(QPrintPreviewWidget::CustomZoom) << 1.0;
    }
    void storedScale()
    {
        QFETCH(int, stored);
        QFETCH(QString, entry);
        QFETCH(int, zoomMode);
        QFETCH(double, zoomFactor);
        const auto dlg = window(1, stored);
        auto *preview = dlg->findChild<QPrintPreviewWidget *>("SynEditPrintPreview");
        QCOMPARE(dlg->findChild<QComboBox *>("CBScale")->currentText(), entry);
        QCOMPARE(int(preview->zoomMode()), zoomMode);
        if (zoomFactor > 0)
            QCOMPARE(preview->zoomFactor(), zoomFactor);
    }

    void chosenScaleHoldsForTheNextPreview()
    {
        const auto dlg = window(3);
        QSignalSpy changes(dlg.get(), &TTestPrintPreviewDlg::PrintPreviewScaleChanged);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        auto *scale = dlg->findChild<QComboBox *>("CBScale");
        scale->setFocus();
        QTest::keyClick(scale, Qt::Key_Up);
        QTest::keyClick(scale, Qt::Key_Up);
        QCOMPARE(scale->currentText(), QStringLiteral("25%"));
        QTest::mouseClick(button(*dlg, "BtnClose"), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());

        dlg->setPrintEngine(*m_printer, pagesOf(2), "/Other");
        dlg->show();
        QCOMPARE(scale->currentText(), QStringLiteral("25%"));
        QCOMPARE(dlg->PrintPreviewScale(), 2);
        QCOMPARE(changes.last().first().toInt(), 2);
        QCOMPARE(panels(*dlg), QStringList({"Macro: /Other", " Page 1 of 2"}));
    }

    void printButtonPrintsEveryPage()
    {
        const auto dlg = window(4);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        QTest::mouseClick(button(*dlg, "BtnPrint"), Qt::LeftButton);
        QProcess info;
        info.start(QStandardPaths::findExecutable("pdfinfo"), {m_dir.filePath("printed.pdf")});
        QVERIFY(info.waitForFinished(60000));
        QVERIFY2(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages: +4\n")),
                 "the printed file does not hold the four pages");
        QVERIFY(m_prompter.boxes().isEmpty());
        QCOMPARE(panels(*dlg).last(), QStringLiteral(" Page 1 of 4"));
    }

    void failedPrintIsReported()
    {
        const auto dlg = window(2);
        dlg->show();
        dlg->setPrintEngine(*m_printer, [](QPrinter &) { return false; }, "/x");
        QTest::mouseClick(button(*dlg, "BtnPrint"), Qt::LeftButton);
        QCOMPARE(m_prompter.boxes().size(), 1);
        QCOMPARE(m_prompter.boxes().first().kind, Prompter::Kind::Error);
        QVERIFY(m_prompter.boxes().first().text.startsWith("The macro could not be printed on "));
    }
};

QTEST_MAIN(TestTTestPrintPreviewDlg)
#include "tst_ttestprintpreviewdlg.moc"
