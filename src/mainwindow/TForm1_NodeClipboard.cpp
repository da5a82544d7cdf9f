// Cut, copy and paste of the tree's branches through the node clipboard, and the cut/copy
// mark those branches carry.
#include "mainwindow/TForm1.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TreeClipboard.h"

void TForm1::setupNodeClipboard()
{
    m_treeClipboard = new TreeClipboard(m_doc, *VT, this);
    connect(m_treeClipboard, &TreeClipboard::changed, this, &TForm1::RequestCommandRefresh);
    m_model->setCutMarkQuery([this](const ConnectionNode *n) { return m_doc.CutModeFlag && m_doc.hasCutCopyMark(n); });
    connect(&m_doc, &TableDocument::cutCopyMarkChanged, VT->viewport(), qOverload<>(&QWidget::update));
}
