#include "dialogs/widgets/TConfirmReplaceDialog.h"

#include "dialogs/ConfirmReplacePlacement.h"
#include "ui_TConfirmReplaceDialog.h"

#include <QLayout>
#include <QStyle>

TConfirmReplaceDialog::TConfirmReplaceDialog(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TConfirmReplaceDialog>())
{
    ui->setupUi(this);
    ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    connect(ui->btnReplace, &QPushButton::clicked, this, [this] { done(Yes); });
    connect(ui->btnSkip, &QPushButton::clicked, this, [this] { done(No); });
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { done(Cancel); });
    connect(ui->btnReplaceAll, &QPushButton::clicked, this, [this] { done(YesToAll); });
}

TConfirmReplaceDialog::~TConfirmReplaceDialog() = default;

void TConfirmReplaceDialog::reject()
{
    done(Cancel);
}

void TConfirmReplaceDialog::PrepareShowing(const QRect &editorRect, int x, int y1, int y2,
                                           const QString &replaceText)
{
    ui->lblConfirmation->setText(QStringLiteral("Replace this occurence of \"%1\"?").arg(replaceText));
    // The size it will show with, style and question included, before it is placed; its
    // frame is known once it has been shown (the dialog is asked again for every hit).
    ensurePolished();
    layout()->activate();
    move(ConfirmReplacePlacement(editorRect, frameGeometry().size(), x, y1, y2));
}
