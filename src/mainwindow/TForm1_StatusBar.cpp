// The status bar of the main window: the shown node's time stamp, caret position, the node's
// "Modified" mark, insert mode and the lock keys.
#include "mainwindow/TForm1.h"

#include "mainwindow/MacroEditor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>

namespace {

struct PanelSpec
{
    int width;
    Qt::Alignment alignment;
    bool bevel;
    const char *widest;  // the longest text the panel shows
};

constexpr PanelSpec kPanels[TForm1::PanelCount] = {
    {300, Qt::AlignLeft, true, ""},                    // "  Last updated: ..."
    {100, Qt::AlignHCenter, true, "Ln. 9999, Col. 999"},
    {50, Qt::AlignHCenter, true, "Modified"},
    {34, Qt::AlignHCenter, true, "OVR"},
    {34, Qt::AlignHCenter, true, "NUM"},
    {34, Qt::AlignHCenter, true, "CAPS"},
    {50, Qt::AlignHCenter, true, "SCROLL"},
    {50, Qt::AlignLeft, false, ""},                    // always empty
};

} // namespace

void TForm1::createStatusBar()
{
    SBar = new QStatusBar(this);
    SBar->setObjectName(QStringLiteral("SBar"));
    SBar->setSizeGripEnabled(false);
    // The panels draw their own bevel; the last one has none.
    SBar->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    for (int i = 0; i < PanelCount; ++i) {
        auto *label = new QLabel(SBar);
        label->setObjectName(QStringLiteral("SBarPanel%1").arg(i));
        label->setAlignment(kPanels[i].alignment | Qt::AlignVCenter);
        label->setFrameStyle(kPanels[i].bevel ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
        label->setMargin(0);
        label->setIndent(2);
        // The designed widths, widened where this system's font would cut the text.
        const int needed = label->fontMetrics().horizontalAdvance(QLatin1String(kPanels[i].widest))
            + 2 * label->frameWidth() + 6;
        const int width = std::max(kPanels[i].width, needed);
        if (i + 1 < PanelCount)
            label->setFixedWidth(width);
        else
            label->setMinimumWidth(width);
        SBar->addPermanentWidget(label, i + 1 < PanelCount ? 0 : 1);
        m_panels[static_cast<std::size_t>(i)] = label;
    }
    setStatusBar(SBar);
}

QString TForm1::panelText(int panel) const
{
    if (panel < 0 || panel >= PanelCount || !m_panels[static_cast<std::size_t>(panel)])
        return {};
    return m_panels[static_cast<std::size_t>(panel)]->text();
}

void TForm1::setPanelText(int panel, const QString &text)
{
    QLabel *label = m_panels[static_cast<std::size_t>(panel)];
    // Written only when it changes, so typing does not repaint the bar.
    if (label && label->text() != text)
        label->setText(text);
}

void TForm1::documentStateChanged()
{
    setWindowTitle(m_doc.captionText());
    setPanelText(2, m_doc.IsNodeModified() ? QStringLiteral("Modified") : QString());
}

void TForm1::ShowCaretPosition(bool show, int editor)
{
    const TextEditor *memo = editor == 1 ? Memo1 : editor == 2 ? Memo2 : nullptr;
    setPanelText(1, show && memo ? memo->caretPositionText() : QString());
}

void TForm1::ShowInsertMode(bool force)
{
    const int id = GetFocusedEditorId();
    if (!force && (id < 1 || id > 11)) {
        setPanelText(3, QString());
        return;
    }
    setPanelText(3, m_insertMode ? QStringLiteral("INS") : QStringLiteral("OVR"));
}

void TForm1::UpdateKeyIndicators()
{
    const LockKeyState keys = m_lockKeys ? m_lockKeys() : LockKeyState{};
    setPanelText(4, keys.numLock ? QStringLiteral("NUM") : QString());
    setPanelText(5, keys.capsLock ? QStringLiteral("CAPS") : QString());
    setPanelText(6, keys.scrollLock ? QStringLiteral("SCROLL") : QString());
}

void TForm1::changeEvent(QEvent *event)
{
    // A lock key toggled while another program had the keyboard shows on return.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        UpdateKeyIndicators();
    QMainWindow::changeEvent(event);
}

void TForm1::FormKeyUp(int key, bool autoRepeat)
{
    // A held lock key repeats; its state counts once it is released.
    if (!autoRepeat && (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock))
        UpdateKeyIndicators();
    if (key == Qt::Key_Escape)
        VT->setCurrentEditLink(nullptr);
    RequestCommandRefresh();
}
