// The notification-area icon and its menu: states and tooltips, the menu's
// items, and the commands acting on the sheet. The page items, which leave the
// Login page, are tested with a real login among the page tests.

#include <gtest/gtest.h>

#include <string>

#include "AppSession.h"

namespace {

using platform::MenuEntry;
using platform::testing::TrayCall;

const MenuEntry& OpenPageMenu(const platform::testing::MenuCall& menu) {
    return menu.items.at(3);
}

TEST(TrayIcon, IconAndTooltipFollowTheState) {
    AppSession session;
    session.Run({}, [&] {
        EXPECT_TRUE(session.app.SetTrayIcon(IDI_RUNNING));
        const TrayCall* icon = session.desktop.CurrentTrayIcon(IDI_TRAY);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->iconId, static_cast<unsigned>(IDI_RUNNING));
        EXPECT_EQ(icon->tip, "Quill*Marsh Database Manager - running.");
        EXPECT_EQ(session.desktop.trayCalls.back().operation, TrayCall::Modify);
        EXPECT_EQ(session.desktop.trayCalls.back().flags, UINT(NIF_ICON | NIF_TIP | NIF_MESSAGE));

        EXPECT_TRUE(session.app.SetTrayIcon(IDI_NOTLOGGEDIN));
        icon = session.desktop.CurrentTrayIcon(IDI_TRAY);
        EXPECT_EQ(icon->iconId, static_cast<unsigned>(IDI_NOTLOGGEDIN));
        EXPECT_EQ(icon->tip, "Quill*Marsh Database Manager - Not Logged In.");

        // ID 0 removes the icon; with nothing shown there is nothing to do.
        EXPECT_TRUE(session.app.SetTrayIcon(0));
        EXPECT_EQ(session.desktop.trayCalls.back().operation, TrayCall::Delete);
        EXPECT_FALSE(session.desktop.HasTrayIcon(IDI_TRAY));
        const size_t nCalls = session.desktop.trayCalls.size();
        EXPECT_TRUE(session.app.SetTrayIcon(0));
        EXPECT_EQ(session.desktop.trayCalls.size(), nCalls);
        EXPECT_TRUE(session.app.SetTrayIcon(IDI_RUNNING));
        EXPECT_EQ(session.desktop.trayCalls.back().operation, TrayCall::Add);
    });
    EXPECT_TRUE(session.sheetRan);
}

TEST(TrayIcon, RightClickShowsTheMenuAtTheCursorWithOpenAsDefault) {
    AppSession session;
    session.desktop.SetCursorPos(POINT{612, 745});
    session.Run({}, [&] {
        session.ClickTray(WM_RBUTTONUP);
        ASSERT_EQ(session.desktop.menus.size(), 1u);
        const auto& menu = session.desktop.menus[0];
        EXPECT_EQ(menu.point.x, 612);
        EXPECT_EQ(menu.point.y, 745);
        EXPECT_EQ(menu.owner, session.Frame().m_hWnd);
        ASSERT_EQ(menu.items.size(), 4u);
        const char* texts[] = {"Open", "Exit", "Hide", "Open Page"};
        const UINT ids[] = {ID_TRAY_OPEN, ID_TRAY_EXIT, ID_TRAY_HIDE, 0};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(menu.items[i].text, texts[i]);
            EXPECT_EQ(menu.items[i].id, ids[i]);
            EXPECT_EQ(menu.items[i].isDefault, i == 0) << texts[i];
            EXPECT_TRUE(menu.items[i].enabled) << texts[i];
        }
        EXPECT_EQ(OpenPageMenu(menu).children.size(), 5u);
    });
}

TEST(TrayIcon, OnlyRightButtonUpAndLeftDoubleClickOnTheIconDoAnything) {
    AppSession session;
    session.Run({}, [&] {
        Click(session.Sheet().GetDlgItem(IDOK));  // hidden, so Open would show
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE})
            session.ClickTray(message);
        EXPECT_TRUE(session.desktop.menus.empty());
        EXPECT_FALSE(IsShown(&session.Sheet()));
        // Another icon's callback is not this icon's business.
        EXPECT_EQ(session.Frame().SendMessage(WM_USER, IDI_TRAY + 1, WM_RBUTTONUP), 0);
        EXPECT_TRUE(session.desktop.menus.empty());

        EXPECT_EQ(session.Frame().SendMessage(WM_USER, IDI_TRAY, WM_LBUTTONDBLCLK), 1);
        EXPECT_TRUE(IsShown(&session.Sheet()));
        EXPECT_TRUE(session.desktop.menus.empty());
    });
}

