// The Login page in the running program: its data-source list from the real
// driver manager, the login through ODBC and the security catalog, logging
// out on return, and the reading of the completed connect string.

#include <gtest/gtest.h>

#include "PageSession.h"
#include "platform/com/testing.h"
#include "talveron/engine/Workgroup.h"

namespace {

using namespace tarnex::test;

constexpr const char* kMain = "TALVERON Main";
const std::string kLoginFailed =
    "Database Error|Failed to connect, please check your login information";
const std::string kChooseFirst = "DAO System Error|Please choose a Database from the list first.";

std::string Entry(const std::string& name) {
    return name + " (" + kDriverName + ")";
}

TEST(LoginPageList, ShowsTheSuitesDataSourcesSortedWithNoneSelected) {
    DataSource other("Other");
    DataSource userSource("talveron_demo", true);
    DataSource mixedCase("My TalVeron Copy");
    PageSession session({DataSource(kMain), other, userSource, mixedCase, DataSource("Zeta")});
    session.Run([&] {
        CAdoxLoginPg& page = session.LoginPage();
        // The combo box sorts without regard to letter case.
        EXPECT_EQ(Lines(page.m_cboDataSource),
                  (std::vector<std::string>{Entry("My TalVeron Copy"), Entry(kMain),
                                            Entry("talveron_demo")}));
        EXPECT_EQ(page.m_cboDataSource.GetCurSel(), CB_ERR);
    });
    EXPECT_TRUE(session.program.sheetRan);
}

TEST(LoginPageList, OneMatchingSourceGivesOneLine) {
    PageSession session({DataSource("TALVERON")});
    session.Run([&] { EXPECT_EQ(Lines(session.LoginPage().m_cboDataSource).size(), 1u); });
}

TEST(LoginPageList, NoMatchingSourceLeavesTheListEmptyAndTheLoginFails) {
    PageSession session({DataSource("Other"), DataSource("Accounts", true)});
    session.Run([&] {
        CAdoxLoginPg& page = session.LoginPage();
        EXPECT_EQ(page.m_cboDataSource.GetCount(), 0);
        FillLogin(page, "", "Admin", kAdminPassword);
        EXPECT_FALSE(session.Sheet().SetActivePage(1));
        EXPECT_EQ(session.Messages(), (std::vector<std::string>{kChooseFirst, kLoginFailed}));
    });
}

TEST(LoginPage, RefusedLoginsStayOnThePage) {
    const struct {
        const char* name;
        const char* dataSource;
        const char* user;
        const char* password;
        std::vector<std::string> messages;
    } cases[] = {
        {"no data source chosen", "", "Admin", kAdminPassword, {kChooseFirst, kLoginFailed}},
        // Empty fields are refused before any data source is looked at.
        {"empty user ID", "", "", kAdminPassword, {kLoginFailed}},
        {"empty password", kMain, "Admin", "", {kLoginFailed}},
        {"wrong password", kMain, "Admin", "Admin", {kLoginFailed}},
        {"unknown user", kMain, "Nobody", kAdminPassword, {kLoginFailed}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PageSession session;
        session.Run([&] {
            session.App().m_strSystemDb = "kept";
            FillLogin(session.LoginPage(), c.dataSource, c.user, c.password);
            EXPECT_FALSE(session.Sheet().SetActivePage(2));
            EXPECT_EQ(session.Sheet().GetActiveIndex(), 0);
            EXPECT_EQ(session.Messages(), c.messages);
            for (const auto& box : session.Desktop().messageBoxes) {
                EXPECT_EQ(box.owner, nullptr);
                EXPECT_EQ(box.type, box.caption == "Database Error" ? MB_OK | MB_ICONINFORMATION
                                                                    : MB_OK | MB_ICONERROR);
            }
            // Without a data source the workgroup of the session is forgotten.
            EXPECT_EQ(session.App().m_strSystemDb.str(), c.messages.size() == 2 ? "" : "kept");
            EXPECT_TRUE(session.App().m_strConnect.IsEmpty());
            EXPECT_FALSE(session.App().m_database.IsOpen());
            EXPECT_EQ(session.TrayIconId(), static_cast<unsigned>(IDI_NOTLOGGEDIN));
            EXPECT_EQ(session.suite.Sessions(), 0u);
            EXPECT_EQ(session.Desktop().WaitCursorDepth(), 0);
        });
    }
}

TEST(LoginPage, ASuccessfulLoginFillsTheSessionAndOpensTheCatalog) {
    PageSession session;
    session.Run([&] {
        // The account as typed ("admin"); the data source gives its stored name.
        ASSERT_TRUE(Login(session, kMain, "admin", kAdminPassword, 2))
            << ::testing::PrintToString(session.Messages());
        CTARNEXApp& app = session.App();
        EXPECT_EQ(app.m_strConnect.str(),
                  "ODBC;" + session.suite.CompletedFor(kMain, "Admin", kAdminPassword));
        EXPECT_EQ(app.m_strDatabase.str(), session.suite.database.string());
        EXPECT_EQ(app.m_strSystemDb.str(), session.suite.workgroup.string());
        EXPECT_EQ(app.m_strUserId.str(), "Admin");
        EXPECT_EQ(app.m_strPassword.str(), kAdminPassword);
        CAdoxLoginPg& page = session.LoginPage();
        EXPECT_EQ(TextOf(&page, IDC_LOGIN_USERID), "Admin");
        EXPECT_EQ(TextOf(&page, IDC_LOGIN_PASSWORD), kAdminPassword);

        // The ODBC connection served the check only; the catalog stays open.
        EXPECT_FALSE(app.m_database.IsOpen());
        EXPECT_EQ(session.suite.Sessions(), 1u);
        EXPECT_EQ(session.TrayIconId(), static_cast<unsigned>(IDI_RUNNING));
        EXPECT_TRUE(session.Messages().empty());
        // The wait cursor was shown for the login and ended.
        EXPECT_GT(session.Desktop().waitCursorBegins, 0);
        EXPECT_EQ(session.Desktop().WaitCursorDepth(), 0);
    });
}

TEST(LoginPage, ComingBackLogsOutAndTheNextLeaveLogsInAfresh) {
    PageSession session;
    session.Run([&] {
        ASSERT_TRUE(Login(session, kMain, "Clerk", kClerkPassword));
        ASSERT_TRUE(session.Sheet().SetActivePage(0));

        CAdoxLoginPg& page = session.LoginPage();
        EXPECT_EQ(session.suite.Sessions(), 0u);  // catalog closed
        EXPECT_EQ(session.TrayIconId(), static_cast<unsigned>(IDI_NOTLOGGEDIN));
        EXPECT_EQ(TextOf(&page, IDC_LOGIN_USERID), "");
        EXPECT_EQ(TextOf(&page, IDC_LOGIN_PASSWORD), "");
        EXPECT_EQ(page.m_cboDataSource.GetCurSel(), CB_ERR);
        EXPECT_EQ(session.App().m_strUserId.str(), "Clerk");  // the session is kept

        // Leaving again asks for a full login.
        EXPECT_FALSE(session.Sheet().SetActivePage(3));
        EXPECT_EQ(session.Messages(), std::vector<std::string>{kLoginFailed});
        ASSERT_TRUE(Login(session, kMain, "Admin", kAdminPassword, 3));
        EXPECT_EQ(session.App().m_strUserId.str(), "Admin");
        EXPECT_EQ(session.suite.Sessions(), 1u);
        EXPECT_EQ(session.TrayIconId(), static_cast<unsigned>(IDI_RUNNING));
    });
}

TEST(LoginPage, ACatalogThatCannotBeReachedFailsTheLogin) {
    PageSession session;
    session.Run([&] {
        // ODBC accepts the account; the catalog's connection object cannot be made.
        FillLogin(session.LoginPage(), kMain, "Admin", kAdminPassword);
        comtest::FailNextCoCreateInstance(REGDB_E_CLASSNOTREG);
        EXPECT_FALSE(session.Sheet().SetActivePage(1));
        comtest::ResetFailures();
        EXPECT_EQ(session.Messages(),
                  (std::vector<std::string>{"ADOX Error|Source :  (null) \ndescription : (null)",
                                            kLoginFailed}));
        EXPECT_EQ(session.App().m_strUserId.str(), "Admin");  // already read from ODBC
        EXPECT_EQ(session.TrayIconId(), static_cast<unsigned>(IDI_NOTLOGGEDIN));
        EXPECT_EQ(session.suite.Sessions(), 0u);
        EXPECT_EQ(session.Desktop().WaitCursorDepth(), 0);
    });
}

TEST(LoginPage, APasswordWithASemicolonLogsIn) {
    PageSession session;
    ASSERT_NO_THROW(talveron::engine::Workgroup::open(session.suite.workgroup)
                        .changePassword("Clerk", kClerkPassword, "a;b}c"));
    session.Run([&] {
        ASSERT_TRUE(Login(session, kMain, "Clerk", "a;b}c"));
        EXPECT_EQ(session.App().m_strPassword.str(), "a;b}c");
        EXPECT_EQ(session.suite.Sessions(), 1u);
    });
}

TEST(LoginPage, ExitOnTheLoginPageEndsWithoutALoginCheck) {
    PageSession session;
    const int code = session.Run([&] {
        FillLogin(session.LoginPage(), "", "Admin", "");
        Click(session.Sheet().GetDlgItem(IDCANCEL));
        EXPECT_FALSE(session.Sheet().ContinueModal());
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(session.Messages().empty());
}

// The reading of a completed connect string, without a run.
class ConnectStringTest : public ::testing::Test {
protected:
    PageSession session;
    CAdoxLoginPg page;
};

TEST_F(ConnectStringTest, PairsFillThePageAndTheSession) {
    CTARNEXApp& app = session.App();
    const struct {
        const char* name;
        const char* text;
        const char* database;
        const char* systemDb;
        const char* userId;
        const char* password;
    } cases[] = {
        {"every pair ended",
         "ODBC;DSN=TALVERON;DBQ=/d/s.mdb;FIL=MS Access;SystemDB=/d/w.mdw;UID=Ann;", "/d/s.mdb",
         "/d/w.mdw", "Ann", "old pw"},
        {"last ';' missing", "ODBC;DBQ=/d/s.mdb;SystemDB=/d/w.mdw;UID=Ann", "/d/s.mdb", "/d/w.mdw",
         "old user", "old pw"},
        {"empty pairs", ";;DBQ=/d/s.mdb;;PWD=pw;;", "/d/s.mdb", "old wg", "old user", "pw"},
        {"values holding key names", "DBQ=/ODBC/UID.mdb;PWD=FILDSN;UID=PWD;", "/ODBC/UID.mdb",
         "old wg", "PWD", "FILDSN"},
        {"braced values", "PWD={se;mi}}x};UID={Ann};", "old db", "old wg", "Ann", "se;mi}x"},
        {"empty", "", "old db", "old wg", "old user", "old pw"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app.m_strDatabase = "old db";
        app.m_strSystemDb = "old wg";
        app.m_strUserId = "old user";
        app.m_strPassword = "old pw";
        page.ParseConnectString(c.text);
        EXPECT_EQ(app.m_strDatabase.str(), c.database);
        EXPECT_EQ(app.m_strSystemDb.str(), c.systemDb);
        EXPECT_EQ(app.m_strUserId.str(), c.userId);
        EXPECT_EQ(app.m_strPassword.str(), c.password);
    }
    // The edits' members follow UID and PWD.
    EXPECT_EQ(page.m_strLoginUserId.str(), "Ann");
    EXPECT_EQ(page.m_strLoginPassword.str(), "se;mi}x");
}

TEST_F(ConnectStringTest, KeysAreMatchedCaseSensitivelyAtThePairsStart) {
    page.m_strKeyDsn = "earlier";
    page.ParseConnectString("ODBC;DSN=;DriverId=25;FIL=MS Access;MaxBufferSize=2048;");
    EXPECT_EQ(page.m_strKeyOdbc.str(), "ODBC");  // shorter than "ODBC=": the whole pair
    EXPECT_EQ(page.m_strKeyDsn.str(), "");
    EXPECT_EQ(page.m_strKeyDriverId.str(), "");  // "DriverId" is not "DriverID"
    EXPECT_EQ(page.m_strKeyFil.str(), "MS Access");
    EXPECT_EQ(page.m_strKeyMaxBufferSize.str(), "2048");

    page.ParseConnectString("DriverID=25;PageTimeOut=5;ODBCX=1;uid=x;");
    EXPECT_EQ(page.m_strKeyDriverId.str(), "25");
    EXPECT_EQ(page.m_strKeyPageTimeOut.str(), "5");
    // The first key that starts the pair decides, and its length is cut off.
    EXPECT_EQ(page.m_strKeyOdbc.str(), "=1");
    EXPECT_EQ(page.m_strKeyUid.str(), "");
}

}  // namespace
