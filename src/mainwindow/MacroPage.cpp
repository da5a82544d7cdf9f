#include "mainwindow/MacroPage.h"
#include "ui_MacroPage.h"

#include "mainwindow/CommandIcons.h"
#include "platform/widgets/QsciIncludes.h"
#include <QLabel>

MacroPage::MacroPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::MacroPage>())
{
    ui->setupUi(this);
    m_cover = new CoverPanel(QStringLiteral("TS1Panel"), this);
    m_tip = new QLabel(this);
    m_tip->setObjectName(QStringLiteral("stLabel"));
    m_tip->setFrameShape(QFrame::Box);
    m_tip->setAlignment(Qt::AlignCenter);
    m_tip->setAutoFillBackground(true);
    m_tip->setBackgroundRole(QPalette::ToolTipBase);
    m_tip->setForegroundRole(QPalette::ToolTipText);
    m_tip->hide();
    ui->SpeedButton1->setIcon(CommandIcons::icon(CommandIcons::RunToCursor));
    // Texts count their line breaks as CR LF, as the macro files hold them.
    ui->Memo1->setEolMode(QsciScintilla::EolWindows);
    ui->Memo1->setUtf8(true);
}

MacroPage::~MacroPage() = default;

bool MacroPage::logSession() const
{
    return ui->cbLogSession->isChecked();
}

void MacroPage::setLogSession(bool on)
{
    ui->cbLogSession->setChecked(on);
}

QsciScintilla *MacroPage::Memo1() const { return ui->Memo1; }
QFrame *MacroPage::TS1bPanel() const { return ui->TS1bPanel; }
QCheckBox *MacroPage::cbLogSession() const { return ui->cbLogSession; }
QToolButton *MacroPage::SpeedButton1() const { return ui->SpeedButton1; }
