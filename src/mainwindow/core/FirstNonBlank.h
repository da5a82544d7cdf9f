#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <functional>

// Where an editor's text first holds more than blanks (a byte above 32: blanks, line breaks
// and other control characters do not count), kept up to date from the editor's insertions
// and deletions, so asking whether the text is blank costs nothing in proportion to its
// length. Bytes found blank are never looked at again unless they are inserted anew.
class FirstNonBlank
{
public:
    // Reads the text's bytes from a position, up to a count; fewer at the end of the text.
    using ReadText = std::function<QByteArrayView(qint64 position, qint64 count)>;

    explicit FirstNonBlank(ReadText read) : m_read(std::move(read)) {}

    // The text was replaced: nothing of it is known yet.
    void reset();
    // Bytes were inserted at Position.
    void inserted(qint64 position, QByteArrayView bytes);
    // Count bytes were deleted at Position.
    void deleted(qint64 position, qint64 count);

    // The position of the first byte above 32, or -1 when the text is blank.
    qint64 position();
    bool isBlank() { return position() < 0; }

private:
    ReadText m_read;
    // Known: m_first is the answer. Otherwise every byte before m_blankUpTo is blank and the
    // rest is still to be read.
    bool m_known = false;
    qint64 m_first = -1;
    qint64 m_blankUpTo = 0;
};
