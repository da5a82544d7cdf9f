#include "mainwindow/ColorsPage.h"
#include "mainwindow/CoverPanel.h"
#include "support/TempProgramFolder.h"
#include "table/ColorSet.h"
#include "table/EditCommands.h"
#include "table/rVTNodeData.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <utility>

namespace {

// TeraTerm's colours in the test's teraterm.ini, in text form.
const QByteArray kIniColors = "1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18:19:20:21:22:23:24";
const QByteArray kOther = "24:23:22:21:20:19:18:17:16:15:14:13:12:11:10:9:8:7:6:5:4:3:2:1";

ColorSet parsed(const QByteArray &text)
{
    ColorSet set;
    ParseColorSet(text, set);
    return set;
}

// kIniColors with the bytes at the given indexes changed.
QByteArray iniWith(std::initializer_list<std::pair<int, int>> changes)
{
    ColorSet set = parsed(kIniColors);
    for (const auto &[index, value] : changes)
        set.bytes[std::size_t(index)] = std::uint8_t(value);
    return FormatColorSet(set);
}

// kIniColors with every background the Normal element's, after Normal's changed to Rgb.
QByteArray iniWithBackgrounds(int r, int g, int b)
{
    return iniWith({{3, r}, {4, g}, {5, b}, {9, r}, {10, g}, {11, b}, {15, r}, {16, g}, {17, b},
                    {21, r}, {22, g}, {23, b}});
}

// The page shown and active, holding teraterm.ini's colours, with its edits and choices
// counted.
struct ShownPage
{
    ColorsPage page;
    QSignalSpy edits{&page, &NodePage::userEdited};
    QSignalSpy choices{&page, &ColorsPage::choiceChanged};

    ShownPage()
    {
        page.resize(600, 400);
        page.showNode(nullptr, QString());
        page.show();
    }
    bool active() { return QTest::qWaitForWindowActive(&page); }
    QString text() const { return QString::fromLatin1(FormatColorSet(page.colorSet())); }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
};

enum class BarInput { KeyRight, KeyPageUp, ArrowClick, GrooveClick };

} // namespace

Q_DECLARE_METATYPE(BarInput)

class TestColorsPage : public QObject
{
    Q_OBJECT

