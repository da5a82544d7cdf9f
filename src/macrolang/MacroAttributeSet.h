#pragma once

#include "macrolang/MacroAttribute.h"
#include "shell/HighlighterAttribute.h"

#include <QList>
#include <QObject>

class Registry;

// The macro highlighter's nine text attributes, shared by every editor that colours macros:
// each lexer follows changed() to repaint. The attributes are kept with the options, one
// sub-key of the program key per attribute, named by its storage name.
class MacroAttributeSet : public QObject
{
    Q_OBJECT

public:
    explicit MacroAttributeSet(QObject *parent = nullptr);

    // The design values: storage names "Comment", "Label", "Asm", "Labels", "WexmoraVars",
    // "Space", "String", "Symbol", "SysVars", no background of their own.
    static QList<HighlighterAttribute> defaults();

    // In MacroAttribute order; what the options store writes.
    const QList<HighlighterAttribute> &attributes() const { return m_attributes; }
    const HighlighterAttribute &attribute(MacroAttribute a) const { return m_attributes.at(int(a)); }

    void setForeground(MacroAttribute a, quint32 color);
    void setStyle(MacroAttribute a, int styleBits);
    void resetToDefaults();

    // Takes the stored attributes; a value missing, unreadable or no colour keeps its default.
    void load(const Registry &registry);

Q_SIGNALS:
    void changed();

private:
    void replace(const QList<HighlighterAttribute> &attributes);

    QList<HighlighterAttribute> m_attributes;
};
