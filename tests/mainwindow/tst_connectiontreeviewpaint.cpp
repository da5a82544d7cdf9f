#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/ConnectionTreeView.h"
#include "ShownRows.h"
#include "ViewTwins.h"

#include <QDir>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

namespace {

// Fusion, with every state a row, its branches or its item is painted in written over it as a
// strip of coloured cells, so that two views that paint the same pixels were given the same
// states, also those Fusion itself draws alike (hover, an inactive window, the item's place).
class StateMarkingStyle : public QProxyStyle
{
public:
    StateMarkingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement pe, const QStyleOption *opt, QPainter *p, const QWidget *w) const override
    {
        QProxyStyle::drawPrimitive(pe, opt, p, w);
        if (pe == PE_PanelItemViewRow || pe == PE_IndicatorBranch || pe == PE_FrameFocusRect)
            mark(opt, p, pe == PE_PanelItemViewRow ? 0 : pe == PE_IndicatorBranch ? 1 : 2);
    }

    void drawControl(ControlElement ce, const QStyleOption *opt, QPainter *p, const QWidget *w) const override
    {
        QProxyStyle::drawControl(ce, opt, p, w);
        if (ce == CE_ItemViewItem)
            mark(opt, p, 3);
    }

private:
    static void mark(const QStyleOption *opt, QPainter *p, int kind)
    {
        static constexpr QStyle::StateFlag flags[] = {State_Enabled, State_Active, State_Selected, State_HasFocus,
                                                      State_MouseOver, State_Open, State_Children, State_Sibling,
                                                      State_Item};
        QList<bool> bits;
        for (QStyle::StateFlag f : flags)
            bits << bool(opt->state & f);
        const QPalette::ColorGroup group = opt->palette.currentColorGroup();
        bits << (group == QPalette::Active) << (group == QPalette::Disabled);
        if (const auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(opt)) {
            bits << item->showDecorationSelected << (item->viewItemPosition == QStyleOptionViewItem::OnlyOne)
                 << item->features.testFlag(QStyleOptionViewItem::Alternate);
        }
        p->save();
        for (int i = 0; i < bits.size(); ++i)
            p->fillRect(QRect(opt->rect.left() + 2 * i, opt->rect.top() + 2 * kind, 2, 2),
                        bits.at(i) ? QColor(220, 0, 0) : QColor(0, 0, 220));
        p->restore();
    }
};

} // namespace

class TestConnectionTreeViewPaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The program's view paints every row as Qt's own tree view does, in every state a row can
    // be in, with a selection of few ranges or of many.
    void paintsAsQtsOwnView_data()
    {
        QTest::addColumn<int>("groups");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("focused");
        QTest::newRow("one row selected and current") << 4 << QStringList{"click 0/1/1"} << true;
        QTest::newRow("the window not focused") << 4 << QStringList{"click 0/1/1", "ctrl-click 2"} << false;
        QTest::newRow("Shift+End over many branches") << 80 << QStringList{"click 0/0", "key Shift+End"} << true;
        QTest::newRow("Shift+End, then back up") << 80 << QStringList{"click 0/0", "key Shift+End", "key Shift+Home"}
                                                 << true;
        QTest::newRow("Ctrl+clicks between ranges")
            << 80 << QStringList{"click 0/0", "key Shift+End", "key Shift+Home", "ctrl-click 0/1", "ctrl-click 1"}
            << true;
        QTest::newRow("closed branches and last rows")
            << 4 << QStringList{"close 0/1", "close 2", "click 4/1/1/0", "shift-click 6"} << true;
        QTest::newRow("the pointer over a row") << 4 << QStringList{"click 0", "hover 0/1/1"} << true;
        QTest::newRow("the pointer over a branch sign") << 4 << QStringList{"click 0", "hover-sign 0/1"} << true;
        QTest::newRow("the pointer gone again") << 4 << QStringList{"hover 0/1", "leave"} << true;
        QTest::newRow("renaming in place") << 4 << QStringList{"click 2", "edit 2"} << true;
        QTest::newRow("disabled") << 4 << QStringList{"click 0/1", "disable"} << false;
        QTest::newRow("right to left") << 4 << QStringList{"right-to-left", "click 0/1/1", "hover-sign 0/1"} << true;
    }

    void paintsAsQtsOwnView()
    {
        QFETCH(int, groups);
        QFETCH(QStringList, steps);
        QFETCH(bool, focused);
        StateMarkingStyle style;
        ViewTwins t(ManyBranches(groups));
        for (QTreeView *v : t.views())
            v->setStyle(&style);
        // One view after the other: an in-place editor closes when its window loses the focus.
        QList<QImage> shots;
        for (QTreeView *v : t.views()) {
            for (const QString &step : std::as_const(steps))
                t.apply(step, {v});
            v->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(v));
            if (focused && !v->indexWidget(v->currentIndex()))
                v->setFocus();
            else if (!focused)
                v->clearFocus();
            QCoreApplication::processEvents();
            QCOMPARE(v->hasFocus(), focused && !v->indexWidget(v->currentIndex()));
            shots << v->viewport()->grab().toImage();
        }
        if (shots.at(0) != shots.at(1)) {
            const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
            shots.at(0).save(QDir::temp().filePath(QStringLiteral("paint-program-%1.png").arg(name)));
            shots.at(1).save(QDir::temp().filePath(QStringLiteral("paint-qt-%1.png").arg(name)));
        }
        QVERIFY2(shots.at(0) == shots.at(1), "the rows differ from Qt's own; see paint-*.png in the temporary folder");
    }
};

QTEST_MAIN(TestConnectionTreeViewPaint)
#include "tst_connectiontreeviewpaint.moc"
