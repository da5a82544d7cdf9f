// The macro scanner on arbitrary bytes: its tokens cover every line exactly, each byte gets
// one of the attributes' styles, and the word and help lookups accept whatever it yields.

#include "macrolang/MacroHelpContext.h"
#include "macrolang/MacroWordAt.h"
#include "macrolang/TSynTTMacroSyn.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void check(QByteArrayView line)
{
    TSynTTMacroSyn scanner;
    qsizetype expected = 0;
    for (scanner.SetLine(line); !scanner.GetEol(); scanner.Next()) {
        if (scanner.GetTokenPos() != expected || scanner.GetTokenLength() <= 0)
            std::abort();
        expected += scanner.GetTokenLength();
        MacroHelpContext(scanner.GetToken());
    }
    if (expected != line.size() || scanner.GetTokenPos() != line.size())
        std::abort();

    std::vector<char> styles(size_t(line.size()), char(0x7F));
    TSynTTMacroSyn::StyleLine(line, styles.data());
    for (const char s : styles)
        if (s < 0 || s >= MacroAttributeCount)
            std::abort();

    const QByteArray word = MacroWordAt(line, line.size() / 2);
    if (word.size() > line.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    // The whole input as one line (line-end bytes inside it), then line by line.
    check(input);
    qsizetype start = 0;
    while (start <= input.size()) {
        const void *lf = std::memchr(input.data() + start, '\n', size_t(input.size() - start));
        const qsizetype end = lf ? static_cast<const char *>(lf) - input.data() : input.size();
        check(input.sliced(start, end - start));
        start = end + 1;
    }
    return 0;
}
