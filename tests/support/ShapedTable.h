#pragma once

#include "support/FakeTableHost.h"
#include "table/TableDocument.h"

#include <QByteArray>
#include <QString>

class ConnectionNode;

// An open table for the table's routines, its tree begun as the program begins it.
struct ShapedTable
{
    // Just RootNode, selected and focused as a new tree leaves it.
    ShapedTable();
    // The nodes of Shape (see TreeShape.h) below RootNode, nothing selected or focused.
    explicit ShapedTable(const QByteArray &shape);

    // The node at Path ("0/1"; "" is RootNode), null when there is none.
    ConnectionNode *at(const QString &path) const;
    // The shape of the nodes below RootNode.
    QByteArray shape() const;

    FakeTableHost host;
    TableDocument doc{host};
};
