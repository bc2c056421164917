#pragma once

// Frame windows, control bars, toolbar and status bar.

#include <vector>

#include "AfxResIds.h"
#include "AfxWnd.h"

class CDocument;
class CView;
class CDocTemplate;
class CControlBar;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    class CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame from resource nIDResource: title (first part of the
    // string), menu, icon and accelerators of that ID. FALSE when creation
    // fails (OnCreate returned -1); the frame object has then deleted itself.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = RECT{0, 0, 0, 0}, CWnd* pParentWnd = nullptr,
                LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    using CWnd::Create;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void RecalcLayout(BOOL bNotify = TRUE);

    virtual CFrameWnd* GetActiveFrame();
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Runs the command-update handlers for the items of a popup menu.
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnDestroy();

    BOOL m_bAutoMenuEnable = TRUE;
    CString m_strTitle;
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;

protected:
    void PostNcDestroy() override;  // deletes the frame object
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Creates the Qt main window behind the frame.
    virtual BOOL CreateFrameWidget(const CREATESTRUCT& cs);

    DECLARE_MESSAGE_MAP()

private:
    friend class CControlBar;
    friend class CView;
    CView* m_pViewActive = nullptr;
    DWORD m_dwDockStyle = 0;
};

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    CFrameWnd* GetActiveFrame() override;
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);

    HWND m_hWndMDIClient = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    friend class CMDIChildWnd;
    std::vector<CMDIChildWnd*> m_children;  // in activation order, last is active
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;
    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW |
                                          FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void ActivateFrame(int nCmdShow = -1) override;
    void MDIActivate();

protected:
    void OnNcDestroy() override;
    BOOL CreateFrameWidget(const CREATESTRUCT& cs) override;

private:
    CMDIFrameWnd* m_pMDIFrame = nullptr;
};

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    CFrameWnd* GetDockingFrame() const;

protected:
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    friend class CFrameWnd;
};

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);
    // Buttons from toolbar resource nIDResource, images cut from the bitmap of
    // the same ID. FALSE when either is missing.
    BOOL LoadToolBar(UINT nIDResource);
    int GetCount() const;
    UINT GetItemID(int nIndex) const;

    using CWnd::Create;

private:
    std::vector<UINT> m_buttons;
};

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per ID; each ID but ID_SEPARATOR needs its string. FALSE when one
    // is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }

    using CWnd::Create;

private:
    std::vector<UINT> m_panes;
};
