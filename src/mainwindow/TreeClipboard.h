#pragma once

#include <QObject>
#include <QPointer>

class ConnectionTreeView;
class QMimeData;
class TableDocument;

// Cut, copy and paste of the tree's branches through the clipboard, in the node format, and
// the keys Ctrl+C, Ctrl+X and Ctrl+V that reach the tree itself. The branches of the last cut
// or copy carry the document's cut/copy mark; a paste after a cut in this tree moves them.
class TreeClipboard : public QObject
{
    Q_OBJECT
public:
    TreeClipboard(TableDocument &doc, ConnectionTreeView &view, QObject *parent);

    // The selected branches onto the clipboard, marked.
    void cutNodes();
    void copyNodes();
    // The clipboard's branches become the first children of the focused node.
    void pasteNodes();
    // A clipboard key that reached the tree; RootNode takes none of them.
    void VTKeyDown(int key);

Q_SIGNALS:
    // The table, the mark or the clipboard changed: the commands' states follow.
    void changed();

private:
    bool putNodesOnClipboard(bool cut);

    TableDocument &m_doc;
    ConnectionTreeView &m_view;
    // The data this window last put on the clipboard, while the clipboard holds it.
    QPointer<const QMimeData> m_nodesOnClipboard;
};
