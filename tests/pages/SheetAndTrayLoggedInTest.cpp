// The manager sheet and the notification-area menu on pages past the Login
// page, reached through a real login: Minimize and Open keep the page, F1
// asks for the same topic on every page, and the menu's page items follow the
// sheet and switch it through the pages' own handling.

#include <gtest/gtest.h>

#include <QtCore/qnamespace.h>
#include <filesystem>
#include <string>
#include <vector>

#include "PageSession.h"

namespace {

using namespace tarnex::test;
using platform::MenuEntry;

constexpr const char* kMain = "TALVERON Main";
constexpr const char* kTopic = "/Chapter Seventeen - Access Database Management Utility.htm";
const std::string kLoginFailed =
    "Database Error|Failed to connect, please check your login information";

// Moves the sheet to page k; leaving the Login page logs Admin in.
bool GoTo(PageSession& session, int k) {
    if (k != 0 && session.Sheet().GetActiveIndex() == 0)
        return Login(session, kMain, "Admin", kAdminPassword, k);
    return session.Sheet().SetActivePage(k) && session.Sheet().GetActiveIndex() == k;
}

const MenuEntry& OpenPageMenu(const platform::testing::MenuCall& menu) {
    return menu.items.at(3);
}

TEST(ManagerSheet, MinimizeHidesTheSheetAndTheRunGoesOnUntilExit) {
    PageSession session;
    AppSession& program = session.program;
    const int code = session.Run([&] {
        CExtPropSheet& sheet = session.Sheet();
        ASSERT_TRUE(GoTo(session, 2)) << ::testing::PrintToString(session.Messages());
        Click(sheet.GetDlgItem(IDOK));
        Pump();
        EXPECT_FALSE(IsShown(&sheet));
        ASSERT_EQ(session.App().m_pSheet, &sheet);
        EXPECT_TRUE(sheet.ContinueModal());
        EXPECT_TRUE(session.Desktop().HasTrayIcon(IDI_TRAY));
        EXPECT_EQ(session.TrayIconId(), static_cast<unsigned>(IDI_RUNNING));  // still logged in

        // Shown again from the notification area, on the same page.
        program.ClickTray(WM_LBUTTONDBLCLK);
        EXPECT_TRUE(IsShown(&sheet));
        EXPECT_EQ(sheet.GetActiveIndex(), 2);

        Click(sheet.GetDlgItem(IDCANCEL));
        EXPECT_FALSE(sheet.ContinueModal());
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(session.App().m_pSheet, nullptr);
    EXPECT_FALSE(session.Desktop().HasTrayIcon(IDI_TRAY));
}

TEST(ManagerSheet, F1AsksForTheManagerTopicEvenWithoutTheHelpFile) {
    PageSession session;
    const std::string helpFile = ExecutableFolder() + "/Manual.chm";
    ASSERT_FALSE(std::filesystem::exists(helpFile));  // tests run without a help file
    session.Run([&] {
        CExtPropSheet& sheet = session.Sheet();
        // From the sheet on the Login page and from a control of another page alike.
        PressKey(&sheet, Qt::Key_F1);
        ASSERT_TRUE(GoTo(session, 1)) << ::testing::PrintToString(session.Messages());
        CWnd* pEdit = sheet.GetActivePage()->GetDlgItem(IDC_NEW_PASSWORD);
        ASSERT_NE(pEdit, nullptr);
        pEdit->SetFocus();
        PressKey(pEdit, Qt::Key_F1);
        Pump();
        EXPECT_TRUE(IsShown(&sheet));
        EXPECT_TRUE(sheet.ContinueModal());
    });
    EXPECT_TRUE(session.program.sheetRan);
    ASSERT_EQ(session.Desktop().helpRequests.size(), 2u);
    for (const auto& request : session.Desktop().helpRequests) {
        EXPECT_EQ(request.file, helpFile);
        EXPECT_EQ(request.topic, kTopic);
        EXPECT_EQ(request.windowType, "QuillMarsh Help");
        EXPECT_EQ(request.command, HH_DISPLAY_TOPIC);
    }
}

TEST(TrayIcon, OpenPageItemsShowTheActivePageCheckedAndDisabled) {
    PageSession session;
    session.Run([&] {
        for (int k = 0; k < 4; ++k) {
            ASSERT_TRUE(GoTo(session, k)) << ::testing::PrintToString(session.Messages());
            session.program.ClickTray(WM_RBUTTONUP);
            const MenuEntry& pages = OpenPageMenu(session.Desktop().menus.back());
            ASSERT_EQ(pages.children.size(), 5u);
            const char* texts[] = {"Login", "Passwords", "Compact / Repair", "Backup",
                                   "Permissions"};
            for (int i = 0; i < 5; ++i) {
                const MenuEntry& item = pages.children[i];
                EXPECT_EQ(item.text, texts[i]);
                EXPECT_EQ(item.id, static_cast<UINT>(ID_PAGE_LOGIN + i));
                EXPECT_EQ(item.checked, i == k) << "page " << k << ", item " << i;
                EXPECT_EQ(item.enabled, i != k) << "page " << k << ", item " << i;
            }
        }
    });
}

TEST(TrayIcon, PageItemsSwitchTheSheetAndPermissionsLeavesItOnAPage) {
    PageSession session;
    AppSession& program = session.program;
    session.Run([&] {
        CExtPropSheet& sheet = session.Sheet();
        // The Login page refuses to be left without a login, from the menu too.
        program.ClickTray(WM_RBUTTONUP, ID_PAGE_COMPACT);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_TRUE(sheet.ContinueModal());
        EXPECT_EQ(session.Messages(), std::vector<std::string>{kLoginFailed});

        FillLogin(session.LoginPage(), kMain, "Admin", kAdminPassword);
        program.ClickTray(WM_RBUTTONUP, ID_PAGE_COMPACT);
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        program.ClickTray(WM_RBUTTONUP, ID_PAGE_PERMISSIONS);
        EXPECT_TRUE(sheet.ContinueModal());
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        EXPECT_TRUE(IsShown(&sheet));
        program.ClickTray(WM_RBUTTONUP, ID_PAGE_LOGIN);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
    });
}

TEST(TrayIcon, HideThenAPageItemSwitchesTheHiddenSheetAndOpenShowsIt) {
    PageSession session;
    AppSession& program = session.program;
    session.Run([&] {
        CExtPropSheet& sheet = session.Sheet();
        FillLogin(session.LoginPage(), kMain, "Admin", kAdminPassword);
        program.ClickTray(WM_RBUTTONUP, ID_TRAY_HIDE);
        EXPECT_FALSE(IsShown(&sheet));
        program.ClickTray(WM_RBUTTONUP, ID_PAGE_BACKUP);
        EXPECT_EQ(sheet.GetActiveIndex(), 3);
        EXPECT_FALSE(IsShown(&sheet));
        program.ClickTray(WM_RBUTTONUP, ID_TRAY_OPEN);
        EXPECT_TRUE(IsShown(&sheet));
        EXPECT_EQ(sheet.GetActiveIndex(), 3);
    });
}

}  // namespace
