// The window carries the program's icon, and names the desktop entry the install command
// writes, so a desktop shows the icon and finds the program again.
#include "mainwindow/ProgramIcon.h"
#include "mainwindow/TForm1.h"
#include "platform/ApplicationIdentity.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

class TestProgramIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        SetApplicationIdentity();
        SetDesktopIdentity();
    }

    void theShownWindowHasTheIcon_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }

    void theShownWindowHasTheIcon()
    {
        QFETCH(int, size);
        TempUserDirs dirs;
        ScriptedPrompter prompter;
        TForm1 form(&prompter);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        const QIcon icon = form.windowHandle()->icon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // The rounded corner stays clear; the middle is the icon's own dark blue, not blank.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        const QColor middle = image.pixelColor(size / 2, size / 8);
        QCOMPARE(middle.alpha(), 255);
        QVERIFY2(middle.blue() > middle.red(), qPrintable(middle.name()));
    }

    void theWindowNamesTheProgramsDesktopEntry()
    {
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("wexmora"));
        // The window class: the desktop entry's StartupWMClass matches it.
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Wexmora"));
    }
};

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
