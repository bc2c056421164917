// The manager sheet's buttons read "Minimize" and "Exit" and its caption has
// no close box. What the buttons and F1 do on pages past the Login page is
// tested with a real login among the page tests.

#include <gtest/gtest.h>

#include <QWidget>

#include "AppSession.h"
#include "WindowHandle.h"

namespace {

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

}  // namespace
