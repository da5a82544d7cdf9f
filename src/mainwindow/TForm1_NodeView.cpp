// The node view: the tree's icons, the focused connection's values in the pages and their
// covers, the user's edits marking the node, Apply, and the tree-wide commands.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/EventGate.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "platform/FieldText.h"
#include "table/ConnectionTree.h"
#include "table/NodeImageIndex.h"
#include "table/UrlCodec.h"

#include "platform/widgets/QsciIncludes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>

namespace {

const QString kNoConnection = QStringLiteral("No connection selected");
const QString kMultiple = QStringLiteral("Multiple items selected");

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

// Shows or hides a page's cover with the reason it gives; true when it came or went.
bool showCover(CoverPanel *panel, bool cover, const QString &reason)
{
    if (panel->text() != reason)
        panel->setText(reason);
    if (panel->isHidden() != cover)
        return false;
    panel->setVisible(cover);
    return true;
}

// The five schedule fields take input only while the schedule is on.
void enableScheduleFields(SchedulePage *page, bool on)
{
    for (int which = 1; which <= 5; ++which)
        page->field(which)->setEnabled(on);
}

QColor rgbOf(const ColorSet &set, int element, bool background)
{
    return QColor(set.at(element, background, 0), set.at(element, background, 1), set.at(element, background, 2));
}

} // namespace

// Replaces an editor's text and forgets its undo history: undoing must never bring back
// another connection's text.
void TForm1::replaceEditorText(QsciScintilla *editor, const QString &text)
{
    editor->setText(text);
    editor->SendScintilla(QsciScintilla::SCI_EMPTYUNDOBUFFER);
}

void TForm1::setupNodeView()
{
    m_model->setImageIndexProvider([this](const ConnectionNode *n) {
        if (m_doc.LoadingFlag)
            return -1;
        return NodeImageIndex(n, n == m_doc.RootNode(), m_doc.hasCutCopyMark(n), m_doc.CutModeFlag);
    });

    // The questions come before the view acts on a click or a key; Qt's views cannot refuse
    // a change of the current item once it is under way.
    auto *gate = new EventGate([this](QObject *watched, QEvent *event) { return nodeViewGate(watched, event); }, this);
    gate->watch(VT);
    gate->watch(VT->viewport());

    connect(VT, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        ConnectionNode *node = m_model->nodeFor(index);
        // A collapse no gate saw (a program's, or a key the gate does not know): the question
        // comes after it, and Cancel opens the branch again.
        if (!m_doc.LoadingFlag && m_doc.IsNodeModified() && branchHoldsCurrentNode(node)
            && !askApplyBeforeLeaving()) {
            VT->expand(index);
            return;
        }
        VTCollapsed(node);
    });
    connect(PG, &QTabWidget::currentChanged, this, [this] { PGChanging(); });

    connectActions({BtnApply, mnApply}, &TForm1::BtnApplyClick);
    connectActions({MnExpandAll}, &TForm1::MnExpandAllClick);
    connectActions({MnCollapseAll}, &TForm1::MnCollapseAllClick);
    connectActions({MnShowPopup}, &TForm1::MnShowPopupClick);
    connectActions({MnImportMacro}, &TForm1::MnImportMacroClick);

    // Only what the user does marks the node: the editors report program writes too, so
    // they keep the focus test; the other signals come from the user alone.
    connect(Memo1, &QsciScintilla::textChanged, this, [this] { userEdited(Memo1); });
    connect(Memo2, &QsciScintilla::textChanged, this, [this] { userEdited(Memo2); });
    connect(m_macroPage->cbLogSession(), &QCheckBox::clicked, this, [this] { userEdited(nullptr); });
    connect(m_schedulePage->cbSchedule(), &QCheckBox::clicked, this, [this](bool on) {
        enableScheduleFields(m_schedulePage, on);
        userEdited(nullptr);
    });
    for (int which = 1; which <= 5; ++which)
        connect(m_schedulePage->field(which), &QLineEdit::textEdited, this, [this] { userEdited(nullptr); });

}

void TForm1::userEdited(QWidget *control)
{
    if (m_programWrite || m_doc.LoadingFlag || (control && !control->hasFocus()))
        return;
    m_doc.SetNodeModified(true);
    RequestCommandRefresh();
}

