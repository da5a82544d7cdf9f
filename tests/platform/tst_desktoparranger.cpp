#include "platform/DesktopArranger.h"

#include <QTest>

using Call = DesktopArranger::Call;

namespace {

// Stands where a desktop with real calls would: counts what reached it.
class CountingArranger : public DesktopArranger
{
public:
    int minimized = 0;
    void minimizeAll() override
    {
        ++minimized;
        DesktopArranger::minimizeAll();
    }
};

} // namespace

class TestDesktopArranger : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callsAreRecordedInOrder()
    {
        DesktopArranger &arranger = DesktopArranger::instance();
        arranger.clearCalls();
        arranger.minimizeAll();
        arranger.tileHorizontally();
        arranger.minimizeAll();
        QCOMPARE(arranger.calls(),
                 (QList<Call>{Call::MinimizeAll, Call::TileHorizontally, Call::MinimizeAll}));
        arranger.clearCalls();
        QVERIFY(arranger.calls().isEmpty());
    }

    void aTestArrangerTakesThePlaceOfTheDefault()
    {
        CountingArranger counting;
        DesktopArranger::setInstanceForTesting(&counting);
        DesktopArranger::instance().minimizeAll();
        DesktopArranger::instance().tileHorizontally();
        QCOMPARE(counting.minimized, 1);
        QCOMPARE(counting.calls(), (QList<Call>{Call::MinimizeAll, Call::TileHorizontally}));
        DesktopArranger::setInstanceForTesting(nullptr);
        DesktopArranger::instance().clearCalls();
        DesktopArranger::instance().tileHorizontally();
        QVERIFY(&DesktopArranger::instance() != &counting);
        QCOMPARE(counting.calls().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDesktopArranger)
#include "tst_desktoparranger.moc"
