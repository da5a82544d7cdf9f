#include "components/widgets/MacroPrintJob.h"

#include "platform/widgets/QsciIncludes.h"

#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr double kMarginLeftMm = 20;
constexpr double kMarginRightMm = 10;
constexpr double kMarginTopMm = 20;
constexpr double kMarginBottomMm = 20;
constexpr double kHeaderMm = 15;
constexpr double kHeaderIndentMm = 2;
constexpr double kHeaderInnerMarginMm = 0.5;
constexpr int kPrintTabWidth = 8;
// 13 pixels of a 96-dpi screen, in points.
constexpr double kHeaderPointSize = 13 * 72.0 / 96.0;

// The editor's print settings for the length of one print; the tab width and the margins are
// view settings and go back afterwards. The editor prints its line-number margin beside the
// text: the printout is the text alone.
class PrintSettings
{
public:
    PrintSettings(QsciScintilla &editor, bool colors) : m_editor(editor)
    {
        m_tabWidth = m_editor.SendScintilla(QsciScintillaBase::SCI_GETTABWIDTH);
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETTABWIDTH, kPrintTabWidth);
        const long margins = m_editor.SendScintilla(QsciScintillaBase::SCI_GETMARGINS);
        for (unsigned long margin = 0; margin < static_cast<unsigned long>(margins); ++margin) {
            m_marginWidths.append(m_editor.SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, margin));
            m_editor.SendScintilla(QsciScintillaBase::SCI_SETMARGINWIDTHN, margin, 0L);
        }
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETPRINTMAGNIFICATION, 0);
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETPRINTWRAPMODE,
                               QsciScintillaBase::SC_WRAP_WORD);
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETPRINTCOLOURMODE,
                               colors && m_editor.lexer()
                                   ? QsciScintillaBase::SC_PRINT_COLOURONWHITE
                                   : QsciScintillaBase::SC_PRINT_BLACKONWHITE);
    }
    ~PrintSettings()
    {
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETTABWIDTH, m_tabWidth);
        for (qsizetype margin = 0; margin < m_marginWidths.size(); ++margin)
            m_editor.SendScintilla(QsciScintillaBase::SCI_SETMARGINWIDTHN, static_cast<unsigned long>(margin),
                                   m_marginWidths.at(margin));
    }
    PrintSettings(const PrintSettings &) = delete;
    PrintSettings &operator=(const PrintSettings &) = delete;

private:
    QsciScintilla &m_editor;
    long m_tabWidth = 0;
    QList<long> m_marginWidths;
};

// The page's areas in the painter's coordinates.
struct PageGeometry
{
    QRect body;
    QRectF headerLine[2];
};

PageGeometry pageGeometry(const QPrinter &printer, qreal lineHeight)
{
    const qreal perMm = printer.resolution() / 25.4;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QPointF origin = printer.fullPage() ? paper.topLeft() : page.topLeft();
    const QRectF inPainter = paper.translated(-origin);

    PageGeometry g;
    const QRectF body(QPointF(inPainter.left() + kMarginLeftMm * perMm,
                              inPainter.top() + kMarginTopMm * perMm),
                      QPointF(inPainter.right() - kMarginRightMm * perMm,
                              inPainter.bottom() - kMarginBottomMm * perMm));
    g.body = body.toRect();
    const qreal left = body.left() + kHeaderIndentMm * perMm;
    const qreal right = body.right() - kHeaderIndentMm * perMm;
    const qreal bottom = inPainter.top() + (kHeaderMm - kHeaderInnerMarginMm) * perMm;
    g.headerLine[1] = QRectF(QPointF(left, bottom - lineHeight), QPointF(right, bottom));
    g.headerLine[0] = g.headerLine[1].translated(0, -lineHeight);
    return g;
}

} // namespace

void MacroPrintJob::Prepare(QsciScintilla *editor, const PrintHeader &header, bool colors)
{
    m_editor = editor;
    m_header = header;
    m_colors = colors;
}

bool MacroPrintJob::print(QPrinter &printer, const QDateTime &now) const
{
    QPainter painter;
    if (!m_editor || !painter.begin(&printer))
        return false;
    QsciScintilla &editor = *m_editor;
    const PrintSettings settings(editor, m_colors);

    QFont headerFont(QStringLiteral("Arial"));
    headerFont.setPointSizeF(kHeaderPointSize);
    const PageGeometry g = pageGeometry(printer, QFontMetricsF(headerFont, &printer).height());

    // Pages are laid out first, so every header can name the page count.
    const long end = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    QList<long> starts;
    long pos = 0;
    do {
        starts.append(pos);
        const long next =
            editor.SendScintilla(QsciScintillaBase::SCI_FORMATRANGE, 0, &painter, g.body, pos, end);
        if (next <= pos)
            break;
        pos = next;
    } while (pos < end);

    const QString dateTime = ExpandPrintPlaceholders(PrintDateTimeItem, 0, 0, now);
    for (int i = 0; i < starts.size(); ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        painter.setFont(headerFont);
        painter.setPen(Qt::black);
        const QString page = ExpandPrintPlaceholders(PrintPageItem, i + 1, int(starts.size()), now);
        painter.drawText(g.headerLine[0], Qt::AlignLeft | Qt::AlignTop, m_header.fileText);
        painter.drawText(g.headerLine[0], Qt::AlignRight | Qt::AlignTop, page);
        painter.drawText(g.headerLine[1], Qt::AlignLeft | Qt::AlignTop, m_header.macroText);
        painter.drawText(g.headerLine[1], Qt::AlignRight | Qt::AlignTop, dateTime);
        const long pageEnd = i + 1 < starts.size() ? starts.at(i + 1) : end;
        editor.SendScintilla(QsciScintillaBase::SCI_FORMATRANGE, 1, &painter, g.body,
                             starts.at(i), pageEnd);
    }
    return painter.end();
}

QString MacroPrintFailedText(const QString &target)
{
    return QLatin1String("The macro could not be printed on ") + target + QLatin1Char('.');
}
