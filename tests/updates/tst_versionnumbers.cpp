#include "support/FileBytes.h"
#include "support/PeImage.h"
#include "updates/VersionNumbers.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

VersionNumbers numbers(const QString &text)
{
    const QStringList parts = text.split('.');
    return {parts.value(0).toInt(), parts.value(1).toInt(), parts.value(2).toInt(),
            parts.value(3).toInt()};
}

QString text(const VersionNumbers &v)
{
    return QStringLiteral("%1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build);
}

} // namespace

class TestVersionNumbers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A reply is compared only when it is a version text; the comparison is by number, major
    // first, without the build.
    void comparesReplies_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("expected");
        QTest::newRow("equal") << "2.8.5.0" << "2.8-5" << "same or older";
        QTest::newRow("next minor, release 0") << "2.8.5.0" << "2.9-0" << "newer";
        QTest::newRow("next release") << "2.8.5.0" << "2.8-6" << "newer";
        QTest::newRow("numbers, not text") << "2.9.3.0" << "2.10-0" << "newer";
        QTest::newRow("older release") << "2.8.5.0" << "2.8-4" << "same or older";
        QTest::newRow("older major, larger minor") << "2.0.0.0" << "1.99-99" << "same or older";
        QTest::newRow("newer major, smaller minor") << "2.99.99.0" << "3.0-0" << "newer";
        QTest::newRow("build not compared") << "2.8.5.9" << "2.8-5" << "same or older";
        QTest::newRow("unknown installed version") << "99999.99999.0.0" << "99998.999999999-9"
                                                   << "same or older";
        QTest::newRow("leading zeros") << "4.105.0.0" << "04.0106-00" << "newer";
        QTest::newRow("nine digits") << "1.0.0.0" << "999999999.999999999-999999999" << "newer";
        QTest::newRow("trailing CR LF") << "1.0.0.0" << "2.8-1\r\n" << "invalid";
        QTest::newRow("trailing LF") << "1.0.0.0" << "2.8-1\n" << "invalid";
        QTest::newRow("leading blank") << "1.0.0.0" << " 2.8-1" << "invalid";
        QTest::newRow("trailing blank") << "1.0.0.0" << "2.8-1 " << "invalid";
        QTest::newRow("no release") << "1.0.0.0" << "2.8" << "invalid";
        QTest::newRow("empty release") << "1.0.0.0" << "2.8-" << "invalid";
        QTest::newRow("negative") << "1.0.0.0" << "-1.2-3" << "invalid";
        QTest::newRow("two releases") << "1.0.0.0" << "2.8-5-1" << "invalid";
        QTest::newRow("dots only") << "1.0.0.0" << "2.8.1" << "invalid";
        QTest::newRow("sign") << "1.0.0.0" << "+2.8-1" << "invalid";
        QTest::newRow("ten digits") << "1.0.0.0" << "1234567890.1-1" << "invalid";
        QTest::newRow("other digits") << "1.0.0.0" << QStringLiteral("\u0662.\u0668-\u0661") << "invalid";
        QTest::newRow("NUL after it") << "1.0.0.0" << QStringLiteral("2.8-1") + QChar(0) << "invalid";
        QTest::newRow("error page") << "1.0.0.0" << "<html><body>404 Not Found</body></html>" << "invalid";
        QTest::newRow("empty") << "1.0.0.0" << "" << "invalid";
    }

    void comparesReplies()
    {
        QFETCH(QString, installed);
        QFETCH(QString, reply);
        QFETCH(QString, expected);
        const std::optional<VersionNumbers> web = ParseVersionText(reply);
        const QString got = !web ? "invalid"
            : IsNewerVersion(numbers(installed), *web) ? "newer" : "same or older";
        QCOMPARE(got, expected);
    }

    void readsTheInstalledVersions_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("with a version resource") << "ttermpro.exe" << "4.106.2.7";
        QTest::newRow("without one") << "icon.exe" << "99999.99999.0.0";
        QTest::newRow("cut short") << "cut.exe" << "99999.99999.0.0";
        QTest::newRow("missing") << "missing.exe" << "99999.99999.0.0";
    }

    void readsTheInstalledVersions()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QByteArray image = PeImage(PeImage::Options{}).bytes;
        QVERIFY(WriteFileBytes(dir.filePath("ttermpro.exe"), image));
        QVERIFY(WriteFileBytes(dir.filePath("icon.exe"), PeImage(PeImage::Options{false, false}).bytes));
        QVERIFY(WriteFileBytes(dir.filePath("cut.exe"), image.left(PeImage::FixedInfo + 10)));
        QCOMPARE(text(GetFileVersionNumbers(dir.filePath(file))), expected);
    }

    void readsTheProgramsOwnVersion_data()
    {
        QTest::addColumn<QString>("applicationVersion");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three parts") << "2.8.1" << "2.8.1.0";
        QTest::newRow("four parts") << "3.0.0.12" << "3.0.0.12";
        QTest::newRow("two parts") << "2.9" << "2.9.0.0";
        QTest::newRow("none") << "" << "0.0.0.0";
    }

    void readsTheProgramsOwnVersion()
    {
        QFETCH(QString, applicationVersion);
        QFETCH(QString, expected);
        QCoreApplication::setApplicationVersion(applicationVersion);
        QCOMPARE(text(ProgramVersionNumbers()), expected);
    }
};

QTEST_GUILESS_MAIN(TestVersionNumbers)
#include "tst_versionnumbers.moc"
