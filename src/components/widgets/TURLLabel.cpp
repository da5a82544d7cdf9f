#include "components/widgets/TURLLabel.h"

#include "platform/ShellOpen.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace {

// A new label's link until it is given its own.
const QString kDefaultLink = QStringLiteral("https://example.org/");

} // namespace

TURLLabel::TURLLabel(QWidget *parent) : QLabel(kDefaultLink, parent), m_url(kDefaultLink)
{
    QFont normal = font();
    normal.setBold(false);
    normal.setItalic(false);
    normal.setUnderline(false);
    normal.setStrikeOut(false);
    applyFont({normal, Qt::black});
    QFont over = normal;
    over.setUnderline(true);
    m_mouseOverFont = {over, Qt::blue};
    setCursor(Qt::PointingHandCursor);
}

TCustomFont TURLLabel::shownFont() const
{
    return {font(), palette().color(QPalette::WindowText)};
}

void TURLLabel::applyFont(const TCustomFont &shown)
{
    setFont(shown.Font);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, shown.Color);
    setPalette(p);
}

void TURLLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    if (!m_hovered) {
        m_saved = shownFont();
        m_hovered = true;
    }
    applyFont(m_mouseOverFont);
}

void TURLLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (m_hovered) {
        m_hovered = false;
        applyFont(m_saved);
    }
}

void TURLLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    ShellOpen::openDocument(m_url);
    event->accept();
}
