#pragma once

#include "components/JustifiedText.h"

#include <QFrame>

// A multi-line label that breaks its text into lines itself and draws every line that ends
// inside a paragraph flush with both edges, spreading the spare pixels over its blanks; the
// last line of a paragraph keeps its natural spacing. A disabled label shows its text
// embossed. Each line is as high as "Wg". In a layout its height follows its width; with
// automatic sizing it sets its own height to fit its lines.
class TJstLabel : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
public:
    explicit TJstLabel(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    void setText(const QString &text);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    // The label's text broken for Width in the label's font.
    QList<TLineObj> lines(int width) const;
    int lineHeight() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void DrawJustifiedLine(QPainter &painter, const QRect &rect, const TLineObj &line) const;
    void AdjustBounds();

    QString m_text;
    bool m_autoSize = false;
};
