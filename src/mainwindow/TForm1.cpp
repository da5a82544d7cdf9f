#include "mainwindow/TForm1.h"

#include "components/TMILAssociate.h"
#include "mainwindow/ColorsPage.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/NodeNameDelegate.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TextFieldFilter.h"
#include "mainwindow/ViewCommands.h"
#include "platform/FieldText.h"
#include "runner/TeraTermIni.h"
#include "table/ColorSet.h"
#include "table/ImportConnections.h"
#include "table/TreeRules.h"

#include "platform/widgets/QsciIncludes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>

#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

TForm1::TForm1(Prompter *prompter, QWidget *parent)
    : QMainWindow(parent),
      m_ownPrompter(this),
      m_prompter(prompter ? prompter : &m_ownPrompter),
      m_host(*m_prompter),
      m_doc(m_host)
{
    setObjectName(QStringLiteral("Form1"));
    setMinimumWidth(654);
    resize(920, 600);

    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setHandleWidth(3);
    Splitter->setChildrenCollapsible(false);

    m_model = new ConnectionTreeModel(m_doc.tree(), this);
    m_delegate = new NodeNameDelegate(this);
    VT = new ConnectionTreeView(Splitter);
    VT->setObjectName(QStringLiteral("VT"));
    VT->setHeaderHidden(true);
    VT->setUniformRowHeights(true);
    VT->setSelectionMode(QAbstractItemView::ExtendedSelection);
    VT->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A double-click opens or closes the branch; a name is edited with F2 or a slow click.
    VT->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    VT->setItemDelegate(m_delegate);
    VT->setModel(m_model);
    VT->setMinimumWidth(215);

    createPages();
    m_views = new ViewCommands(*Splitter, *VT, *PG, *m_settingsPage->PGSettings(), this);

    Splitter->addWidget(VT);
    Splitter->addWidget(PG);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({374, 543});
    setCentralWidget(Splitter);

    createMenus();
    createStatusBar();
    // Room for the pages below the menu, the toolbar and the status bar.
    setMinimumHeight(PG->minimumHeight() + 3 * CBar->sizeHint().height());

    m_model->setRenameHandler([this](ConnectionNode *node, const QString &text) {
        // The rules may ask questions; they run once the editor has closed, so no message box
        // opens over a live editor (whose focus loss would commit it again).
        const QPersistentModelIndex where = m_model->indexFor(node);
        QMetaObject::invokeMethod(this, [this, where, text] {
            if (ConnectionNode *n = m_model->nodeFor(where))
                VTNewText(n, text);
        }, Qt::QueuedConnection);
    });
    m_delegate->setEditorCreatedHandler([this](QLineEdit *editor, const QModelIndex &index) {
        // Renaming a node of a pending cut or copy ends the cut or copy of every node.
        if (m_doc.hasCutCopyMark(m_model->nodeFor(index)))
            m_doc.CancelCutOrCopy();
        VTCreateEditor(editor);
    });
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this, [this] { RequestCommandRefresh(); });

    QItemSelectionModel *selection = VT->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { VTChange(m_model->nodeFor(current)); });
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            [this] { VTChange(focusedNode()); });

    qApp->installEventFilter(this);
    connect(&m_doc, &TableDocument::stateChanged, this, &TForm1::documentStateChanged);
    documentStateChanged();
    UpdateKeyIndicators();
    setupNodeMoves();
    setupNodeClipboard();
    setupFileCommands();
    setupEditCommands();
    setupRun();
    setupNodeView();
    setupMacroEditor();
    setupColouring();
    setupCommandState();
    setupViews();
    setupOptionHandlers();
}

TForm1::~TForm1()
{
    FormDestroy();
    qApp->removeEventFilter(this);
    // No refresh while the window comes apart (a closing in-place editor asks for one).
    Timer1 = nullptr;
    // The view goes before the model and the tree it shows.
    delete Splitter;
    delete m_model;
}

