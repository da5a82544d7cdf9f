#include "WindowMachine.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

// The window's stored place and size come from the user's own settings file, which may be
// edited or damaged, or written while another monitor was there. Run on two screens side by
// side (two-screens.json): A 1280 by 1024 at the origin, B 1920 by 1080 to its right.
class TestTForm1StoredGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(screens.at(0)->availableGeometry(), QRect(0, 0, 1280, 1024));
        QCOMPARE(screens.at(1)->availableGeometry(), QRect(1280, 0, 1920, 1080));
    }

    void windowOpensOnTheScreens_data()
    {
        QTest::addColumn<QRect>("stored");   // WinLeft, WinTop, WinWidth, WinHeight
        QTest::addColumn<QRect>("opened");
        QTest::newRow("on A: as stored") << QRect(200, 150, 800, 600) << QRect(200, 150, 800, 600);
        QTest::newRow("on the second monitor: as stored") << QRect(2000, 300, 900, 600)
                                                          << QRect(2000, 300, 900, 600);
        QTest::newRow("taller than A: A's height") << QRect(100, 100, 1000, 3000) << QRect(100, 0, 1000, 1024);
        QTest::newRow("far below: back onto A") << QRect(100, 5000, 700, 500) << QRect(100, 524, 700, 500);
        QTest::newRow("far to the left: back onto A") << QRect(-9000, 200, 700, 500) << QRect(0, 200, 700, 500);
        // The size X11 allows at most; drawn, it would take gigabytes.
        QTest::newRow("the display's limit: all of B") << QRect(0, 0, 32767, 32767) << QRect(1280, 0, 1920, 1080);
        QTest::newRow("damaged: negative size") << QRect(300, 200, -40, -7) << QRect(300, 200, 654, 0);
    }
    void windowOpensOnTheScreens()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, opened);
        Machine machine;
        const struct { const char *name; int value; } values[] = {
            {"WinLeft", stored.x()}, {"WinTop", stored.y()}, {"WinWidth", stored.width()}, {"WinHeight", stored.height()}};
        for (const auto &v : values)
            QVERIFY(machine.registry->writeDword(ProgramRegHive, ProgramRegKey, QLatin1String(v.name), quint32(v.value)));

        std::unique_ptr<TForm1> form = machine.start();
        QVERIFY(form);
        // A damaged size gives the window's smallest.
        if (opened.height() == 0)
            opened.setSize(form->minimumSize());
        QCOMPARE(form->geometry(), opened);
        // What the window has is what the options keep, and what is written back.
        const ProgramOptions &o = form->options();
        QCOMPARE(QRect(o.WinLeft, o.WinTop, o.WinWidth, o.WinHeight), opened);
        form->SaveSettingsAndNotify();
        for (const auto &v : values) {
            const auto written = machine.registry->readDword(ProgramRegHive, ProgramRegKey, QLatin1String(v.name));
            QVERIFY(written);
            QCOMPARE(int(qint32(*written)), QList<int>({opened.x(), opened.y(), opened.width(), opened.height()})
                                                 .at(int(&v - values)));
        }
    }
};

QTEST_MAIN(TestTForm1StoredGeometry)
#include "tst_tform1_storedgeometry.moc"
