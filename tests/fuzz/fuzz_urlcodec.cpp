// The escaping of macro and popup texts on any bytes: the decoder reads anything, and
// decoding what the encoder made gives the text back.
#include "FuzzCheck.h"

#include "table/UrlCodec.h"

#include <cstddef>
#include <cstdint>

namespace {

bool Escaped(const QByteArray &text)
{
    for (const char c : text) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!plain && c != '+' && c != '%')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const bool spaceAsPlus : {true, false}) {
        const QByteArray encoded = UrlEncode(text, spaceAsPlus);
        Check(Escaped(encoded), "an escaped text holds letters, digits, + and % only");
        Check(UrlDecode(encoded) == text, "decoding the escaped text gives it back");
    }
    // Stored texts from files and the clipboard reach the decoder as they are.
    Check(UrlDecode(text).size() <= text.size(), "decoding never makes a text longer");
    HexToInt64(text);
    return 0;
}
