// The manager sheet: "Minimize" hides it without ending the run, "Exit" ends
// it, it has no close box, and F1 asks for the manager's help topic.

#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>

#include "AppSession.h"
#include "WindowHandle.h"

namespace {

constexpr const char* kTopic = "/Chapter Seventeen - Access Database Management Utility.htm";

TEST(ManagerSheet, ButtonsReadMinimizeAndExitAndThereIsNoCloseBox) {
    AppSession session;
    session.Run({}, [&] {
        CExtPropSheet& sheet = session.Sheet();
        CString strOk, strCancel;
        sheet.GetDlgItem(IDOK)->GetWindowText(strOk);
        sheet.GetDlgItem(IDCANCEL)->GetWindowText(strCancel);
        EXPECT_STREQ(strOk, "Minimize");
        EXPECT_STREQ(strCancel, "Exit");
        EXPECT_EQ(GetWindowLongA(sheet.m_hWnd, GWL_STYLE) & WS_SYSMENU, 0);
        QWidget* widget = platform::win::WidgetFromHandle(sheet.m_hWnd);
        EXPECT_FALSE(widget->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(widget->windowFlags() & Qt::WindowTitleHint);
    });
    EXPECT_TRUE(session.sheetRan);
}

TEST(ManagerSheet, MinimizeHidesTheSheetAndTheRunGoesOnUntilExit) {
    AppSession session;
    const int code = session.Run({}, [&] {
        CExtPropSheet& sheet = session.Sheet();
        sheet.SetActivePage(2);
        Click(sheet.GetDlgItem(IDOK));
        Pump();
        EXPECT_FALSE(IsShown(&sheet));
        ASSERT_EQ(session.app.m_pSheet, &sheet);
        EXPECT_TRUE(sheet.ContinueModal());
        EXPECT_TRUE(session.desktop.HasTrayIcon(IDI_TRAY));

        // Shown again from the notification area, on the same page.
        session.ClickTray(WM_LBUTTONDBLCLK);
        EXPECT_TRUE(IsShown(&sheet));
        EXPECT_EQ(sheet.GetActiveIndex(), 2);

        Click(sheet.GetDlgItem(IDCANCEL));
        EXPECT_FALSE(sheet.ContinueModal());
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(session.app.m_pSheet, nullptr);
    EXPECT_FALSE(session.desktop.HasTrayIcon(IDI_TRAY));
}

TEST(ManagerSheet, F1AsksForTheManagerTopicEvenWithoutTheHelpFile) {
    AppSession session;
    const std::string helpFile = ExecutableFolder() + "/Manual.chm";
    ASSERT_FALSE(std::filesystem::exists(helpFile));  // tests run without a help file
    session.Run({}, [&] {
        CExtPropSheet& sheet = session.Sheet();
        // From the sheet and from a control of a page alike.
        PressKey(&sheet, Qt::Key_F1);
        sheet.SetActivePage(1);
        CWnd* pEdit = sheet.GetActivePage()->GetDlgItem(IDC_NEW_PASSWORD);
        ASSERT_NE(pEdit, nullptr);
        pEdit->SetFocus();
        PressKey(pEdit, Qt::Key_F1);
        Pump();
        EXPECT_TRUE(IsShown(&sheet));
        EXPECT_TRUE(sheet.ContinueModal());
    });
    EXPECT_TRUE(session.sheetRan);
    ASSERT_EQ(session.desktop.helpRequests.size(), 2u);
    for (const auto& request : session.desktop.helpRequests) {
        EXPECT_EQ(request.file, helpFile);
        EXPECT_EQ(request.topic, kTopic);
        EXPECT_EQ(request.windowType, "QuillMarsh Help");
        EXPECT_EQ(request.command, HH_DISPLAY_TOPIC);
    }
}

}  // namespace