void TForm1::createPages()
{
    PG = new QTabWidget(Splitter);
    PG->setObjectName(QStringLiteral("PG"));
    PG->setMinimumSize(374, 374);
    m_settingsPage = new SettingsPage(PG);
    m_macroPage = new MacroPage(PG);
    m_popupPage = new PopupPage(PG);
    m_colorsPage = new ColorsPage(PG);
    m_schedulePage = new SchedulePage(PG);
    PG->addTab(m_settingsPage, QStringLiteral("Settings"));
    PG->addTab(m_macroPage, QStringLiteral("Macro"));
    PG->addTab(m_popupPage, QStringLiteral("Popup"));
    PG->addTab(m_colorsPage, QStringLiteral("Colors"));
    PG->addTab(m_schedulePage, QStringLiteral("Schedule"));
    Memo1 = m_macroPage->Memo1();
    Memo2 = m_popupPage->Memo2();
    Memo1->setupSearch(*this, *m_prompter);
    m_settingsPage->highlighter()->setup(m_attributes, *m_prompter, *m_styleDialogs);
}

ConnectionNode *TForm1::focusedNode() const
{
    return VT->focusedNode();
}

void TForm1::InitTree()
{
    VT->selectionModel()->clearSelection();
    showNewRoot(::InitTree(m_doc));
}

void TForm1::showNewRoot(ConnectionNode *root)
{
    VT->setSelected(root, true);
    VT->setFocusedNode(root);
    showSettingsPage();
}

void TForm1::showImported(const ImportResult &result)
{
    if (result.recordsRead)
        VT->setNodeExpanded(m_doc.RootNode(), true);
    RequestCommandRefresh();
}

void TForm1::showSettingsPage()
{
    PG->setCurrentIndex(0);
}

void TForm1::showLastUpdated(const ConnectionNode *node)
{
    const bool stamped = node && node != m_doc.RootNode() && !node->data.LastUpdated.isEmpty();
    setPanelText(0, stamped ? QStringLiteral("  Last updated: ") + ShownField(node->data.LastUpdated) : QString());
}

void TForm1::VTNewText(ConnectionNode *node, const QString &newText)
{
    const RenameResult result = ::VTNewText(m_doc, node, newText, ReadTeraTermColors());
    if (result == RenameResult::Renamed)
        VTChange(node);
    if (result != RenameResult::Refused)
        ShowFocusedNodeData();
    RequestCommandRefresh();
}

void TForm1::VTCreateEditor(QLineEdit *editor)
{
    VT->setCurrentEditLink(editor);
    m_overwritingFields->watch(editor);
    ShowInsertMode(true);
    RequestCommandRefresh();
}

QByteArray TForm1::ReadTeraTermColors() const
{
    return ::ReadTeraTermColors();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // A file still being read (the window paints meanwhile) is not left half read: the close
    // is asked again once the read is done, as a close waits for a busy window.
    if (m_doc.LoadingFlag) {
        event->ignore();
        if (!m_closeRetry) {
            m_closeRetry = new QTimer(this);
            m_closeRetry->setObjectName(QStringLiteral("CloseRetry"));
            m_closeRetry->setSingleShot(true);
            m_closeRetry->setInterval(CloseRetryInterval);
            connect(m_closeRetry, &QTimer::timeout, this, [this] { close(); });
        }
        m_closeRetry->start();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // The filter is removed before the pages are destroyed, so no event of a half-destroyed
    // page reaches it.
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        // A key event climbs from the focused widget to its parents: take it once, where it
        // was first delivered.
        QWidget *focus = QApplication::focusWidget();
        const QWidget *first = (focus && focus->window() == this) ? focus : this;
        if (w == first && w->window() == this) {
            const auto *key = static_cast<QKeyEvent *>(event);
            FormKeyUp(key->key(), key->isAutoRepeat());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
