#pragma once

#include "mainwindow/TForm1TableHost.h"
#include "platform/widgets/LockKeyState.h"
#include "platform/widgets/MessageBoxPrompter.h"
#include "table/TableDocument.h"

#include <QMainWindow>
#include <QLineEdit>
#include <QPointer>

#include <array>
#include <functional>

class ConnectionNode;
class ConnectionTreeModel;
class NodeNameDelegate;
class QLabel;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTreeView;
class QsciScintilla;

// The main window: the connection tree `VT` beside the page control `PG`, and the status bar
// `SBar`. It owns the open table and is the view the table's routines ask for selection,
// focus and the shown node; the selection lives in the view's selection model only.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // Prompter: where the message boxes go; null for the program's own QMessageBox boxes.
    explicit TForm1(Prompter *prompter = nullptr, QWidget *parent = nullptr);
    ~TForm1() override;

    TableDocument &doc() { return m_doc; }
    TableHost &host() { return m_host; }
    Prompter &prompter() { return *m_prompter; }
    ConnectionTreeModel &model() const { return *m_model; }
    QTreeView *tree() const { return VT; }
    ConnectionNode *focusedNode() const;

    // Adds RootNode to the emptied tree, selects it and shows the first page.
    void InitTree();
    void showSettingsPage();

    // The node view, for now: the node becomes CurrentNode and its time stamp shows.
    void VTChange(ConnectionNode *node);
    void ShowFocusedNodeData();
    // The rename rules for a text the in-place editor ended with.
    void VTNewText(ConnectionNode *node, const QString &newText);
    void BtnApplyClick();
    void SaveSettingsAndNotify();
    QByteArray ReadTeraTermColors();
    void setWaitCursor(bool on);

    // 0 tree, 1 macro editor, 2 popup editor, 11 the tree's in-place editor, -1 anything else.
    int GetFocusedEditorId() const;
    void RequestCommandRefresh();

    // Status bar.
    static constexpr int PanelCount = 8;
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    void documentStateChanged();
    void ShowCaretPosition(bool show, int editor);
    void ShowInsertMode(bool force);
    void UpdateKeyIndicators();
    // Where the lock-key states come from (the display by default).
    void setLockKeyReader(std::function<LockKeyState()> reader) { m_lockKeys = std::move(reader); }
    // The in-place editor while a name is edited, else null.
    QLineEdit *currentEditLink() const { return CurrentEditLink; }

protected:
    // Key preview: the window sees the keys of all its controls.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createStatusBar();
    void FormKeyUp(int key, bool autoRepeat);
    void VTCreateEditor(QLineEdit *editor);
    void showLastUpdated(const ConnectionNode *node);
    void forgetRemovedNodes(const QModelIndex &parent, int first, int last);
    void keepSelectionOverReset();
    void restoreSelectionAfterReset();

    MessageBoxPrompter m_ownPrompter;
    Prompter *m_prompter;
    TForm1TableHost m_host;
    TableDocument m_doc;
    std::function<LockKeyState()> m_lockKeys = &LockKeyState::current;

    ConnectionTreeModel *m_model = nullptr;
    NodeNameDelegate *m_delegate = nullptr;
    QSplitter *Splitter = nullptr;
    QTreeView *VT = nullptr;
    QTabWidget *PG = nullptr;
    QsciScintilla *Memo1 = nullptr;
    QsciScintilla *Memo2 = nullptr;
    QStatusBar *SBar = nullptr;
    std::array<QLabel *, PanelCount> m_panels{};
    QPointer<QLineEdit> CurrentEditLink;
    // Selection and focus held over a reset of the model (a table read in one go).
    QList<ConnectionNode *> m_selectionOverReset;
    ConnectionNode *m_focusOverReset = nullptr;
};
