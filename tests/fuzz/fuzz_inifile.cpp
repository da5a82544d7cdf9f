// IniFile on any bytes: every key reads, and writing one key changes that key alone. Each of a
// few keys is written in turn into the same input: one TeraTerm's files hold, one of a
// section that may be missing, one of the exchange file.
#include "FuzzCheck.h"

#include "platform/IniFile.h"
#include "support/FileBytes.h"

#include <cstddef>
#include <cstdint>

namespace {

const QByteArray Value = QByteArrayLiteral("fuzz value");

bool SameName(const QByteArray &a, const QByteArray &b)
{
    return a.toLower() == b.toLower();
}

// Sections as headers name them, in file order, each spelling once.
QByteArrayList SectionNames(const QByteArray &bytes)
{
    QByteArrayList names;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray t = line.trimmed();
        const qsizetype close = t.indexOf(']');
        if (t.startsWith('[') && close > 0 && !names.contains(t.mid(1, close - 1).trimmed()))
            names << t.mid(1, close - 1).trimmed();
    }
    return names;
}

using Entries = QList<QPair<QByteArray, QByteArray>>;

// Section's entries as they read once Key is written with Value.
Entries WithKeyWritten(Entries entries, const QByteArray &key)
{
    for (auto &[k, v] : entries) {
        if (SameName(k, key)) {
            v = Value;
            return entries;
        }
    }
    entries.append({key, Value});
    return entries;
}

// Old and New agree but for bytes inside one line (a value replaced) or bytes added between
// lines (a key, or a section, added).
bool OnlyOneLineChanged(const QByteArray &old, const QByteArray &now)
{
    qsizetype prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix
           && old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    return !old.mid(prefix, old.size() - prefix - suffix).contains('\n');
}

void WriteOneKey(const QByteArray &bytes, const QByteArray &section, const QByteArray &key)
{
    const QString file = ScratchFile(QStringLiteral("input.ini"));
    Check(WriteFileBytes(file, bytes), "the input is written");
    IniFile ini(file);
    const QByteArrayList sections = SectionNames(bytes);
    QList<Entries> before;
    for (const QByteArray &s : sections) {
        before << ini.entries(s);
        for (const auto &[k, v] : before.last())
            Check(ini.readString(s, k) == v && ini.hasKey(s, k), "a key of the section reads");
    }

    Check(ini.writeString(section, key, Value), "the key is written");
    Check(ini.flush(), "the file is saved");
    const QByteArray written = ReadFileBytes(file);
    Check(written == ini.contents(), "the file holds what was written");
    Check(OnlyOneLineChanged(bytes, written), "the rest of the file is kept");

    const IniFile again(file);
    Check(again.readString(section, key) == Value, "the written key reads back");
    // The first section of a name is the one read and written.
    bool writtenSectionSeen = false;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const bool isWritten = !writtenSectionSeen && SameName(sections[i], section);
        const bool shadowed = !isWritten && [&] {
            for (qsizetype j = 0; j < i; ++j)
                if (SameName(sections[j], sections[i]))
                    return true;
            return false;
        }();
        if (shadowed)
            continue;
        writtenSectionSeen = writtenSectionSeen || isWritten;
        const Entries expected = isWritten ? WithKeyWritten(before[i], key) : before[i];
        Check(again.entries(sections[i]) == expected, "the other keys read as before");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    WriteOneKey(bytes, "Tera Term", "VTColor");
    WriteOneKey(bytes, "BG", "BGEnable");
    WriteOneKey(bytes, "KPV", "RowCount");
    return 0;
}
