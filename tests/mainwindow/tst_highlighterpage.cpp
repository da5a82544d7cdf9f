#include "macrolang/MacroAttributeSet.h"
#include "mainwindow/HighlighterPage.h"
#include "EditorStyles.h"
#include "platform/widgets/QsciIncludes.h"
#include "shell/ProgramOptions.h"

#include <QSignalSpy>
#include <QTest>

#include <cstdlib>

namespace {

using Sci = QsciScintillaBase;

// The style of the first character of Line.
int styleAtLine(const QsciScintilla &editor, int line)
{
    const long pos = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    return int(editor.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(pos)));
}

} // namespace

class TestHighlighterPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The sample is coloured with the window's attribute set and follows its changes.
    void sampleFollowsTheAttributes()
    {
        MacroAttributeSet attributes;
        HighlighterPage page;
        page.setAttributes(attributes);
        QsciScintilla *sample = page.Memo3();
        sample->SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
        // A comment, then "wait", a keyword.
        QCOMPARE(styleAtLine(*sample, 0), int(MacroAttribute::CommentAttri));
        QCOMPARE(styleAtLine(*sample, 1), int(MacroAttribute::KeyAttri));
        QCOMPARE(StyleColor(*sample, Sci::SCI_STYLEGETFORE, int(MacroAttribute::KeyAttri)), QColor(0, 0, 128));
        attributes.setForeground(MacroAttribute::KeyAttri, 0x0000FF);
        QCOMPARE(StyleColor(*sample, Sci::SCI_STYLEGETFORE, int(MacroAttribute::KeyAttri)), QColor(255, 0, 0));
    }

    // "EditorBgColor" is the sample's background in every style, a system colour drawn as the
    // palette says; the macro editor is told; the stored value is saved as it came.
    void editorBackground_data()
    {
        QTest::addColumn<quint32>("stored");
        QTest::addColumn<bool>("system");
        QTest::newRow("a colour") << quint32(0x00C0FFEE) << false;
        QTest::newRow("the system's window colour") << StoredColor::SystemWindow << true;
    }

    void editorBackground()
    {
        QFETCH(quint32, stored);
        QFETCH(bool, system);
        MacroAttributeSet attributes;
        HighlighterPage page;
        page.setAttributes(attributes);
        QSignalSpy told(&page, &HighlighterPage::editorBackgroundChanged);
        ProgramOptions options;
        options.EditorBgColor = stored;
        page.loadOptions(options);
        const QColor expected = system ? page.Memo3()->palette().color(QPalette::Base) : QColor(0xEE, 0xFF, 0xC0);
        QCOMPARE(page.editorBackground(), expected);
        for (int style = 0; style < MacroAttributeCount; ++style)
            QCOMPARE(StyleColor(*page.Memo3(), Sci::SCI_STYLEGETBACK, style), expected);
        QCOMPARE(told.count(), 1);
        QCOMPARE(told.first().first().value<QColor>(), expected);
        ProgramOptions saved;
        page.saveOptions(saved);
        QCOMPARE(saved.EditorBgColor, stored);
    }

    // The sample shows the macro editor's font, each attribute with its own weight.
    void editorFont()
    {
        MacroAttributeSet attributes;
        HighlighterPage page;
        page.setAttributes(attributes);
        QFont font(QStringLiteral("Liberation Mono"), 14);
        page.setEditorFont(font);
        for (const MacroAttribute a : {MacroAttribute::CommentAttri, MacroAttribute::KeyAttri}) {
            const int style = int(a);
            QCOMPARE(StyleFont(*page.Memo3(), style), font.family());
            QCOMPARE(page.Memo3()->SendScintilla(Sci::SCI_STYLEGETSIZE, static_cast<unsigned long>(style)), 14L);
        }
        QVERIFY(std::abs(page.Memo3()->SendScintilla(Sci::SCI_STYLEGETWEIGHT, static_cast<unsigned long>(
                             int(MacroAttribute::KeyAttri)))) >= QFont::DemiBold);
        QVERIFY(page.Memo3()->SendScintilla(Sci::SCI_STYLEGETITALIC, static_cast<unsigned long>(
                    int(MacroAttribute::CommentAttri))));
    }
};

QTEST_MAIN(TestHighlighterPage)
#include "tst_highlighterpage.moc"
