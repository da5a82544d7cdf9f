#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

// A small HTTP server on the loopback for a test, run by the test's own event loop: it answers
// each path with the bytes the test scripted (404 for others), records every request, and may
// keep a connection open without a word after its reply (a stall).
class LoopbackHttpServer
{
public:
    struct Reply
    {
        QByteArray bytes;
        bool stall = false;  // keep the connection open after Bytes
    };

    struct Request
    {
        QByteArray method;
        QByteArray path;
        QByteArray version;
        QList<QByteArray> headers;  // "Name: value", as sent
        QByteArray body;

        QByteArray header(const QByteArray &name) const
        {
            for (const QByteArray &h : headers) {
                const qsizetype colon = h.indexOf(':');
                if (colon > 0 && h.left(colon).compare(name, Qt::CaseInsensitive) == 0)
                    return h.mid(colon + 1).trimmed();
            }
            return QByteArray();
        }
        bool hasHeader(const QByteArray &name) const { return !header(name).isNull(); }
    };

    LoopbackHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
    }

    // "127.0.0.1:port", as the update host is configured.
    QByteArray host() const { return "127.0.0.1:" + QByteArray::number(m_server.serverPort()); }
    QString url(const QByteArray &path) const
    {
        return QString::fromLatin1("http://" + host() + path);
    }

    void setReply(const QByteArray &path, const Reply &reply) { m_replies[path] = reply; }
    void setReply(const QByteArray &path, const QByteArray &bytes) { m_replies[path] = {bytes}; }

    const QList<Request> &requests() const { return m_requests; }
    QList<QByteArray> paths() const
    {
        QList<QByteArray> out;
        for (const Request &r : m_requests)
            out << r.path;
        return out;
    }
    // Connections the client has not closed yet.
    int openConnections() const { return m_open; }

    static QByteArray response(int status, const QByteArray &reason, const QByteArray &body,
                               const QByteArray &extraHeaders = QByteArray())
    {
        return "HTTP/1.0 " + QByteArray::number(status) + ' ' + reason
            + "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size())
            + "\r\n" + extraHeaders + "\r\n" + body;
    }
    static QByteArray ok(const QByteArray &body) { return response(200, "OK", body); }
    static QByteArray redirect(const QByteArray &location)
    {
        return response(302, "Found", "moved", "Location: " + location + "\r\n");
    }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++m_open;
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                *buffer += socket->readAll();
                serve(socket, *buffer);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                --m_open;
                socket->deleteLater();
            });
        }
    }

    // Answers once the request's head (and a POST's body) is in.
    void serve(QTcpSocket *socket, QByteArray &buffer)
    {
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0 || socket->property("served").toBool())
            return;
        QList<QByteArray> lines = buffer.left(end).split('\n');
        Request request;
        const QList<QByteArray> first = lines.takeFirst().trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        request.version = first.value(2);
        for (const QByteArray &line : lines)
            request.headers << line.trimmed();
        const qsizetype length = request.header("Content-Length").toLongLong();
        if (buffer.size() < end + 4 + length)
            return;
        request.body = buffer.mid(end + 4, length);
        socket->setProperty("served", true);
        m_requests << request;

        const Reply reply = m_replies.value(request.path, Reply{response(404, "Not Found", "<html>gone</html>")});
        socket->write(reply.bytes);
        if (!reply.stall)
            socket->disconnectFromHost();
    }

    QHash<QByteArray, Reply> m_replies;
    QList<Request> m_requests;
    int m_open = 0;
    // Last, so it and its sockets go first, while what their handlers touch still exists.
    QTcpServer m_server;
};
