#include "MainFrm.h"

#include "ExtPropSheet.h"
#include "TARNEX.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_MESSAGE(WM_USER, OnTrayNotify)
ON_WM_ACTIVATE()
ON_COMMAND(ID_TRAY_OPEN, OnTrayOpen)
ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
ON_COMMAND(ID_TRAY_HIDE, OnTrayHide)
ON_COMMAND(ID_PAGE_LOGIN, OnPageLogin)
ON_COMMAND(ID_PAGE_PASSWORDS, OnPagePasswords)
ON_COMMAND(ID_PAGE_COMPACT, OnPageCompact)
ON_COMMAND(ID_PAGE_BACKUP, OnPageBackup)
ON_COMMAND(ID_PAGE_PERMISSIONS, OnPagePermissions)
ON_UPDATE_COMMAND_UI(ID_PAGE_LOGIN, OnUpdatePageLogin)
ON_UPDATE_COMMAND_UI(ID_PAGE_PASSWORDS, OnUpdatePagePasswords)
ON_UPDATE_COMMAND_UI(ID_PAGE_COMPACT, OnUpdatePageCompact)
ON_UPDATE_COMMAND_UI(ID_PAGE_BACKUP, OnUpdatePageBackup)
ON_UPDATE_COMMAND_UI(ID_PAGE_PERMISSIONS, OnUpdatePagePermissions)
END_MESSAGE_MAP()

static UINT indicators[] = {
    ID_SEPARATOR,  // status line indicator
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL,
};

CMainFrame::CMainFrame() : m_trayIcon(IDI_TRAY) {}

CMainFrame::~CMainFrame() {}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, sizeof(indicators) / sizeof(UINT)))
        return -1;

    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);

    // The icon starts in its not-logged-in state; a shell without a
    // notification area is no reason to stop.
    m_trayIcon.SetCallbackTarget(this, WM_USER);
    m_trayIcon.UpdateIcon(IDI_NOTLOGGEDIN);
    return 0;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CMDIFrameWnd::PreCreateWindow(cs)) return FALSE;
    return TRUE;
}

BOOL CMainFrame::SetTrayIcon(UINT nID) {
    return m_trayIcon.UpdateIcon(nID);
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    return m_trayIcon.HandleIconMessage(wParam, lParam);
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
}

// The tray commands act on the running sheet; outside its run they do nothing.

void CMainFrame::OnTrayOpen() {
    CExtPropSheet* pSheet = GetTarnexApp()->m_pSheet;
    if (pSheet != NULL) pSheet->ShowWindow(SW_SHOW);
}

void CMainFrame::OnTrayExit() {
    CExtPropSheet* pSheet = GetTarnexApp()->m_pSheet;
    if (pSheet != NULL) pSheet->EndDialog(0);
}

void CMainFrame::OnTrayHide() {
    CExtPropSheet* pSheet = GetTarnexApp()->m_pSheet;
    if (pSheet != NULL) pSheet->ShowWindow(SW_HIDE);
}

void CMainFrame::SelectSheetPage(int nPage) {
    CExtPropSheet* pSheet = GetTarnexApp()->m_pSheet;
    if (pSheet == NULL) return;
    // The page being left may refuse; a hidden sheet stays hidden.
    if (pSheet->GetActiveIndex() != nPage) pSheet->SetActivePage(nPage);
}

void CMainFrame::UpdateSheetPageItem(CCmdUI* pCmdUI, int nPage) {
    CExtPropSheet* pSheet = GetTarnexApp()->m_pSheet;
    if (pSheet == NULL) return;
    const int nActive = pSheet->GetActiveIndex();
    pCmdUI->Enable(nActive != nPage);
    pCmdUI->SetCheck(nActive == nPage);
}

void CMainFrame::OnPageLogin() {
    SelectSheetPage(0);
}
void CMainFrame::OnPagePasswords() {
    SelectSheetPage(1);
}
void CMainFrame::OnPageCompact() {
    SelectSheetPage(2);
}
void CMainFrame::OnPageBackup() {
    SelectSheetPage(3);
}
// The sheet has no page 4: the request leaves it on its current page.
void CMainFrame::OnPagePermissions() {
    SelectSheetPage(4);
}

void CMainFrame::OnUpdatePageLogin(CCmdUI* pCmdUI) {
    UpdateSheetPageItem(pCmdUI, 0);
}
void CMainFrame::OnUpdatePagePasswords(CCmdUI* pCmdUI) {
    UpdateSheetPageItem(pCmdUI, 1);
}
void CMainFrame::OnUpdatePageCompact(CCmdUI* pCmdUI) {
    UpdateSheetPageItem(pCmdUI, 2);
}
void CMainFrame::OnUpdatePageBackup(CCmdUI* pCmdUI) {
    UpdateSheetPageItem(pCmdUI, 3);
}
void CMainFrame::OnUpdatePagePermissions(CCmdUI* pCmdUI) {
    UpdateSheetPageItem(pCmdUI, 4);
}
