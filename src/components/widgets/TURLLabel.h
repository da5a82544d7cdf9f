#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

// The font attributes a label shows: its font and the colour of its text.
struct TCustomFont
{
    QFont Font;
    QColor Color;

    bool operator==(const TCustomFont &) const = default;
};

// A label that stands for a web or mail link: while the mouse is over it, it shows its
// MouseOverFont (blue and underlined unless set otherwise) under the hand cursor, and a press
// of any mouse button opens its URL through the desktop's opener.
class TURLLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString URL READ URL WRITE setURL)
public:
    explicit TURLLabel(QWidget *parent = nullptr);

    const QString &URL() const { return m_url; }
    void setURL(const QString &url) { m_url = url; }
    const TCustomFont &MouseOverFont() const { return m_mouseOverFont; }
    void setMouseOverFont(const TCustomFont &font) { m_mouseOverFont = font; }

    // The font and text colour shown now.
    TCustomFont shownFont() const;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void applyFont(const TCustomFont &font);

    QString m_url;
    TCustomFont m_mouseOverFont;
    TCustomFont m_saved;  // the normal font while the mouse is over the label
    bool m_hovered = false;
};
