#include "platform/Registry.h"
#include "shell/HighlighterAttributeStore.h"
#include "shell/ProgramRegKey.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The macro highlighter's nine attributes with their design defaults.
QList<HighlighterAttribute> designAttributes()
{
    using namespace FontStyleBits;
    return {
        {QStringLiteral("Comment"), 0x00008000, StoredColor::None, Italic},
        {QStringLiteral("Label"), 0x00808000, StoredColor::None, 0},
        {QStringLiteral("Asm"), 0x00800000, StoredColor::None, Bold},
        {QStringLiteral("Labels"), 0x00FF0000, StoredColor::None, 0},
        {QStringLiteral("WexmoraVars"), 0x000000FF, StoredColor::None, 0},
        {QStringLiteral("Space"), StoredColor::None, StoredColor::None, 0},
        {QStringLiteral("String"), 0x00800080, StoredColor::None, 0},
        {QStringLiteral("Symbol"), 0x00FF00FF, StoredColor::None, Bold},
        {QStringLiteral("SysVars"), 0x00008080, StoredColor::None, 0},
    };
}

QString key(const QString &attribute)
{
    return ProgramRegKey + QLatin1Char('\\') + attribute;
}

} // namespace

class TestHighlighterAttributeStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Registry> m_reg;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
    }
    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("registry.sqlite3")));
        m_reg = std::make_unique<Registry>(m_dir.filePath(QStringLiteral("registry.sqlite3")));
        QVERIFY(m_reg->isOpen());
    }
    void cleanup() { m_reg.reset(); }

    void nothingStoredKeepsDefaults()
    {
        QCOMPARE(HighlighterAttributeStore::load(*m_reg, designAttributes()), designAttributes());
    }

    void roundTrip()
    {
        QList<HighlighterAttribute> changed = designAttributes();
        for (int i = 0; i < changed.size(); ++i) {
            changed[i].Foreground = quint32(0x00010203 * (i + 1));
            changed[i].Background = i % 2 ? 0xFF000005 : 0x00FFFFFF;
            changed[i].Style = i % 16;
        }
        QVERIFY(HighlighterAttributeStore::save(*m_reg, changed));

        Registry next(m_dir.filePath(QStringLiteral("registry.sqlite3")));
        QCOMPARE(HighlighterAttributeStore::load(next, designAttributes()), changed);
        QStringList subKeys = m_reg->subKeys(ProgramRegHive, ProgramRegKey);
        subKeys.sort();
        QStringList names;
        for (const HighlighterAttribute &a : changed)
            names << a.Name;
        names.sort();
        QCOMPARE(subKeys, names);
    }

    // Sub-keys stored by hand or by another version: each readable part is taken.
    void partlyStored_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<quint32>("foreground");
        QTest::addColumn<quint32>("background");
        QTest::addColumn<int>("style");
        QTest::newRow("foreground only") << "Foreground" << QVariant(0x00123456) << 0x00123456u << StoredColor::None << int(FontStyleBits::Italic);
        QTest::newRow("background only") << "Background" << QVariant(0x00FFFFFF) << 0x00008000u << 0x00FFFFFFu << int(FontStyleBits::Italic);
        QTest::newRow("style plain") << "Style" << QVariant(0) << 0x00008000u << StoredColor::None << 0;
        QTest::newRow("style with unknown bits") << "Style" << QVariant(0xF5) << 0x00008000u << StoredColor::None << 5;
        QTest::newRow("foreground as text") << "Foreground" << QVariant("255") << 0x00008000u << StoredColor::None << int(FontStyleBits::Italic);
        QTest::newRow("foreground no colour") << "Foreground" << QVariant(0x12345678) << 0x00008000u << StoredColor::None << int(FontStyleBits::Italic);
        QTest::newRow("background no colour") << "Background" << QVariant(0xFFFFFFFF) << 0x00008000u << StoredColor::None << int(FontStyleBits::Italic);
        QTest::newRow("foreground system colour") << "Foreground" << QVariant(0xFF000008) << 0xFF000008u << StoredColor::None << int(FontStyleBits::Italic);
        QTest::newRow("name in other case") << "FOREGROUND" << QVariant(0x00000001) << 0x00000001u << StoredColor::None << int(FontStyleBits::Italic);
    }
    void partlyStored()
    {
        QFETCH(QString, value);
        QFETCH(QVariant, stored);
        QFETCH(quint32, foreground);
        QFETCH(quint32, background);
        QFETCH(int, style);
        if (stored.typeId() == QMetaType::QString)
            QVERIFY(m_reg->writeString(ProgramRegHive, key(QStringLiteral("comment")), value, stored.toString()));
        else
            QVERIFY(m_reg->writeDword(ProgramRegHive, key(QStringLiteral("comment")), value, quint32(stored.toLongLong())));
        const QList<HighlighterAttribute> read = HighlighterAttributeStore::load(*m_reg, designAttributes());
        QCOMPARE(read.at(0).Foreground, foreground);
        QCOMPARE(read.at(0).Background, background);
        QCOMPARE(read.at(0).Style, style);
        QCOMPARE(read.mid(1), designAttributes().mid(1));
    }

    void nameThatIsNoAttributeIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("path") << "Comment\\..\\x";
    }
    void nameThatIsNoAttributeIsRefused()
    {
        QFETCH(QString, name);
        QList<HighlighterAttribute> attributes = designAttributes();
        attributes.append({name, 1, 2, 3});
        QVERIFY(!HighlighterAttributeStore::save(*m_reg, attributes));
        QVERIFY(m_reg->subKeys(ProgramRegHive, ProgramRegKey).isEmpty());
        QVERIFY(m_reg->valueNames(ProgramRegHive, ProgramRegKey).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHighlighterAttributeStore)
#include "tst_highlighterattributestore.moc"
