// Message maps on a real (hidden) frame: command routing from the frame to
// the application, command-update handlers run before a popup menu opens,
// the chosen item delivered as WM_COMMAND, the default report of an exception
// that leaves a handler, notification-area icons and the entry point.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "AfxDaoException.h"
#include "ScriptedDesktop.h"
#include "TestResources.h"
#include "afxwin.h"

using namespace test_resources;

namespace {

class TestApp : public CWinApp {
public:
    int appCommands = 0;
    BOOL initResult = FALSE;
    int exitCode = 0;
    class TestFrame* frame = nullptr;
    BOOL InitInstance() override;
    int ExitInstance() override {
        CWinApp::ExitInstance();
        return exitCode;
    }

protected:
    afx_msg void OnAppCommand() { ++appCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
ON_COMMAND(kCmdExit, OnAppCommand)
END_MESSAGE_MAP()

class TestFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(TestFrame)
public:
    static inline int alive = 0;
    TestFrame() { ++alive; }
    ~TestFrame() override { --alive; }
    int opens = 0;
    int activePage = 0;
    bool created = false;
    WPARAM trayId = 0;
    LPARAM trayMessage = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
        created = true;
        return 0;
    }
    afx_msg LRESULT OnTray(WPARAM w, LPARAM l) {
        trayId = w;
        trayMessage = l;
        return 1;
    }
    afx_msg void OnOpen() { ++opens; }
    afx_msg void OnPage0() {}
    afx_msg void OnPage1() {
        auto* e = new CDaoException;
        CDaoErrorInfo info;
        info.m_lErrorCode = 3027;
        info.m_strDescription = "Cannot update. Database or object is read-only.";
        e->SetErrors({info});
        throw e;
    }
    afx_msg void OnUpdatePage0(CCmdUI* ui) {
        ui->Enable(activePage != 0);
        ui->SetCheck(activePage == 0);
    }
    afx_msg void OnUpdatePage1(CCmdUI* ui) {
        ui->Enable(activePage != 1);
        ui->SetCheck(activePage == 1);
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(TestFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(TestFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_MESSAGE(WM_USER, OnTray)
ON_COMMAND(kCmdOpen, OnOpen)
ON_COMMAND(kCmdPage0, OnPage0)
ON_COMMAND(kCmdPage1, OnPage1)
ON_UPDATE_COMMAND_UI(kCmdPage0, OnUpdatePage0)
ON_UPDATE_COMMAND_UI(kCmdPage1, OnUpdatePage1)
END_MESSAGE_MAP()

BOOL TestApp::InitInstance() {
    frame = new TestFrame;
    if (!frame->LoadFrame(kFrame)) return FALSE;
    m_pMainWnd = frame;
    return initResult;
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        Register();
        frame = new TestFrame;
        ASSERT_TRUE(frame->LoadFrame(kFrame));
        app.m_pMainWnd = frame;
    }
    void TearDown() override {
        if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
        EXPECT_EQ(TestFrame::alive, 0);  // the frame deleted itself with its window
    }
    platform::testing::ScriptedDesktop desktop;
    TestApp app;
    TestFrame* frame = nullptr;
};

TEST_F(MessageMapTest, CommandsRouteFromTheFrameToTheApplication) {
    EXPECT_TRUE(frame->created);
    EXPECT_FALSE(frame->IsWindowVisible());
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "Test Frame");
    frame->SendMessage(WM_COMMAND, kCmdOpen);
    frame->SendMessage(WM_COMMAND, kCmdExit);  // only the application handles it
    frame->SendMessage(WM_COMMAND, kCmdOrphan);
    EXPECT_EQ(frame->opens, 1);
    EXPECT_EQ(app.appCommands, 1);
    // A menu command whose update handler disables it is not carried out.
    frame->activePage = 1;
    frame->SendMessage(WM_COMMAND, kCmdPage1);
    EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(MessageMapTest, PopupMenuShowsUpdatedStatesAndDeliversTheChoice) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kTrayMenu));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(::SetMenuDefaultItem(popup->m_hMenu, 0, TRUE));
    EXPECT_EQ(popup->GetMenuItemID(0), kCmdOpen);
    frame->activePage = 1;
    desktop.AnswerMenu(kCmdOpen);
    ASSERT_TRUE(::TrackPopupMenu(popup->m_hMenu, 0, 10, 20, 0, frame->m_hWnd, nullptr));