    TempProgramFolder m_folder;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_folder.write(QStringLiteral("teraterm.ini"),
                               "[Tera Term]\r\nVTColor=1,2,3,4,5,6\r\nVTBoldColor=7,8,9,10,11,12\r\n"
                               "VTBlinkColor=13,14,15,16,17,18\r\nURLColor=19,20,21,22,23,24\r\n"));
    }

    // The working set comes from the record, else from teraterm.ini; the scheme list shows
    // the scheme it equals, the teraterm.ini item, or nothing.
    void loadsTheWorkingSet_data()
    {
        QTest::addColumn<bool>("record");
        QTest::addColumn<QByteArray>("colors");
        QTest::addColumn<QByteArray>("working");
        QTest::addColumn<int>("scheme");
        QTest::newRow("a built-in scheme") << true << QByteArray(ColorSchemes[3].text)
                                           << QByteArray(ColorSchemes[3].text) << 3;
        QTest::newRow("a set of its own") << true << kOther << kOther << -1;
        QTest::newRow("teraterm.ini's colours") << true << kIniColors << kIniColors << ColorSchemeCount;
        QTest::newRow("a text that does not parse") << true << QByteArray("1:2:x") << kIniColors
                                                    << ColorSchemeCount;
        QTest::newRow("no record") << false << QByteArray() << kIniColors << ColorSchemeCount;
    }

    void loadsTheWorkingSet()
    {
        QFETCH(bool, record);
        QFETCH(QByteArray, colors);
        QFETCH(QByteArray, working);
        QFETCH(int, scheme);
        ColorsPage page;
        rVTNodeData d;
        d.Colors = colors;
        page.showNode(record ? &d : nullptr, QString());
        QCOMPARE(FormatColorSet(page.colorSet()), working);
        QCOMPARE(page.schemeIndex(), scheme);
        NodeEdits edits;
        page.collectEdits(edits);
        QCOMPARE(edits.colors, parsed(working));
    }

    // A covered page still takes the record's set; without colour support it stays covered
    // and says so.
    void cover_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<QString>("shown");   // the cover's text, empty when uncovered
        QTest::newRow("a connection") << QString() << false << QString();
        QTest::newRow("a separator") << "No connection selected" << false << "No connection selected";
        QTest::newRow("colour support off") << QString() << true << "Color support is disabled";
        QTest::newRow("colour support off, covered") << "Multiple items selected" << true
                                                     << "Color support is disabled";
    }

    void cover()
    {
        QFETCH(QString, reason);
        QFETCH(bool, disabled);
        QFETCH(QString, shown);
        ColorsPage page;
        page.setColorSupportDisabled(disabled);
        rVTNodeData d;
        d.Colors = ColorSchemes[4].text;
        page.showNode(&d, reason);
        QCOMPARE(page.TS3Panel()->isVisibleTo(&page), !shown.isEmpty());
        QCOMPARE(page.TS3Panel()->text(), shown);
        QCOMPARE(page.colorSet(), parsed(ColorSchemes[4].text));
    }

    // The samples show each element's colours; the bars and their labels the chosen element's
    // plane.
    void showColorSet_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<bool>("background");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("normal text") << 0 << false << QList<int>{1, 2, 3};
        QTest::newRow("blink background") << 2 << true << QList<int>{16, 17, 18};
        QTest::newRow("URL text") << 3 << false << QList<int>{19, 20, 21};
    }

    void showColorSet()
    {
        QFETCH(int, element);
        QFETCH(bool, background);
        QFETCH(QList<int>, values);
        ColorsPage page;
        page.setElement(element);
        (background ? page.RB4() : page.RB3())->setChecked(true);
        page.setColorSet(parsed(kIniColors));
        static const char *const names[] = {"R: ", "G: ", "B: "};
        for (int channel = 0; channel < 3; ++channel) {
            QCOMPARE(page.bar(channel)->value(), values.at(channel));
            QCOMPARE(page.valueLabel(channel)->text(), QLatin1String(names[channel]) + QString::number(values.at(channel)));
        }
        for (int e = 0; e < 4; ++e) {
            const QPalette palette = page.samplePanel(e)->palette();
            QCOMPARE(palette.color(QPalette::WindowText), QColor(6 * e + 1, 6 * e + 2, 6 * e + 3));
            QCOMPARE(palette.color(QPalette::Window), QColor(6 * e + 4, 6 * e + 5, 6 * e + 6));
        }
    }

    // The bars move by keyboard and mouse; each move is an edit of the chosen element's plane,
    // and with the same background for all, a background move reaches all four.
    void barsEditTheChosenPlane_data()
    {
        QTest::addColumn<bool>("background");
        QTest::addColumn<bool>("same");
        QTest::addColumn<int>("channel");
        QTest::addColumn<BarInput>("input");
        QTest::addColumn<QByteArray>("colors");
        QTest::newRow("text red, arrow key") << false << true << 0 << BarInput::KeyRight << iniWith({{0, 2}});
        QTest::newRow("text red, arrow button") << false << false << 0 << BarInput::ArrowClick
                                                << iniWith({{0, 2}});
        QTest::newRow("background blue, page key") << true << false << 2 << BarInput::KeyPageUp
                                                   << iniWith({{5, 26}});
        QTest::newRow("background green, arrow key, same for all") << true << true << 1 << BarInput::KeyRight
                                                                   << iniWithBackgrounds(4, 6, 6);
        QTest::newRow("background green, groove, same for all") << true << true << 1 << BarInput::GrooveClick
                                                                << iniWithBackgrounds(4, 25, 6);
    }

    void barsEditTheChosenPlane()
    {
        QFETCH(bool, background);
        QFETCH(bool, same);
        QFETCH(int, channel);
        QFETCH(BarInput, input);
        QFETCH(QByteArray, colors);
        ShownPage p;
        QVERIFY(p.active());
        p.page.setSameBackground(same);
        if (background)
            p.click(p.page.RB4());
        QScrollBar *bar = p.page.bar(channel);
        switch (input) {
        case BarInput::KeyRight:
        case BarInput::KeyPageUp:
            bar->setFocus();
            QTest::keyClick(bar, input == BarInput::KeyRight ? Qt::Key_Right : Qt::Key_PageUp);
            break;
        case BarInput::ArrowClick:
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
            break;
        case BarInput::GrooveClick:
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() / 2));
            break;
        }
        QCOMPARE(p.text(), QString::fromLatin1(colors));
        QCOMPARE(p.edits.count(), 1);
        QCOMPARE(p.page.valueLabel(channel)->text().mid(3).toInt(), bar->value());
        // The program's own positions are no edits, whatever has the focus.
        QVERIFY(bar->hasFocus());
        p.page.setColorSet(parsed(kOther));
        QCOMPARE(p.edits.count(), 1);
    }

    // Choosing an element (in the list or by its sample) or a plane shows its values and
    // changes nothing.
    void choosingShowsWithoutEditing()
    {
        ShownPage p;
        QVERIFY(p.active());
        const auto bars = [&p] {
            return QList<int>{p.page.S1()->value(), p.page.S2()->value(), p.page.S3()->value()};
        };
        p.page.CB()->setFocus();
        QTest::keyClick(p.page.CB(), Qt::Key_Down);
        QCOMPARE(p.page.element(), 1);
        QCOMPARE(bars(), (QList<int>{7, 8, 9}));
        p.click(p.page.RB4());
        QCOMPARE(bars(), (QList<int>{10, 11, 12}));
        p.click(p.page.pSampleBlink());
        QCOMPARE(p.page.element(), 2);
        QCOMPARE(bars(), (QList<int>{16, 17, 18}));
        QVERIFY(p.page.CB()->hasFocus());
        QCOMPARE(p.page.pSampleBlink()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(p.page.pSampleNormal()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(p.choices.count(), 3);
        // The chosen element's own sample chooses nothing.
        p.click(p.page.pSampleBlink());
        QCOMPARE(p.choices.count(), 3);
        QCOMPARE(p.text(), QString::fromLatin1(kIniColors));
        QCOMPARE(p.edits.count(), 0);
    }

    // A scheme chosen from the list replaces the working set; the last item stands for
    // teraterm.ini's colours.
    void schemeChoice_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QByteArray>("colors");
        QTest::newRow("up from the teraterm.ini item") << kIniColors << int(Qt::Key_Up) << 6
                                                       << QByteArray(ColorSchemes[6].text);
        QTest::newRow("the first") << kIniColors << int(Qt::Key_Home) << 0 << QByteArray(ColorSchemes[0].text);
        QTest::newRow("teraterm.ini's from a set of its own") << kOther << int(Qt::Key_End) << ColorSchemeCount
                                                             << kIniColors;
    }

    void schemeChoice()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, key);
        QFETCH(int, scheme);
        QFETCH(QByteArray, colors);
        ShownPage p;
        QVERIFY(p.active());
        p.page.setColorSet(parsed(start));
        p.page.cbSchema()->setFocus();
        QTest::keyClick(p.page.cbSchema(), Qt::Key(key));
        QCOMPARE(p.page.schemeIndex(), scheme);
        QCOMPARE(p.text(), QString::fromLatin1(colors));
        QCOMPARE(p.edits.count(), 1);
    }

    // The three buttons: Reverse (all four elements with the same background for all), one
    // background for all, the parent's colours (TeraTerm's for the top node or colours that
    // do not parse).
    void buttons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("same");
        QTest::addColumn<QByteArray>("parent");
        QTest::addColumn<QByteArray>("colors");
        QTest::newRow("reverse the chosen") << "bReverse" << false << QByteArray()
                                            << iniWith({{6, 10}, {7, 11}, {8, 12}, {9, 7}, {10, 8}, {11, 9}});
        QByteArray allReversed = kIniColors;
        {
            ColorSet set = parsed(kIniColors);
            for (int e = 0; e < 4; ++e)
                for (int c = 0; c < 3; ++c)
                    std::swap(set.at(e, false, c), set.at(e, true, c));
            allReversed = FormatColorSet(set);
        }
        QTest::newRow("reverse all") << "bReverse" << true << QByteArray() << allReversed;
        QTest::newRow("the chosen background for all") << "bSameBkgrColor" << false << QByteArray()
                                                       << iniWith({{3, 10}, {4, 11}, {5, 12}, {15, 10}, {16, 11},
                                                                   {17, 12}, {21, 10}, {22, 11}, {23, 12}});
        QTest::newRow("the parent's") << "bParentColors" << false << kOther << kOther;
        QTest::newRow("the top node's") << "bParentColors" << false << QByteArray() << kIniColors;
        QTest::newRow("a parent's that do not parse") << "bParentColors" << false << QByteArray("1:2:x")
                                                      << kIniColors;
    }

    void buttons()
    {
        QFETCH(QString, button);
        QFETCH(bool, same);
        QFETCH(QByteArray, parent);
        QFETCH(QByteArray, colors);
        ShownPage p;
        QVERIFY(p.active());
        p.page.setSameBackground(same);
        p.page.setParentColorsSource([parent] { return parent; });
        // Bold chosen; the parent's colours replace a set of the page's own.
        p.page.setElement(1);
        if (button == QLatin1String("bParentColors"))
            p.page.setColorSet(parsed(ColorSchemes[2].text));
        p.click(p.page.findChild<QPushButton *>(button));
        QCOMPARE(p.text(), QString::fromLatin1(colors));
        QCOMPARE(p.edits.count(), 1);
    }

    // With colour support off the cover comes at once and says so; back on, the reason the
    // page had stands again.
    void colourSupportSwitchesTheCover()
    {
        ColorsPage page;
        page.showNode(nullptr, QStringLiteral("Multiple items selected"));
        page.setColorSupportDisabled(true);
        QCOMPARE(page.TS3Panel()->text(), QStringLiteral("Color support is disabled"));
        page.setColorSupportDisabled(false);
        QCOMPARE(page.TS3Panel()->text(), QStringLiteral("Multiple items selected"));
        page.showNode(nullptr, QString());
        page.setColorSupportDisabled(true);
        page.setColorSupportDisabled(false);
        QVERIFY(!page.TS3Panel()->isVisibleTo(&page));
    }
};

QTEST_MAIN(TestColorsPage)
#include "tst_colorspage.moc"
