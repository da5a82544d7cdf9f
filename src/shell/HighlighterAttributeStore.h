#pragma once

#include "shell/HighlighterAttribute.h"

#include <QList>

class Registry;

// The highlighter's attributes beside the options: one sub-key of the program key per
// attribute, named after it, holding the DWORD values "Foreground", "Background" and "Style".
namespace HighlighterAttributeStore {

// Writes every attribute as one transaction. False when the store refused; nothing is then
// changed.
bool save(Registry &registry, const QList<HighlighterAttribute> &attributes);

// The same writes inside a transaction the caller holds.
bool write(Registry &registry, const QList<HighlighterAttribute> &attributes);

// Attributes as given, each part replaced by its stored value where one is readable and, for
// a colour, is a colour (RGB, a system colour or none). An attribute without a sub-key keeps
// its defaults.
QList<HighlighterAttribute> load(const Registry &registry, QList<HighlighterAttribute> defaults);

} // namespace HighlighterAttributeStore
