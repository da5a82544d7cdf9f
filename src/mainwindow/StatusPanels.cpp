#include "mainwindow/StatusPanels.h"

#include "platform/widgets/LockKeyState.h"

#include <QLabel>

#include <algorithm>

namespace {

struct PanelSpec
{
    int width;
    Qt::Alignment alignment;
    bool bevel;
    const char *widest;  // the longest text the panel shows
};

constexpr PanelSpec kPanels[StatusPanels::Count] = {
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

StatusPanels::StatusPanels(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("SBar"));
    setSizeGripEnabled(false);
    // The panels draw their own bevel; the last one has none.
    setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    for (int i = 0; i < Count; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("SBarPanel%1").arg(i));
        label->setAlignment(kPanels[i].alignment | Qt::AlignVCenter);
        label->setFrameStyle(kPanels[i].bevel ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
        label->setMargin(0);
        label->setIndent(2);
        // The designed widths, widened where this system's font would cut the text.
        const int needed = label->fontMetrics().horizontalAdvance(QLatin1String(kPanels[i].widest))
            + 2 * label->frameWidth() + 6;
        const int width = std::max(kPanels[i].width, needed);
        if (i + 1 < Count)
            label->setFixedWidth(width);
        else
            label->setMinimumWidth(width);
        addPermanentWidget(label, i + 1 < Count ? 0 : 1);
        m_panels[static_cast<std::size_t>(i)] = label;
    }
}

QString StatusPanels::text(int panel) const
{
    if (panel < 0 || panel >= Count)
        return {};
    return m_panels[static_cast<std::size_t>(panel)]->text();
}

void StatusPanels::setText(int panel, const QString &text)
{
    if (panel < 0 || panel >= Count)
        return;
    QLabel *label = m_panels[static_cast<std::size_t>(panel)];
    if (label->text() != text)
        label->setText(text);
}

void StatusPanels::showLockKeys(const LockKeyState &keys)
{
    setText(4, keys.numLock ? QStringLiteral("NUM") : QString());
    setText(5, keys.capsLock ? QStringLiteral("CAPS") : QString());
    setText(6, keys.scrollLock ? QStringLiteral("SCROLL") : QString());
}
