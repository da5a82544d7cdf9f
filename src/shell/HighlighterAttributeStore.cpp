#include "shell/HighlighterAttributeStore.h"

#include "platform/Registry.h"
#include "shell/ProgramRegKey.h"

namespace HighlighterAttributeStore {

namespace {

const QString ForegroundValue = QStringLiteral("Foreground");
const QString BackgroundValue = QStringLiteral("Background");
const QString StyleValue = QStringLiteral("Style");

// A name that would address another key (or the program key itself) is no attribute's.
bool isAttributeName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('\\'));
}

// A stored colour the window can show, or "no colour of its own"; anything else keeps the
// attribute's default.
bool isAttributeColor(quint32 value)
{
    return value == StoredColor::None || StoredColor::isValid(value);
}

QString attributeKey(const QString &name)
{
    return ProgramRegKey + QLatin1Char('\\') + name;
}

} // namespace

bool write(Registry &registry, const QList<HighlighterAttribute> &attributes)
{
    for (const HighlighterAttribute &a : attributes) {
        if (!isAttributeName(a.Name))
            return false;
        const QString key = attributeKey(a.Name);
        if (!registry.writeDword(ProgramRegHive, key, ForegroundValue, a.Foreground)
            || !registry.writeDword(ProgramRegHive, key, BackgroundValue, a.Background)
            || !registry.writeDword(ProgramRegHive, key, StyleValue, quint32(a.Style)))
            return false;
    }
    return true;
}

bool save(Registry &registry, const QList<HighlighterAttribute> &attributes)
{
    if (!registry.beginTransaction())
        return false;
    if (!write(registry, attributes) || !registry.commit()) {
        registry.rollback();
        return false;
    }
    return true;
}

QList<HighlighterAttribute> load(const Registry &registry, QList<HighlighterAttribute> defaults)
{
    for (HighlighterAttribute &a : defaults) {
        if (!isAttributeName(a.Name))
            continue;
        const QString key = attributeKey(a.Name);
        if (!registry.keyExists(ProgramRegHive, key))
            continue;
        if (const auto v = registry.readDword(ProgramRegHive, key, ForegroundValue); v && isAttributeColor(*v))
            a.Foreground = *v;
        if (const auto v = registry.readDword(ProgramRegHive, key, BackgroundValue); v && isAttributeColor(*v))
            a.Background = *v;
        if (const auto v = registry.readDword(ProgramRegHive, key, StyleValue))
            a.Style = int(*v & 0x0F);
    }
    return defaults;
}

} // namespace HighlighterAttributeStore