void TForm1::VTChange(ConnectionNode *node)
{
    if (m_doc.LoadingFlag)
        return;
    CurrentEditLink = nullptr;
    if (node && node != m_doc.CurrentNode) {
        // The focus moved by a road the gates did not see: ask now, and on Cancel put the
        // focus back on the connection the edits belong to.
        if (m_doc.IsNodeModified() && !askApplyBeforeLeaving()) {
            const QPersistentModelIndex back = m_model->indexFor(m_doc.CurrentNode);
            QMetaObject::invokeMethod(this, [this, back] {
                // Focus first: every step after it reports the node the edits belong to.
                if (ConnectionNode *n = m_model->nodeFor(back)) {
                    VT->setFocusedNode(n);
                    VT->selectionModel()->clearSelection();
                    VT->setSelected(n, true);
                }
            }, Qt::QueuedConnection);
            return;
        }
        m_doc.CurrentNode = node;
    }
    showLastUpdated(m_doc.CurrentNode);
    RequestCommandRefresh();
}

void TForm1::VTCollapsed(ConnectionNode *node)
{
    if (m_doc.LoadingFlag || !node)
        return;
    // Unapplied edits of a node outside the branch: the focus stays with them, unasked.
    if (!m_doc.IsNodeModified()) {
        VT->selectionModel()->clearSelection();
        VT->setSelected(node, true);
        VT->setFocusedNode(node);
        if (node != m_doc.CurrentNode)
            m_doc.CurrentNode = node;
    }
    RequestCommandRefresh();
}

void TForm1::PGChanging()
{
    ShowFocusedNodeData();
}

void TForm1::ShowFocusedNodeData()
{
    if (m_doc.LoadingFlag || m_doc.IsNodeModified())
        return;
    FlagScope writing(m_programWrite);
    setPanelText(0, QString());

    const QModelIndexList rows = VT->selectionModel()->selectedRows();
    ConnectionNode *focused = focusedNode();
    const rVTNodeData *d = nullptr;
    QString reason = kNoConnection;
    bool cover = true;
    if (rows.size() == 1) {
        if (focused && focused != m_doc.RootNode() && VT->isSelected(focused)) {
            d = &focused->data;
            if (!IsSeparatorName(d->Name)) {
                reason.clear();
                cover = false;
            }
        }
    } else if (rows.size() > 1) {
        reason = kMultiple;
    }

    if (showCover(m_macroPage->TS1Panel(), cover, reason))
        m_macroPage->TS1bPanel()->setVisible(!cover);
    if (!cover) {
        const QString macro = trimControls(DecodeField(UrlDecode(d->Macro)));
        if (Memo1->text() != macro)
            replaceEditorText(Memo1, macro);
        noteLastUpdated(d->LastUpdated);
        if (m_macroPage->logSession() != d->LogSession)
            m_macroPage->setLogSession(d->LogSession);
    }

    showCover(m_popupPage->TS2Panel(), cover, reason);
    if (!cover) {
        const QString popup = DecodeField(UrlDecode(d->Popup));
        if (Memo2->text() != popup)
            replaceEditorText(Memo2, popup);
    }

    showCover(m_schedulePage->TS4Panel(), cover, reason);
    if (!cover) {
        const bool on = d->Schedule.startsWith('=');
        m_schedulePage->setScheduleOn(on);
        enableScheduleFields(m_schedulePage, on);
        if (on) {
            // "=" and five fields split by single blanks; missing fields show empty.
            const QStringList fields = DecodeField(d->Schedule.mid(1)).split(QLatin1Char(' '));
            for (int which = 1; which <= 5; ++which)
                m_schedulePage->setFieldText(which, which <= fields.size() ? fields.at(which - 1) : QString());
        }
    }

    const bool noColors = m_settingsPage->macroEditor()->cbNoColors()->isChecked();
    showCover(m_colorsPage->TS3Panel(), cover || noColors,
              noColors ? QStringLiteral("Color support is disabled") : reason);

    ColorSet colors;
    if (!d || !ParseColorSet(d->Colors, colors)) {
        colors = ColorSet{};
        ParseColorSet(ReadTeraTermColors(), colors);
    }
    m_colorSet = colors;
    showWorkingColors();
}

