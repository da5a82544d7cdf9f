#include "dialogs/widgets/TTestPrintPreviewDlg.h"

#include "ui_TTestPrintPreviewDlg.h"

#include "components/widgets/MacroPrintJob.h"
#include "platform/Prompter.h"
#include "platform/widgets/ContextHelp.h"
#include "platform/widgets/PrinterInventory.h"

#include <QGraphicsView>
#include <QLabel>
#include <QMouseEvent>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStyle>

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace {

constexpr int kDefaultScale = 4;                       // 100%
const int kPercent[] = {0, 0, 25, 50, 100, 150, 200, 300, 400};
constexpr int kScaleCount = int(std::size(kPercent));

} // namespace

TTestPrintPreviewDlg::TTestPrintPreviewDlg(PrinterInventory &printers, Prompter &prompter,
                                           int printPreviewScale, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TTestPrintPreviewDlg>()), m_printers(printers),
      m_prompter(prompter)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setWindowState(Qt::WindowMaximized);

    ui->BtnFirst->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    ui->BtnPrevious->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    ui->BtnNext->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    ui->BtnLast->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    ui->BtnPrint->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));

    // F1: the tool bar and its buttons have one topic, the scale and the pages another; the
    // window falls back on the tool bar's.
    for (QObject *control : std::initializer_list<QObject *>{this, ui->CBar, ui->BtnFirst, ui->BtnPrevious,
                                                             ui->BtnNext, ui->BtnLast, ui->BtnPrint, ui->BtnClose})
        ContextHelp::setContext(control, 6020);
    ContextHelp::setContext(ui->CBScale, 6100);

    m_panel0 = new QLabel(this);
    m_panel0->setMinimumWidth(500);
    m_panel1 = new QLabel(this);
    m_panel1->setMinimumWidth(100);
    ui->StatusBar->addWidget(m_panel0);
    ui->StatusBar->addWidget(m_panel1);

    connect(ui->CBScale, &QComboBox::activated, this, &TTestPrintPreviewDlg::CBScaleClick);
    connect(ui->BtnFirst, &QToolButton::clicked, this, &TTestPrintPreviewDlg::BtnFirstClick);
    connect(ui->BtnPrevious, &QToolButton::clicked, this, &TTestPrintPreviewDlg::BtnPreviousClick);
    connect(ui->BtnNext, &QToolButton::clicked, this, &TTestPrintPreviewDlg::BtnNextClick);
    connect(ui->BtnLast, &QToolButton::clicked, this, &TTestPrintPreviewDlg::BtnLastClick);
    connect(ui->BtnPrint, &QToolButton::clicked, this, &TTestPrintPreviewDlg::BtnPrintClick);
    connect(ui->BtnClose, &QToolButton::clicked, this, &QDialog::close);

    setPrintPreviewScale(printPreviewScale);
}

TTestPrintPreviewDlg::~TTestPrintPreviewDlg() = default;

void TTestPrintPreviewDlg::setPrintEngine(QPrinter &printer, PaintPages paint, const QString &nodePathText)
{
    if (m_printer != &printer)
        makePreview(printer);
    m_paint = std::move(paint);
    m_nodePathText = nodePathText;
}

void TTestPrintPreviewDlg::makePreview(QPrinter &printer)
{
    // The preview control paints on one printer for good: another printer takes a new one.
    delete m_preview;
    m_printer = &printer;
    m_preview = new QPrintPreviewWidget(m_printer, this);
    m_preview->setObjectName(QStringLiteral("SynEditPrintPreview"));
    ContextHelp::setContext(m_preview, 6100);
    ui->previewLayout->addWidget(m_preview);
    // Clicks land on the preview's inner view.
    if (auto *view = m_preview->findChild<QGraphicsView *>())
        view->viewport()->installEventFilter(this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *target) {
        if (!m_paint || !m_paint(*target))
            m_paintFailed = true;
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this,
            &TTestPrintPreviewDlg::SynEditPrintPreviewPreviewPage);
    CBScaleClick();
}

void TTestPrintPreviewDlg::setPrintPreviewScale(int index)
{
    ui->CBScale->setCurrentIndex(index >= 0 && index < kScaleCount ? index : kDefaultScale);
    CBScaleClick();
}

