#include "mainwindow/ColorsPage.h"
#include "mainwindow/CoverPanel.h"
#include "support/TempProgramFolder.h"
#include "table/ColorSet.h"
#include "table/EditCommands.h"
#include "table/rVTNodeData.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

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

} // namespace

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
};

QTEST_MAIN(TestColorsPage)
#include "tst_colorspage.moc"