TEST(TrayIcon, ExitFromTheMenuEndsTheProgramEvenWhileHiddenAndRemovesTheIcon) {
    AppSession session;
    bool bEndedByMenu = false;
    const int code = session.Run({}, [&] {
        session.ClickTray(WM_RBUTTONUP, ID_TRAY_HIDE);
        session.ClickTray(WM_RBUTTONUP, ID_TRAY_EXIT);
        bEndedByMenu = !session.Sheet().ContinueModal();
    });
    EXPECT_TRUE(bEndedByMenu);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(session.app.m_pSheet, nullptr);
    EXPECT_FALSE(session.desktop.HasTrayIcon(IDI_TRAY));
    EXPECT_EQ(session.desktop.trayCalls.back().operation, TrayCall::Delete);
    EXPECT_TRUE(session.desktop.trayCalls.back().result);
}

TEST(TrayIcon, AFailedAddIsRetriedOnTheNextUpdate) {
    AppSession session;
    session.desktop.SetTrayAvailable(false);
    session.Run({}, [&] {
        // The frame's add of icon 130 failed, and so did the Login page's on being entered.
        ASSERT_EQ(session.desktop.trayCalls.size(), 2u);
        for (const TrayCall& call : session.desktop.trayCalls) {
            EXPECT_EQ(call.operation, TrayCall::Add);
            EXPECT_EQ(call.iconId, static_cast<unsigned>(IDI_NOTLOGGEDIN));
            EXPECT_FALSE(call.result);
        }

        EXPECT_FALSE(session.app.SetTrayIcon(IDI_RUNNING));
        EXPECT_EQ(session.desktop.trayCalls.back().operation, TrayCall::Add);

        session.desktop.SetTrayAvailable(true);
        EXPECT_TRUE(session.app.SetTrayIcon(IDI_RUNNING));
        EXPECT_EQ(session.desktop.trayCalls.back().operation, TrayCall::Add);
        const TrayCall* icon = session.desktop.CurrentTrayIcon(IDI_TRAY);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->tip, "Quill*Marsh Database Manager - running.");
    });
    EXPECT_FALSE(session.desktop.HasTrayIcon(IDI_TRAY));
}

TEST(TrayIcon, WithoutANotificationAreaNothingIsRemovedAtTheEnd) {
    AppSession session;
    session.desktop.SetTrayAvailable(false);
    session.Run({});
    EXPECT_TRUE(session.sheetRan);
    for (const TrayCall& call : session.desktop.trayCalls)
        EXPECT_NE(call.operation, TrayCall::Delete);
}

// The program's resources with string 130 replaced.
class ResourcesWithTip {
public:
    explicit ResourcesWithTip(std::string tip)
        : m_tip(std::move(tip)), m_module(TarnexResources()) {
        for (auto& entry : m_module.strings)
            if (entry.id == IDS_NOTLOGGEDIN) entry.text = m_tip.c_str();
    }
    const platform::res::ResourceModule& module() const { return m_module; }

private:
    std::string m_tip;
    platform::res::ResourceModule m_module;
};

TEST(TrayIcon, LongTooltipsAreCutTo127Bytes) {
    struct Case {
        std::string tip;
        std::string shown;
    };
    const std::string a127(127, 'a');
    const std::string a126(126, 'a');
    const Case cases[] = {
        {a127, a127},
        {a127 + "bcd", a127},
        {std::string(300, 'x'), std::string(127, 'x')},
        // a two-byte character across the limit is left out whole
        {a126 + "\xC3\xA9" + "z", a126},
        {std::string(125, 'a') + "\xC3\xA9" + "z", std::string(125, 'a') + "\xC3\xA9"},
    };
    for (const Case& c : cases) {
        ResourcesWithTip resources(c.tip);
        AppSession session(resources.module());
        session.Run({}, [&] {
            const TrayCall* icon = session.desktop.CurrentTrayIcon(IDI_TRAY);
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(icon->tip, c.shown) << c.tip.size();
        });
    }
}

TEST(TrayIcon, TrayCommandsOutsideTheSheetsRunDoNothing) {
    AppSession session;
    CMainFrame* pFrame = new CMainFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, NULL));
    ASSERT_EQ(session.app.m_pSheet, nullptr);
    for (UINT id : {ID_TRAY_OPEN, ID_TRAY_HIDE, ID_TRAY_EXIT, ID_PAGE_LOGIN, ID_PAGE_BACKUP,
                    ID_PAGE_PERMISSIONS})
        pFrame->SendMessage(WM_COMMAND, id, 0);
    session.desktop.FireTray(IDI_TRAY, WM_RBUTTONUP);
    Pump();
    ASSERT_EQ(session.desktop.menus.size(), 1u);
    const MenuEntry& pages = OpenPageMenu(session.desktop.menus[0]);
    for (const MenuEntry& item : pages.children) EXPECT_FALSE(item.checked) << item.text;
    pFrame->DestroyWindow();
    EXPECT_FALSE(session.desktop.HasTrayIcon(IDI_TRAY));
}

}  // namespace
