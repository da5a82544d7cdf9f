#include "updates/THTTPGetThread.h"

#include "updates/THTTPGet.h"

THTTPGetThread::THTTPGetThread(const QString &url, const HttpTransfer::Request &request,
                               QObject *parent)
    : QThread(parent), m_url(url), m_request(request)
{
}

void THTTPGetThread::run()
{
    // Nothing may escape the thread: whatever goes wrong is a failed download.
    try {
        const THTTPGet::Address address = THTTPGet::ParseURL(m_url);
        m_request.host = address.host;
        m_request.port = address.port;
        m_request.path = address.path;
        m_result = HttpTransfer::fetch(m_request, m_stop, [this](qint64 total, qint64 read) {
            Q_EMIT progressed(total, read);
        });
    } catch (...) {
        m_result = HttpTransfer::Result();
    }
}
