#include "mainwindow/core/FirstNonBlank.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// A text edited as an editor edits it, with the tracker told of each change and reading
// the text as an editor hands it out. Counts the bytes the tracker read.
struct EditedText
{
    QByteArray text;
    qint64 bytesRead = 0;
    FirstNonBlank tracker{[this](qint64 position, qint64 count) {
        const QByteArrayView piece = QByteArrayView(text).sliced(position).first(std::min<qint64>(count, text.size() - position));
        bytesRead += piece.size();
        return piece;
    }};

    void insert(qint64 at, const QByteArray &bytes)
    {
        text.insert(at, bytes);
        tracker.inserted(at, bytes);
    }
    void remove(qint64 at, qint64 count)
    {
        text.remove(at, count);
        tracker.deleted(at, count);
    }
    // The first byte above 32, looked for from the start.
    qint64 expected() const
    {
        for (qsizetype i = 0; i < text.size(); ++i)
            if (static_cast<unsigned char>(text[i]) > 32)
                return i;
        return -1;
    }
};

} // namespace

class TestFirstNonBlank : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each step: "+<pos>:<text>" inserts, "-<pos>:<count>" deletes, "?" asks; the answers in
    // order.
    void followsEdits_data()
    {
        QTest::addColumn<QByteArray>("initial");
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<QList<qint64>>("answers");

        QTest::newRow("empty text is blank") << QByteArray() << QByteArrayList{"?"} << QList<qint64>{-1};
        QTest::newRow("blanks and line breaks are blank") << QByteArray(" \t\r\n\x01 ") << QByteArrayList{"?"}
                                                          << QList<qint64>{-1};
        QTest::newRow("8-bit byte counts") << QByteArray("  \xc3\xa9") << QByteArrayList{"?"} << QList<qint64>{2};
        QTest::newRow("typing into a blank text") << QByteArray("   ") << QByteArrayList{"?", "+1:x", "?", "+0:  ", "?"}
                                                  << QList<qint64>{-1, 1, 3};
        QTest::newRow("typing before the first letter") << QByteArray("  ab") << QByteArrayList{"?", "+1:z", "?"}
                                                        << QList<qint64>{2, 1};
        QTest::newRow("typing after it changes nothing") << QByteArray(" ab") << QByteArrayList{"?", "+3:zz", "?"}
                                                         << QList<qint64>{1, 1};
        QTest::newRow("blanks typed in front move it") << QByteArray("ab") << QByteArrayList{"?", "+0: \r\n", "?"}
                                                       << QList<qint64>{0, 3};
        QTest::newRow("deleting the first letter finds the next") << QByteArray(" a  b") << QByteArrayList{"?", "-1:1", "?"}
                                                                  << QList<qint64>{1, 3};
        QTest::newRow("deleting the last letter leaves a blank text") << QByteArray("  a ") << QByteArrayList{"?", "-2:1", "?"}
                                                                      << QList<qint64>{2, -1};
        QTest::newRow("deleting blanks in front") << QByteArray("    a") << QByteArrayList{"?", "-0:3", "?"}
                                                  << QList<qint64>{4, 1};
        QTest::newRow("deleting after it changes nothing") << QByteArray(" abc") << QByteArrayList{"?", "-2:2", "?"}
                                                           << QList<qint64>{1, 1};
        QTest::newRow("edits before the first question") << QByteArray("   x") << QByteArrayList{"-3:1", "+1:y", "-1:1", "?"}
                                                         << QList<qint64>{-1};
        QTest::newRow("a deletion across the part read") << QByteArray("      b") << QByteArrayList{"?", "-6:1", "+2:q", "?"}
                                                         << QList<qint64>{6, 2};
    }

    void followsEdits()
    {
        QFETCH(QByteArray, initial);
        QFETCH(QByteArrayList, steps);
        QFETCH(QList<qint64>, answers);
        EditedText t;
        t.insert(0, initial);
        QList<qint64> got;
        for (const QByteArray &step : steps) {
            if (step == "?") {
                got << t.tracker.position();
                QCOMPARE(got.last(), t.expected());
                continue;
            }
            const qsizetype colon = step.indexOf(':');
            const qint64 at = step.mid(1, colon - 1).toLongLong();
            if (step.startsWith('+'))
                t.insert(at, step.mid(colon + 1));
            else
                t.remove(at, step.mid(colon + 1).toLongLong());
        }
        QCOMPARE(got, answers);
    }

    // A replaced text is read anew.
    void resetForgetsTheText()
    {
        EditedText t;
        t.insert(0, "  a");
        QCOMPARE(t.tracker.position(), 2);
        t.text = "    ";
        t.tracker.reset();
        QVERIFY(t.tracker.isBlank());
    }

    // Random edits of a text with long blank runs: every answer is the one a search from the
    // start gives, and asking again without an edit reads nothing.
    void agreesWithASearchFromTheStart()
    {
        QRandomGenerator random(20240611);
        EditedText t;
        for (int step = 0; step < 20000; ++step) {
            const int what = random.bounded(10);
            if (what < 5 || t.text.isEmpty()) {
                const qint64 at = random.bounded(t.text.size() + 1);
                QByteArray bytes(random.bounded(1, 40), ' ');
                if (random.bounded(4) == 0)
                    bytes[random.bounded(bytes.size())] = char('a' + random.bounded(26));
                t.insert(at, bytes);
            } else if (what < 8) {
                const qint64 at = random.bounded(t.text.size());
                t.remove(at, random.bounded(1, static_cast<int>(std::min<qint64>(30, t.text.size() - at)) + 1));
            } else {
                QCOMPARE(t.tracker.position(), t.expected());
                const qint64 read = t.bytesRead;
                QCOMPARE(t.tracker.position(), t.expected());
                QCOMPARE(t.bytesRead, read);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFirstNonBlank)
#include "tst_firstnonblank.moc"
