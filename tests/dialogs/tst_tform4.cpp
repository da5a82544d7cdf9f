#include "components/widgets/TJstLabel.h"
#include "dialogs/widgets/TForm4.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestTForm4 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheLicenceWhole()
    {
        TForm4 licence;
        QCOMPARE(licence.licenceTitle(), QStringLiteral("GNU General Public License, version 3 or later"));
        QCOMPARE(licence.windowTitle(), licence.licenceTitle().toUpper());
        QVERIFY(licence.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(licence.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        licence.show();
        QVERIFY(QTest::qWaitForWindowExposed(&licence));
        for (int n = 1; n <= 8; ++n) {
            const auto *paragraph = licence.findChild<TJstLabel *>(QStringLiteral("JstLabel%1").arg(n));
            QVERIFY(paragraph);
            QVERIFY(!paragraph->text().isEmpty());
            QVERIFY(paragraph->font().bold());
            // Every line of the paragraph has room: none is cut off.
            QVERIFY2(paragraph->height() >= paragraph->heightForWidth(paragraph->width()),
                     qPrintable(paragraph->objectName()));
        }
        QVERIFY(licence.findChild<TJstLabel *>("JstLabel1")->text().contains(
            "either version 3 of the License, or (at your option) any later version"));
    }

    void closeButtonEndsTheModalShowing()
    {
        TForm4 licence;
        QTimer::singleShot(0, &licence, [&licence] {
            QTest::mouseClick(licence.findChild<QPushButton *>("Button1"), Qt::LeftButton);
        });
        licence.exec();
        QVERIFY(!licence.isVisible());
    }
};

QTEST_MAIN(TestTForm4)
#include "tst_tform4.moc"
