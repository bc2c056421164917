// The application object, the entry point, message boxes, the profile, the
// command line and the standard File commands.

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "AfxApp.h"
#include "AfxFileDialog.h"
#include "AfxInternal.h"
#include "Desktop.h"
#include "windows.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

namespace {

CWinApp* g_app = nullptr;
QEventLoop* g_runLoop = nullptr;

constexpr char kRecentSection[] = "Recent File List";
constexpr char kRecentEntry[] = "File%d";

std::string ExePath() {
    char path[PATH_MAX];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    return std::string(path, n);
}

char* Dup(const std::string& s) {
    return ::strdup(s.c_str());
}

}  // namespace

void AfxEndRunLoop(int nExitCode) {
    if (g_runLoop) g_runLoop->exit(nExitCode);
}

int CWinThread::ExitInstance() {
    return 0;
}

int CWinThread::Run() {
    platform::win::EnsureApplication();
    QEventLoop loop;
    QEventLoop* outer = g_runLoop;
    g_runLoop = &loop;
    int code = m_pMainWnd ? loop.exec() : 0;
    g_runLoop = outer;
    (void)code;
    return ExitInstance();
}

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName) m_pszAppName = m_pszAppNameOwned = ::strdup(lpszAppName);
    g_app = this;
}

CWinApp::~CWinApp() {
    for (CDocTemplate* t : m_templates) delete t;
    std::free(const_cast<char*>(m_pszHelpFilePath));
    std::free(const_cast<char*>(m_pszProfileName));
    std::free(const_cast<char*>(m_pszRegistryKey));
    std::free(m_pszAppNameOwned);
    std::free(m_pszExeNameOwned);
    std::free(m_lpCmdLine);
    if (g_app == this) g_app = nullptr;
}

void CWinApp::SetCurrentHandles(int argc, char* argv[]) {
    m_args.assign(argv, argv + (argc > 0 ? argc : 0));
    m_hInstance = GetModuleHandleA(nullptr);
    std::string exe = ExePath();
    std::size_t slash = exe.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
    std::string file = slash == std::string::npos ? exe : exe.substr(slash + 1);
    std::string title = file.substr(0, file.rfind('.') == 0 ? file.size() : file.rfind('.'));
    if (!m_pszExeName) m_pszExeName = m_pszExeNameOwned = Dup(title);
    if (!m_pszAppName) {
        CString name;
        m_pszAppName = m_pszAppNameOwned =
            Dup(name.LoadString(AFX_IDS_APP_TITLE) ? name.str() : title);
    }
    if (!m_pszHelpFilePath) m_pszHelpFilePath = Dup(folder + title + ".chm");
    if (!m_pszProfileName) m_pszProfileName = Dup(folder + title + ".INI");
    std::string line;
    for (std::size_t i = 1; i < m_args.size(); ++i) line += (i > 1 ? " " : "") + m_args[i];
    std::free(m_lpCmdLine);
    m_lpCmdLine = Dup(line);
}

BOOL CWinApp::InitApplication() {
    return TRUE;
}
BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    if (m_bProfileLoaded) SaveStdProfileSettings();
    if (void (*term)() = m_lpfnDaoTerm) {
        m_lpfnDaoTerm = nullptr;
        term();
    }
    return 0;
}

int CWinApp::Run() {
    return CWinThread::Run();
}

// Command line

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL) {
    CString param(pszParam);
    if (bFlag) {
        if (param.CompareNoCase("pt") == 0) {
            m_nShellCommand = FilePrintTo;
        } else if (param.CompareNoCase("p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (param.CompareNoCase("dde") == 0) {
            m_nShellCommand = FileDDE;
        } else if (param.CompareNoCase("unregister") == 0 ||
                   param.CompareNoCase("unregserver") == 0) {
            m_nShellCommand = AppUnregister;
        } else if (param.CompareNoCase("embedding") == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
            if (m_nShellCommand == FileNew) m_nShellCommand = FileNothing;
        } else if (param.CompareNoCase("automation") == 0) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
            if (m_nShellCommand == FileNew) m_nShellCommand = FileNothing;
        } else if (param.CompareNoCase("nologo") == 0) {
            m_bShowSplash = FALSE;
        }
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo) {
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = param;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = param;
        else if (m_strPortName.IsEmpty())
            m_strPortName = param;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    static const char* const kSlashFlags[] = {
        "p", "pt", "dde", "unregister", "unregserver", "embedding", "automation", "nologo"};
    for (std::size_t i = 1; i < m_args.size(); ++i) {
        const std::string& arg = m_args[i];
        BOOL last = i + 1 == m_args.size();
        bool flag = false;
        std::string param = arg;
        if (arg.size() > 1 && arg[0] == '-') {
            flag = true;
            param = arg.substr(arg[1] == '-' ? 2 : 1);
        } else if (arg.size() > 1 && arg[0] == '/') {
            for (const char* name : kSlashFlags)
                if (CString(arg.c_str() + 1).CompareNoCase(name) == 0) flag = true;
            if (flag) param = arg.substr(1);
        }
        rCmdInfo.ParseParam(param.c_str(), flag, last);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr)) OnFileNew();
            return m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
        case CCommandLineInfo::FilePrint:
        case CCommandLineInfo::FilePrintTo:
            if (OpenDocumentFile(rCmdInfo.m_strFileName) && m_pMainWnd)
                m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
            return FALSE;  // printing from the command line ends the program
        case CCommandLineInfo::FileNothing:
            return TRUE;
        default:
            return FALSE;
    }
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate) m_templates.push_back(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    if (m_templates.empty() || !lpszFileName || !*lpszFileName) return nullptr;
    return m_templates.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
    if (m_nMaxMRU == 0 || !lpszPathName || !*lpszPathName) return;
    char resolved[PATH_MAX];
    CString path = ::realpath(lpszPathName, resolved) ? resolved : lpszPathName;
    std::erase(m_recentFiles, path);
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > m_nMaxMRU) m_recentFiles.resize(m_nMaxMRU);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    m_nMaxMRU = nMaxMRU;
    m_recentFiles.clear();
    for (UINT i = 1; i <= nMaxMRU; ++i) {
        CString key;
        key.Format(kRecentEntry, i);
        CString path = GetProfileString(kRecentSection, key);
        if (!path.IsEmpty()) m_recentFiles.push_back(path);
    }
    m_bProfileLoaded = TRUE;
}

