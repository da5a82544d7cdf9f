#include "mainwindow/PopupPage.h"
#include "ui_PopupPage.h"

#include "mainwindow/TextEditor.h"
#include "platform/FieldText.h"
#include "table/EditCommands.h"
#include "table/UrlCodec.h"
#include "table/rVTNodeData.h"

PopupPage::PopupPage(QWidget *parent)
    : NodePage(parent),
      ui(std::make_unique<Ui::PopupPage>())
{
    ui->setupUi(this);
    createCover(QStringLiteral("TS2Panel"));
    connect(ui->Memo2, &TextEditor::userEdited, this, &NodePage::userEdited);
}

PopupPage::~PopupPage() = default;

void PopupPage::showNode(const rVTNodeData *record, const QString &coverReason)
{
    setCover(coverReason);
    if (!coverReason.isEmpty() || !record)
        return;
    const QString popup = DecodeField(UrlDecode(record->Popup));
    if (ui->Memo2->text() != popup)
        ui->Memo2->replaceText(popup);
}

void PopupPage::collectEdits(NodeEdits &edits)
{
    edits.popupText = EncodeField(ui->Memo2->text());
}

void PopupPage::resetForNewTable()
{
    ui->Memo2->clearText();
}

TextEditor *PopupPage::Memo2() const { return ui->Memo2; }
