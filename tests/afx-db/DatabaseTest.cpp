// CDatabase through the real driver manager and the suite's driver.

#include <gtest/gtest.h>

#include "OdbcSuite.h"
#include "afxdb.h"

namespace {

using tarnex::test::DataSource;
using tarnex::test::kAdminPassword;
using tarnex::test::kClerkPassword;
using tarnex::test::OdbcSuite;

constexpr const char* kSource = "TALVERON Main";

// Runs `open` and returns the CDBException it raises (owned by the caller), or null.
template <class Open>
std::unique_ptr<CDBException, void (*)(CDBException*)> DBExceptionOf(Open open) {
    auto release = [](CDBException* e) { e->Delete(); };
    try {
        open();
    } catch (CDBException* e) {
        return {e, release};
    }
    return {nullptr, release};
}

SQLUINTEGER ConnectAttribute(const CDatabase& db, SQLINTEGER attribute) {
    SQLUINTEGER value = 0;
    EXPECT_TRUE(SQL_SUCCEEDED(SQLGetConnectAttr(db.m_hdbc, attribute, &value, 0, nullptr)));
    return value;
}

TEST(DatabaseTest, OpenCompletesTheConnectStringThroughTheDriver) {
    OdbcSuite suite;
    CDatabase db;
    EXPECT_FALSE(db.IsOpen());

    ASSERT_TRUE(db.Open(kSource, FALSE, TRUE, "ODBC;UID=clerk;PWD=clerk", TRUE));
    EXPECT_TRUE(db.IsOpen());
    EXPECT_FALSE(db.CanUpdate());
    // The driver names the account as stored ("Clerk") and ends every pair with ";".
    EXPECT_EQ(db.GetConnect().str(),
              "ODBC;" + suite.CompletedFor(kSource, "Clerk", kClerkPassword));
    EXPECT_EQ(suite.Sessions(), 1u);
    // Read-only and through the cursor library, both asked for before connecting.
    EXPECT_EQ(ConnectAttribute(db, SQL_ATTR_ACCESS_MODE), SQLUINTEGER{SQL_MODE_READ_ONLY});
    EXPECT_EQ(ConnectAttribute(db, SQL_ATTR_ODBC_CURSORS), SQLUINTEGER{SQL_CUR_USE_ODBC});

    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(suite.Sessions(), 0u);
    db.Close();  // closing again does nothing
}

TEST(DatabaseTest, WritableOpenWithoutCursorLibrary) {
    OdbcSuite suite;
    CDatabase db;
    ASSERT_TRUE(db.Open(kSource, FALSE, FALSE, "ODBC;UID=Admin;PWD=admin", FALSE));
    EXPECT_TRUE(db.CanUpdate());
    EXPECT_EQ(ConnectAttribute(db, SQL_ATTR_ACCESS_MODE), SQLUINTEGER{SQL_MODE_READ_WRITE});
    EXPECT_EQ(ConnectAttribute(db, SQL_ATTR_ODBC_CURSORS), SQLUINTEGER{SQL_CUR_USE_DRIVER});
}

TEST(DatabaseTest, DestructionDisconnects) {
    OdbcSuite suite;
    {
        CDatabase db;
        ASSERT_TRUE(db.Open(kSource, FALSE, TRUE, "ODBC;UID=Admin;PWD=admin"));
        EXPECT_EQ(suite.Sessions(), 1u);
    }
    EXPECT_EQ(suite.Sessions(), 0u);
}

TEST(DatabaseTest, TheConnectStringNamesTheDataSourceWhenNoNameIsGiven) {
    OdbcSuite suite;
    for (const char* name : {static_cast<const char*>(nullptr), ""}) {
        CDatabase db;
        ASSERT_TRUE(db.Open(name, FALSE, TRUE,
                            "odbc;DSN=TALVERON Main;UID=Admin;PWD=admin"));  // any case of "ODBC;"
        EXPECT_EQ(db.GetConnect().str(),
                  "ODBC;" + suite.CompletedFor(kSource, "Admin", kAdminPassword));
    }
}

TEST(DatabaseTest, DriverErrorsAreRaisedWithTheDriversDiagnostics) {
    OdbcSuite suite;
    CDatabase db;
    auto e = DBExceptionOf([&] { db.Open(kSource, FALSE, TRUE, "ODBC;UID=Admin;PWD=wrong"); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_nRetCode, SQL_ERROR);
    // "State:<SQLSTATE>,Native:<n>,Origin:[vendor][component]" per record, the
    // message without its origin prefixes.
    EXPECT_EQ(e->m_strStateNativeOrigin.Find("State:28000,Native:"), 0)
        << e->m_strStateNativeOrigin.GetString();
    EXPECT_GT(e->m_strStateNativeOrigin.Find(",Origin:["), 0);
    EXPECT_EQ(e->m_strStateNativeOrigin.Right(1), "\n");
    EXPECT_FALSE(e->m_strError.IsEmpty());
    EXPECT_NE(e->m_strError[0], '[');
    EXPECT_EQ(e->m_strError.Right(1), "\n");
    EXPECT_EQ(e->GetMessageText(), e->m_strError);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(suite.Sessions(), 0u);

    // The same object opens once the account is right.
    EXPECT_TRUE(db.Open(kSource, FALSE, TRUE, "ODBC;UID=Admin;PWD=admin"));
}

TEST(DatabaseTest, AnUnknownDataSourceIsReportedByTheDriverManager) {
    OdbcSuite suite;
    CDatabase db;
    auto e = DBExceptionOf([&] { db.Open("TALVERON Nowhere", FALSE, TRUE, "ODBC;UID=A;PWD=b"); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_strStateNativeOrigin.Find("State:IM002,"), 0)
        << e->m_strStateNativeOrigin.GetString();
    EXPECT_GT(e->m_strStateNativeOrigin.Find("Origin:[unixODBC]"), 0);
    EXPECT_FALSE(db.IsOpen());
}

TEST(DatabaseTest, ADataSourceLackingTheAccountCannotPromptForIt) {
    OdbcSuite suite;
    CDatabase db;
    // No window: the driver cannot ask and reports what is missing.
    auto e = DBExceptionOf([&] { db.Open(kSource, FALSE, TRUE, "ODBC;"); });
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(db.IsOpen());
}

TEST(DatabaseTest, RefusedRequests) {
    OdbcSuite suite;
    CDatabase db;
    // A connect string that does not say it is for ODBC.
    EXPECT_FALSE(db.Open(kSource, FALSE, TRUE, "UID=Admin;PWD=admin"));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(suite.Sessions(), 0u);

    // ODBC offers no exclusive use.
    try {
        db.Open(kSource, TRUE, TRUE, "ODBC;UID=Admin;PWD=admin");
        ADD_FAILURE() << "an exclusive open was accepted";
    } catch (CNotSupportedException* e) {
        e->Delete();
    }
    EXPECT_FALSE(db.IsOpen());

    // An open connection is not replaced behind its user's back.
    ASSERT_TRUE(db.Open(kSource, FALSE, TRUE, "ODBC;UID=Admin;PWD=admin"));
    auto e = DBExceptionOf([&] { db.Open(kSource, FALSE, TRUE, "ODBC;UID=Clerk;PWD=clerk"); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_strStateNativeOrigin.Find("State:08002,"), 0);
    EXPECT_TRUE(db.IsOpen());
    EXPECT_NE(db.GetConnect().Find("UID=Admin;"), -1);
}

TEST(DatabaseTest, ACancelledDriverPromptIsNoError) {
    // A driver whose prompt the user cancels answers SQL_NO_DATA.
    DataSource cancelling{"TALVERON Cancel"};
    cancelling.driver = CANCELLING_DRIVER_PATH;
    OdbcSuite suite({cancelling});
    CDatabase db;
    EXPECT_FALSE(db.Open("TALVERON Cancel", FALSE, TRUE, "ODBC;UID=Admin;PWD=admin", FALSE));
    EXPECT_FALSE(db.IsOpen());
}

}  // namespace
