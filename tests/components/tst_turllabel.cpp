#include "components/widgets/TURLLabel.h"
#include "platform/ShellOpen.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

class TestTURLLabel : public QObject
{
    Q_OBJECT

private:
    QStringList m_opened;

    static void enter(QWidget &w)
    {
        QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w.mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(&w, &e);
    }
    static void leave(QWidget &w)
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(&w, &e);
    }

private Q_SLOTS:
    void init()
    {
        m_opened.clear();
        ShellOpen::setOpenerForTesting([this](const QString &target) {
            m_opened << target;
            return true;
        });
    }
    void cleanup() { ShellOpen::setOpenerForTesting({}); }

    void newLabelLooksLikeALink()
    {
        TURLLabel label;
        QVERIFY(!label.URL().isEmpty());
        QCOMPARE(label.text(), label.URL());
        QCOMPARE(label.shownFont().Color, QColor(Qt::black));
        QVERIFY(!label.font().underline() && !label.font().bold());
        QCOMPARE(label.MouseOverFont().Color, QColor(Qt::blue));
        QVERIFY(label.MouseOverFont().Font.underline());
        QCOMPARE(label.MouseOverFont().Font.family(), label.font().family());
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    }

    void mouseOverShowsTheOtherFontAndLeavingRestoresTheLast()
    {
        TURLLabel label;
        QFont changed = label.font();
        changed.setItalic(true);
        changed.setPointSize(15);
        label.setFont(changed);  // a change made before the mouse comes
        const TCustomFont before = label.shownFont();

        enter(label);
        QCOMPARE(label.shownFont(), label.MouseOverFont());
        enter(label);  // a repeated enter must not take the hover font for the normal one
        leave(label);
        QCOMPARE(label.shownFont(), before);
    }

    void anyButtonOpensTheLink_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("url");
        QTest::newRow("left") << Qt::LeftButton << "https://www.sqlite.org/";
        QTest::newRow("right") << Qt::RightButton << "https://curl.se/libcurl/";
        QTest::newRow("middle") << Qt::MiddleButton << "mailto:support@example.org";
    }
    void anyButtonOpensTheLink()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, url);
        TURLLabel label;
        label.setURL(url);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QTest::mouseClick(&label, button);
        QCOMPARE(m_opened, QStringList{url});
    }
};

QTEST_MAIN(TestTURLLabel)
#include "tst_turllabel.moc"
