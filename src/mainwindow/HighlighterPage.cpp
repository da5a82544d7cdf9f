#include "mainwindow/HighlighterPage.h"
#include "ui_HighlighterPage.h"

#include "macrolang/MacroAttributeSet.h"
#include "macrolang/widgets/MacroLexer.h"
#include "mainwindow/CoverPanel.h"
#include "mainwindow/StoredColorConversion.h"
#include "platform/Prompter.h"
#include "platform/widgets/FixedPitchFont.h"
#include "platform/widgets/QsciIncludes.h"
#include "platform/widgets/StyleDialogs.h"
#include "shell/ProgramOptions.h"

#include <QFont>

namespace {

// The attributes in the list's order, which is not theirs.
constexpr std::array<MacroAttribute, MacroAttributeCount> ListedAttributes = {
    MacroAttribute::KeyAttri,     MacroAttribute::IdentifierAttri, MacroAttribute::StringAttri,
    MacroAttribute::SpaceAttri,   MacroAttribute::LabelsAttri,     MacroAttribute::SysVarsAttri,
    MacroAttribute::CommentAttri, MacroAttribute::SymbolAttri,     MacroAttribute::WexmoraVarsAttri,
};
// "WhiteSpace" has styles but no colour of its own.
constexpr int WhiteSpaceElement = 3;

const std::array<quint32, 4> DefaultColors = {StoredColor::SystemHighlightText, StoredColor::SystemHighlight,
                                              StoredColor::Yellow, StoredColor::SystemWindow};

bool isAttribute(int element)
{
    return element >= 0 && element < MacroAttributeCount;
}

} // namespace

HighlighterPage::HighlighterPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::HighlighterPage>()),
      m_colors(DefaultColors)
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
    // The sample never has the focus, and still shows its active line's colour.
    ui->Memo3->SendScintilla(QsciScintillaBase::SCI_SETCARETLINEVISIBLEALWAYS, 1UL);
    ApplyEditorFont(*ui->Memo3, nullptr, CourierNewFont(9));
    showColors();
    selectSampleLine();

    connect(ui->Elements, &QListWidget::currentRowChanged, this, &HighlighterPage::ElementsClick);
    connect(ui->btnChangeTTMColors, &QPushButton::clicked, this, &HighlighterPage::btnChangeTTMColorsClick);
    connect(ui->Button2, &QPushButton::clicked, this, &HighlighterPage::Button2Click);
    // Clicks only: the boxes the list sets for an element change nothing.
    connect(ui->cbElemBold, &QCheckBox::clicked, this,
            [this](bool on) { styleBoxClicked(FontStyleBits::Bold, on); });
    connect(ui->cbElemItalic, &QCheckBox::clicked, this,
            [this](bool on) { styleBoxClicked(FontStyleBits::Italic, on); });
    connect(ui->cbElemUnderline, &QCheckBox::clicked, this,
            [this](bool on) { styleBoxClicked(FontStyleBits::Underline, on); });
}

HighlighterPage::~HighlighterPage() = default;

void HighlighterPage::setup(MacroAttributeSet &attributes, Prompter &prompter, StyleDialogs &dialogs)
{
    m_attributes = &attributes;
    m_prompter = &prompter;
    m_dialogs = &dialogs;
    m_lexer = new MacroLexer(attributes, this);
    ApplyEditorFont(*ui->Memo3, m_lexer, ui->Memo3->font());
    showColors();
    m_lexer->attach(ui->Memo3);
    ui->Elements->setCurrentRow(0);
    ElementsClick();
}

void HighlighterPage::loadOptions(const ProgramOptions &o)
{
    m_colors = {o.EditorSelectionForeground, o.EditorSelectionBackground, o.EditorActLineColor, o.EditorBgColor};
    showColors();
    Q_EMIT editorColorsChanged(editorColors());
}

void HighlighterPage::saveOptions(ProgramOptions &o) const
{
    o.EditorSelectionForeground = m_colors[0];
    o.EditorSelectionBackground = m_colors[1];
    o.EditorActLineColor = m_colors[2];
    o.EditorBgColor = m_colors[3];
}

