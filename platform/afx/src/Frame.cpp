// Frame windows (on QMainWindow), MDI children, toolbar and status bar.

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include "AfxApp.h"
#include "AfxFrame.h"
#include "AfxInternal.h"
#include "Handles.h"
#include "ResourceLookup.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_INITMENUPOPUP()
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
END_MESSAGE_MAP()

namespace {

Qt::ToolBarArea AreaOf(DWORD style) {
    if (style & CBRS_ALIGN_BOTTOM) return Qt::BottomToolBarArea;
    if (style & CBRS_ALIGN_LEFT) return Qt::LeftToolBarArea;
    if (style & CBRS_ALIGN_RIGHT) return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;
}

Qt::ToolBarAreas AreasOf(DWORD dockStyle) {
    Qt::ToolBarAreas areas;
    if (dockStyle & CBRS_ALIGN_TOP) areas |= Qt::TopToolBarArea;
    if (dockStyle & CBRS_ALIGN_BOTTOM) areas |= Qt::BottomToolBarArea;
    if (dockStyle & CBRS_ALIGN_LEFT) areas |= Qt::LeftToolBarArea;
    if (dockStyle & CBRS_ALIGN_RIGHT) areas |= Qt::RightToolBarArea;
    return areas;
}

QKeySequence KeyOf(const platform::res::Accelerator& a) {
    int key = 0;
    switch (a.key) {
        case VK_BACK:
            key = Qt::Key_Backspace;
            break;
        case VK_INSERT:
            key = Qt::Key_Insert;
            break;
        case VK_DELETE:
            key = Qt::Key_Delete;
            break;
        default:
            if (a.key >= VK_F1 && a.key <= VK_F1 + 23)
                key = Qt::Key_F1 + (a.key - VK_F1);
            else if ((a.key >= 'A' && a.key <= 'Z') || (a.key >= '0' && a.key <= '9'))
                key = a.key;
            break;
    }
    if (!key) return {};
    int mods = 0;
    if (a.fVirt & FCONTROL) mods |= Qt::CTRL;
    if (a.fVirt & FSHIFT) mods |= Qt::SHIFT;
    if (a.fVirt & FALT) mods |= Qt::ALT;
    return QKeySequence(key | mods);
}

// The frame's main window, when it is a QMainWindow.
QMainWindow* MainWindowOf(CWnd* frame) {
    return qobject_cast<QMainWindow*>(AfxWidget(frame));
}

}  // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    if (m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
    if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString title;
    title.LoadString(nIDResource);
    int nl = title.Find('\n');
    if (nl >= 0) title = title.Left(nl);
    m_strTitle = title;
    m_hMenuDefault = ::LoadMenuA(nullptr, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = ::LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(nIDResource));
    if (!Create(nullptr, title, dwDefaultStyle, RECT{0, 0, 0, 0}, pParentWnd,
                MAKEINTRESOURCEA(nIDResource), 0, pContext))
        return FALSE;  // the frame has deleted itself
    if (HICON icon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(nIDResource))) {
        if (QWidget* w = AfxWidget(this)) w->setWindowIcon(QIcon(QPixmap::fromImage(icon->image)));
        ::DestroyIcon(icon);
    }
    return TRUE;
}

BOOL CFrameWnd::CreateFrameWidget(const CREATESTRUCT& cs) {
    QWidget* parent = platform::win::WidgetFromHandle(cs.hwndParent);
    auto* w = new QMainWindow(parent, Qt::Window);
    w->setWindowTitle(QString::fromLocal8Bit(cs.lpszName ? cs.lpszName : ""));
    if (cs.cx > 0 && cs.cy > 0)
        w->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
    else
        w->resize(640, 480);
    w->setVisible(false);
    CREATESTRUCT copy = cs;
    return AfxCreateWindowFor(this, w, copy, "AfxFrameOrView");
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext) {
    (void)lpszMenuName;
    CREATESTRUCT cs{};
    cs.lpCreateParams = pContext;
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = static_cast<LONG>(dwStyle & ~WS_VISIBLE);
    cs.dwExStyle = dwExStyle;
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    platform::win::EnsureApplication();
    if (!CreateFrameWidget(cs)) return FALSE;
    if (QWidget* w = AfxWidget(this); w && m_hAccelTable) {
        HWND h = m_hWnd;
        for (const platform::res::Accelerator& a : m_hAccelTable->entries) {
            QKeySequence keys = KeyOf(a);
            if (keys.isEmpty()) continue;
            auto* shortcut = new QShortcut(keys, w);
            UINT cmd = a.cmd;
            QObject::connect(shortcut, &QShortcut::activated, w,
                             [h, cmd] { ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(cmd, 1), 0); });
        }
    }
    if (dwStyle & WS_VISIBLE) ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, context)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext && pContext->m_pNewViewClass) return CreateView(pContext) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    if (!pContext || !pContext->m_pNewViewClass) return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, this, nID,
                      pContext))
        return nullptr;  // the view has deleted itself
    if (QMainWindow* main = MainWindowOf(this))
        if (!main->centralWidget()) main->setCentralWidget(AfxWidget(view));
    return view;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT, LPCRECT) {
    QMainWindow* main = MainWindowOf(this);
    auto* bar = qobject_cast<QToolBar*>(AfxWidget(pBar));
    if (!main || !bar) return;
    bar->setAllowedAreas(AreasOf(pBar->m_dwDockStyle & m_dwDockStyle));
    main->addToolBar(AreaOf(pBar->m_dwStyle), bar);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL) {
    if (pBar) pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CFrameWnd::RecalcLayout(BOOL) {}

CFrameWnd* CFrameWnd::GetActiveFrame() {
    return this;
}
CView* CFrameWnd::GetActiveView() const {
    return m_pViewActive;
}
void CFrameWnd::SetActiveView(CView* pViewNew, BOOL) {
    m_pViewActive = pViewNew;
}

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    if (!m_pViewActive && pDoc) {
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos) {
            CView* view = pDoc->GetNextView(pos);
            if (view->GetParentFrame() == this) {
                m_pViewActive = view;
                break;
            }
        }
    }
    if (pDoc) {
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos) {
            CView* view = pDoc->GetNextView(pos);
            if (view->GetParentFrame() == this) view->OnInitialUpdate();
        }
    }
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible) ActivateFrame();
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CString title = m_strTitle;
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE))
        if (CDocument* doc = GetActiveDocument()) title = doc->GetTitle() + " - " + title;
    SetWindowText(title);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
    if (auto* bar = static_cast<CStatusBar*>(GetDlgItem(AFX_IDW_STATUS_BAR)))
        if (bar->IsKindOf(RUNTIME_CLASS(CStatusBar))) bar->SetPaneText(0, lpszText);
}

