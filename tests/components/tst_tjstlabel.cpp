#include "components/widgets/TJstLabel.h"

#include <QFontMetrics>
#include <QImage>
#include <QTest>

namespace {

// The rightmost column of each line's band that holds a pixel of Color (-1 for none).
QList<int> inkRight(const QImage &image, int lineHeight, int lines, const QColor &color)
{
    QList<int> right(lines, -1);
    for (int y = 0; y < std::min(image.height(), lineHeight * lines); ++y) {
        for (int x = image.width() - 1; x > right[y / lineHeight]; --x) {
            if (image.pixelColor(x, y) == color) {
                right[y / lineHeight] = x;
                break;
            }
        }
    }
    return right;
}

QImage render(TJstLabel &label)
{
    QImage image(label.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    label.render(&image);
    return image;
}

const QString kParagraph = QStringLiteral(
    "The licence gives every user the freedom to run, study, share and improve the program, "
    "and asks that the same freedom is passed on.");

} // namespace

class TestTJstLabel : public QObject
{
    Q_OBJECT

private:
    static void setUp(TJstLabel &label)
    {
        QPalette p = label.palette();
        p.setColor(QPalette::WindowText, Qt::black);
        p.setColor(QPalette::Light, Qt::green);
        p.setColor(QPalette::Dark, Qt::red);
        label.setPalette(p);
        // Whole pixels only, so colours compare exactly.
        QFont font = label.font();
        font.setStyleStrategy(QFont::NoAntialias);
        label.setFont(font);
        label.setText(kParagraph);
        label.resize(240, 200);
    }

private Q_SLOTS:
    void autoSizeFitsTheLines()
    {
        TJstLabel label;
        setUp(label);
        const int lines = int(label.lines(label.width()).size());
        QVERIFY(lines >= 3);
        QCOMPARE(label.heightForWidth(240), lines * QFontMetrics(label.font()).height());
        label.setAutoSize(true);
        QCOMPARE(label.height(), lines * QFontMetrics(label.font()).height());
        label.setText(QStringLiteral("one line"));
        QCOMPARE(label.height(), QFontMetrics(label.font()).height());
    }

    void linesInsideAParagraphReachTheRightEdge()
    {
        TJstLabel label;
        setUp(label);
        const QList<TLineObj> lines = label.lines(label.width());
        const QList<int> right = inkRight(render(label), label.lineHeight(), int(lines.size()), Qt::black);
        for (int n = 0; n + 1 < lines.size(); ++n) {
            QVERIFY2(lines.at(n).Gaps > 0, qPrintable(lines.at(n).Text));
            // Justified: the last glyph ends at the edge, give or take its side bearing.
            QVERIFY2(right.at(n) >= label.width() - 4, qPrintable(QString::number(right.at(n))));
        }
        // The paragraph's last line keeps its natural width.
        const QFontMetrics fm(label.font());
        QVERIFY(right.last() <= fm.horizontalAdvance(lines.last().Text) + 1);
        QVERIFY(right.last() < label.width() - 20);
    }

    void disabledLabelIsEmbossed()
    {
        TJstLabel label;
        setUp(label);
        const int lines = int(label.lines(label.width()).size());
        const QImage enabled = render(label);
        QCOMPARE(inkRight(enabled, label.lineHeight(), lines, Qt::red).first(), -1);
        label.setEnabled(false);
        const QImage disabled = render(label);
        const QList<int> shadow = inkRight(disabled, label.lineHeight(), lines, Qt::red);
        const QList<int> highlight = inkRight(disabled, label.lineHeight(), lines, Qt::green);
        QCOMPARE(inkRight(disabled, label.lineHeight(), lines, Qt::black).first(), -1);
        QVERIFY(shadow.first() > 0);
        // The highlight copy lies one pixel right of the shadow copy.
        QCOMPARE(highlight.first(), shadow.first() + 1);
    }
};

QTEST_MAIN(TestTJstLabel)
#include "tst_tjstlabel.moc"
