#pragma once

#include <QByteArray>
#include <QHash>

class ConnectionNode;
class ConnectionTree;

// The names of one parent's children while branches arrive one after another at one place
// among them, for callers placing many branches at once. Each arrival is named as
// RenameDuplicateSiblings names a group that was free of clashes until that branch came: of
// the two holding one name, the later in the children's order takes the first free copy
// name. So placing them all and naming each here gives the names that placing and settling
// them one at a time gives, at the cost of the arrivals alone.
class ArrivingSiblingNames
{
public:
    // Parent's children hold no clash now. The arrivals stand before Anchor, one of Parent's
    // children (null: after the last).
    ArrivingSiblingNames(const ConnectionNode *parent, const ConnectionNode *anchor);

    // Node stands among the children now, after the arrivals before it: it, or the sibling
    // whose name it has, is renamed. The number renamed, 0 or 1.
    int arrived(ConnectionTree &tree, ConnectionNode *node);

private:
    struct Holder
    {
        ConnectionNode *node;
        // Before every arrival still to come: an arrival, or a child before Anchor.
        bool before;
    };
    QHash<QByteArray, Holder> m_names;
    // Per name, the copy number below which every copy name is taken. The taken names only
    // grow while branches arrive, so a number once found taken stays taken.
    QHash<QByteArray, int> m_nextCopy;
};
