// The node view: the tree's captions and icons, the focused connection's values in the
// pages, the apply question before unapplied edits are left behind, and Apply itself.
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
#include "platform/FileChooser.h"
#include "table/ConnectionTree.h"
#include "table/NodeImageIndex.h"
#include "table/UrlCodec.h"

#include "platform/widgets/QsciIncludes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeView>

namespace {

const QString kNoConnection = QStringLiteral("No connection selected");
const QString kMultiple = QStringLiteral("Multiple items selected");

// The program's own open dialog for the macro import.
class MacroFileDialog : public FileChooser
{
public:
    explicit MacroFileDialog(QWidget *parent) : m_parent(parent) {}

    QString chooseOpenFile(const FileDialogSetup &setup) override
    {
        return QFileDialog::getOpenFileName(m_parent, setup.title, setup.initialFileName,
                                            FileDialogNameFilters(setup.filter).join(QStringLiteral(";;")));
    }
    QString chooseSaveFile(const FileDialogSetup &) override { return {}; }

private:
    QWidget *m_parent;
};

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

QString applyQuestion(const ConnectionNode *node)
{
    return QStringLiteral("Do you want to apply the changes you made to ") + QStringLiteral(" '")
        + DecodeField(node ? node->data.Name : QByteArray()) + QStringLiteral("' ?");
}

// A file's lines as the editor holds them: CR LF between lines, none after the last.
QString editorLines(const QString &fileText)
{
    QString text = fileText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// Replaces an editor's text and forgets its undo history: undoing must never bring back
// another connection's text.
void replaceEditorText(QsciScintilla *editor, const QString &text)
{
    editor->setText(text);
    editor->SendScintilla(QsciScintilla::SCI_EMPTYUNDOBUFFER);
}

QColor rgbOf(const ColorSet &set, int element, bool background)
{
    return QColor(set.at(element, background, 0), set.at(element, background, 1), set.at(element, background, 2));
}

} // namespace

void TForm1::setupNodeView()
{
    m_model->setImageIndexProvider([this](const ConnectionNode *n) {
        if (m_doc.LoadingFlag)
            return -1;
        return NodeImageIndex(n, n == m_doc.RootNode(), m_host.hasCutCopyMark(n), m_doc.CutModeFlag);
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

    connect(BtnApply, &QAction::triggered, this, &TForm1::BtnApplyClick);
    connect(mnApply, &QAction::triggered, this, &TForm1::BtnApplyClick);
    connect(MnExpandAll, &QAction::triggered, this, &TForm1::MnExpandAllClick);
    connect(MnCollapseAll, &QAction::triggered, this, &TForm1::MnCollapseAllClick);
    connect(MnShowPopup, &QAction::triggered, this, &TForm1::MnShowPopupClick);
    connect(MnImportMacro, &QAction::triggered, this, &TForm1::MnImportMacroClick);

    // Only what the user does marks the node: the editors report program writes too, so
    // they keep the focus test; the other signals come from the user alone.
    connect(Memo1, &QsciScintilla::textChanged, this, [this] { userEdited(Memo1); });
    connect(Memo2, &QsciScintilla::textChanged, this, [this] { userEdited(Memo2); });
    connect(m_macroPage->cbLogSession(), &QCheckBox::clicked, this, [this] { userEdited(nullptr); });
    connect(m_schedulePage->cbSchedule(), &QCheckBox::clicked, this, [this](bool on) {
        for (int which = 1; which <= 5; ++which)
            m_schedulePage->field(which)->setEnabled(on);
        userEdited(nullptr);
    });
    for (int which = 1; which <= 5; ++which)
        connect(m_schedulePage->field(which), &QLineEdit::textEdited, this, [this] { userEdited(nullptr); });

    setupCommandState();
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
                    m_host.setFocusedNode(n);
                    m_host.clearSelection();
                    m_host.setSelected(n, true);
                }
            }, Qt::QueuedConnection);
            return;
        }
        m_doc.CurrentNode = node;
    }
    showLastUpdated(m_doc.CurrentNode);
    RequestCommandRefresh();
}

bool TForm1::askApplyBeforeLeaving()
{
    if (!m_doc.IsNodeModified())
        return true;
    ConnectionNode *owner = m_doc.CurrentNode;
    if (!owner) {
        // The connection the edits belonged to is gone; nothing is left to apply them to.
        m_doc.SetNodeModified(false);
        return true;
    }
    const Prompter::Answer answer =
        m_prompter->ask(Prompter::Kind::Warning, applyQuestion(owner), Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Cancel)
        return false;
    if (answer == Prompter::Yes)
        BtnApplyClick();
    else
        m_doc.SetNodeModified(false);
    return true;
}

bool TForm1::branchHoldsCurrentNode(const ConnectionNode *node) const
{
    const ConnectionNode *current = m_doc.CurrentNode;
    return node && current && (node == current || node->isAncestorOf(current));
}

bool TForm1::askApplyBeforeCollapse(const QModelIndex &branch)
{
    if (m_doc.LoadingFlag || !m_doc.IsNodeModified() || !branchHoldsCurrentNode(m_model->nodeFor(branch)))
        return true;
    return askApplyBeforeLeaving();
}

