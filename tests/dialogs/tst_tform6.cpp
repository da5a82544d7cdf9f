#include "components/widgets/TURLLabel.h"
#include "dialogs/widgets/TForm4.h"
#include "dialogs/widgets/TForm6.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString kBase = QStringLiteral("http://updates.example.org/freeware/Wexmora");

} // namespace

class TestTForm6 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versionAndBuildLines_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("line");
        QTest::newRow("release") << "2.8.1.0" << "Version 2.8  (Release 1)";
        QTest::newRow("beta") << "2.9.0.0" << "Version 2.9  (Beta)";
        QTest::newRow("project version, three parts") << "2.8.1" << "Version 2.8  (Release 1)";
        QTest::newRow("two parts") << "3.10" << "Version 3.10  (Beta)";
        QTest::newRow("no version") << "" << "Version 99999.99999  (Beta)";
        QTest::newRow("not a version") << "2.8-1" << "Version 99999.99999  (Beta)";
        QTest::newRow("signed part") << "2.+8.1" << "Version 99999.99999  (Beta)";
        QTest::newRow("five parts") << "1.2.3.4.5" << "Version 99999.99999  (Beta)";
    }
    void versionAndBuildLines()
    {
        QFETCH(QString, version);
        QFETCH(QString, line);
        QCoreApplication::setApplicationVersion(version);
        TForm4 licence;
        TForm6 about(kBase, licence);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Wexmora"));
        QCOMPARE(about.findChild<QLabel *>("Label9")->text(), QStringLiteral("Wexmora"));
        QCOMPARE(about.findChild<QLabel *>("Label30")->text(), line);
        QCOMPARE(about.findChild<QLabel *>("Label8")->text(), QStringLiteral("Build: 18-Jan-2006."));
    }

    void linksLeadToTheWebAndAreUnderlinedOnlyUnderTheMouse()
    {
        TForm4 licence;
        TForm6 about(kBase, licence);
        const auto link = [&about](const char *name) { return about.findChild<TURLLabel *>(name); };
        QCOMPARE(link("URLLabel2")->URL(), kBase);
        QCOMPARE(link("URLLabel2")->text(), kBase);
        QCOMPARE(link("URLLabel1")->URL(), QStringLiteral("http://updates.example.org/"));
        QCOMPARE(link("URLLabel3")->URL(), QStringLiteral("http://updates.example.org/forum/"));
        QStringList credits;
        for (TURLLabel *label : about.findChildren<TURLLabel *>()) {
            QVERIFY(!label->font().underline());
            QCOMPARE(label->shownFont().Color, QColor(Qt::blue));
            QVERIFY(label->MouseOverFont().Font.underline());
            credits << label->URL();
        }
        for (const char *site : {"https://www.qt.io/", "https://www.riverbankcomputing.com/software/qscintilla/",
                                 "https://www.sqlite.org/", "https://curl.se/libcurl/"})
            QVERIFY2(credits.contains(site), site);
    }

    // On the shown window every link and the licence's title are drawn in blue on the white
    // window, none in black.
    void linksAreBlueOnTheShownWindow()
    {
        TForm4 licence;
        TForm6 about(kBase, licence);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.grab().toImage().pixelColor(2, 2), QColor(Qt::white));
        QList<QLabel *> blue;
        for (TURLLabel *link : about.findChildren<TURLLabel *>())
            blue << link;
        QVERIFY(blue.size() >= 4);
        blue << about.findChild<QLabel *>("Label10");
        for (QLabel *label : blue) {
            const QImage image = label->grab().toImage();
            int bluePixels = 0;
            int darkPixels = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    bluePixels += c.blue() > 180 && c.red() < 120 && c.green() < 120;
                    darkPixels += c.blue() < 90 && c.red() < 90 && c.green() < 90;
                }
            }
            QVERIFY2(bluePixels > 10, qPrintable(label->objectName()));
            QVERIFY2(darkPixels == 0, qPrintable(label->objectName()));
        }
    }

    // The site and the forum are on the server of the program's page, its port included.
    void siteLinksKeepTheServersPort_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("site");
        QTest::newRow("port 80") << kBase << "http://updates.example.org/";
        QTest::newRow("another port") << "http://127.0.0.1:8080/freeware/Wexmora" << "http://127.0.0.1:8080/";
        QTest::newRow("a named host and port") << "http://mirror.example.net:81/freeware/Wexmora"
                                               << "http://mirror.example.net:81/";
    }
    void siteLinksKeepTheServersPort()
    {
        QFETCH(QString, base);
        QFETCH(QString, site);
        TForm4 licence;
        TForm6 about(base, licence);
        const auto link = [&about](const char *name) { return about.findChild<TURLLabel *>(name); };
        QCOMPARE(link("URLLabel1")->URL(), site);
        QCOMPARE(link("URLLabel1")->text(), site);
        QCOMPARE(link("URLLabel3")->URL(), site + QLatin1String("forum/"));
        QCOMPARE(link("URLLabel2")->URL(), base);
    }

    void licenceOpensFromTheAboutWindow()
    {
        TForm4 licence;
        TForm6 about(kBase, licence);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto *title = about.findChild<QLabel *>("Label10");
        QCOMPARE(title->text(), licence.licenceTitle());
        QCOMPARE(title->cursor().shape(), Qt::PointingHandCursor);

        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(title, &enter);
        QVERIFY(title->font().underline());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(title, &leave);
        QVERIFY(!title->font().underline());

        bool shownModally = false;
        QTimer::singleShot(0, &licence, [&] {
            shownModally = QApplication::activeModalWidget() == &licence && licence.isVisible();
            QTest::mouseClick(licence.findChild<QPushButton *>("Button1"), Qt::LeftButton);
        });
        QTest::mouseClick(title, Qt::LeftButton);
        QVERIFY(shownModally);
        QVERIFY(!licence.isVisible());
        QVERIFY(about.isVisible());

        QTest::mouseClick(about.findChild<QPushButton *>("Button1"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestTForm6)
#include "tst_tform6.moc"
