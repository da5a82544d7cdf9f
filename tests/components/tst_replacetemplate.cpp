#include "components/ReplaceTemplate.h"

#include <QRegularExpression>
#include <QTest>

class TestReplaceTemplate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void expand_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("replaceTemplate");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain text") << "b" << "b" << "x y" << "x y";
        QTest::newRow("whole match") << "b+" << "bbb" << "[$0|$&]" << "[bbb|bbb]";
        QTest::newRow("groups one to nine") << "(a)(b)(c)(d)(e)(f)(g)(h)(i)" << "abcdefghi" << "$9$8$1" << "iha";
        QTest::newRow("one digit only after $") << "(a)" << "a" << "$10" << "a0";
        QTest::newRow("braced group") << "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)" << "abcdefghijk" << "${11}${010}" << "kj";
        QTest::newRow("missing group gives nothing") << "(a)" << "a" << "<$5${12}>" << "<>";
        QTest::newRow("group that took no part") << "(a)|(b)" << "b" << "<$1>" << "<>";
        QTest::newRow("backslash makes the next literal") << "(a)" << "a" << "\\$1\\\\\\n" << "$1\\n";
        QTest::newRow("lone $ and trailing backslash") << "(a)" << "a" << "5$ $x ${} ${1x} \\" << "5$ $x ${} ${1x} \\";
        QTest::newRow("huge group number") << "(a)" << "a" << "${99999999999999999999}" << "";
    }
    void expand()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, subject);
        QFETCH(QString, replaceTemplate);
        QFETCH(QString, expected);
        const QRegularExpressionMatch m = QRegularExpression(pattern).match(subject);
        QVERIFY(m.hasMatch());
        QCOMPARE(ExpandReplaceTemplate(replaceTemplate, m), expected);
    }
};

QTEST_GUILESS_MAIN(TestReplaceTemplate)
#include "tst_replacetemplate.moc"
