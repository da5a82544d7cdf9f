#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

// One blocking HTTP/1.0 request through libcurl, for the download component's worker thread.
namespace HttpTransfer {

struct Request
{
    QString host;             // a name or IPv4 address, or an IPv6 address in brackets
    int port = 80;
    QString path;             // sent as given, a "/" put in front when missing
    QString agent;            // empty: no User-Agent
    QString acceptTypes;      // empty: no Accept
    QString referer;
    QString userName;
    QString password;
    QString postQuery;        // not empty: a form POST with this body
    bool lengthRequired = false;
    bool useCache = false;    // false asks every cache on the way for a fresh copy
    int connectTimeoutSeconds = 15;
    int stallTimeoutSeconds = 30;
    qint64 maxBodySize = 1024 * 1024;
    int maxRedirects = 5;
};

struct Result
{
    bool success = false;
    QByteArray body;
    qint64 contentLength = 0;  // 0 when the reply stated none
};

// After each piece of the body: the stated length (0 when none) and the bytes read so far.
using Progress = std::function<void(qint64 contentLength, qint64 received)>;

// Makes Libcurl ready; call once on the main thread before any transfer.
void initialize();

// Runs Request to its end. Any failure gives success false: the connection, a timeout, a
// status outside 200-299 after at most maxRedirects redirects, a reply that cannot be read, a
// body over the limit or shorter than its stated length, an empty body, Stop becoming true.
Result fetch(const Request &request, const std::atomic_bool &stop, const Progress &progress);

} // namespace HttpTransfer
