#include "updates/HttpTransfer.h"

#include "updates/HttpReply.h"

#include <QRegularExpression>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace HttpTransfer {

namespace {

struct Transfer
{
    HttpReply reply;
    const std::atomic_bool &stop;
    const Progress &progress;
};

size_t onHeader(char *data, size_t size, size_t count, void *context)
{
    auto *transfer = static_cast<Transfer *>(context);
    const size_t length = size * count;
    return transfer->reply.addHeaderLine(QByteArrayView(data, qsizetype(length))) ? length : 0;
}

size_t onBody(char *data, size_t size, size_t count, void *context)
{
    auto *transfer = static_cast<Transfer *>(context);
    const size_t length = size * count;
    if (!transfer->reply.addBody(QByteArrayView(data, qsizetype(length))))
        return 0;
    if (transfer->progress)
        transfer->progress(transfer->reply.contentLength().value_or(0), transfer->reply.body().size());
    return length;
}

// Libcurl calls this at least about once a second, also while nothing arrives, so a stop
// request ends the transfer that soon.
int onTick(void *context, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<Transfer *>(context)->stop.load() ? 1 : 0;
}

bool isValidHost(const QString &host)
{
    static const QRegularExpression valid(
        QStringLiteral("^(?:[A-Za-z0-9._-]+|\\[[0-9A-Fa-f:.]+\\])$"));
    return valid.match(host).hasMatch();
}

struct CurlDeleter
{
    void operator()(CURL *curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

} // namespace

void initialize()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

Result fetch(const Request &request, const std::atomic_bool &stop, const Progress &progress)
{
    Result result;
    if (!isValidHost(request.host) || request.port < 1 || request.port > 65535 || stop)
        return result;
    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return result;
    CURL *c = curl.get();

    const QString path = request.path.startsWith(QLatin1Char('/')) ? request.path
                                                                   : QLatin1Char('/') + request.path;
    const QByteArray url = QStringLiteral("http://%1:%2%3")
                               .arg(request.host).arg(request.port).arg(path).toUtf8();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, long(request.maxRedirects));
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(request.connectTimeoutSeconds));
    // Fewer than one byte a second for the whole stall time ends the transfer.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(request.stallTimeoutSeconds));
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.maxBodySize));

    const QByteArray agent = request.agent.toUtf8();
    if (!agent.isEmpty())
        curl_easy_setopt(c, CURLOPT_USERAGENT, agent.constData());
    const QByteArray referer = request.referer.toUtf8();
    if (!referer.isEmpty())
        curl_easy_setopt(c, CURLOPT_REFERER, referer.constData());
    const QByteArray userName = request.userName.toUtf8();
    const QByteArray password = request.password.toUtf8();
    if (!userName.isEmpty() || !password.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_HTTPAUTH, long(CURLAUTH_BASIC));
        curl_easy_setopt(c, CURLOPT_USERNAME, userName.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }

    // A header without a value ("Accept:") keeps libcurl from sending its own.
    QList<QByteArray> headers{"Accept: " + request.acceptTypes.toUtf8()};
    if (!request.useCache)
        headers << "Pragma: no-cache" << "Cache-Control: no-cache";
    const QByteArray post = request.postQuery.toUtf8();
    if (!post.isEmpty()) {
        headers << "Content-Type: application/x-www-form-urlencoded";
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(post.size()));
        curl_easy_setopt(c, CURLOPT_COPYPOSTFIELDS, post.constData());
    }
    std::unique_ptr<curl_slist, CurlDeleter> headerList;
    for (const QByteArray &header : std::as_const(headers)) {
        // Appending returns the list's head, or null (leaving the list as it was) when it fails.
        curl_slist *head = curl_slist_append(headerList.get(), header.trimmed().constData());
        if (!head)
            return result;
        if (!headerList)
            headerList.reset(head);
    }
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headerList.get());

    Transfer transfer{HttpReply(request.maxBodySize), stop, progress};
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onTick);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode code = curl_easy_perform(c);
    result.contentLength = transfer.reply.contentLength().value_or(0);
    result.success = code == CURLE_OK && !stop && transfer.reply.isComplete(request.lengthRequired);
    if (result.success)
        result.body = transfer.reply.body();
    return result;
}

} // namespace HttpTransfer
