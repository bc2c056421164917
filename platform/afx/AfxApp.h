#pragma once

// The application object and the program's entry point.

#include <list>
#include <string>
#include <vector>

#include "AfxDocView.h"
#include "AfxException.h"

class CCommandLineInfo : public CObject {
public:
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    };
    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;
    // One argument; flags start with "-" (or "/" for the platform's flag names).
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
};

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;
    ~CWinThread() override = default;
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance();
    virtual int Run();
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers this object as the program's application (AfxGetApp). Without
    // a name, the name comes from string AFX_IDS_APP_TITLE when AfxWinMain runs.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    // Saves the standard profile settings, shuts the DAO engine down if it was
    // started (m_lpfnDaoTerm) and returns the exit code (0).
    int ExitInstance() override;
    // The application's own message loop (until the main window goes away).
    int Run() override;

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // File New for FileNew, opens the file for FileOpen; FALSE when that failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void AddDocTemplate(CDocTemplate* pTemplate);  // the application owns it
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // The recent-file list (nMaxMRU entries, "Recent File List" section) and
    // the preview setting, from the profile.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    // The profile lives in the INI file m_pszProfileName.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    HICON LoadIcon(UINT nIDResource) const;
    virtual void DoWaitCursor(int nCode);  // 1 begin, -1 end, 0 restore
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // The platform's report of an exception that left a message handler.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = 0);

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    // Heap strings (malloc), freed and replaced by the application as needed:
    //     free((void*)m_pszHelpFilePath); m_pszHelpFilePath = _tcsdup(path);
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // Set by AfxDaoInit; ExitInstance calls it once to shut the DAO engine down.
    void (*m_lpfnDaoTerm)() = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    friend int AfxWinMain(int argc, char* argv[]);
    void SetCurrentHandles(int argc, char* argv[]);
    std::vector<std::string> m_args;
    std::list<CDocTemplate*> m_templates;
    std::vector<CString> m_recentFiles;
    UINT m_nMaxMRU = 0;
    BOOL m_bProfileLoaded = FALSE;
    int m_nWaitCursorCount = 0;
    char* m_pszAppNameOwned = nullptr;
    char* m_pszExeNameOwned = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCTSTR AfxGetAppName();

// Shows a message box owned by the running modal window or the visible main
// window; with no icon given, MB_OK and MB_OKCANCEL get the exclamation icon.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// ActiveX control hosting: nothing to enable on this platform.
class COccManager;
void AfxEnableControlContainer(COccManager* pOccManager = nullptr);

// HTML Help ("file.chm::/topic.htm>window"), through the desktop.
HWND AfxHtmlHelp(HWND hWnd, LPCTSTR szHelpFilePath, UINT nCmd, DWORD_PTR dwData);

// The program's entry point, called by main: creates the desktop application,
// runs InitInstance; when it returns FALSE destroys the main window and
// returns ExitInstance's value, otherwise runs the message loop.
int AfxWinMain(int argc, char* argv[]);
