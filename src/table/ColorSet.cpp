#include "table/ColorSet.h"

#include <limits>
#include <optional>

const ColorScheme ColorSchemes[ColorSchemeCount] = {
    {"Black on Light color", "0:0:0:255:255:216:0:0:255:255:255:216:0:255:255:255:255:216:0:0:255:255:255:216"},
    {"Black on Light Yellow", "0:0:0:255:255:148:0:0:255:255:255:148:0:255:255:255:255:148:0:0:255:255:255:148"},
    {"Black on White", "0:0:0:255:255:255:0:0:255:255:255:255:0:255:255:255:255:255:0:0:255:255:255:255"},
    {"Green Tint", "200:200:200:0:128:128:255:255:0:0:128:128:0:255:255:0:128:128:128:128:255:0:128:128"},
    {"Green on Black", "0:255:0:0:0:0:255:255:0:0:0:0:0:255:255:0:0:0:0:255:255:0:0:0"},
    {"Grey on Black", "200:200:200:0:0:0:216:216:0:0:0:0:0:216:216:0:0:0:0:0:255:0:0:0"},
    {"White on Black", "255:255:255:0:0:0:255:255:0:0:0:0:0:255:255:0:0:0:0:0:255:0:0:0"},
};

namespace {

// A signed 32-bit decimal integer and nothing else: an optional sign, then digits.
std::optional<qint32> toInt32(QByteArrayView field)
{
    qsizetype i = 0;
    bool negative = false;
    if (!field.isEmpty() && (field.front() == '+' || field.front() == '-')) {
        negative = field.front() == '-';
        ++i;
    }
    if (i == field.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > qint64(1) << 31)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

} // namespace

bool ParseColorSet(const QByteArray &text, ColorSet &set)
{
    if (text.size() < 47)
        return false;
    bool ok = true;
    const QByteArrayView all(text);
    qsizetype from = 0;  // start of what is left; -1 once the colons have run out
    for (std::size_t i = 0; i < set.bytes.size(); ++i) {
        std::optional<qint32> value;
        if (from >= 0) {
            if (i + 1 < set.bytes.size()) {
                const qsizetype colon = all.indexOf(':', from);
                if (colon >= 0)
                    value = toInt32(all.sliced(from, colon - from));
                from = colon >= 0 ? colon + 1 : -1;
            } else {
                value = toInt32(all.sliced(from));
            }
        }
        if (value)
            set.bytes[i] = static_cast<std::uint8_t>(static_cast<quint32>(*value) & 0xFF);
        else
            ok = false;
    }
    return ok;
}

QByteArray FormatColorSet(const ColorSet &set)
{
    QByteArray out;
    out.reserve(24 * 4);
    for (std::size_t i = 0; i < set.bytes.size(); ++i) {
        if (i > 0)
            out.append(':');
        out.append(QByteArray::number(set.bytes[i]));
    }
    return out;
}

ColorSet NodeColorSet(const QByteArray &colors, const QByteArray &iniColors)
{
    ColorSet set;
    if (ParseColorSet(colors, set))
        return set;
    set = ColorSet{};
    ParseColorSet(ColorSchemes[0].text, set);
    ParseColorSet(iniColors, set);
    return set;
}
