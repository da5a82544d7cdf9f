#pragma once

#include <QByteArray>
#include <QtGlobal>

// A small Windows executable made for a test: headers, one resource section and in it a
// version resource (or a resource of another type), laid out as linkers lay them out.
struct PeImage
{
    struct Options
    {
        bool pe32Plus = false;
        bool withVersion = true;   // false: the one resource is an icon
        quint16 major = 4, minor = 106, release = 2, build = 7;
    };

    explicit PeImage(const Options &options);

    QByteArray bytes;

    // Where fields lie in Bytes, for tests that damage them.
    static constexpr qsizetype PeHeaderPointer = 0x3C;
    static constexpr qsizetype PeHeader = 0x40;
    static constexpr qsizetype SectionCount = PeHeader + 6;
    static constexpr qsizetype OptionalHeaderSize = PeHeader + 20;
    static constexpr qsizetype OptionalHeader = PeHeader + 24;
    qsizetype directoryCount = 0;     // NumberOfRvaAndSizes
    qsizetype resourceDirectory = 0;  // its RVA; the size follows
    qsizetype section = 0;            // the section header
    static constexpr qsizetype Resources = 0x200;  // the section's data in the file
    static constexpr qsizetype TypeEntry = Resources + 0x10;      // name, then offset
    static constexpr qsizetype NameEntry = Resources + 0x28;
    static constexpr qsizetype LanguageEntry = Resources + 0x40;
    static constexpr qsizetype DataEntry = Resources + 0x48;      // RVA, then size
    static constexpr qsizetype VersionBlock = Resources + 0x58;   // VS_VERSIONINFO
    static constexpr qsizetype FixedInfo = VersionBlock + 40;     // VS_FIXEDFILEINFO
    static constexpr qsizetype VersionEnd = FixedInfo + 52;
    static constexpr quint32 ResourceRva = 0x1000;

    void put16(qsizetype at, quint16 value);
    void put32(qsizetype at, quint32 value);
};
