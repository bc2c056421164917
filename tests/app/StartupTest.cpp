// Start-up and end of the program: paths beside the executable, the hidden
// frame with its icon, the document of the command line, and the sheet's run.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "AppSession.h"
#include "ChildFrm.h"
#include "TARNEXDoc.h"
#include "TARNEXView.h"
#include "WindowHandle.h"

namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "tarnex-app-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(m_path); }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

class CurrentFolder {
public:
    explicit CurrentFolder(const fs::path& folder) : m_previous(fs::current_path()) {
        fs::current_path(folder);
    }
    ~CurrentFolder() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

TEST(Startup, ShowsTheSheetOnLoginWithTheIconNotLoggedInAndEndsOnExit) {
    AppSession session;
    EXPECT_EQ(session.app.m_pSheet, nullptr);
    HWND hFrame = nullptr;
    const int code = session.Run({}, [&] {
        CExtPropSheet& sheet = session.Sheet();
        hFrame = session.Frame().m_hWnd;
        CString strCaption;
        sheet.GetWindowText(strCaption);
        EXPECT_STREQ(strCaption, "Quill*Marsh Database Manager");
        ASSERT_EQ(sheet.GetPageCount(), 4);
        const char* captions[] = {"Login", "Change Password", "&Compact / Repair", "Make &Backup"};
        for (int i = 0; i < 4; ++i) EXPECT_STREQ(sheet.GetPage(i)->GetTabCaption(), captions[i]);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_FALSE(IsShown(&session.Frame()));

        const auto* icon = session.desktop.CurrentTrayIcon(IDI_TRAY);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->iconId, static_cast<unsigned>(IDI_NOTLOGGEDIN));
        EXPECT_EQ(icon->tip, "Quill*Marsh Database Manager - Not Logged In.");
        EXPECT_EQ(icon->callbackMessage, WM_USER);
        EXPECT_EQ(icon->owner, hFrame);
    });
    EXPECT_TRUE(session.sheetRan);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(session.app.m_pSheet, nullptr);
    // The frame went with the end of the run, and the icon with it.
    EXPECT_FALSE(session.desktop.HasTrayIcon(IDI_TRAY));
    ASSERT_FALSE(session.desktop.trayCalls.empty());
    EXPECT_EQ(session.desktop.trayCalls.back().operation, platform::testing::TrayCall::Delete);
    EXPECT_FALSE(IsWindow(hFrame));
}

TEST(Startup, HelpFileAndProfileLiveBesideTheExecutableWhateverTheCurrentFolder) {
    TempFolder elsewhere;
    CurrentFolder cd(elsewhere.path());
    AppSession session;
    session.Run({}, [&] {
        const std::string folder = ExecutableFolder();
        EXPECT_STREQ(session.app.m_strHelpPath, (folder + "/Manual.chm").c_str());
        EXPECT_STREQ(session.app.m_pszHelpFilePath, (folder + "/Manual.chm").c_str());
        EXPECT_STREQ(session.app.m_pszProfileName, (folder + "/TALVERON32.INI").c_str());
    });
    EXPECT_TRUE(session.sheetRan);
    EXPECT_FALSE(fs::exists(elsewhere.path() / "TALVERON32.INI"));
}

TEST(Startup, PathsStayWholeForAnExecutableInADeepFolder) {
    // The same test as above, run by this program from a folder whose path is
    // longer than the classic 260-character limit.
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    fs::path deep = exe.parent_path() / "deep-folder-test";
    fs::remove_all(deep);
    fs::path folder = deep;
    while (folder.string().size() < 400) folder /= std::string(40, 'd');
    fs::create_directories(folder);
    const fs::path copy = folder / exe.filename();
    std::error_code ec;
    fs::create_hard_link(exe, copy, ec);
    if (ec) fs::copy_file(exe, copy);
    const std::string command =
        copy.string() +
        " --gtest_filter=Startup.HelpFileAndProfileLiveBesideTheExecutableWhateverTheCurrentFolder"
        " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    fs::remove_all(deep);
    EXPECT_EQ(status, 0);
}

