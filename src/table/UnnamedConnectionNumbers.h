#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>

class ConnectionNode;

// The numbers that the tree's names rule out for the next "Unnamed connection #" + n. A
// number is ruled out when the prefix followed by its digits occurs anywhere in the names
// written one after the other in tree order: "...#12" rules out 1 and 12, and an occurrence
// may run across neighbouring names. The tree tells every node that comes, goes or is
// renamed, so a new name is found without reading every name again.
class UnnamedConnectionNumbers
{
public:
    static const QByteArray Prefix;

    // Node joined the tree with the name it has now.
    void added(const ConnectionNode *node);
    // Node is about to leave the tree.
    void removed(const ConnectionNode *node);
    // Node's name may have changed.
    void renamed(const ConnectionNode *node);
    // Node left Other's tree for this one.
    void takeFrom(UnnamedConnectionNumbers &other, const ConnectionNode *node);
    // Every node Other counts but Kept left Other's tree for this one.
    void takeAllFrom(UnnamedConnectionNumbers &other, const ConnectionNode *kept);
    void clear();
    bool isEmpty() const { return m_counted.isEmpty(); }

    // The smallest number from 1 that no occurrence rules out. Root is the tree's invisible
    // root: the names after one that runs on are read from the tree.
    quint64 firstFree(const ConnectionNode *root) const;

private:
    // What one name rules out by itself, and whether an occurrence may go on into the names
    // after it (the name ends inside the prefix or inside the digits after it).
    struct Reading
    {
        QList<quint64> numbers;
        bool runsOn = false;
    };
    static Reading read(const QByteArray &name);
    void count(const QByteArray &name, int by);
    // The numbers of the occurrences that begin in Node's name and run on into the next ones.
    static void readRunningOn(const ConnectionNode *node, const ConnectionNode *root, QSet<quint64> &numbers);

    // The nodes whose name rules a number out or runs on, with the name as it was counted.
    QHash<const ConnectionNode *, QByteArray> m_counted;
    QHash<quint64, int> m_taken;
    QSet<const ConnectionNode *> m_runsOn;
};
