#include "dialogs/ConfirmReplacePlacement.h"
#include "dialogs/widgets/TConfirmReplaceDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestTConfirmReplaceDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each answer as a user gives it.
    void answers_data()
    {
        QTest::addColumn<QString>("button");   // or a key
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << "btnReplace" << int(TConfirmReplaceDialog::Yes);
        QTest::newRow("No") << "btnSkip" << int(TConfirmReplaceDialog::No);
        QTest::newRow("Cancel") << "btnCancel" << int(TConfirmReplaceDialog::Cancel);
        QTest::newRow("Yes to all") << "btnReplaceAll" << int(TConfirmReplaceDialog::YesToAll);
        QTest::newRow("Enter is Yes") << "Enter" << int(TConfirmReplaceDialog::Yes);
        QTest::newRow("Escape is Cancel") << "Escape" << int(TConfirmReplaceDialog::Cancel);
        QTest::newRow("Alt+A is Yes to all") << "Alt+A" << int(TConfirmReplaceDialog::YesToAll);
    }
    void answers()
    {
        QFETCH(QString, button);
        QFETCH(int, answer);
        TConfirmReplaceDialog d;
        d.PrepareShowing(QRect(0, 0, 800, 600), 10, 10, 26, QStringLiteral("abc"));
        QTimer::singleShot(0, &d, [&] {
            if (!QTest::qWaitForWindowActive(&d))
                d.reject();
            else if (auto *b = d.findChild<QPushButton *>(button))
                QTest::mouseClick(b, Qt::LeftButton);
            else if (button == QLatin1String("Enter"))
                QTest::keyClick(&d, Qt::Key_Return);
            else if (button == QLatin1String("Escape"))
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                QTest::keyClick(&d, Qt::Key_A, Qt::AltModifier);
        });
        QCOMPARE(d.exec(), answer);
    }

    // The question names the text in double quotes, and the dialog stands where the placement
    // rule puts it for its own size, frame included (known from the run's first question).
    void prepareShowing_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("y2");
        QTest::newRow("below the hit") << QRect(0, 0, 800, 600) << 40 << 100 << 116;
        QTest::newRow("above a hit low in the window") << QRect(0, 0, 800, 600) << 790 << 500 << 516;
        QTest::newRow("centred on a narrow window") << QRect(300, 200, 100, 600) << 310 << 210 << 226;
    }
    void prepareShowing()
    {
        QFETCH(QRect, rect);
        QFETCH(int, x);
        QFETCH(int, y1);
        QFETCH(int, y2);
        TConfirmReplaceDialog d;
        d.PrepareShowing(QRect(0, 0, 800, 600), 0, 0, 16, QStringLiteral("first"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.hide();
        d.PrepareShowing(rect, x, y1, y2, QStringLiteral("$user$"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.findChild<QLabel *>(QStringLiteral("lblConfirmation"))->text(),
                 QStringLiteral("Replace this occurence of \"$user$\"?"));
        QCOMPARE(d.frameGeometry().topLeft(), ConfirmReplacePlacement(rect, d.frameGeometry().size(), x, y1, y2));
    }
};

QTEST_MAIN(TestTConfirmReplaceDialog)
#include "tst_tconfirmreplacedialog.moc"
