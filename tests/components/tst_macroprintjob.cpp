#include "components/widgets/MacroPrintJob.h"
#include "platform/widgets/QsciIncludes.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kWhen(QDate(2006, 1, 18), QTime(7, 5, 9));

QString macroOfLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("sendln 'line %1'").arg(i);
    return lines.join('\n');
}

// Scintilla's shell lexer with comments in green and strings in red, as a highlighter
// colours a macro.
class ColouringLexer : public QsciLexer
{
public:
    const char *language() const override { return "Test"; }
    const char *lexer() const override { return "bash"; }
    QString description(int style) const override { return QString::number(style); }
    QColor defaultColor(int style) const override
    {
        switch (style) {
        case 2: return QColor(0, 128, 0);    // comment
        case 5: case 6: return Qt::red;       // strings
        default: return Qt::black;
        }
    }
};

// The pages of a PDF as text, in their printed layout.
QStringList pdfPages(const QString &pdf)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", pdf, "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Whether the PDF's first page, rendered, holds any coloured (not grey) pixel.
bool firstPageHasColour(const QString &pdf, const QString &dir)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftoppm"),
            {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf, dir + "/page"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return false;
    const QImage image(dir + "/page.png");
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 40)
                return true;
        }
    }
    return false;
}

} // namespace

class TestMacroPrintJob : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString printToPdf(QsciScintilla &editor, const PrintHeader &header, bool colors,
                       bool *ok = nullptr)
    {
        const QString pdf = m_dir.filePath("out.pdf");
        QFile::remove(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        MacroPrintJob job;
        job.Prepare(&editor, header, colors);
        const bool printed = job.print(printer, kWhen);
        if (ok)
            *ok = printed;
        return pdf;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(), "poppler-utils is missing");
    }

    void headerOnEveryPage()
    {
        QsciScintilla editor;
        editor.setText(macroOfLines(300));
        editor.setTabWidth(4);
        bool ok = false;
        const QString pdf =
            printToPdf(editor, PrintHeader::forMacro("/home/u/sites.QDZ", "/Db/Lab/Sites"), false, &ok);
        QVERIFY(ok);
        const QStringList pages = pdfPages(pdf);
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        for (int i = 0; i < pages.size(); ++i) {
            const QString &page = pages.at(i);
            const QString pageItem = QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size());
            QVERIFY2(QRegularExpression("File: /home/u/sites.QDZ +" + pageItem).match(page).hasMatch(),
                     qPrintable(page.left(300)));
            QVERIFY2(QRegularExpression(R"(Macro: /Db/Lab/Sites +1/18/06 07:05:09)").match(page).hasMatch(),
                     qPrintable(page.left(300)));
        }
        QVERIFY(pages.first().contains("sendln 'line 1'"));
        QVERIFY(pages.last().contains("sendln 'line 300'"));
        // Every line printed once, in order, across the pages.
        const QRegularExpression lineRe(R"(sendln 'line (\d+)')");
        int expected = 1;
        for (const QString &page : pages) {
            for (auto m = lineRe.globalMatch(page); m.hasNext();)
                QCOMPARE(m.next().captured(1).toInt(), expected++);
        }
        QCOMPARE(expected, 301);
        QCOMPARE(editor.tabWidth(), 4);  // the print's tab width does not stay
    }

    void namesAndPathsPrintAsTheyAre_data()
    {
        QTest::addColumn<QString>("tableFile");
        QTest::addColumn<QString>("nodePath");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("secondLine");
        QTest::newRow("new table, root node") << "" << "/" << "File: +Page 1 of 1" << "Macro: / +1/18/06";
        QTest::newRow("placeholders in user text")
            << "/t/$PAGENUM$.QDZ" << "/$DATE$/$time$" << R"(File: /t/\$PAGENUM\$\.QDZ +Page 1 of 1)"
            << R"(Macro: /\$DATE\$/\$time\$ +1/18/06 07:05:09)";
    }
    void namesAndPathsPrintAsTheyAre()
    {
        QFETCH(QString, tableFile);
        QFETCH(QString, nodePath);
        QFETCH(QString, firstLine);
        QFETCH(QString, secondLine);
        QsciScintilla editor;
        editor.setText("connect 'host'");
        const QStringList pages = pdfPages(printToPdf(editor, PrintHeader::forMacro(tableFile, nodePath), false));
        QCOMPARE(pages.size(), 1);
        QVERIFY2(QRegularExpression("^ *" + firstLine + " *$", QRegularExpression::MultilineOption)
                     .match(pages.first()).hasMatch(), qPrintable(pages.first()));
        QVERIFY2(QRegularExpression("^ *" + secondLine, QRegularExpression::MultilineOption)
                     .match(pages.first()).hasMatch(), qPrintable(pages.first()));
    }

    void emptyMacroPrintsOnePageWithItsHeader()
    {
        QsciScintilla editor;
        const QStringList pages = pdfPages(printToPdf(editor, PrintHeader::forMacro("a.QDZ", "/x"), true));
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages.first().contains("Page 1 of 1"));
    }

    // Colour only from the highlighter and only on a colour printer; an editor coloured by
    // the connection's colours prints black on white.
    void colours_data()
    {
        QTest::addColumn<bool>("highlighter");
        QTest::addColumn<bool>("colorPrinter");
        QTest::addColumn<bool>("coloured");
        QTest::newRow("highlighted, colour printer") << true << true << true;
        QTest::newRow("highlighted, monochrome printer") << true << false << false;
        QTest::newRow("connection colours, colour printer") << false << true << false;
    }
    void colours()
    {
        QFETCH(bool, highlighter);
        QFETCH(bool, colorPrinter);
        QFETCH(bool, coloured);
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QFAIL("poppler-utils is missing");
        QsciScintilla editor;
        ColouringLexer lexer;
        if (highlighter) {
            editor.setLexer(&lexer);
        } else {
            editor.setColor(Qt::red);
            editor.setPaper(Qt::darkBlue);
        }
        editor.setText("# a comment that the highlighter colours\n"
                       "echo 'a string' \"another string\" 12345\n");
        const QString pdf = printToPdf(editor, PrintHeader::forMacro("a.QDZ", "/x"), colorPrinter);
        QCOMPARE(firstPageHasColour(pdf, m_dir.path()), coloured);
        QVERIFY(pdfPages(pdf).first().contains("a comment that the highlighter colours"));
    }

    void unpaintablePrinterFails()
    {
        QsciScintilla editor;
        editor.setText("x");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath("missing/dir/out.pdf"));
        MacroPrintJob job;
        job.Prepare(&editor, PrintHeader::forMacro("a", "/"), false);
        QVERIFY(!job.print(printer));
        MacroPrintJob unprepared;
        QVERIFY(!unprepared.print(printer));
    }
};

QTEST_MAIN(TestMacroPrintJob)
#include "tst_macroprintjob.moc"
