// The application object's side of the database work that the pages use:
// COM at start, the ODBC connection at exit, and the DAO engine's login.

#include <gtest/gtest.h>

#include <cstdio>

#include "PageSession.h"
#include "afxdao.h"
#include "platform/com/testing.h"

namespace {

using namespace tarnex::test;

constexpr const char* kMain = "TALVERON Main";

TEST(AppStartDeathTest, WithoutCOMTheProgramSaysSoAndEndsWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::testing::ScriptedDesktop desktop;
            desktop.onMessageBox = [](const platform::testing::MessageBoxCall& box) {
                std::fprintf(stderr, "box[%s|%s|%u|%s]\n", box.caption.c_str(), box.text.c_str(),
                             box.type, box.owner == nullptr ? "no owner" : "owned");
            };
            comtest::FailNextCoInitialize(E_OUTOFMEMORY);
            CTARNEXApp app;
            std::fprintf(stderr, "still running\n");
        },
        ::testing::ExitedWithCode(0),
        "box\\[COM Error\\|Could not initialize COM Library\\|16\\|no owner\\]\n$");
}

TEST(AppDatabase, ExitClosesAnOpenODBCConnection) {
    PageSession session;
    session.Run([&] {
        ASSERT_TRUE(session.App().m_database.Open(kMain, FALSE, TRUE, "ODBC;UID=Admin;PWD=admin"));
        EXPECT_EQ(session.suite.Sessions(), 1u);
    });
    EXPECT_FALSE(session.App().m_database.IsOpen());
    EXPECT_EQ(session.suite.Sessions(), 0u);
}

TEST(AppDatabase, TheDaoEngineLogsOnWithTheSessionsWorkgroupAndAccount) {
    PageSession session;
    const std::string copy = (session.suite.folder / "copy.mdb").string();
    session.Run([&] {
        ASSERT_TRUE(Login(session, kMain, "Admin", kAdminPassword, 1));
        CTARNEXApp& app = session.App();
        ASSERT_TRUE(app.DisconnectCatalog());  // compaction wants the database to itself

        EXPECT_TRUE(app.SetDaoSystemDb());
        BSTR bstrSystemDb = nullptr;
        ASSERT_EQ(AfxDaoGetEngine()->get_SystemDB(&bstrSystemDb), S_OK);
        EXPECT_EQ(DaoString(bstrSystemDb), session.suite.workgroup.string());
        SysFreeString(bstrSystemDb);

        // The engine compacts as its default account, which the session gives.
        EXPECT_TRUE(app.SetDaoDefaultLogin());
        EXPECT_NO_THROW(CDaoWorkspace::CompactDatabase(app.m_strDatabase, copy.c_str()));
        EXPECT_TRUE(std::filesystem::exists(copy));

        // With another password in the session the engine refuses.
        app.m_strPassword = "not admin";
        EXPECT_TRUE(app.SetDaoSystemDb());
        EXPECT_TRUE(app.SetDaoDefaultLogin());
        try {
            CDaoWorkspace::CompactDatabase(app.m_strDatabase, (copy + "2").c_str());
            ADD_FAILURE() << "compacted with a wrong password";
        } catch (CDaoException* e) {
            e->Delete();
        }
        AfxDaoTerm();
    });
}

}  // namespace
