#include "platform/LineReader.h"

#include <QBuffer>
#include <QTest>

namespace {

// Lines and their ends as the reader hands them out, each written as the line, then "|" and
// the end spelt out ("crlf", "lf" or nothing).
QByteArrayList readAll(QIODevice &device, bool *failed = nullptr)
{
    LineReader reader(device);
    QByteArrayList out;
    while (reader.next()) {
        const QByteArrayView end = reader.lineEnd();
        out << reader.line().toByteArray() + '|' + (end == "\r\n" ? "crlf" : end == "\n" ? "lf" : "");
    }
    if (failed)
        *failed = reader.failed();
    return out;
}

// A device that gives its bytes a few at a time and then fails, as a disk that stops reading.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(QByteArray before) : m_before(std::move(before)) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_at == m_before.size())
            return -1;
        const qint64 n = std::min<qint64>({maxSize, 3, m_before.size() - m_at});
        std::memcpy(data, m_before.constData() + m_at, static_cast<std::size_t>(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_before;
    qint64 m_at = 0;
};

} // namespace

class TestLineReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArrayList>("expected");

        // Longer than what the reader takes from the device at a time, so lines and their ends
        // fall across its pieces.
        const QByteArray longLine(700 * 1024, 'x');
        const QByteArray piece(256 * 1024 - 1, 'p');

        QTest::newRow("empty") << QByteArray() << QByteArrayList{};
        QTest::newRow("one line without end") << QByteArray("a") << QByteArrayList{"a|"};
        QTest::newRow("one line with LF") << QByteArray("a\n") << QByteArrayList{"a|lf"};
        QTest::newRow("one line with CRLF") << QByteArray("a\r\n") << QByteArrayList{"a|crlf"};
        QTest::newRow("empty lines") << QByteArray("\n\r\n\n") << QByteArrayList{"|lf", "|crlf", "|lf"};
        QTest::newRow("CR inside a line stays") << QByteArray("a\rb\n\r") << QByteArrayList{"a\rb|lf", "\r|"};
        QTest::newRow("mixed ends") << QByteArray("a\r\nb\nc") << QByteArrayList{"a|crlf", "b|lf", "c|"};
        QTest::newRow("NUL bytes") << QByteArray("a\0b\n", 4) << QByteArrayList{QByteArray("a\0b|lf", 6)};
        QTest::newRow("a line longer than a piece") << longLine + "\r\nend" << QByteArrayList{longLine + "|crlf", "end|"};
        QTest::newRow("CR at the end of a piece, LF in the next") << piece + "\r\nnext\n"
                                                               << QByteArrayList{piece + "|crlf", "next|lf"};
        QTest::newRow("LF as the first byte of a piece") << QByteArray(256 * 1024, 'q') + "\nz"
                                                        << QByteArrayList{QByteArray(256 * 1024, 'q') + "|lf", "z|"};
    }

    void splitsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArrayList, expected);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        bool failed = true;
        QCOMPARE(readAll(buffer, &failed), expected);
        QVERIFY(!failed);
    }

    // Many short lines over many pieces, each line once and in its order.
    void readsManyLinesInOrder()
    {
        QByteArray bytes;
        QByteArrayList expected;
        for (int i = 0; i < 100000; ++i) {
            const QByteArray line = "C1_R" + QByteArray::number(i) + "=host-" + QByteArray::number(i * 7);
            bytes += line + (i % 3 ? "\r\n" : "\n");
            expected << line + (i % 3 ? "|crlf" : "|lf");
        }
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(readAll(buffer), expected);
    }

    // A device that fails is no end of the input: the reader says so and gives no line that
    // was still incomplete.
    void reportsAFailingDevice()
    {
        FailingDevice device("one\ntwo\nthr");
        bool failed = false;
        const QByteArrayList lines = readAll(device, &failed);
        QVERIFY(failed);
        QVERIFY(!lines.contains("thr|"));
    }
};

QTEST_GUILESS_MAIN(TestLineReader)
#include "tst_linereader.moc"