    ASSERT_EQ(desktop.menus.size(), 1u);
    const platform::testing::MenuCall& call = desktop.menus[0];
    EXPECT_EQ(call.owner, frame->m_hWnd);
    ASSERT_EQ(call.items.size(), 5u);
    EXPECT_EQ(call.items[0].text, "Open");
    EXPECT_TRUE(call.items[0].isDefault);
    EXPECT_TRUE(call.items[0].enabled);
    EXPECT_TRUE(call.items[1].enabled);  // handled by the application
    EXPECT_TRUE(call.items[2].separator);
    const auto& pages = call.items[3].children;
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pages[0].enabled);
    EXPECT_FALSE(pages[0].checked);
    EXPECT_FALSE(pages[1].enabled);
    EXPECT_TRUE(pages[1].checked);
    EXPECT_FALSE(call.items[4].enabled);  // no handler anywhere

    EXPECT_EQ(frame->opens, 0);  // the choice arrives as a posted WM_COMMAND
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->opens, 1);

    desktop.AnswerMenu(0);  // cancelled: nothing arrives
    ASSERT_TRUE(::TrackPopupMenu(popup->m_hMenu, 0, 10, 20, 0, frame->m_hWnd, nullptr));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->opens, 1);
}

TEST_F(MessageMapTest, AnExceptionLeavingAHandlerGetsTheDefaultReport) {
    frame->activePage = 0;
    frame->SendMessage(WM_COMMAND, kCmdPage1);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].text, "Cannot update. Database or object is read-only.");
    EXPECT_EQ(desktop.messageBoxes[0].type & MB_ICONMASK, MB_ICONERROR);
    frame->SendMessage(WM_COMMAND, kCmdOpen);  // the frame goes on working
    EXPECT_EQ(frame->opens, 1);
}

TEST_F(MessageMapTest, TrayIconFailsWithoutANotificationAreaAndDeliversCallbacks) {
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = frame->m_hWnd;
    nid.uID = kTrayMenu;
    nid.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    nid.uCallbackMessage = WM_USER;
    nid.hIcon =
        static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(kTrayIcon),
                                        IMAGE_ICON, 16, 16, LR_LOADMAP3DCOLORS | LR_VGACOLOR));
    ASSERT_NE(nid.hIcon, nullptr);
    ::LoadStringA(nullptr, kTrayIcon, nid.szTip, sizeof(nid.szTip));

    desktop.SetTrayAvailable(false);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &nid));
    ASSERT_EQ(desktop.trayCalls.size(), 1u);
    EXPECT_EQ(desktop.trayCalls[0].tip, "Quill*Marsh Database Manager - Not Logged In.");
    EXPECT_EQ(desktop.trayCalls[0].iconId, kTrayIcon);
    EXPECT_FALSE(desktop.FireTray(kTrayMenu, WM_RBUTTONUP));

    desktop.SetTrayAvailable(true);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
    EXPECT_TRUE(desktop.FireTray(kTrayMenu, WM_RBUTTONUP));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->trayId, static_cast<WPARAM>(kTrayMenu));
    EXPECT_EQ(frame->trayMessage, static_cast<LPARAM>(WM_RBUTTONUP));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    EXPECT_FALSE(desktop.HasTrayIcon(kTrayMenu));
    ::DestroyIcon(nid.hIcon);

    // The Qt desktop has no notification area offscreen, so adding fails there too.
    platform::SetDesktop(nullptr);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &nid));
    platform::SetDesktop(&desktop);
}

TEST(EntryPoint, AFalseInitInstanceDestroysTheFrameAndReturnsExitInstancesValue) {
    Register();
    platform::testing::ScriptedDesktop desktop;
    static int daoTerms = 0;
    daoTerms = 0;
    TestApp app;
    app.exitCode = 7;
    app.m_lpfnDaoTerm = [] { ++daoTerms; };
    char name[] = "tarnex-test";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(AfxWinMain(1, argv), 7);
    EXPECT_EQ(TestFrame::alive, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(daoTerms, 1);
    EXPECT_STREQ(app.m_pszAppName, "TESTAPP");
    std::string help = app.m_pszHelpFilePath;
    EXPECT_EQ(help.front(), '/');
}

}  // namespace
