#pragma once

// The application object: start-up, the login session and the operations the
// manager pages use.

#include "afxwin.h"
#include "resource.h"

class CExtPropSheet;

class CTARNEXApp : public CWinApp {
public:
    CTARNEXApp();
    ~CTARNEXApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Shows icon nID with string nID as tooltip in the notification area.
    BOOL SetTrayIcon(UINT nID);

    // Full path of the help file beside the executable.
    CString m_strHelpPath;

    // The login session, filled by the Login page from the completed connect string.
    CString m_strConnect;
    CString m_strDatabase;
    CString m_strPassword;
    CString m_strUserId;
    CString m_strSystemDb;

    // The manager sheet while it runs; null before and after the run.
    CExtPropSheet* m_pSheet;

protected:
    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()

private:
    void SetPathsBesideExecutable();
    void RunManagerSheet();
};

// The running application object.
inline CTARNEXApp* GetTarnexApp() {
    return static_cast<CTARNEXApp*>(AfxGetApp());
}
