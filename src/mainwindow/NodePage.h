#pragma once

#include <QWidget>

class CoverPanel;
struct NodeEdits;
struct rVTNodeData;

// A page that shows one connection's record and hands back the user's edits of it: the
// macro, popup, colours and schedule pages. The page keeps its working state; nothing is
// written into the record until the window applies the edits it collects.
class NodePage : public QWidget
{
    Q_OBJECT
public:
    explicit NodePage(QWidget *parent = nullptr);

    // Shows Record, or covers the page with CoverReason when that is not empty: the page then
    // has nothing to edit and keeps what it held under the cover. Record may be null, or a
    // record the covered page still takes something from.
    virtual void showNode(const rVTNodeData *record, const QString &coverReason) = 0;
    // Puts the page's values into Edits. A page may first bring what it shows into the form
    // it is stored in (the schedule fields normalised), so the user sees what is applied.
    virtual void collectEdits(NodeEdits &edits) = 0;

    // The panel that covers the page while it has nothing to edit.
    CoverPanel *coverPanel() const { return m_cover; }

Q_SIGNALS:
    // The user changed a value the page shows (the program's own writes are no edits).
    void userEdited();

protected:
    // Made once the page's controls are laid out, so it lies above them.
    void createCover(const QString &name);
    // Covers the page with Reason, or uncovers it for an empty one. True when the cover came
    // or went.
    bool setCover(const QString &reason);

private:
    CoverPanel *m_cover = nullptr;
};
