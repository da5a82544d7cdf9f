#include "components/widgets/TJstLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

TJstLabel::TJstLabel(QWidget *parent) : QFrame(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TJstLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    AdjustBounds();
    update();
}

void TJstLabel::setAutoSize(bool on)
{
    m_autoSize = on;
    AdjustBounds();
}

QList<TLineObj> TJstLabel::lines(int width) const
{
    const QFontMetrics fm(font());
    return BreakLines(m_text, width,
                      [&fm](const QString &part) { return fm.horizontalAdvance(part); });
}

int TJstLabel::lineHeight() const
{
    return QFontMetrics(font()).height();  // the height of "Wg": ascent and descent
}

int TJstLabel::heightForWidth(int width) const
{
    return lineHeight() * int(lines(width).size());
}

QSize TJstLabel::sizeHint() const
{
    const int width = this->width() > 0 ? this->width() : 400;
    return {width, heightForWidth(width)};
}

void TJstLabel::AdjustBounds()
{
    if (m_autoSize)
        setFixedHeight(heightForWidth(width()));
}

void TJstLabel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    AdjustBounds();
}

void TJstLabel::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        AdjustBounds();
    }
}

void TJstLabel::DrawJustifiedLine(QPainter &painter, const QRect &rect,
                                  const TLineObj &line) const
{
    if (line.Text.isEmpty())
        return;
    const QFontMetrics fm(font());
    QList<int> extents;
    extents.reserve(line.Text.size());
    for (qsizetype k = 1; k <= line.Text.size(); ++k)
        extents.append(fm.horizontalAdvance(line.Text.left(k)));
    const JustifiedLayout layout = LayoutJustifiedLine(line, extents, rect.width() + 1);

    // Words keep their natural inner spacing; only the blanks between them grow.
    const auto drawAt = [&](const QPoint &origin) {
        qsizetype k = 0;
        while (k < layout.fit) {
            if (line.Text.at(k) == QLatin1Char(' ')) {
                ++k;
                continue;
            }
            qsizetype end = k;
            while (end < layout.fit && line.Text.at(end) != QLatin1Char(' '))
                ++end;
            painter.drawText(origin + QPoint(layout.x.at(k), fm.ascent()),
                             line.Text.mid(k, end - k));
            k = end;
        }
    };
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        drawAt(rect.topLeft());
    } else {
        painter.setPen(palette().color(QPalette::Light));
        drawAt(rect.topLeft() + QPoint(1, 1));
        painter.setPen(palette().color(QPalette::Dark));
        drawAt(rect.topLeft());
    }
}

void TJstLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect();
    const int height = lineHeight();
    const QList<TLineObj> broken = lines(area.width());
    for (int n = 0; n < broken.size(); ++n) {
        const int top = area.top() + n * height;
        if (top >= area.bottom())
            break;
        const int bottom = std::min(top + height, area.bottom() + 1);
        DrawJustifiedLine(painter, QRect(area.left(), top, area.width(), bottom - top),
                          broken.at(n));
    }
}