// The MDI children of the hidden frame that are document frames.
std::vector<CChildFrame*> ChildFrames(CMainFrame& frame) {
    std::vector<CChildFrame*> frames;
    for (HWND h : platform::win::ChildHandles(frame.m_hWndMDIClient)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CChildFrame)))
            frames.push_back(static_cast<CChildFrame*>(pWnd));
    }
    return frames;
}

TEST(Startup, WithoutArgumentsOneEmptyInvisibleDocumentIsCreated) {
    AppSession session;
    session.Run({}, [&] {
        std::vector<CChildFrame*> frames = ChildFrames(session.Frame());
        ASSERT_EQ(frames.size(), 1u);
        CDocument* pDoc = frames[0]->GetActiveDocument();
        ASSERT_NE(pDoc, nullptr);
        EXPECT_TRUE(pDoc->IsKindOf(RUNTIME_CLASS(CTARNEXDoc)));
        EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
        CView* pView = frames[0]->GetActiveView();
        ASSERT_NE(pView, nullptr);
        EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTARNEXView)));
        EXPECT_FALSE(IsShown(frames[0]));
        EXPECT_FALSE(IsShown(pView));
    });
    EXPECT_TRUE(session.sheetRan);
}

TEST(Startup, AReadableFileNamedOnTheCommandLineIsOpenedBeforeTheSheet) {
    TempFolder folder;
    const fs::path file = folder.path() / "anything.txt";
    std::ofstream(file) << "not a document format the program reads\n";
    AppSession session;
    session.Run({file.string()}, [&] {
        std::vector<CChildFrame*> frames = ChildFrames(session.Frame());
        ASSERT_EQ(frames.size(), 1u);
        CDocument* pDoc = frames[0]->GetActiveDocument();
        ASSERT_NE(pDoc, nullptr);
        EXPECT_STREQ(pDoc->GetPathName(), file.string().c_str());
    });
    EXPECT_TRUE(session.sheetRan);
    EXPECT_TRUE(session.desktop.messageBoxes.empty());
    // The opened file went into the recent-file list of the profile beside this
    // test program; leave that profile as the other tests expect it.
    WritePrivateProfileStringA("Recent File List", nullptr, nullptr,
                               (ExecutableFolder() + "/TALVERON32.INI").c_str());
}

TEST(Startup, AFileThatCannotBeOpenedEndsTheProgramWithoutTheSheet) {
    TempFolder folder;
    const std::string cases[] = {(folder.path() / "missing.txt").string(), folder.path().string()};
    for (const std::string& path : cases) {
        AppSession session;
        bool bFrameBeforeMessage = false;
        session.desktop.onMessageBox = [&](const platform::testing::MessageBoxCall&) {
            bFrameBeforeMessage =
                session.desktop.HasTrayIcon(IDI_TRAY) && session.app.m_pSheet == nullptr;
        };
        session.Run({path});
        EXPECT_FALSE(session.sheetRan) << path;
        EXPECT_EQ(session.app.m_pSheet, nullptr);
        ASSERT_EQ(session.desktop.messageBoxes.size(), 1u) << path;
        EXPECT_TRUE(bFrameBeforeMessage);
        EXPECT_FALSE(session.desktop.HasTrayIcon(IDI_TRAY));
    }
}

TEST(Startup, TheAboutBoxComesFromTheFrameCommand) {
    AppSession session;
    bool bSeen = false;
    session.Run({}, [&] {
        auto pWaiting = std::make_shared<bool>(true);
        platform::testing::WhenIdle([&, pWaiting] {
            if (!*pWaiting) return;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (!w->isVisible() || w->windowTitle() != "About TARNEX") continue;
                CWnd* pDlg = CWnd::FromHandle(platform::win::HandleFromWidget(w));
                ASSERT_NE(pDlg, nullptr);
                CString strText;
                pDlg->GetDlgItem(IDOK)->GetWindowText(strText);
                EXPECT_STREQ(strText, "OK");
                bSeen = true;
                Click(pDlg->GetDlgItem(IDOK));
            }
        });
        session.Frame().SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
        *pWaiting = false;
    });
    EXPECT_TRUE(bSeen);
}

}  // namespace