bool TForm1::nodeViewGate(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched == VT->viewport())
            CurrentEditLink = nullptr;
        m_swallowRelease = false;
        return watched == VT->viewport() && gateMouse(event);
    case QEvent::MouseButtonRelease:
        if (watched == VT->viewport() && m_swallowRelease) {
            m_swallowRelease = false;
            return true;
        }
        return false;
    case QEvent::KeyPress:
        return watched == VT && gateKey(event);
    default:
        return false;
    }
}

bool TForm1::gateMouse(QEvent *event)
{
    if (m_doc.LoadingFlag || !m_doc.IsNodeModified())
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint at = mouse->position().toPoint();
    const QModelIndex index = VT->indexAt(at);
    if (!index.isValid())
        return false;
    // The branch sign left of the caption (or a double-click on a node that cannot be
    // renamed) opens or closes the branch and leaves the focus alone.
    const QRect caption = VT->visualRect(index);
    const bool onSign = at.x() < caption.left() && at.x() >= caption.left() - VT->indentation();
    const bool toggles = onSign
        || (event->type() == QEvent::MouseButtonDblClick && !(m_model->flags(index) & Qt::ItemIsEditable));
    if (toggles && m_model->hasChildren(index)) {
        if (!VT->isExpanded(index) || askApplyBeforeCollapse(index))
            return false;
        m_swallowRelease = true;
        return true;
    }
    ConnectionNode *target = m_model->nodeFor(index);
    if (target == m_doc.CurrentNode)
        return false;
    const bool allowed = askApplyBeforeLeaving();
    // The view never sees this press: after a question its release went elsewhere, and a
    // half-done press would drag a selection. The focus moves here instead.
    m_swallowRelease = true;
    if (allowed) {
        const auto flags = (mouse->modifiers() & Qt::ControlModifier) ? QItemSelectionModel::Toggle
                                                                      : QItemSelectionModel::ClearAndSelect;
        VT->selectionModel()->setCurrentIndex(index, flags | QItemSelectionModel::Rows);
    }
    return true;
}

bool TForm1::gateKey(QEvent *event)
{
    if (m_doc.LoadingFlag || !m_doc.IsNodeModified())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QModelIndex current = VT->currentIndex();
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Minus) && current.isValid()
        && VT->isExpanded(current) && m_model->hasChildren(current))
        return !askApplyBeforeCollapse(current);
    const QModelIndex target = keyTarget(key->key(), key->modifiers(), key->text());
    if (!target.isValid() || m_model->nodeFor(target) == m_doc.CurrentNode)
        return false;
    // Yes or No: the key goes on and moves the focus as it always does.
    return !askApplyBeforeLeaving();
}

