#include "updates/THTTPGet.h"

#include "platform/FieldText.h"
#include "updates/THTTPGetThread.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>

THTTPGet::THTTPGet(QObject *parent) : QObject(parent)
{
    HttpTransfer::initialize();
    m_request.acceptTypes = QStringLiteral("*/*");
    m_request.agent = QStringLiteral("Pelthorn HTTPGet");
}

THTTPGet::~THTTPGet()
{
    if (!m_worker)
        return;
    disconnect(m_worker.get(), nullptr, this, nullptr);
    m_worker->requestStop();
    m_worker->wait();
}

void THTTPGet::GetString()
{
    if (m_worker)
        return;
    m_worker = std::make_unique<THTTPGetThread>(m_url, m_request);
    // Both arrive through this object's event queue, so on its thread and in order.
    connect(m_worker.get(), &THTTPGetThread::progressed, this, &THTTPGet::workerProgressed,
            Qt::QueuedConnection);
    connect(m_worker.get(), &QThread::finished, this, &THTTPGet::workerFinished,
            Qt::QueuedConnection);
    m_worker->start();
    if (m_waitThread)
        QCoreApplication::processEvents();
}

void THTTPGet::Abort()
{
    if (m_worker)
        m_worker->requestStop();
}

void THTTPGet::workerProgressed(qint64 totalSize, qint64 readed)
{
    if (m_worker && !m_worker->stopRequested())
        Q_EMIT OnProgress(totalSize, readed);
}

void THTTPGet::workerFinished()
{
    if (!m_worker)
        return;
    m_worker->wait();
    // A stop request decides over whatever the worker made of it.
    const bool success = !m_worker->stopRequested() && m_worker->succeeded();
    const QPointer<THTTPGet> alive(this);
    if (success)
        Q_EMIT OnDoneString(DecodeField(m_worker->result()));
    else
        Q_EMIT OnError();
    // Free only after the event: a GetString from inside it finds the component busy.
    if (alive)
        m_worker.reset();
}

THTTPGet::Address THTTPGet::ParseURL(const QString &url)
{
    QString rest = url;
    static const QString scheme = QStringLiteral("http://");
    const qsizetype at = rest.indexOf(scheme, 0, Qt::CaseInsensitive);
    if (at >= 0)
        rest.remove(0, at + scheme.size());

    Address address;
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    address.host = slash >= 0 ? rest.left(slash) : rest;
    address.path = slash >= 0 ? rest.mid(slash) : QStringLiteral("index.html");

    // The port follows the last ":" outside an IPv6 address's brackets.
    const qsizetype colon = address.host.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0 && colon > address.host.lastIndexOf(QLatin1Char(']'))) {
        const QString digits = address.host.mid(colon + 1);
        bool ok = false;
        const int port = digits.toInt(&ok);
        const bool plain = std::all_of(digits.begin(), digits.end(),
                                       [](QChar c) { return c >= u'0' && c <= u'9'; });
        address.port = ok && plain && port >= 1 && port <= 65535 ? port : 0;
        address.host.truncate(colon);
    }
    return address;
}
