#include "platform/PeVersionResource.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QtEndian>

namespace PeVersionResource {

namespace {

constexpr quint16 kDosMagic = 0x5A4D;         // "MZ"
constexpr quint32 kPeSignature = 0x00004550;  // "PE\0\0"
constexpr quint16 kPe32Magic = 0x10B;
constexpr quint16 kPe32PlusMagic = 0x20B;
constexpr quint32 kResourceDirectory = 2;     // index in the optional header's data directories
constexpr quint32 kRtVersion = 16;
constexpr quint32 kSubdirectoryBit = 0x80000000u;
constexpr quint32 kFixedInfoSignature = 0xFEEF04BDu;
constexpr quint64 kFixedInfoSize = 52;
// VS_VERSIONINFO: three 16-bit words, the key "VS_VERSION_INFO" with its terminator in
// UTF-16, then the fixed block at the next 32-bit boundary.
constexpr char16_t kVersionKey[] = u"VS_VERSION_INFO";
constexpr quint64 kVersionKeyAt = 6;
constexpr quint64 kFixedInfoAt = 40;
// Far above any TeraTerm executable; a larger file is not read into memory.
constexpr qint64 kLargestImage = 64 * 1024 * 1024;

// Little-endian reads that only happen after the range was checked; all offsets are 64-bit so
// no sum of 32-bit file values can wrap.
class Image
{
public:
    explicit Image(QByteArrayView bytes) : m_bytes(bytes) {}

    bool has(quint64 offset, quint64 length) const
    {
        const quint64 size = quint64(m_bytes.size());
        return offset <= size && length <= size - offset;
    }
    quint16 u16(quint64 at) const { return qFromLittleEndian<quint16>(m_bytes.data() + at); }
    quint32 u32(quint64 at) const { return qFromLittleEndian<quint32>(m_bytes.data() + at); }

private:
    QByteArrayView m_bytes;
};

struct Section
{
    quint64 address;    // relative virtual address
    quint64 rawSize;
    quint64 rawOffset;  // in the file
};

class PeFile
{
public:
    explicit PeFile(QByteArrayView bytes) : m_image(bytes) {}

    std::optional<FileVersion> version()
    {
        if (!readHeaders())
            return std::nullopt;
        const std::optional<quint64> entry = versionDataEntry();
        if (!entry)
            return std::nullopt;
        return fixedVersion(m_image.u32(*entry), m_image.u32(*entry + 4));
    }

private:
    bool readHeaders()
    {
        if (!m_image.has(0, 0x40) || m_image.u16(0) != kDosMagic)
            return false;
        const quint64 pe = m_image.u32(0x3C);
        if (!m_image.has(pe, 24) || m_image.u32(pe) != kPeSignature)
            return false;
        const quint64 sectionCount = m_image.u16(pe + 6);
        const quint64 optionalSize = m_image.u16(pe + 20);
        const quint64 optional = pe + 24;
        if (optionalSize < 2 || !m_image.has(optional, optionalSize))
            return false;

        quint64 countAt = 0;
        quint64 directoriesAt = 0;
        switch (m_image.u16(optional)) {
        case kPe32Magic: countAt = 92; directoriesAt = 96; break;
        case kPe32PlusMagic: countAt = 108; directoriesAt = 112; break;
        default: return false;
        }
        const quint64 resourceAt = directoriesAt + 8 * kResourceDirectory;
        if (optionalSize < resourceAt + 8 || m_image.u32(optional + countAt) <= kResourceDirectory)
            return false;
        m_resourceRva = m_image.u32(optional + resourceAt);
        if (m_resourceRva == 0)
            return false;

        const quint64 table = optional + optionalSize;
        if (!m_image.has(table, sectionCount * 40))
            return false;
        for (quint64 i = 0; i < sectionCount; ++i) {
            const quint64 s = table + i * 40;
            m_sections.push_back({m_image.u32(s + 12), m_image.u32(s + 16), m_image.u32(s + 20)});
        }
        return true;
    }

