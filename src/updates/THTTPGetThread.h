#pragma once

#include "updates/HttpTransfer.h"

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>

// The worker of one download: it holds copies of everything the download needs, taken when
// it starts, runs the transfer on its own thread and keeps the outcome for the component.
class THTTPGetThread : public QThread
{
    Q_OBJECT

public:
    // Request's host, port and path come from Url when the worker runs.
    THTTPGetThread(const QString &url, const HttpTransfer::Request &request,
                   QObject *parent = nullptr);

    // Any thread. The transfer ends within about a second and counts as failed.
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }

    // Once the thread has finished.
    bool succeeded() const { return m_result.success; }
    const QByteArray &result() const { return m_result.body; }

Q_SIGNALS:
    // From the worker thread, after each piece of the body.
    void progressed(qint64 totalSize, qint64 readed);

protected:
    void run() override;

private:
    const QString m_url;
    HttpTransfer::Request m_request;
    std::atomic_bool m_stop = false;
    HttpTransfer::Result m_result;
};
