#pragma once

#include "updates/HttpTransfer.h"

#include <QObject>
#include <QString>

#include <memory>

class THTTPGetThread;

// Fetches one URL over HTTP on a worker thread and hands the outcome back on the thread that
// owns the component, as exactly one OnDoneString or OnError per download. One download at a
// time: GetString while one runs is ignored, also from inside the events, because the worker
// counts as running until its event has returned.
class THTTPGet : public QObject
{
    Q_OBJECT

public:
    struct Address
    {
        QString host;
        int port = 80;  // 0 when the URL names a port that cannot be used
        QString path;
    };

    explicit THTTPGet(QObject *parent = nullptr);
    // Stops a running download and waits for its worker (about a second at most); raises no
    // event.
    ~THTTPGet() override;

    // Media types for the Accept header; "*/*" at first.
    QString AcceptTypes() const { return m_request.acceptTypes; }
    void setAcceptTypes(const QString &types) { m_request.acceptTypes = types; }
    // User-Agent; empty sends none. "Pelthorn HTTPGet" at first.
    QString Agent() const { return m_request.agent; }
    void setAgent(const QString &agent) { m_request.agent = agent; }
    // When true, a reply that does not state its length fails.
    bool BinaryData() const { return m_request.lengthRequired; }
    void setBinaryData(bool on) { m_request.lengthRequired = on; }
    // "http://" host[":" port] path; the scheme may be left out.
    QString URL() const { return m_url; }
    void setURL(const QString &url) { m_url = url; }
    // False asks every cache on the way for a fresh copy.
    bool UseCache() const { return m_request.useCache; }
    void setUseCache(bool on) { m_request.useCache = on; }
    QString UserName() const { return m_request.userName; }
    void setUserName(const QString &name) { m_request.userName = name; }
    QString Password() const { return m_request.password; }
    void setPassword(const QString &password) { m_request.password = password; }
    // Not empty: the request is a form POST with this body.
    QString PostQuery() const { return m_request.postQuery; }
    void setPostQuery(const QString &query) { m_request.postQuery = query; }
    QString Referer() const { return m_request.referer; }
    void setReferer(const QString &referer) { m_request.referer = referer; }
    // When true, GetString handles the events already queued once after starting.
    bool WaitThread() const { return m_waitThread; }
    void setWaitThread(bool on) { m_waitThread = on; }
    // Limits: seconds to connect (15), seconds without a byte (30), body bytes (1 MiB).
    int ConnectTimeout() const { return m_request.connectTimeoutSeconds; }
    void setConnectTimeout(int seconds) { m_request.connectTimeoutSeconds = seconds; }
    int StallTimeout() const { return m_request.stallTimeoutSeconds; }
    void setStallTimeout(int seconds) { m_request.stallTimeoutSeconds = seconds; }
    qint64 MaxSize() const { return m_request.maxBodySize; }
    void setMaxSize(qint64 bytes) { m_request.maxBodySize = bytes; }

    // Starts downloading URL into a string, unless a download runs.
    void GetString();
    // Stops the running download; it ends in OnError.
    void Abort();
    // Whether a download runs (until its event has returned).
    bool isBusy() const { return m_worker != nullptr; }

    // The host, port and path of Url: "http://" (any letter case) and what comes before it is
    // dropped; the host ends at the first "/", where the path begins ("index.html" without
    // one); a host ending in ":" digits names its port.
    static Address ParseURL(const QString &url);

Q_SIGNALS:
    void OnProgress(qint64 totalSize, qint64 readed);
    void OnDoneString(const QString &result);
    void OnError();

private:
    void workerProgressed(qint64 totalSize, qint64 readed);
    void workerFinished();

    QString m_url;
    HttpTransfer::Request m_request;
    bool m_waitThread = false;
    std::unique_ptr<THTTPGetThread> m_worker;
};
