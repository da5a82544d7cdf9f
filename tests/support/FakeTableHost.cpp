#include "support/FakeTableHost.h"

#include "table/ConnectionTree.h"

#include <algorithm>

QList<ConnectionNode *> FakeTableHost::selectedNodes() const
{
    // In pre-order, as a view reports a selection walked from the top.
    QList<ConnectionNode *> out = selection;
    if (out.isEmpty())
        return out;
    const ConnectionNode *top = out.first();
    while (top->parent())
        top = top->parent();
    QList<ConnectionNode *> ordered;
    ConnectionTree::forEachBelow(top, [&](ConnectionNode *n) {
        if (out.contains(n))
            ordered.append(n);
    });
    return ordered;
}

bool FakeTableHost::isSelected(const ConnectionNode *node) const
{
    return std::find(selection.begin(), selection.end(), node) != selection.end();
}

void FakeTableHost::setSelected(ConnectionNode *node, bool selected)
{
    selection.removeAll(node);
    if (selected)
        selection.append(node);
}

void FakeTableHost::setExpanded(ConnectionNode *node, bool on)
{
    if (on)
        expanded.insert(node);
    else
        expanded.remove(node);
}

void FakeTableHost::setStatusPanelText(int panel, const QString &text)
{
    while (statusPanels.size() <= panel)
        statusPanels.append(QString());
    statusPanels[panel] = text;
    statusPanelWrites.append(panel);
}
