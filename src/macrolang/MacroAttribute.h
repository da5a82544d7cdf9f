#pragma once

// The nine text attributes of the macro highlighter, in their creation order. The order is
// also the editor's style number of each.
enum class MacroAttribute : int {
    CommentAttri,
    IdentifierAttri,
    KeyAttri,
    LabelsAttri,
    WexmoraVarsAttri,
    SpaceAttri,
    StringAttri,
    SymbolAttri,
    SysVarsAttri,
};

inline constexpr int MacroAttributeCount = 9;