void TTestPrintPreviewDlg::CBScaleClick()
{
    const int index = ui->CBScale->currentIndex();
    // Without pages yet the scale is applied when the preview is made.
    if (m_preview) {
        if (index == 0)
            m_preview->setZoomMode(QPrintPreviewWidget::FitInView);
        else if (index == 1)
            m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
        else
            m_preview->setZoomFactor(kPercent[index] / 100.0);
    }
    if (index != m_scale) {
        m_scale = index;
        Q_EMIT PrintPreviewScaleChanged(index);
    }
}

void TTestPrintPreviewDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TTestPrintPreviewDlg::FormShow()
{
    if (!m_preview)
        return;
    m_paintFailed = false;
    m_preview->updatePreview();
    m_preview->setCurrentPage(1);
    if (m_printers.HasPrinters(false)) {
        const QString name = m_printers.PrinterName(*m_printer);
        ui->BtnPrint->setToolTip(QLatin1String("Print (") + name + QLatin1Char(')'));
        ui->BtnPrint->setStatusTip(QLatin1String("Print the document on ") + name);
    } else {
        ui->BtnPrint->setToolTip(QStringLiteral("No default printer"));
        ui->BtnPrint->setStatusTip(QStringLiteral("No default printer"));
    }
    UpdateButtons();
    SynEditPrintPreviewPreviewPage();
    m_panel0->setText(QLatin1String("Macro: ") + m_nodePathText);
}

void TTestPrintPreviewDlg::SynEditPrintPreviewPreviewPage()
{
    if (!m_preview)
        return;
    m_panel1->setText(QStringLiteral(" Page %1 of %2")
                          .arg(m_preview->currentPage())
                          .arg(m_preview->pageCount()));
    // Scrolling changes the page too; the buttons follow it.
    UpdateButtons();
}

void TTestPrintPreviewDlg::UpdateButtons()
{
    if (!m_preview)
        return;
    const int count = m_preview->pageCount();
    const int page = m_preview->currentPage();
    const bool paging = m_printers.HasPrinters(false) && count != 1;
    ui->BtnFirst->setEnabled(paging && page >= 2);
    ui->BtnPrevious->setEnabled(paging && page >= 2);
    ui->BtnNext->setEnabled(paging && count > page);
    ui->BtnLast->setEnabled(paging && count > page);
}

void TTestPrintPreviewDlg::goToPage(int page)
{
    // The preview reports a page change only when scrolling brings one; a page chosen here
    // is shown at once.
    m_preview->setCurrentPage(std::clamp(page, 1, std::max(1, m_preview->pageCount())));
    SynEditPrintPreviewPreviewPage();
}

void TTestPrintPreviewDlg::BtnFirstClick()
{
    if (m_preview)
        goToPage(1);
}

void TTestPrintPreviewDlg::BtnPreviousClick()
{
    if (m_preview)
        goToPage(m_preview->currentPage() - 1);
}

void TTestPrintPreviewDlg::BtnNextClick()
{
    if (m_preview)
        goToPage(m_preview->currentPage() + 1);
}

void TTestPrintPreviewDlg::BtnLastClick()
{
    if (m_preview)
        goToPage(m_preview->pageCount());
}

void TTestPrintPreviewDlg::BtnPrintClick()
{
    if (!m_preview)
        return;
    m_paintFailed = false;
    m_preview->print();
    if (m_paintFailed) {
        m_prompter.error(MacroPrintFailedText(m_printers.PrinterName(*m_printer)));
    }
    m_paintFailed = false;
    m_preview->updatePreview();
}

bool TTestPrintPreviewDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int index = ui->CBScale->currentIndex();
        if (mouse->button() == Qt::LeftButton && index < kScaleCount - 1) {
            ui->CBScale->setCurrentIndex(index + 1);
            CBScaleClick();
        } else if (mouse->button() == Qt::RightButton && index > 0) {
            ui->CBScale->setCurrentIndex(index - 1);
            CBScaleClick();
        }
    }
    return QDialog::eventFilter(watched, event);
}
