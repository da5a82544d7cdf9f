// The colour-set parsers on any text: the 24-number form and the widening of an old
// 18-number text. What they give is a colour set whose text form parses back to it.
#include "FuzzCheck.h"

#include "table/ColorSet.h"
#include "table/TableFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    ColorSet set;
    ParseColorSet(ColorSchemes[0].text, set);
    ParseColorSet(text, set);
    const QByteArray formatted = FormatColorSet(set);
    ColorSet again;
    Check(ParseColorSet(formatted, again) && again == set, "a colour set's text parses back to it");

    const QByteArray widened = ConvertOldColorString(text);
    ColorSet wide;
    Check(ParseColorSet(widened, wide) && FormatColorSet(wide) == widened, "a widened text is a whole colour set");
    return 0;
}
