#include "mainwindow/PopupPage.h"
#include "ui_PopupPage.h"

#include "platform/widgets/QsciIncludes.h"

PopupPage::PopupPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::PopupPage>())
{
    ui->setupUi(this);
    m_cover = new CoverPanel(QStringLiteral("TS2Panel"), this);
    ui->Memo2->setEolMode(QsciScintilla::EolWindows);
    ui->Memo2->setUtf8(true);
}

PopupPage::~PopupPage() = default;

QsciScintilla *PopupPage::Memo2() const { return ui->Memo2; }
