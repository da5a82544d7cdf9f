#pragma once

#include <QByteArray>
#include <QtGlobal>

// The connection record each tree node carries; the only copy of a connection while the
// program runs. Strings are byte strings exactly as the files hold them.
struct rVTNodeData
{
    QByteArray Name;
    QByteArray Macro;        // escaped with UrlEncode, blank as "+"
    QByteArray Popup;        // escaped like Macro
    QByteArray Schedule;     // "=" and five blank-separated fields, or empty
    QByteArray LastUpdated;  // "dddd, dd-mmm-yyyy hh:nn:ss", or empty
    QByteArray Colors;       // the colour set's text form
    qint32 Kind = 0;         // a NodeKind value; nothing decides on it
    qint32 Level = 0;        // 0 for the top node, parent's Level + 1 below
    bool LogSession = false;

    bool operator==(const rVTNodeData &) const = default;
};

// Values of rVTNodeData::Kind.
enum NodeKind : qint32 {
    NodeKindPlain = 0,
    NodeKindEmptyMacro = 1,
    NodeKindWithMacro = 2,
    NodeKindSeparator = 3,
};

inline const QByteArray SeparatorText = QByteArrayLiteral("----- separator line -----");

inline bool IsSeparatorName(const QByteArray &name)
{
    return name.startsWith('-');
}
