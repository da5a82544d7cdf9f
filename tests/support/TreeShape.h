#pragma once

#include <QByteArray>
#include <QString>

class ConnectionNode;
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
// Levels of Parent's branch below it in pre-order, joined by blanks: "1 2 2 1".
QByteArray LevelsOf(const ConnectionNode *parent);
