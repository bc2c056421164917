#pragma once

// The application object: start-up, the login session and the operations the
// manager pages use.

#include "MyADOX.h"
#include "afxdb.h"
#include "afxwin.h"
#include "resource.h"

class CExtPropSheet;

class CTARNEXApp : public CWinApp {
public:
    CTARNEXApp();
    ~CTARNEXApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Opens the security catalog for the login session; FALSE when it did not open.
    BOOL ConnectCatalog();
    // Closes the security catalog; always TRUE.
    BOOL DisconnectCatalog();
    // Changes the session user's password from the session's to strNewPassword:
    // 1 changed, 0 not changed, -1 no catalog open. The session is the caller's to update.
    int ChangeCatalogPassword(CString strNewPassword);
    // Gives the DAO engine the session's account as its default login.
    BOOL SetDaoDefaultLogin();
    // Restarts the DAO engine with the session's workgroup file as its system database.
    BOOL SetDaoSystemDb();
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

    // The ODBC connection through which the Login page checks a login.
    CDatabase m_database;

    // The manager sheet while it runs; null before and after the run.
    CExtPropSheet* m_pSheet;

    // The security catalog; it also runs COM for the program.
    CMyADOX m_adox;

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
