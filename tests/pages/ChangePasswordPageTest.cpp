// The Change Password page in the running program, logged in through the
// Login page: its checks, the change in the workgroup, and the session.

#include <gtest/gtest.h>

#include "PageSession.h"

namespace {

using namespace tarnex::test;

constexpr const char* kMain = "TALVERON Main";
const std::string kChanged = "System Message|Password Changes Successfully!";

// Types the three passwords and clicks the page's "Change Password" button.
void ChangePassword(CAdoChangePwPg& page, const std::string& oldPassword,
                    const std::string& newPassword, const std::string& again) {
    TypeInto(&page, IDC_OLD_PASSWORD, oldPassword);
    TypeInto(&page, IDC_NEW_PASSWORD, newPassword);
    TypeInto(&page, IDC_NEW_PASSWORD_AGAIN, again);
    Click(page.GetDlgItem(IDOK));
}

TEST(ChangePasswordPage, ChecksRunInOrderAndLeaveEverythingAsItWas) {
    const struct {
        const char* name;
        const char* oldPassword;
        const char* newPassword;
        const char* again;
        const char* message;
    } cases[] = {
        {"old password in another case", "ADMIN", "new", "new", "Incorrect user id or password."},
        {"both checks fail", "wrong", "new", "neW", "Incorrect user id or password."},
        {"new passwords differ", kAdminPassword, "new one", "new onE",
         "New passwords are not identical!"},
        {"new password repeated with a blank", kAdminPassword, "new", "new ",
         "New passwords are not identical!"},
    };
    PageSession session;
    session.Run([&] {
        ASSERT_TRUE(Login(session, kMain, "Admin", kAdminPassword, 1));
        CAdoChangePwPg& page = session.ChangePasswordPage();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            session.Desktop().messageBoxes.clear();
            ChangePassword(page, c.oldPassword, c.newPassword, c.again);
            ASSERT_EQ(session.Messages(),
                      std::vector<std::string>{std::string("ADOX Error|") + c.message});
            EXPECT_EQ(session.Desktop().messageBoxes[0].type, MB_OK | MB_ICONERROR);
            EXPECT_EQ(session.Desktop().messageBoxes[0].owner, nullptr);
            EXPECT_EQ(TextOf(&page, IDC_OLD_PASSWORD), c.oldPassword);
            EXPECT_EQ(TextOf(&page, IDC_NEW_PASSWORD_AGAIN), c.again);
        }
        EXPECT_EQ(session.App().m_strPassword.str(), kAdminPassword);
        EXPECT_TRUE(session.suite.Accepts("Admin", kAdminPassword));
    });
}

TEST(ChangePasswordPage, AChangeUpdatesTheSessionAndTheNextLogin) {
    PageSession session;
    session.Run([&] {
        ASSERT_TRUE(Login(session, kMain, "Clerk", kClerkPassword, 1));
        CAdoChangePwPg& page = session.ChangePasswordPage();

        ChangePassword(page, kClerkPassword, "second", "second");
        EXPECT_EQ(session.Messages(), std::vector<std::string>{kChanged});
        EXPECT_EQ(session.Desktop().messageBoxes[0].type, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(session.App().m_strPassword.str(), "second");
        EXPECT_TRUE(session.suite.Accepts("Clerk", "second"));
        // The edits keep what was typed.
        EXPECT_EQ(TextOf(&page, IDC_OLD_PASSWORD), kClerkPassword);
        EXPECT_EQ(TextOf(&page, IDC_NEW_PASSWORD), "second");
        EXPECT_EQ(TextOf(&page, IDC_NEW_PASSWORD_AGAIN), "second");

        // A second change needs the new password as the old one.
        Click(page.GetDlgItem(IDOK));
        EXPECT_EQ(session.Messages().back(), "ADOX Error|Incorrect user id or password.");
        ChangePassword(page, "second", "third", "third");
        EXPECT_EQ(session.Messages().back(), kChanged);
        EXPECT_EQ(session.App().m_strPassword.str(), "third");

        // Logging out and in again: the old password is refused, the new one
        // passes ODBC and the catalog.
        ASSERT_TRUE(session.Sheet().SetActivePage(0));
        EXPECT_FALSE(Login(session, kMain, "Clerk", kClerkPassword));
        EXPECT_FALSE(Login(session, kMain, "Clerk", "second"));
        ASSERT_TRUE(Login(session, kMain, "Clerk", "third"));
        EXPECT_EQ(session.suite.Sessions(), 1u);
        EXPECT_EQ(session.TrayIconId(), static_cast<unsigned>(IDI_RUNNING));
        // The page still shows the texts of the last change.
        EXPECT_EQ(TextOf(&page, IDC_NEW_PASSWORD), "third");
    });
}

TEST(ChangePasswordPage, WithTheCatalogClosedNothingChanges) {
    PageSession session;
    session.Run([&] {
        ASSERT_TRUE(Login(session, kMain, "Admin", kAdminPassword, 1));
        session.App().DisconnectCatalog();  // as a failed compaction leaves it
        ChangePassword(session.ChangePasswordPage(), kAdminPassword, "new", "new");
        EXPECT_TRUE(session.Messages().empty());
        EXPECT_EQ(session.App().m_strPassword.str(), kAdminPassword);
        EXPECT_TRUE(session.suite.Accepts("Admin", kAdminPassword));
    });
}

}  // namespace
