#include "mainwindow/HighlighterPage.h"
#include "ui_HighlighterPage.h"

#include "macrolang/widgets/MacroLexer.h"
#include "mainwindow/PaletteColor.h"
#include "platform/widgets/QsciIncludes.h"

#include <QFont>

HighlighterPage::HighlighterPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::HighlighterPage>())
{
    ui->setupUi(this);
    m_cover = new CoverPanel(QStringLiteral("Panel1"), this);
    m_cover->setText(QStringLiteral("Syntax Highlighting is disabled from Macro Editor settings page"));
    ui->Memo3->setEolMode(QsciScintilla::EolWindows);
    ui->Memo3->setUtf8(true);
    ui->Memo3->setText(sampleLines().join(QLatin1String("\r\n")));
    ui->Memo3->setReadOnly(true);
    ui->Memo3->setCaretWidth(0);
    ui->Memo3->setMarginType(0, QsciScintilla::NumberMargin);
    ui->Memo3->setMarginWidth(0, QStringLiteral("000"));
    ui->Memo3->setCaretLineVisible(true);
    ui->Memo3->setCaretLineBackgroundColor(Qt::yellow);
    ui->Memo3->setFont(QFont(QStringLiteral("Courier New"), 9));
    selectSampleLine();
}

HighlighterPage::~HighlighterPage() = default;

void HighlighterPage::loadOptions(const ProgramOptions &options)
{
    setEditorBackground(options.EditorBgColor);
}

void HighlighterPage::saveOptions(ProgramOptions &options) const
{
    options.EditorBgColor = m_background;
}

void HighlighterPage::setAttributes(MacroAttributeSet &attributes)
{
    m_attributes = &attributes;
    delete m_lexer;
    m_lexer = new MacroLexer(attributes, this);
    m_lexer->setEditorFont(ui->Memo3->font());
    m_lexer->setEditorBackground(editorBackground());
    m_lexer->attach(ui->Memo3);
}

void HighlighterPage::setEditorFont(const QFont &font)
{
    ui->Memo3->setFont(font);
    if (m_lexer)
        m_lexer->setEditorFont(font);
}

QColor HighlighterPage::editorBackground() const
{
    return PaletteColor(m_background, ui->Memo3->palette(), Qt::white);
}

void HighlighterPage::setEditorBackground(quint32 stored)
{
    m_background = stored;
    const QColor color = editorBackground();
    ui->Memo3->setPaper(color);
    if (m_lexer)
        m_lexer->setEditorBackground(color);
    Q_EMIT editorBackgroundChanged(color);
}

QStringList HighlighterPage::sampleLines()
{
    return {QStringLiteral("; Teraterm Macro language sample code"),
            QStringLiteral("wait \"yes/no\" \"assword:\""),
            QStringLiteral("if result = 2 goto pswd"),
            QStringLiteral("sendln 'yes'"),
            QStringLiteral("wait 'assword:'"),
            QStringLiteral(":pswd"),
            QStringLiteral("mypager = $pager$")};
}

void HighlighterPage::selectSampleLine()
{
    ui->Memo3->setSelection(3, 0, 4, 0);
}

QListWidget *HighlighterPage::Elements() const { return ui->Elements; }
QCheckBox *HighlighterPage::cbElemBold() const { return ui->cbElemBold; }
QCheckBox *HighlighterPage::cbElemItalic() const { return ui->cbElemItalic; }
QCheckBox *HighlighterPage::cbElemUnderline() const { return ui->cbElemUnderline; }
QPushButton *HighlighterPage::btnChangeTTMColors() const { return ui->btnChangeTTMColors; }
QPushButton *HighlighterPage::Button2() const { return ui->Button2; }
QsciScintilla *HighlighterPage::Memo3() const { return ui->Memo3; }
