#include "platform/PeVersionResource.h"
#include "support/FileBytes.h"
#include "support/PeImage.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using PeVersionResource::FileVersion;

namespace {

using Damage = std::function<void(PeImage &)>;

QString text(const std::optional<FileVersion> &v)
{
    if (!v)
        return QStringLiteral("none");
    return QStringLiteral("%1.%2.%3.%4").arg(v->major).arg(v->minor).arg(v->release).arg(v->build);
}

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(PeImage::Options)

class TestPeVersionResource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheFileVersion_data()
    {
        QTest::addColumn<PeImage::Options>("options");
        QTest::addColumn<QString>("expected");
        QTest::newRow("PE32") << PeImage::Options{false, true, 4, 106, 2, 7} << "4.106.2.7";
        QTest::newRow("PE32+") << PeImage::Options{true, true, 5, 0, 0, 1} << "5.0.0.1";
        QTest::newRow("largest numbers")
            << PeImage::Options{false, true, 65535, 65535, 65535, 65535} << "65535.65535.65535.65535";
        QTest::newRow("an icon but no version") << PeImage::Options{false, false} << "none";
    }

    void readsTheFileVersion()
    {
        QFETCH(PeImage::Options, options);
        QFETCH(QString, expected);
        QCOMPARE(text(PeVersionResource::read(PeImage(options).bytes)), expected);
    }

    // Each damage gives no version, and nothing is read outside the image (the tests run with
    // the library's bounds checks; the fuzz target with the address sanitizer).
    void damagedImagesGiveNoVersion_data()
    {
        QTest::addColumn<Damage>("damage");
        const auto at32 = [](qsizetype where, quint32 value) {
            return Damage([=](PeImage &pe) { pe.put32(where, value); });
        };
        const auto at16 = [](qsizetype where, quint16 value) {
            return Damage([=](PeImage &pe) { pe.put16(where, value); });
        };
        QTest::newRow("not MZ") << at16(0, 0x5A4E);
        QTest::newRow("PE header beyond the file") << at32(PeImage::PeHeaderPointer, 0x400);
        QTest::newRow("PE header at the top of the range") << at32(PeImage::PeHeaderPointer, 0xFFFFFFFF);
        QTest::newRow("no PE signature") << at32(PeImage::PeHeader, 0x00004551);
        QTest::newRow("unknown optional header") << at16(PeImage::OptionalHeader, 0x107);
        QTest::newRow("optional header too small for the directories")
            << at16(PeImage::OptionalHeaderSize, 96);
        QTest::newRow("optional header beyond the file") << at16(PeImage::OptionalHeaderSize, 0xFFFF);
        QTest::newRow("two data directories only")
            << Damage([](PeImage &pe) { pe.put32(pe.directoryCount, 2); });
        QTest::newRow("no resource directory")
            << Damage([](PeImage &pe) { pe.put32(pe.resourceDirectory, 0); });
        QTest::newRow("resources outside every section")
            << Damage([](PeImage &pe) { pe.put32(pe.resourceDirectory, 0x5000); });
        QTest::newRow("resources at the top of the address range")
            << Damage([](PeImage &pe) { pe.put32(pe.resourceDirectory, 0xFFFFFFF0); });
        QTest::newRow("sections beyond the file") << at16(PeImage::SectionCount, 0xFFFF);
        QTest::newRow("no sections") << at16(PeImage::SectionCount, 0);
        QTest::newRow("section data beyond the file")
            << Damage([](PeImage &pe) { pe.put32(pe.section + 20, 0xFFFFFF00); });
        QTest::newRow("type directory beyond the section")
            << at32(PeImage::TypeEntry + 4, 0x80000000u | 0x7FFFFFF0u);
        QTest::newRow("type entry counts beyond the file")
            << at16(PeImage::Resources + 14, 0xFFFF);
        QTest::newRow("directory pointing back at its root")
            << at32(PeImage::NameEntry + 4, 0x80000000u);
        QTest::newRow("language entry is a directory")
            << at32(PeImage::LanguageEntry + 4, 0x80000000u | 0x48);
        QTest::newRow("data entry beyond the section") << at32(PeImage::LanguageEntry + 4, 0x1F8);
        QTest::newRow("version data outside every section") << at32(PeImage::DataEntry, 0x800);
        QTest::newRow("version data larger than the file") << at32(PeImage::DataEntry + 4, 0x7FFFFFFF);
        QTest::newRow("version data too short for the fixed block") << at32(PeImage::DataEntry + 4, 91);
        QTest::newRow("block length beyond its data") << at16(PeImage::VersionBlock, 93);
        QTest::newRow("block length too short") << at16(PeImage::VersionBlock, 40);
        QTest::newRow("no fixed block") << at16(PeImage::VersionBlock + 2, 0);
        QTest::newRow("another key") << at16(PeImage::VersionBlock + 6, 'W');
        QTest::newRow("fixed block signature wrong") << at32(PeImage::FixedInfo, 0xFEEF04BC);
    }

    void damagedImagesGiveNoVersion()
    {
        QFETCH(Damage, damage);
        PeImage pe(PeImage::Options{});
        QVERIFY(PeVersionResource::read(pe.bytes));
        damage(pe);
        QCOMPARE(text(PeVersionResource::read(pe.bytes)), QStringLiteral("none"));
    }

    // Cut anywhere before the end of the version block, the image gives no version; beyond it
    // the version is there.
    void truncatedImages()
    {
        for (const bool plus : {false, true}) {
            const QByteArray whole = PeImage(PeImage::Options{plus}).bytes;
            for (qsizetype size = 0; size <= whole.size(); ++size) {
                const QString got = text(PeVersionResource::read(whole.left(size)));
                const QString expected = size < PeImage::VersionEnd ? "none" : "4.106.2.7";
                if (got != expected)
                    QFAIL(qPrintable(QStringLiteral("cut at %1: %2").arg(size).arg(got)));
            }
        }
    }

    void readsFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("executable") << "ttermpro.exe" << "4.106.2.7";
        QTest::newRow("missing") << "missing.exe" << "none";
        QTest::newRow("folder") << "folder.exe" << "none";
        QTest::newRow("empty") << "empty.exe" << "none";
        QTest::newRow("script") << "script.exe" << "none";
    }

    void readsFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(WriteFileBytes(dir.filePath("ttermpro.exe"), PeImage(PeImage::Options{}).bytes));
        QVERIFY(QDir(dir.path()).mkdir("folder.exe"));
        QVERIFY(WriteFileBytes(dir.filePath("empty.exe"), QByteArray()));
        QVERIFY(WriteFileBytes(dir.filePath("script.exe"), "#!/bin/sh\nexit 0\n"));
        QCOMPARE(text(PeVersionResource::readFile(dir.filePath(name))), expected);
    }
};

QTEST_GUILESS_MAIN(TestPeVersionResource)
#include "tst_peversionresource.moc"
