// The standard start-up path through the entry point: a hidden MDI frame with
// toolbar and status bar, the document template, and command-line processing
// (no arguments: File New; a readable file: opened; an unreadable one: failure).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ScriptedDesktop.h"
#include "TestResources.h"
#include "afxwin.h"

using namespace test_resources;

namespace {

class Doc : public CDocument {
    DECLARE_DYNCREATE(Doc)
public:
    static inline int loads = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) ++loads;
    }
};
IMPLEMENT_DYNCREATE(Doc, CDocument)

class Child : public CMDIChildWnd {
    DECLARE_DYNCREATE(Child)
};
IMPLEMENT_DYNCREATE(Child, CMDIChildWnd)

class View : public CView {
    DECLARE_DYNCREATE(View)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(View, CView)

class Frame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(Frame)
public:
    CToolBar toolBar;
    CStatusBar statusBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
        if (!toolBar.CreateEx(this, TBSTYLE_FLAT,
                              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                  CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
            !toolBar.LoadToolBar(kToolbar))
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                          ID_INDICATOR_SCRL};
        if (!statusBar.Create(this) || !statusBar.SetIndicators(indicators, 4)) return -1;
        toolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&toolBar);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNAMIC(Frame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(Frame, CMDIFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class ShellApp : public CWinApp {
public:
    std::string profile;
    BOOL processed = FALSE;
    int documents = 0;
    bool frameVisible = true;
    CString toolbarButtons, statusText;
    BOOL InitInstance() override {
        free(const_cast<char*>(m_pszProfileName));
        m_pszProfileName = _tcsdup(profile.c_str());
        LoadStdProfileSettings(4);
        auto* docTemplate = new CMultiDocTemplate(kDocTemplate, RUNTIME_CLASS(Doc),
                                                  RUNTIME_CLASS(Child), RUNTIME_CLASS(View));
        AddDocTemplate(docTemplate);
        auto* frame = new Frame;
        if (!frame->LoadFrame(kFrame, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) return FALSE;
        m_pMainWnd = frame;
        CCommandLineInfo info;
        ParseCommandLine(info);
        processed = ProcessShellCommand(info);
        for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;) {
            CDocument* doc = docTemplate->GetNextDoc(pos);
            if (doc->GetFirstViewPosition()) ++documents;  // each with its view
        }
        frameVisible = frame->IsWindowVisible();
        toolbarButtons.Format("%d", frame->toolBar.GetCount());
        statusText = frame->statusBar.GetPaneText(0);
        return FALSE;
    }

protected:
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ShellApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Register();
        dir = std::filesystem::temp_directory_path() / ("tarnex-doc-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        app.profile = (dir / "TEST.INI").string();
        Doc::loads = 0;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    int Run(std::vector<std::string> args) {
        std::vector<char*> argv;
        static char name[] = "tarnex-test";
        argv.push_back(name);
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        return AfxWinMain(static_cast<int>(argv.size() - 1), argv.data());
    }

    platform::testing::ScriptedDesktop desktop;
    ShellApp app;
    std::filesystem::path dir;
};

TEST_F(DocViewTest, NoArgumentsCreateOneHiddenEmptyDocument) {
    EXPECT_EQ(Run({}), 0);
    EXPECT_TRUE(app.processed);
    EXPECT_EQ(app.documents, 1);
    EXPECT_FALSE(app.frameVisible);
    EXPECT_EQ(app.toolbarButtons, "11");
    EXPECT_EQ(app.statusText, "Ready");
    EXPECT_TRUE(desktop.messageBoxes.empty());
    EXPECT_EQ(Doc::loads, 0);
    EXPECT_FALSE(std::filesystem::exists(app.profile));  // nothing to save in the profile
}

TEST_F(DocViewTest, AReadableFileOpensAndGoesToTheRecentFileList) {
    std::string file = (dir / "any.txt").string();
    std::ofstream(file) << "not a document";
    EXPECT_EQ(Run({file}), 0);
    EXPECT_TRUE(app.processed);
    EXPECT_EQ(app.documents, 1);
    EXPECT_EQ(Doc::loads, 1);
    char buffer[512];
    GetPrivateProfileStringA("Recent File List", "File1", "", buffer, sizeof(buffer),
                             app.profile.c_str());
    EXPECT_EQ(std::string(buffer), std::filesystem::canonical(file).string());
}

TEST_F(DocViewTest, AnUnreadableFileMakesProcessingFail) {
    EXPECT_EQ(Run({(dir / "missing.txt").string()}), 0);
    EXPECT_FALSE(app.processed);
    EXPECT_EQ(app.documents, 0);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_NE(desktop.messageBoxes[0].text.find("missing.txt"), std::string::npos);
}

}  // namespace
