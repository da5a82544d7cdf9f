#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class PrinterInventory;
class Prompter;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace Ui {
class TTestPrintPreviewDlg;
}

// The print preview window: shows the pages a print job paints for the printer, pages
// through them, changes the scale and prints. Created once and shown modally for each
// preview. The chosen scale (PrintPreviewScale, an index into the scale list) holds for the
// next preview and is reported so the options can keep it. Its controls carry their help
// topics (the "helpContext" property), for F1.
class TTestPrintPreviewDlg : public QDialog
{
    Q_OBJECT
public:
    // Paints every page into the printer it is given; false when it could not.
    using PaintPages = std::function<bool(QPrinter &)>;

    TTestPrintPreviewDlg(PrinterInventory &printers, Prompter &prompter, int printPreviewScale,
                         QWidget *parent = nullptr);
    ~TTestPrintPreviewDlg() override;

    // What the next showing previews: Paint's pages on Printer, the program's current
    // printer, which the print button prints on (it must outlive this window), and the
    // connection's path text for the status bar.
    void setPrintEngine(QPrinter &printer, PaintPages paint, const QString &nodePathText);

    int PrintPreviewScale() const { return m_scale; }
    // An index outside the scale list selects the default, 100%.
    void setPrintPreviewScale(int index);

Q_SIGNALS:
    void PrintPreviewScaleChanged(int index);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void CBScaleClick();
    void SynEditPrintPreviewPreviewPage();
    void BtnFirstClick();
    void BtnPreviousClick();
    void BtnNextClick();
    void BtnLastClick();
    void BtnPrintClick();
    void UpdateButtons();
    void goToPage(int page);
    void makePreview(QPrinter &printer);

    std::unique_ptr<Ui::TTestPrintPreviewDlg> ui;
    QPrinter *m_printer = nullptr;
    PrinterInventory &m_printers;
    Prompter &m_prompter;
    QPrintPreviewWidget *m_preview = nullptr;
    QLabel *m_panel0 = nullptr;
    QLabel *m_panel1 = nullptr;
    PaintPages m_paint;
    QString m_nodePathText;
    bool m_paintFailed = false;
    int m_scale = 4;
};
