// The configuration backup reads teraterm.ini (any bytes in TeraTerm's folder) into kept
// lines, and reads those lines back from a store that may have been edited. Every kept line
// reads back with its section and a key without blanks around it; any other line is read
// without fault.
#include "FuzzCheck.h"

#include "runner/MacroAssembler.h"
#include "runner/TeraTermIniEntries.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    for (const QByteArray &kept : TeraTermIniEntries(bytes)) {
        const auto entry = ParseTeraTermIniEntry(kept);
        Check(entry.has_value(), "a kept line reads back");
        Check(kept.startsWith('[' + entry->section + ']'), "its section comes back");
        Check(entry->key == entry->key.trimmed(), "its key has no blanks around it");
    }
    for (const QByteArray &line : SplitMacroLines(bytes))
        ParseTeraTermIniEntry(line);
    return 0;
}
