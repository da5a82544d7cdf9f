#include "support/PeImage.h"

#include <QtEndian>

PeImage::PeImage(const Options &options) : bytes(0x400, '\0')
{
    bytes[0] = 'M';
    bytes[1] = 'Z';
    put32(PeHeaderPointer, PeHeader);
    bytes.replace(PeHeader, 4, QByteArray("PE\0\0", 4));
    const qsizetype optionalSize = options.pe32Plus ? 240 : 224;
    put16(PeHeader + 4, options.pe32Plus ? 0x8664 : 0x14C);
    put16(SectionCount, 1);
    put16(OptionalHeaderSize, quint16(optionalSize));
    put16(PeHeader + 22, 0x0102);
    put16(OptionalHeader, options.pe32Plus ? 0x20B : 0x10B);
    directoryCount = OptionalHeader + (options.pe32Plus ? 108 : 92);
    put32(directoryCount, 16);
    resourceDirectory = OptionalHeader + (options.pe32Plus ? 112 : 96) + 2 * 8;
    put32(resourceDirectory, ResourceRva);
    put32(resourceDirectory + 4, quint32(VersionEnd - Resources));

    section = OptionalHeader + optionalSize;
    bytes.replace(section, 5, ".rsrc");
    put32(section + 8, quint32(VersionEnd - Resources));  // virtual size
    put32(section + 12, ResourceRva);
    put32(section + 16, 0x200);                            // raw size
    put32(section + 20, quint32(Resources));
    put32(section + 36, 0x40000040);

    // Three directory levels (type, name, language) of one entry each, then the data entry.
    constexpr quint32 subdirectory = 0x80000000u;
    put16(Resources + 14, 1);
    put32(TypeEntry, options.withVersion ? 16 : 3);
    put32(TypeEntry + 4, subdirectory | 0x18);
    put16(Resources + 0x18 + 14, 1);
    put32(NameEntry, 1);
    put32(NameEntry + 4, subdirectory | 0x30);
    put16(Resources + 0x30 + 14, 1);
    put32(LanguageEntry, 0x409);
    put32(LanguageEntry + 4, 0x48);
    put32(DataEntry, quint32(ResourceRva + (VersionBlock - Resources)));
    put32(DataEntry + 4, quint32(VersionEnd - VersionBlock));

    put16(VersionBlock, quint16(VersionEnd - VersionBlock));
    put16(VersionBlock + 2, 52);
    const char16_t key[] = u"VS_VERSION_INFO";
    for (qsizetype i = 0; i < qsizetype(std::size(key)); ++i)
        put16(VersionBlock + 6 + 2 * i, key[i]);
    put32(FixedInfo, 0xFEEF04BDu);
    put32(FixedInfo + 4, 0x00010000);
    put32(FixedInfo + 8, quint32(options.major) << 16 | options.minor);
    put32(FixedInfo + 12, quint32(options.release) << 16 | options.build);
    // The product version differs, so a reader that took it would be caught.
    put32(FixedInfo + 16, 0x00090009);
    put32(FixedInfo + 20, 0x00090009);
    put32(FixedInfo + 32, 0x00040004);
    put32(FixedInfo + 36, 1);
}

void PeImage::put16(qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void PeImage::put32(qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}