    // The file offset of Length bytes at the address Rva, when a section's file data holds
    // them all.
    std::optional<quint64> fileOffset(quint64 rva, quint64 length) const
    {
        for (const Section &s : m_sections) {
            if (rva < s.address || rva - s.address > s.rawSize
                || length > s.rawSize - (rva - s.address))
                continue;
            const quint64 offset = s.rawOffset + (rva - s.address);
            if (m_image.has(offset, length))
                return offset;
        }
        return std::nullopt;
    }

    // The resource directory at Relative (from the directory root): the data field of the
    // first entry that Accepts its name and whose kind (sub-directory or data) is Subdirectory.
    template <typename Accept>
    std::optional<quint32> entry(quint64 relative, bool subdirectory, Accept accept) const
    {
        const std::optional<quint64> header = fileOffset(m_resourceRva + relative, 16);
        if (!header)
            return std::nullopt;
        const quint64 count = quint64(m_image.u16(*header + 12)) + m_image.u16(*header + 14);
        const std::optional<quint64> entries =
            fileOffset(m_resourceRva + relative + 16, count * 8);
        if (!entries)
            return std::nullopt;
        for (quint64 i = 0; i < count; ++i) {
            const quint32 name = m_image.u32(*entries + i * 8);
            const quint32 data = m_image.u32(*entries + i * 8 + 4);
            if (accept(name) && bool(data & kSubdirectoryBit) == subdirectory)
                return subdirectory ? data & ~kSubdirectoryBit : data;
        }
        return std::nullopt;
    }

    // The file offset of the data entry of the first version resource: type RT_VERSION, then
    // its first name, then its first language.
    std::optional<quint64> versionDataEntry() const
    {
        const auto isVersionType = [](quint32 name) { return name == kRtVersion; };
        const auto any = [](quint32) { return true; };
        const std::optional<quint32> names = entry(0, true, isVersionType);
        if (!names)
            return std::nullopt;
        const std::optional<quint32> languages = entry(*names, true, any);
        if (!languages)
            return std::nullopt;
        const std::optional<quint32> data = entry(*languages, false, any);
        if (!data)
            return std::nullopt;
        return fileOffset(m_resourceRva + *data, 16);
    }

    std::optional<FileVersion> fixedVersion(quint64 rva, quint64 size) const
    {
        const std::optional<quint64> block = fileOffset(rva, size);
        if (!block || size < kFixedInfoAt + kFixedInfoSize)
            return std::nullopt;
        const quint64 length = m_image.u16(*block);
        const quint64 valueLength = m_image.u16(*block + 2);
        if (length < kFixedInfoAt + kFixedInfoSize || length > size || valueLength < kFixedInfoSize)
            return std::nullopt;
        for (quint64 i = 0; i < std::size(kVersionKey); ++i) {
            if (m_image.u16(*block + kVersionKeyAt + 2 * i) != kVersionKey[i])
                return std::nullopt;
        }
        const quint64 fixed = *block + kFixedInfoAt;
        if (m_image.u32(fixed) != kFixedInfoSignature)
            return std::nullopt;
        const quint32 ms = m_image.u32(fixed + 8);
        const quint32 ls = m_image.u32(fixed + 12);
        return FileVersion{quint16(ms >> 16), quint16(ms), quint16(ls >> 16), quint16(ls)};
    }

    Image m_image;
    quint64 m_resourceRva = 0;
    std::vector<Section> m_sections;
};

} // namespace

std::optional<FileVersion> read(QByteArrayView bytes)
{
    return PeFile(bytes).version();
}

std::optional<FileVersion> readFile(const QString &path)
{
    // Only plain files: opening a pipe or device of that name could block or never end.
    // Read rather than mapped: a file cut short by another process while it is read must not
    // end this one.
    QFile file;
    if (RegularFile::open(file, path) != RegularFile::Status::Opened)
        return std::nullopt;
    const QByteArray bytes = file.read(kLargestImage + 1);
    if (bytes.size() > kLargestImage)
        return std::nullopt;
    return read(bytes);
}

} // namespace PeVersionResource