void TForm1::showWorkingColors()
{
    FlagScope writing(m_programWrite);
    const QByteArray text = FormatColorSet(m_colorSet);
    int scheme = -1;
    for (int i = 0; i < ColorSchemeCount && scheme < 0; ++i)
        if (text == ColorSchemes[i].text)
            scheme = i;
    if (scheme < 0 && text == ReadTeraTermColors())
        scheme = ColorSchemeCount;
    const QSignalBlocker blockScheme(m_colorsPage->cbSchema());
    m_colorsPage->setSchemeIndex(scheme);
    for (int element = 0; element < 4; ++element) {
        QLabel *sample = m_colorsPage->samplePanel(element);
        QPalette palette = sample->palette();
        palette.setColor(QPalette::Window, rgbOf(m_colorSet, element, true));
        palette.setColor(QPalette::WindowText, rgbOf(m_colorSet, element, false));
        sample->setAutoFillBackground(true);
        sample->setPalette(palette);
    }
    const int element = std::max(0, m_colorsPage->element());
    const bool background = m_colorsPage->backgroundPlane();
    static const char *const names[] = {"R: ", "G: ", "B: "};
    for (int channel = 0; channel < 3; ++channel) {
        const int value = m_colorSet.at(element, background, channel);
        const QSignalBlocker blockBar(m_colorsPage->bar(channel));
        m_colorsPage->bar(channel)->setValue(value);
        m_colorsPage->valueLabel(channel)->setText(QLatin1String(names[channel]) + QString::number(value));
    }
}

void TForm1::BtnApplyClick()
{
    // Only edits waiting for their connection are applied.
    if (!m_doc.IsNodeModified() || !m_doc.CurrentNode)
        return;
    BtnApply->setEnabled(false);
    ConnectionNode *node = m_doc.CurrentNode;
    NodeEdits edits;
    edits.macroText = EncodeField(Memo1->text());
    edits.popupText = EncodeField(Memo2->text());
    if (m_schedulePage->scheduleOn()) {
        // The fields as typed, each trimmed; the schedule page normalises them before this.
        QStringList fields;
        for (int which = 1; which <= 5; ++which)
            fields.append(m_schedulePage->fieldText(which).trimmed());
        edits.schedule = '=' + EncodeField(fields.join(QLatin1Char(' ')));
    }
    edits.colors = m_colorSet;
    edits.logSession = m_macroPage->logSession();
    ApplyNodeEdits(m_doc, edits, m_applyClock);
    noteLastUpdated(node->data.LastUpdated);
    RequestCommandRefresh();
}

void TForm1::noteLastUpdated(const QByteArray &lastUpdated)
{
    const QString stamp = DecodeField(lastUpdated);
    if (!stamp.isEmpty() && !panelText(0).contains(stamp))
        setPanelText(0, QStringLiteral("  Last updated: ") + stamp);
}

void TForm1::SelectNodeByIndex()
{
    ConnectionNode *node = m_doc.tree().nodeAtAbsoluteIndex(m_doc.SelectedNodeIndex);
    if (!node) {
        m_doc.CurrentNode = nullptr;
        return;
    }
    VT->focusOnly(node);
}

void TForm1::MnExpandAllClick()
{
    VT->expandAll();
    RequestCommandRefresh();
}

void TForm1::MnCollapseAllClick()
{
    QList<ConnectionNode *> order;
    ConnectionTree::forEachBelow(m_doc.tree().invisibleRoot(), [&order](ConnectionNode *n) { order.append(n); });
    const ConnectionNode *top = m_doc.tree().invisibleRoot();
    for (const ConnectionNode *n : std::as_const(order)) {
        const ConnectionNode *parent = n->parent();
        if (!parent || parent == top)
            continue;
        const QModelIndex branch = m_model->indexFor(parent);
        if (!VT->isExpanded(branch))
            continue;
        // Cancel keeps this branch open and ends the command: asking again for each of its
        // other children would only repeat the question.
        if (!askApplyBeforeCollapse(branch))
            return;
        VT->collapse(branch);
    }
}

void TForm1::MnShowPopupClick()
{
    m_prompter->ask(Prompter::Kind::Information, Memo2->text() + QStringLiteral("\rPress Ok to continue."),
                    Prompter::Buttons::OkCancel);
}