void CFrameWnd::SetMessageText(UINT nID) {
    CString text;
    text.LoadString(nID);
    int nl = text.Find('\n');
    SetMessageText(nl >= 0 ? text.Left(nl) : text);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu || !pPopupMenu) return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (UINT i = 0; i < state.m_nIndexMax; ++i) {
        UINT id = pPopupMenu->GetMenuItemID(static_cast<int>(i));
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or popup
        state.m_nIndex = i;
        state.m_nID = id;
        state.DoUpdate(this, m_bAutoMenuEnable && id < 0xF000);
    }
}

void CFrameWnd::OnClose() {
    DestroyWindow();
}
void CFrameWnd::OnDestroy() {
    CWnd::OnDestroy();
}
void CFrameWnd::PostNcDestroy() {
    delete this;
}

// MDI

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
    QMainWindow* main = MainWindowOf(this);
    if (!main) return FALSE;
    auto* area = new QMdiArea(main);
    main->setCentralWidget(area);
    m_hWndMDIClient = platform::win::CreateWindowHandle(area, "MDICLIENT", AFX_IDW_PANE_FIRST,
                                                        WS_CHILD | WS_VISIBLE);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    if (pbMaximized) *pbMaximized = FALSE;
    return m_children.empty() ? nullptr : m_children.back();
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
    auto it = std::find(m_children.begin(), m_children.end(), pWndActivate);
    if (it == m_children.end()) return;
    CMDIChildWnd* child = *it;
    m_children.erase(it);
    m_children.push_back(child);
}

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
    CWnd* parent = pParentWnd ? pParentWnd : AfxGetMainWnd();
    m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(parent);
    if (!m_pMDIFrame || !m_pMDIFrame->m_hWndMDIClient) {
        PostNcDestroy();
        return FALSE;
    }
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, parent, pContext);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::CreateFrameWidget(const CREATESTRUCT& cs) {
    auto* area =
        qobject_cast<QMdiArea*>(platform::win::WidgetFromHandle(m_pMDIFrame->m_hWndMDIClient));
    if (!area) return FALSE;
    auto* w = new QWidget;
    w->setWindowTitle(QString::fromLocal8Bit(cs.lpszName ? cs.lpszName : ""));
    QMdiSubWindow* sub = area->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->resize(320, 240);
    m_pMDIFrame->m_children.push_back(this);
    CREATESTRUCT copy = cs;
    copy.style |= WS_CHILD;
    copy.hwndParent = m_pMDIFrame->m_hWndMDIClient;
    // The handle belongs to the sub-window, so the frame goes with it.
    if (!AfxCreateWindowFor(this, sub, copy, "AfxMDIChild")) return FALSE;
    return TRUE;
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The MDI frame asks itself and the application after its active child.
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    return m_pMDIFrame;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    CFrameWnd::ActivateFrame(nCmdShow);
    MDIActivate();
}

void CMDIChildWnd::MDIActivate() {
    if (m_pMDIFrame) m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::OnNcDestroy() {
    if (m_pMDIFrame) std::erase(m_pMDIFrame->m_children, this);
    CFrameWnd::OnNcDestroy();
}

// Control bars

CControlBar::CControlBar() = default;
CControlBar::~CControlBar() = default;
void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle;
    if (auto* bar = qobject_cast<QToolBar*>(AfxWidget(this))) bar->setMovable(dwDockStyle != 0);
}
void CControlBar::SetBarStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle;
}
CFrameWnd* CControlBar::GetDockingFrame() const {
    return GetParentFrame();
}

