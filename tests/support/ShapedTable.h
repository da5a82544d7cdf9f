#pragma once

#include "support/FakeTableHost.h"
#include "table/TableDocument.h"
#include "table/TreeSelection.h"

#include <QByteArray>
#include <QList>
#include <QString>

class ConnectionNode;

// An open table for the table's routines, its tree begun as the program begins it, with a
// selection and a focus of its own as a view would hold them.
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
    // The selection as the routines take it.
    TreeSelection selection() const { return TreeSelection(focused, selected); }

    FakeTableHost host;
    TableDocument doc{host};
    ConnectionNode *focused = nullptr;
    QList<ConnectionNode *> selected;   // in the order selected
    // TeraTerm's own colours as the window would read them from teraterm.ini.
    QByteArray teraTermColors = "0:0:0:255:255:216:0:0:255:255:255:216:0:255:255:255:255:216:0:0:255:255:255:216";
};
