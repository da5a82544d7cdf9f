#include "mainwindow/MacroPage.h"
#include "ui_MacroPage.h"

#include "mainwindow/CommandIcons.h"
#include "mainwindow/MacroEditor.h"
#include "platform/FieldText.h"
#include "table/EditCommands.h"
#include "table/UrlCodec.h"
#include "table/rVTNodeData.h"

#include <QCheckBox>
#include <QLabel>

namespace {

// Text without the characters up to the blank (line breaks included) at either end.
QString trimControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

MacroPage::MacroPage(QWidget *parent)
    : NodePage(parent),
      ui(std::make_unique<Ui::MacroPage>())
{
    ui->setupUi(this);
    createCover(QStringLiteral("TS1Panel"));
    m_tip = new QLabel(this);
    m_tip->setObjectName(QStringLiteral("stLabel"));
    m_tip->setFrameShape(QFrame::Box);
    m_tip->setAlignment(Qt::AlignCenter);
    m_tip->setAutoFillBackground(true);
    m_tip->setBackgroundRole(QPalette::ToolTipBase);
    m_tip->setForegroundRole(QPalette::ToolTipText);
    m_tip->hide();
    ui->SpeedButton1->setIcon(CommandIcons::icon(CommandIcons::RunToCursor));
    connect(ui->Memo1, &TextEditor::userEdited, this, &NodePage::userEdited);
    connect(ui->cbLogSession, &QCheckBox::clicked, this, &NodePage::userEdited);
}

MacroPage::~MacroPage() = default;

void MacroPage::showNode(const rVTNodeData *record, const QString &coverReason)
{
    const bool cover = !coverReason.isEmpty();
    if (setCover(coverReason))
        ui->TS1bPanel->setVisible(!cover);
    if (cover || !record)
        return;
    const QString macro = trimControls(DecodeField(UrlDecode(record->Macro)));
    if (ui->Memo1->text() != macro)
        ui->Memo1->replaceText(macro);
    if (logSession() != record->LogSession)
        setLogSession(record->LogSession);
}

void MacroPage::collectEdits(NodeEdits &edits)
{
    edits.macroText = EncodeField(ui->Memo1->text());
    edits.logSession = logSession();
}

void MacroPage::resetForNewTable(bool logSession)
{
    ui->Memo1->clearText();
    setLogSession(logSession);
}

bool MacroPage::logSession() const
{
    return ui->cbLogSession->isChecked();
}

void MacroPage::setLogSession(bool on)
{
    ui->cbLogSession->setChecked(on);
}

MacroEditor *MacroPage::Memo1() const { return ui->Memo1; }
QFrame *MacroPage::TS1bPanel() const { return ui->TS1bPanel; }
QCheckBox *MacroPage::cbLogSession() const { return ui->cbLogSession; }
QToolButton *MacroPage::SpeedButton1() const { return ui->SpeedButton1; }
