#pragma once

#include "mainwindow/ConnectionTreeModel.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"

#include <QByteArrayList>
#include <QStringList>
#include <QTreeView>

#include <functional>

// What a tree view shows and keeps open, for tests that change the tree under an open view.

// A tree with many open branches at several depths: Groups top-level branches, each with
// children of which some are branches again, and connections between them.
inline QByteArray ManyBranches(int groups)
{
    QByteArrayList tops;
    for (int g = 0; g < groups; ++g) {
        const QByteArray n = QByteArray::number(g);
        tops << "G" + n + "[g" + n + "a|g" + n + "b[x|y[z]]|g" + n + "c]" << "h" + n;
    }
    return tops.join('|');
}

// The rows a view shows, top to bottom, by their paths.
inline QStringList ShownRows(const QTreeView &v, const ConnectionTreeModel &model)
{
    QStringList rows;
    for (QModelIndex i = model.index(0, 0); i.isValid(); i = v.indexBelow(i))
        rows << PathOf(model.nodeFor(i));
    return rows;
}

// The rows that ought to be shown: every node whose branches above are open, in tree order.
inline QStringList ExpectedRows(const QTreeView &v, const ConnectionTreeModel &model)
{
    QStringList rows;
    std::function<void(const ConnectionNode *)> walk = [&](const ConnectionNode *n) {
        rows << PathOf(n);
        if (n->hasChildren() && v.isExpanded(model.indexFor(n)))
            for (int i = 0; i < n->childCount(); ++i)
                walk(n->child(i));
    };
    walk(model.tree().RootNode());
    return rows;
}

// Every branch of the table by the names on its way down, with its state: "G0/g0b+" open,
// "G0/g0b-" closed.
inline QStringList BranchStates(const QTreeView &v, const ConnectionTreeModel &model)
{
    QStringList states;
    ConnectionTree::forEachBelow(model.tree().invisibleRoot(), [&](const ConnectionNode *n) {
        if (!n->hasChildren())
            return;
        QStringList names;
        for (const ConnectionNode *p = n; p->parent(); p = p->parent())
            names.prepend(QString::fromUtf8(p->data.Name));
        states << names.join(u'/') + (v.isExpanded(model.indexFor(n)) ? u'+' : u'-');
    });
    return states;
}
