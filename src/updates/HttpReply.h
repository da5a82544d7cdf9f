#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

// What a server answered to one request, put together from the header lines and body pieces
// as they arrive. Only a complete, successful reply counts: a final status of 200-299 after
// its headers ended, a body within the size limit, exactly as long as its Content-Length says,
// and not empty.
class HttpReply
{
public:
    explicit HttpReply(qint64 maxBodySize) : m_maxBodySize(maxBodySize) {}

    // One header line as received, its line break included. A status line starts a new
    // response (a redirect's target, after an interim 1xx); an empty line ends the headers.
    // False when the line cannot be read as either or as a header field, or contradicts an
    // earlier one: the transfer must stop.
    bool addHeaderLine(QByteArrayView line);
    // False when the body would grow beyond the size limit or when it comes before the headers
    // ended; nothing is kept of Chunk then, and the reply can no longer be complete.
    bool addBody(QByteArrayView chunk);

    // 0 until a status line came.
    int status() const { return m_status; }
    std::optional<qint64> contentLength() const { return m_contentLength; }
    const QByteArray &body() const { return m_body; }

    // Whether this is a complete success; LengthRequired: a reply must also state its length.
    bool isComplete(bool lengthRequired) const;

private:
    bool addStatusLine(QByteArrayView line);
    bool addField(QByteArrayView line);

    qint64 m_maxBodySize;
    int m_status = 0;
    bool m_headersEnded = false;
    bool m_bodyRefused = false;
    std::optional<qint64> m_contentLength;
    QByteArray m_body;
};
