// The colours of the window's parts: the macro highlighter in both editors that show a macro,
// the macro editor's colouring (syntax highlighting or the connection's colours), and what
// the colours page takes from elsewhere.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "mainwindow/CoverPanel.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/core/NodeColors.h"
#include "table/ConnectionTree.h"

#include <QCheckBox>

void TForm1::setupColouring()
{
    HighlighterPage *highlighter = m_settingsPage->highlighter();
    MacroEditorSettingsPage *editorSettings = m_settingsPage->macroEditor();

    // One attribute set colours both editors (the page's sample took it when it was made); the
    // sample shows the macro editor's font, and the macro editor takes the sample's colours.
    highlighter->setEditorFont(Memo1->textFont());
    Memo1->setEditorColors(highlighter->editorColors());
    Memo1->setAttributes(m_attributes);
    Memo1->setPrompter(m_prompter);
    connect(Memo1, &MacroEditor::textFontChanged, highlighter, &HighlighterPage::setEditorFont);
    connect(highlighter, &HighlighterPage::editorColorsChanged, Memo1, &MacroEditor::setEditorColors);

    connect(editorSettings, &MacroEditorSettingsPage::colouringChanged, this, &TForm1::rbUseColorInEditorClick);
    connect(editorSettings, &MacroEditorSettingsPage::colorSupportChanged, this, [this](bool disabled) {
        m_colorsPage->setColorSupportDisabled(disabled);
        if (!disabled)
            m_colorsPage->CBChange();
        RequestCommandRefresh();
    });

    QCheckBox *sameBackground = editorSettings->cbSameBkgr();
    m_colorsPage->setSameBackground(sameBackground->isChecked());
    connect(sameBackground, &QCheckBox::toggled, m_colorsPage, &ColorsPage::setSameBackground);
    m_colorsPage->setParentColorsSource([this] {
        const ConnectionNode *node = focusedNode();
        const ConnectionNode *parent = node ? node->parent() : nullptr;
        return parent ? parent->data.Colors : QByteArray();
    });
    connect(m_colorsPage, &ColorsPage::choiceChanged, this, &TForm1::RequestCommandRefresh);
    rbUseColorInEditorClick();
}

void TForm1::rbUseColorInEditorClick()
{
    const bool connectionColors = m_settingsPage->macroEditor()->connectionColors();
    if (connectionColors) {
        // The stored colours, not the colours page's unapplied ones.
        const ConnectionNode *node = focusedNode();
        const rVTNodeData *record = node ? &node->data : nullptr;
        const QByteArray iniColors = ReadTeraTermColors();
        Memo1->showConnectionColors(QColor::fromRgb(GetNodeTextColor(record, iniColors)),
                                    QColor::fromRgb(GetNodeBackColor(record, iniColors)));
    } else {
        Memo1->showSyntaxColors();
    }
    m_settingsPage->highlighter()->Panel1()->setVisible(connectionColors);
}
