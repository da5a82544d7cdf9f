// A server's reply as the download sees it: header lines (a status line after each blank one
// starts the next response of a redirect chain), then the body in pieces whose size the first
// byte chooses; then what the update window does with the text.
#include "platform/FieldText.h"
#include "updates/HttpReply.h"
#include "updates/UpdateTexts.h"
#include "updates/VersionNumbers.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr qint64 kLimit = 4096;

QByteArrayView nextLine(QByteArrayView &rest)
{
    const qsizetype end = rest.indexOf('\n');
    const QByteArrayView line = end < 0 ? rest : rest.first(end + 1);
    rest = rest.sliced(line.size());
    return line;
}

bool isBlank(QByteArrayView line)
{
    return line == "\n" || line == "\r\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype piece = data[0] % 64 + 1;
    QByteArrayView rest(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1);

    HttpReply reply(kLimit);
    bool readable = true;
    while (readable && !rest.isEmpty()) {
        const QByteArrayView line = nextLine(rest);
        readable = reply.addHeaderLine(line);
        if (isBlank(line) && !rest.startsWith("HTTP/"))
            break;
    }
    while (readable && !rest.isEmpty()) {
        const QByteArrayView chunk = rest.first(std::min(piece, rest.size()));
        rest = rest.sliced(chunk.size());
        readable = reply.addBody(chunk);
    }
    if (reply.body().size() > kLimit)
        __builtin_trap();
    if (!reply.isComplete(false))
        return 0;

    const QString text = DecodeField(reply.body());
    UpdateTexts::ConvertLineBreaksToCRLF(text);
    if (const std::optional<VersionNumbers> version = ParseVersionText(text)) {
        IsNewerVersion(UnknownFileVersion, *version);
        UpdateTexts::LatestTeraTermVersion(text);
        UpdateTexts::LatestProgramVersion(text);
    }
    return 0;
}
