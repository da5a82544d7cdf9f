#include "macrolang/MacroAttributeSet.h"

#include "shell/HighlighterAttributeStore.h"

namespace {

// Colours as 0x00BBGGRR.
constexpr quint32 Green = 0x008000;
constexpr quint32 Teal = 0x808000;
constexpr quint32 Navy = 0x800000;
constexpr quint32 Blue = 0xFF0000;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 Purple = 0x800080;
constexpr quint32 Fuchsia = 0xFF00FF;
constexpr quint32 Olive = 0x008080;

} // namespace

MacroAttributeSet::MacroAttributeSet(QObject *parent)
    : QObject(parent)
    , m_attributes(defaults())
{
}

QList<HighlighterAttribute> MacroAttributeSet::defaults()
{
    using namespace FontStyleBits;
    const quint32 none = StoredColor::None;
    // The names are the storage names stored settings rest on, hence "Label" for identifiers
    // and "Asm" for keywords.
    return {
        {QStringLiteral("Comment"), Green, none, Italic},
        {QStringLiteral("Label"), Teal, none, 0},
        {QStringLiteral("Asm"), Navy, none, Bold},
        {QStringLiteral("Labels"), Blue, none, 0},
        {QStringLiteral("WexmoraVars"), Red, none, 0},
        {QStringLiteral("Space"), none, none, 0},
        {QStringLiteral("String"), Purple, none, 0},
        {QStringLiteral("Symbol"), Fuchsia, none, Bold},
        {QStringLiteral("SysVars"), Olive, none, 0},
    };
}

void MacroAttributeSet::setForeground(MacroAttribute a, quint32 color)
{
    QList<HighlighterAttribute> next = m_attributes;
    next[int(a)].Foreground = color;
    replace(next);
}

void MacroAttributeSet::setStyle(MacroAttribute a, int styleBits)
{
    QList<HighlighterAttribute> next = m_attributes;
    next[int(a)].Style = styleBits;
    replace(next);
}

void MacroAttributeSet::resetToDefaults()
{
    replace(defaults());
}

void MacroAttributeSet::load(const Registry &registry)
{
    replace(HighlighterAttributeStore::load(registry, defaults()));
}

void MacroAttributeSet::replace(const QList<HighlighterAttribute> &attributes)
{
    if (attributes == m_attributes)
        return;
    m_attributes = attributes;
    Q_EMIT changed();
}
