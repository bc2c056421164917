#include "TARNEX.h"

#include <cstdlib>
#include <vector>

#include "AboutDlg.h"
#include "AdoChangePwPg.h"
#include "AdoxLoginPg.h"
#include "BackupPage.h"
#include "CatalogErrorReport.h"
#include "ChildFrm.h"
#include "CompactRepairPage.h"
#include "ExtPropSheet.h"
#include "MainFrm.h"
#include "TARNEXDoc.h"
#include "TARNEXView.h"
#include "afxdao.h"

BEGIN_MESSAGE_MAP(CTARNEXApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CTARNEXApp::CTARNEXApp() : m_pSheet(NULL) {
    // COM runs on this thread from before the first window until the object goes.
    if (!m_adox.InitCom()) {
        MessageBoxA(NULL, "Could not initialize COM Library", "COM Error", MB_OK | MB_ICONERROR);
        exit(0);
    }
}

CTARNEXApp::~CTARNEXApp() {}

BOOL CTARNEXApp::InitInstance() {
    SetPathsBesideExecutable();

    AfxEnableControlContainer();
    LoadStdProfileSettings(4);  // recent-file list of four entries, kept in the INI file

    CMultiDocTemplate* pDocTemplate =
        new CMultiDocTemplate(IDR_TARNEXTYPE, RUNTIME_CLASS(CTARNEXDoc), RUNTIME_CLASS(CChildFrame),
                              RUNTIME_CLASS(CTARNEXView));
    AddDocTemplate(pDocTemplate);

    // The main frame is never shown; it owns the notification-area icon.
    CMainFrame* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, NULL))
        return FALSE;  // the frame has deleted itself
    m_pMainWnd = pMainFrame;

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (ProcessShellCommand(cmdInfo)) RunManagerSheet();

    // The sheet's run was the program's whole life: never enter the message loop.
    return FALSE;
}

// Help file "Manual.chm" and profile "TALVERON32.INI" live in the executable's
// folder, whatever the current folder is.
void CTARNEXApp::SetPathsBesideExecutable() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD nLength =
            GetModuleFileNameA(m_hInstance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (nLength < buffer.size()) break;
        buffer.resize(buffer.size() * 2);  // truncated: a deep folder
    }
    m_strHelpPath = buffer.data();

    CString strFolder;
    const unsigned char* pszPath = reinterpret_cast<const unsigned char*>(buffer.data());
    const unsigned char* pszSlash = _mbsrchr(pszPath, '/');
    if (pszSlash != NULL) strFolder = m_strHelpPath.Left(static_cast<int>(pszSlash - pszPath));
    m_strHelpPath = strFolder + _T("/Manual.chm");

    free(const_cast<char*>(m_pszHelpFilePath));
    m_pszHelpFilePath = _tcsdup(m_strHelpPath);
    free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = _tcsdup(strFolder + _T("/TALVERON32.INI"));
}

void CTARNEXApp::RunManagerSheet() {
    CExtPropSheet sheet(_T("Quill*Marsh Database Manager"), NULL, 0);

    // The pages, at indexes 0 to 3; they go before the sheet when the run is over.
    CAdoxLoginPg pgLogin;
    CAdoChangePwPg pgChangePassword;
    CCompactRepairPage pgCompactRepair;
    CBackupPage pgBackup;
    sheet.AddPage(&pgLogin);
    sheet.AddPage(&pgChangePassword);
    sheet.AddPage(&pgCompactRepair);
    sheet.AddPage(&pgBackup);

    m_pSheet = &sheet;
    sheet.DoModal();
    m_pSheet = NULL;
}

int CTARNEXApp::ExitInstance() {
    if (m_database.IsOpen()) m_database.Close();
    return CWinApp::ExitInstance();
}

BOOL CTARNEXApp::ConnectCatalog() {
    try {
        if (!m_adox.CreateConnection()) return FALSE;
        if (!m_adox.SetProvider("Microsoft.Jet.OLEDB.4.0")) return FALSE;
    } catch (const _com_error& e) {
        // The connection object could not be made or given its provider.
        ReportCatalogError(e);
        return FALSE;
    }
    if (!m_adox.OpenCatalog(m_strDatabase, m_strSystemDb, m_strUserId, m_strPassword)) {
        m_adox.CloseCatalog();
        return FALSE;
    }
    return TRUE;
}

BOOL CTARNEXApp::DisconnectCatalog() {
    m_adox.CloseCatalog();
    return TRUE;
}

int CTARNEXApp::ChangeCatalogPassword(CString strNewPassword) {
    return m_adox.ChangeUserPassword(m_strUserId, m_strPassword, strNewPassword);
}

namespace {

// Sets a text property of the DAO engine; the engine takes narrow text in a BSTR.
void PutEngineText(HRESULT (DAODBEngine::*pfnPut)(BSTR), const CString& strValue) {
    BSTR bstrValue = DaoAllocString(strValue.str());
    if (bstrValue == NULL) AfxThrowMemoryException();
    const HRESULT hr = (AfxDaoGetEngine()->*pfnPut)(bstrValue);
    SysFreeString(bstrValue);
    DAO_CHECK(hr);
}

}  // namespace

BOOL CTARNEXApp::SetDaoDefaultLogin() {
    PutEngineText(&DAODBEngine::put_DefaultUser, m_strUserId);
    PutEngineText(&DAODBEngine::put_DefaultPassword, m_strPassword);
    return TRUE;
}

BOOL CTARNEXApp::SetDaoSystemDb() {
    // A fresh engine, so that the workgroup is set before any workspace opens.
    AfxDaoTerm();
    AfxDaoInit();
    PutEngineText(&DAODBEngine::put_SystemDB, m_strSystemDb);
    return TRUE;
}

BOOL CTARNEXApp::SetTrayIcon(UINT nID) {
    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
    if (pFrame == NULL) return FALSE;
    return pFrame->SetTrayIcon(nID);
}

void CTARNEXApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