CToolBar::CToolBar() = default;
CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect, UINT nID) {
    QWidget* parent = AfxWidget(pParentWnd);
    if (!parent || m_hWnd) return FALSE;
    auto* bar = new QToolBar(parent);
    bar->setMovable(false);
    CREATESTRUCT cs{};
    cs.style =
        static_cast<LONG>(WS_CHILD | (dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_GRIPPER |
                                                  CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC)));
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID));
    cs.hwndParent = pParentWnd->m_hWnd;
    if (!AfxCreateWindowFor(this, bar, cs, "ToolbarWindow32")) return FALSE;
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_TOOLTIPS |
                           CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    if (auto* main = qobject_cast<QMainWindow*>(parent)) main->addToolBar(AreaOf(m_dwStyle), bar);
    bar->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    auto* bar = qobject_cast<QToolBar*>(AfxWidget(this));
    const platform::res::ToolbarTemplate* t = platform::res::FindToolbar(nIDResource);
    QImage bitmap = platform::win::LoadBitmapResource(nIDResource);
    if (!bar || !t || bitmap.isNull()) return FALSE;
    QPixmap images = QPixmap::fromImage(bitmap);
    images.setMask(images.createMaskFromColor(QColor(192, 192, 192)));
    bar->clear();
    m_buttons.clear();
    bar->setIconSize(QSize(t->buttonWidth, t->buttonHeight));
    HWND owner = ::GetParent(m_hWnd);
    int image = 0;
    for (UINT cmd : t->commands) {
        m_buttons.push_back(cmd);
        if (cmd == ID_SEPARATOR) {
            bar->addSeparator();
            continue;
        }
        CString prompt;
        prompt.LoadString(cmd);
        int nl = prompt.Find('\n');
        QAction* action = bar->addAction(
            QIcon(images.copy(image * t->buttonWidth, 0, t->buttonWidth, t->buttonHeight)),
            AfxQString(nl >= 0 ? prompt.Mid(nl + 1) : prompt));
        if (m_dwStyle & CBRS_FLYBY)
            action->setStatusTip(AfxQString(nl >= 0 ? prompt.Left(nl) : prompt));
        ++image;
        QObject::connect(action, &QAction::triggered, bar, [owner, cmd] {
            ::PostMessageA(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(cmd), 0), 0);
        });
    }
    return TRUE;
}

int CToolBar::GetCount() const {
    return static_cast<int>(m_buttons.size());
}
UINT CToolBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<std::size_t>(nIndex)] : 0;
}

CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    QWidget* parent = AfxWidget(pParentWnd);
    if (!parent || m_hWnd) return FALSE;
    auto* bar = new QStatusBar(parent);
    CREATESTRUCT cs{};
    cs.style = static_cast<LONG>(WS_CHILD | (dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)));
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID));
    cs.hwndParent = pParentWnd->m_hWnd;
    if (!AfxCreateWindowFor(this, bar, cs, "msctls_statusbar32")) return FALSE;
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY);
    if (auto* main = qobject_cast<QMainWindow*>(parent)) main->setStatusBar(bar);
    bar->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    auto* bar = qobject_cast<QStatusBar*>(AfxWidget(this));
    if (!bar || !lpIDArray || nIDCount <= 0) return FALSE;
    for (QLabel* old : bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        bar->removeWidget(old);
        delete old;
    }
    m_panes.assign(lpIDArray, lpIDArray + nIDCount);
    BOOL ok = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        CString text;
        if (lpIDArray[i] == ID_SEPARATOR) {
            if (i == 0) text.LoadString(AFX_IDS_IDLEMESSAGE);
        } else if (!text.LoadString(lpIDArray[i])) {
            ok = FALSE;
        }
        auto* label = new QLabel(AfxQString(text), bar);
        if (lpIDArray[i] == ID_SEPARATOR) {
            bar->addWidget(label, 1);
        } else {
            label->setEnabled(false);  // an indicator shows its text while its key is on
            bar->addPermanentWidget(label);
        }
    }
    return ok;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL) {
    auto* bar = qobject_cast<QStatusBar*>(AfxWidget(this));
    if (!bar || nIndex < 0 || nIndex >= GetCount()) return FALSE;
    QList<QLabel*> labels = bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    if (nIndex >= labels.size()) return FALSE;
    labels[nIndex]->setText(QString::fromLocal8Bit(lpszNewText ? lpszNewText : ""));
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const {
    auto* bar = qobject_cast<QStatusBar*>(AfxWidget(this));
    if (!bar) return CString();
    QList<QLabel*> labels = bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    if (nIndex < 0 || nIndex >= labels.size()) return CString();
    return CString(labels[nIndex]->text().toLocal8Bit().toStdString());
}