QModelIndex TForm1::keyTarget(int key, Qt::KeyboardModifiers modifiers, const QString &text) const
{
    const QModelIndex current = VT->currentIndex();
    auto lastVisible = [this] {
        QModelIndex last = m_model->index(m_model->rowCount() - 1, 0);
        while (last.isValid() && VT->isExpanded(last) && m_model->rowCount(last) > 0)
            last = m_model->index(m_model->rowCount(last) - 1, 0, last);
        return last;
    };
    auto step = [this](QModelIndex from, int count, bool down) {
        for (int i = 0; i < count; ++i) {
            const QModelIndex next = down ? VT->indexBelow(from) : VT->indexAbove(from);
            if (!next.isValid())
                break;
            from = next;
        }
        return from;
    };
    const int rowHeight = std::max(1, VT->sizeHintForRow(0));
    const int page = std::max(1, VT->viewport()->height() / rowHeight - 1);
    switch (key) {
    case Qt::Key_Up: return current.isValid() ? VT->indexAbove(current) : QModelIndex();
    case Qt::Key_Down: return current.isValid() ? VT->indexBelow(current) : m_model->index(0, 0);
    case Qt::Key_Home: return m_model->index(0, 0);
    case Qt::Key_End: return lastVisible();
    case Qt::Key_PageUp: return current.isValid() ? step(current, page, false) : QModelIndex();
    case Qt::Key_PageDown: return current.isValid() ? step(current, page, true) : QModelIndex();
    case Qt::Key_Left: return current.isValid() ? current.parent() : QModelIndex();
    case Qt::Key_Right:
        return current.isValid() && VT->isExpanded(current) ? m_model->index(0, 0, current) : QModelIndex();
    default: break;
    }
    // Typing a caption's first letters jumps to the next row that begins with them.
    if (text.isEmpty() || !text.at(0).isPrint() || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return {};
    QModelIndex i = current.isValid() ? VT->indexBelow(current) : m_model->index(0, 0);
    for (int guard = 0; guard < 2; ++guard) {
        for (; i.isValid(); i = VT->indexBelow(i))
            if (i.data().toString().startsWith(text, Qt::CaseInsensitive))
                return i;
        i = m_model->index(0, 0);
    }
    return {};
}

void TForm1::VTCollapsed(ConnectionNode *node)
{
    if (m_doc.LoadingFlag || !node)
        return;
    // Unapplied edits of a node outside the branch: the focus stays with them, unasked.
    if (!m_doc.IsNodeModified()) {
        m_host.clearSelection();
        m_host.setSelected(node, true);
        m_host.setFocusedNode(node);
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
        if (focused && focused != m_doc.RootNode() && m_host.isSelected(focused)) {
            d = &focused->data;
            if (!IsSeparatorName(d->Name)) {
                reason.clear();
                cover = false;
            }
        }
    } else if (rows.size() > 1) {
        reason = kMultiple;
    }

    CoverPanel *ts1 = m_macroPage->TS1Panel();
    if (ts1->text() != reason)
        ts1->setText(reason);
    if (ts1->isHidden() == cover) {
        ts1->setVisible(cover);
        m_macroPage->TS1bPanel()->setVisible(!cover);
    }
    if (!cover) {
        const QString macro = trimControls(DecodeField(UrlDecode(d->Macro)));
        // The editor takes this connection's colours whenever another connection is shown,
        // also when its macro reads the same as the last one's.
        if (Memo1->text() != macro || focused != m_shownNode)
            m_host.rbUseColorInEditorClick();
        m_shownNode = focused;
        if (Memo1->text() != macro)
            replaceEditorText(Memo1, macro);
        const QString stamp = DecodeField(d->LastUpdated);
        if (!stamp.isEmpty() && !panelText(0).contains(stamp))
            setPanelText(0, QStringLiteral("  Last updated: ") + stamp);
        if (m_macroPage->logSession() != d->LogSession)
            m_macroPage->setLogSession(d->LogSession);
    }

    CoverPanel *ts2 = m_popupPage->TS2Panel();
    if (ts2->isHidden() == cover)
        ts2->setVisible(cover);
    if (ts2->text() != reason)
        ts2->setText(reason);
    if (!cover) {
        const QString popup = DecodeField(UrlDecode(d->Popup));
        if (Memo2->text() != popup)
            replaceEditorText(Memo2, popup);
    }

    CoverPanel *ts4 = m_schedulePage->TS4Panel();
    if (ts4->isHidden() == cover)
        ts4->setVisible(cover);
    if (ts4->text() != reason)
        ts4->setText(reason);
    if (!cover) {
        const bool on = d->Schedule.startsWith('=');
        m_schedulePage->setScheduleOn(on);
        for (int which = 1; which <= 5; ++which)
            m_schedulePage->field(which)->setEnabled(on);
        if (on) {
            // "=" and five fields split by single blanks; missing fields show empty.
            const QStringList fields = DecodeField(d->Schedule.mid(1)).split(QLatin1Char(' '));
            for (int which = 1; which <= 5; ++which)
                m_schedulePage->setFieldText(which, which <= fields.size() ? fields.at(which - 1) : QString());
        }
    }

    const bool noColors = m_settingsPage->macroEditor()->cbNoColors()->isChecked();
    CoverPanel *ts3 = m_colorsPage->TS3Panel();
    const bool coverColors = cover || noColors;
    if (ts3->isHidden() == coverColors)
        ts3->setVisible(coverColors);
    const QString colorsReason = noColors ? QStringLiteral("Color support is disabled") : reason;
    if (ts3->text() != colorsReason)
        ts3->setText(colorsReason);

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
}

void TForm1::SelectNodeByIndex()
{
    ConnectionNode *node = m_doc.tree().nodeAtAbsoluteIndex(m_doc.SelectedNodeIndex);
    if (!node) {
        m_doc.CurrentNode = nullptr;
        return;
    }
    m_host.clearSelection();
    m_host.setFocusedNode(node);
    m_host.setSelected(node, true);
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

void TForm1::MnImportMacroClick()
{
    if (m_doc.IsNodeModified() && !IsBlankText(Memo1->text())) {
        const Prompter::Answer answer =
            m_prompter->ask(Prompter::Kind::Warning, applyQuestion(focusedNode()), Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Cancel)
            return;
        if (answer == Prompter::Yes)
            BtnApplyClick();
    }
    MacroFileDialog ownDialog(this);
    FileChooser &files = m_macroFiles ? *m_macroFiles : ownDialog;
    const QString path = files.chooseOpenFile({QStringLiteral("Import macro from file"),
                                               QStringLiteral("TeraTerm Macro files (*.TTL)|*.TTL|All files (*.*)|*.*"),
                                               QStringLiteral("ttl"), QString()});
    if (path.isEmpty())
        return;
    // The file is read whole before the editor is touched: a file that cannot be read
    // leaves the editor as it was.
    QFile file(path);
    QByteArray bytes;
    bool read = file.open(QIODevice::ReadOnly);
    if (read) {
        bytes = file.readAll();
        read = file.error() == QFileDevice::NoError;
    }
    if (!read) {
        m_prompter->error(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    {
        FlagScope writing(m_programWrite);
        replaceEditorText(Memo1, editorLines(DecodeField(bytes)));
    }
    m_doc.SetNodeModified(true);
    RequestCommandRefresh();
}
