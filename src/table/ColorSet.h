#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// A connection's terminal colours: four elements (normal, bold, blink, URL), each a
// foreground and a background as red, green, blue. Byte index = element * 6 + (3 for the
// background) + channel.
struct ColorSet
{
    enum Element { Normal = 0, Bold = 1, Blink = 2, Url = 3 };
    std::array<std::uint8_t, 24> bytes{};

    std::uint8_t &at(int element, bool background, int channel)
    {
        return bytes[static_cast<std::size_t>(element * 6 + (background ? 3 : 0) + channel)];
    }
    std::uint8_t at(int element, bool background, int channel) const
    {
        return bytes[static_cast<std::size_t>(element * 6 + (background ? 3 : 0) + channel)];
    }
    bool operator==(const ColorSet &) const = default;
};

// Loads Set from a text form (24 decimal numbers joined by ":"). A text shorter than 47
// characters changes nothing; a field that is not an integer keeps its byte. True when every
// field was an integer. Each number stores its low 8 bits.
bool ParseColorSet(const QByteArray &text, ColorSet &set);

// The text form of Set.
QByteArray FormatColorSet(const ColorSet &set);

// The colour set a connection's Colors text stands for: when the text does not parse,
// TeraTerm's colours (IniColors, as read from teraterm.ini), and where those do not parse,
// the first built-in scheme.
ColorSet NodeColorSet(const QByteArray &colors, const QByteArray &iniColors);

// The built-in schemes, in the order the scheme lists show them.
struct ColorScheme
{
    const char *name;
    const char *text;
};
inline constexpr int ColorSchemeCount = 7;
extern const ColorScheme ColorSchemes[ColorSchemeCount];
// The eighth entry of the scheme lists, standing for TeraTerm's own colours.
inline constexpr const char *FromTeraTermIniScheme = "from TeraTerm.ini file";