EditorColors HighlighterPage::editorColors() const
{
    const QPalette &p = palette();
    return {ColorFromStored(m_colors[0], p), ColorFromStored(m_colors[1], p), ColorFromStored(m_colors[2], p),
            ColorFromStored(m_colors[3], p, Qt::white)};
}

void HighlighterPage::setEditorFont(const QFont &font)
{
    ApplyEditorFont(*ui->Memo3, m_lexer, font);
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

int HighlighterPage::chosenElement() const
{
    return ui->Elements->currentRow();
}

void HighlighterPage::ElementsClick()
{
    const int element = chosenElement();
    const bool attribute = isAttribute(element) && m_attributes;
    for (QCheckBox *box : {ui->cbElemBold, ui->cbElemItalic, ui->cbElemUnderline})
        box->setEnabled(attribute);
    ui->btnChangeTTMColors->setEnabled(element != WhiteSpaceElement);
    const int style = attribute ? m_attributes->attribute(ListedAttributes[std::size_t(element)]).Style : 0;
    ui->cbElemBold->setChecked(style & FontStyleBits::Bold);
    ui->cbElemItalic->setChecked(style & FontStyleBits::Italic);
    ui->cbElemUnderline->setChecked(style & FontStyleBits::Underline);
}

void HighlighterPage::styleBoxClicked(int styleBit, bool on)
{
    const int element = chosenElement();
    if (!isAttribute(element) || !m_attributes)
        return;
    const MacroAttribute a = ListedAttributes[std::size_t(element)];
    const int style = m_attributes->attribute(a).Style;
    m_attributes->setStyle(a, on ? style | styleBit : style & ~styleBit);
}

void HighlighterPage::btnChangeTTMColorsClick()
{
    const int element = chosenElement();
    if (m_dialogs && element >= 0 && element != WhiteSpaceElement) {
        if (!isAttribute(element))
            changeEditorColor(m_colors[std::size_t(element - MacroAttributeCount)]);
        else if (m_attributes)
            changeAttributeColor(ListedAttributes[std::size_t(element)]);
    }
    Q_EMIT editorColorsChanged(editorColors());
}

void HighlighterPage::changeAttributeColor(MacroAttribute a)
{
    const QColor initial =
        ColorFromStored(m_attributes->attribute(a).Foreground, palette(), palette().color(QPalette::Text));
    if (const std::optional<QColor> chosen = m_dialogs->chooseColor(initial, this))
        m_attributes->setForeground(a, StoredFromColor(*chosen));
}

void HighlighterPage::changeEditorColor(quint32 &stored)
{
    if (const std::optional<QColor> chosen = m_dialogs->chooseColor(ColorFromStored(stored, palette()), this)) {
        stored = StoredFromColor(*chosen);
        showColors();
    }
}

void HighlighterPage::Button2Click()
{
    const QString question =
        QStringLiteral("Are you sure you want to reset all colors and styles to their default values?");
    if (m_prompter && m_prompter->ask(Prompter::Kind::Confirmation, question, Prompter::Buttons::YesNo) == Prompter::Yes) {
        if (m_attributes)
            m_attributes->resetToDefaults();
        m_colors = DefaultColors;
        showColors();
        selectSampleLine();
        Q_EMIT editorColorsChanged(editorColors());
    }
    ui->Elements->setCurrentRow(0);
    ElementsClick();
}

void HighlighterPage::showColors()
{
    const EditorColors colors = editorColors();
    ApplySelectionColors(*ui->Memo3, colors);
    ApplyEditorBackground(*ui->Memo3, m_lexer, colors.background);
}

QListWidget *HighlighterPage::Elements() const { return ui->Elements; }
QCheckBox *HighlighterPage::cbElemBold() const { return ui->cbElemBold; }
QCheckBox *HighlighterPage::cbElemItalic() const { return ui->cbElemItalic; }
QCheckBox *HighlighterPage::cbElemUnderline() const { return ui->cbElemUnderline; }
QPushButton *HighlighterPage::btnChangeTTMColors() const { return ui->btnChangeTTMColors; }
QPushButton *HighlighterPage::Button2() const { return ui->Button2; }
QsciScintilla *HighlighterPage::Memo3() const { return ui->Memo3; }