void CWinApp::SaveStdProfileSettings() {
    for (UINT i = 1; i <= m_nMaxMRU; ++i) {
        CString key;
        key.Format(kRecentEntry, i);
        WriteProfileString(kRecentSection, key,
                           i <= m_recentFiles.size() ? m_recentFiles[i - 1].GetString() : nullptr);
    }
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    std::free(const_cast<char*>(m_pszRegistryKey));
    m_pszRegistryKey = lpszRegistryKey ? ::strdup(lpszRegistryKey) : nullptr;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    if (!m_pszProfileName) return static_cast<UINT>(nDefault);
    return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    CString value;
    value.Format("%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, value);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    if (!m_pszProfileName) return CString(lpszDefault);
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "",
                                           buffer.data(), static_cast<DWORD>(buffer.size()),
                                           m_pszProfileName);
        if (n < buffer.size() - 1) return CString(buffer.data(), static_cast<int>(n));
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (!m_pszProfileName) return FALSE;
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

void CWinApp::DoWaitCursor(int nCode) {
    if (nCode > 0) {
        ++m_nWaitCursorCount;
        platform::GetDesktop().BeginWaitCursor();
    } else if (nCode < 0 && m_nWaitCursorCount > 0) {
        --m_nWaitCursorCount;
        platform::GetDesktop().EndWaitCursor();
    }
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
            case MB_OK:
            case MB_OKCANCEL:
            case MB_YESNO:
            case MB_YESNOCANCEL:
                nType |= MB_ICONEXCLAMATION;
                break;
            default:
                break;
        }
    }
    // Owned by the running modal window, else by the main window when it is shown.
    HWND owner = nullptr;
    if (qApp) owner = platform::win::HandleForWidgetOrAncestor(QApplication::activeModalWidget());
    if (!owner && m_pMainWnd && m_pMainWnd->IsWindowVisible()) owner = m_pMainWnd->m_hWnd;
    return ::MessageBoxA(owner, lpszPrompt, m_pszAppName ? m_pszAppName : "", nType);
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg) {
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONERROR | MB_OK);
    e->Delete();
    return pMsg && pMsg->message == WM_CREATE ? -1 : 0;
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    AfxHtmlHelp(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::OnFileNew() {
    if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString filter;
    for (CDocTemplate* t : m_templates) {
        CString name, ext;
        if (t->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
            t->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty())
            filter += name + "|*" + ext + "|";
    }
    filter += "All Files (*.*)|*||";
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter,
                       m_pMainWnd);
    dialog.m_ofn.lpstrTitle = "Open";
    if (dialog.DoModal() == IDOK) OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::OnFilePrintSetup() {
    AfxMessageBox("No printers are installed.", MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp* AfxGetApp() {
    return g_app;
}
CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}
HINSTANCE AfxGetInstanceHandle() {
    return GetModuleHandleA(nullptr);
}
HINSTANCE AfxGetResourceHandle() {
    return GetModuleHandleA(nullptr);
}
LPCTSTR AfxGetAppName() {
    return g_app && g_app->m_pszAppName ? g_app->m_pszAppName : "";
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(nullptr, lpszText, "", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

void AfxEnableControlContainer(COccManager*) {}

HWND AfxHtmlHelp(HWND hWnd, LPCTSTR szHelpFilePath, UINT nCmd, DWORD_PTR dwData) {
    return ::HtmlHelpA(hWnd, szHelpFilePath, nCmd, dwData);
}

int AfxWinMain(int argc, char* argv[]) {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    QApplication* own = nullptr;
    if (!QCoreApplication::instance()) own = new QApplication(argc, argv);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        gui->setQuitOnLastWindowClosed(false);
    app->SetCurrentHandles(argc, argv);
    int code;
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        code = app->ExitInstance();
    } else {
        code = app->Run();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete own;
    return code;
}
