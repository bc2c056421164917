#pragma once

// The hidden main frame: owns the notification-area icon and receives the
// commands of its menu, which show, hide and end the manager sheet and switch
// its pages. Its toolbar, status bar and documents are never seen.

#include "TrayIcon.h"
#include "afxext.h"

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Shows icon nID with tooltip string nID in the notification area.
    BOOL SetTrayIcon(UINT nID);

protected:
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CTrayIcon m_trayIcon;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnTrayOpen();
    afx_msg void OnTrayExit();
    afx_msg void OnTrayHide();
    afx_msg void OnPageLogin();
    afx_msg void OnPagePasswords();
    afx_msg void OnPageCompact();
    afx_msg void OnPageBackup();
    afx_msg void OnPagePermissions();
    afx_msg void OnUpdatePageLogin(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePagePasswords(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePageCompact(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePageBackup(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePagePermissions(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    void SelectSheetPage(int nPage);
    void UpdateSheetPageItem(CCmdUI* pCmdUI, int nPage);
};
