// The help viewer (through the scripted desktop and the real one with a
// compiled help file) and the file dialog's settings.

#include <gtest/gtest.h>

#include <QTextBrowser>

#include "ScriptedDesktop.h"
#include "TestResources.h"
#include "WindowHandle.h"
#include "afxwin.h"

namespace {

const std::string kHelp = std::string(TARNEX_PLATFORM_FIXTURES) + "/Manual.chm";
constexpr char kTopic[] =
    "::/Chapter Seventeen - Access Database Management Utility.htm>QuillMarsh Help";

TEST(HtmlHelp, AsksTheDesktopForTheTopicInItsWindowType) {
    platform::testing::ScriptedDesktop desktop;
    CString path = CString("/opt/tarnex/Manual.chm") + kTopic;
    AfxHtmlHelp(nullptr, path, HH_DISPLAY_TOPIC, 0);
    ASSERT_EQ(desktop.helpRequests.size(), 1u);
    EXPECT_EQ(desktop.helpRequests[0].file, "/opt/tarnex/Manual.chm");
    EXPECT_EQ(desktop.helpRequests[0].topic,
              "/Chapter Seventeen - Access Database Management Utility.htm");
    EXPECT_EQ(desktop.helpRequests[0].windowType, "QuillMarsh Help");
    EXPECT_EQ(desktop.helpRequests[0].command, HH_DISPLAY_TOPIC);
}

TEST(HtmlHelp, TheViewerShowsTheTopicFromTheFileAndNothingWithoutIt) {
    EXPECT_EQ(
        AfxHtmlHelp(nullptr, (CString("/nonexistent/Manual.chm") + kTopic), HH_DISPLAY_TOPIC, 0),
        nullptr);
    HWND viewer = AfxHtmlHelp(nullptr, CString(kHelp.c_str()) + kTopic, HH_DISPLAY_TOPIC, 0);
    ASSERT_NE(viewer, nullptr);
    auto* browser = qobject_cast<QTextBrowser*>(platform::win::WidgetFromHandle(viewer));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->windowTitle(), "QuillMarsh Help");
    EXPECT_TRUE(browser->toPlainText().contains("Access Database Management Utility"));
    EXPECT_TRUE(browser->isVisible());
    // A topic the file does not hold says so in the same kind of window.
    HWND missing = AfxHtmlHelp(nullptr, (kHelp + "::/missing.htm>QuillMarsh Help").c_str(),
                               HH_DISPLAY_TOPIC, 0);
    ASSERT_NE(missing, nullptr);
    auto* other = qobject_cast<QTextBrowser*>(platform::win::WidgetFromHandle(missing));
    EXPECT_TRUE(other->toPlainText().contains("not found"));
    ::DestroyWindow(missing);
}

TEST(FileDialog, RecordsItsSettingsAndGivesThePath) {
    platform::testing::ScriptedDesktop desktop;
    CFileDialog dialog(FALSE, nullptr, "*.mdb", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Microsoft Access Database File (*.mdb)|*.mdb||", nullptr);
    dialog.m_ofn.lpstrTitle = "Choose backup file name";
    desktop.AnswerFileDialog(std::string("/backups/copy.mdb"));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "/backups/copy.mdb");
    EXPECT_EQ(dialog.GetFileName(), "copy.mdb");
    EXPECT_EQ(dialog.GetFileExt(), "mdb");
    ASSERT_EQ(desktop.fileDialogs.size(), 1u);
    const platform::FileDialogRequest& r = desktop.fileDialogs[0].request;
    EXPECT_FALSE(r.open);
    EXPECT_EQ(r.title, "Choose backup file name");
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0].name, "Microsoft Access Database File (*.mdb)");
    EXPECT_EQ(r.filters[0].pattern, "*.mdb");
    EXPECT_EQ(r.initialFile, "*.mdb");
    EXPECT_EQ(r.defaultExtension, "");
    EXPECT_TRUE(r.flags & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(r.flags & OFN_HIDEREADONLY);

    CFileDialog cancelled(TRUE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);  // no answer scripted: the user cancels
}

TEST(MessageBox, RecordsTextCaptionIconAndOwner) {
    platform::testing::ScriptedDesktop desktop;
    desktop.AnswerMessageBox(IDCANCEL);
    EXPECT_EQ(::MessageBoxA(nullptr, "Failed to connect, please check your login information",
                            "Database Error", MB_OK | MB_ICONINFORMATION),
              IDCANCEL);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].owner, nullptr);
    EXPECT_EQ(desktop.messageBoxes[0].caption, "Database Error");
    EXPECT_EQ(desktop.messageBoxes[0].type & MB_ICONMASK, MB_ICONINFORMATION);
}

}  // namespace
