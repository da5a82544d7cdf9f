#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

class ConnectionNode;
class QRandomGenerator;
class ConnectionTree;
class TableDocument;

// Trees written as "A[B|C]|D": siblings split by '|', children in brackets. Names may hold
// blanks and parentheses ("Copy (2) of N"), so neither is used for the shape.

// Adds the shape's nodes below Parent (RootNode when null), after its present children.
void BuildShape(ConnectionTree &tree, const QByteArray &shape, ConnectionNode *parent = nullptr);
// The shape of Parent's children.
QByteArray ShapeOf(const ConnectionNode *parent);
// "0/1": the second child of the first top-level node; "" is RootNode. Null when a step
// leads nowhere.
ConnectionNode *NodeAt(const TableDocument &doc, const QString &path);
// Parent's children with their stored Level, as "name:level(child child) name:level".
QString NamesAndLevelsOf(const ConnectionNode *parent);
// Levels of Parent's branch below it in pre-order, joined by blanks: "1 2 2 1".
QByteArray LevelsOf(const ConnectionNode *parent);
// A shape of up to Width siblings a level, Depth levels deep, its names drawn from Names, so
// that names clash among siblings as often as the list repeats them.
QByteArray RandomShape(QRandomGenerator &rng, const QByteArrayList &names, int width, int depth);
// Path ("0/1") of Node below RootNode, as NodeAt reads it.
QString PathOf(const ConnectionNode *node);
