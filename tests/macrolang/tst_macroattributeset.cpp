#include "macrolang/MacroAttributeSet.h"

#include "platform/Registry.h"
#include "shell/OptionsStore.h"
#include "shell/ProgramRegKey.h"
#include "support/TempUserDirs.h"

#include <QSignalSpy>
#include <QTest>

class TestMacroAttributeSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Stored settings rest on these names; two of them differ from the attributes' own.
    void savedUnderItsStorageName_data()
    {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<QString>("storageName");
        QTest::newRow("comment") << int(MacroAttribute::CommentAttri) << "Comment";
        QTest::newRow("identifier") << int(MacroAttribute::IdentifierAttri) << "Label";
        QTest::newRow("key") << int(MacroAttribute::KeyAttri) << "Asm";
        QTest::newRow("labels") << int(MacroAttribute::LabelsAttri) << "Labels";
        QTest::newRow("program variables") << int(MacroAttribute::WexmoraVarsAttri) << "WexmoraVars";
        QTest::newRow("space") << int(MacroAttribute::SpaceAttri) << "Space";
        QTest::newRow("string") << int(MacroAttribute::StringAttri) << "String";
        QTest::newRow("symbol") << int(MacroAttribute::SymbolAttri) << "Symbol";
        QTest::newRow("system variables") << int(MacroAttribute::SysVarsAttri) << "SysVars";
    }
    void savedUnderItsStorageName()
    {
        QFETCH(int, attribute);
        QFETCH(QString, storageName);
        TempUserDirs dirs;
        auto registry = dirs.freshRegistry();

        MacroAttributeSet set;
        set.setForeground(MacroAttribute(attribute), 0x00123456);
        set.setStyle(MacroAttribute(attribute), FontStyleBits::Underline | FontStyleBits::Bold);
        SaveEnvironment env;
        env.highlighterAttributes = set.attributes();
        QVERIFY(SaveSettings(*registry, ProgramOptions(), env));

        const QString key = ProgramRegKey + QLatin1Char('\\') + storageName;
        QCOMPARE(registry->readDword(ProgramRegHive, key, QStringLiteral("Foreground")).value_or(0), 0x00123456u);
        QCOMPARE(registry->readDword(ProgramRegHive, key, QStringLiteral("Style")).value_or(0),
                 quint32(FontStyleBits::Underline | FontStyleBits::Bold));

        MacroAttributeSet next;
        QSignalSpy changed(&next, &MacroAttributeSet::changed);
        next.load(*registry);
        QCOMPARE(next.attributes(), set.attributes());
        QCOMPARE(changed.count(), 1);
    }

    void nothingStoredKeepsTheDesign()
    {
        TempUserDirs dirs;
        auto registry = dirs.freshRegistry();
        MacroAttributeSet set;
        QSignalSpy changed(&set, &MacroAttributeSet::changed);
        set.load(*registry);
        QCOMPARE(set.attributes(), MacroAttributeSet::defaults());
        QCOMPARE(changed.count(), 0);
    }

    // Listeners repaint on every real change and on nothing else.
    void changeSignals()
    {
        MacroAttributeSet set;
        QSignalSpy changed(&set, &MacroAttributeSet::changed);
        set.setForeground(MacroAttribute::StringAttri, 0x000000FF);
        set.setForeground(MacroAttribute::StringAttri, 0x000000FF);
        QCOMPARE(changed.count(), 1);
        set.setStyle(MacroAttribute::CommentAttri, FontStyleBits::Italic);   // already italic
        QCOMPARE(changed.count(), 1);
        set.setStyle(MacroAttribute::CommentAttri, 0);
        QCOMPARE(changed.count(), 2);
        set.resetToDefaults();
        QCOMPARE(changed.count(), 3);
        QCOMPARE(set.attributes(), MacroAttributeSet::defaults());
    }
};

QTEST_GUILESS_MAIN(TestMacroAttributeSet)
#include "tst_macroattributeset.moc"
