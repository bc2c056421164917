// Logging in through the real unixODBC driver manager and our driver.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DriverTestSupport.h"
#include "talveron/engine/Database.h"
#include "talveron/engine/Error.h"

namespace talveron::odbc::test {
namespace {

namespace engine = talveron::engine;

class ConnectTest : public ::testing::Test {
protected:
    Environment environment;
    Connection connection{environment};
};

TEST_F(ConnectTest, DataSourcesListUserThenSystemWithTheDriverAsDescription) {
    std::vector<std::pair<std::string, std::string>> listed;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    SQLCHAR name[256];
    SQLCHAR description[256];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT descriptionLength = 0;
    while (SQLDataSources(environment.get(), direction, name, sizeof name, &nameLength, description,
                          sizeof description, &descriptionLength) == SQL_SUCCESS) {
        listed.emplace_back(reinterpret_cast<char*>(name), reinterpret_cast<char*>(description));
        direction = SQL_FETCH_NEXT;
    }
    const std::vector<std::pair<std::string, std::string>> expected{
        {kUserDsn, kDriverName},        {kMainDsn, kDriverName},
        {kNoDatabaseDsn, kDriverName},  {kNoWorkgroupDsn, kDriverName},
        {kMissingFileDsn, kDriverName}, {kForeignDsn, kDriverName}};
    EXPECT_EQ(listed, expected);
}

// The manager's own login: "UID=...;PWD=...;DSN=..." with completion and the
// cursor library, then the completed string split at ";".
TEST_F(ConnectTest, LoginCompletesEveryPairWithTheStoredAccountName) {
    const ConnectResult result = managerLogin(connection, "mAnAgEr", "secret");
    ASSERT_EQ(result.rc, SQL_SUCCESS) << firstState(SQL_HANDLE_DBC, connection.get());
    EXPECT_EQ(result.completed, completedFor(kMainDsn, "Manager", "secret"));
    EXPECT_EQ(result.length, static_cast<SQLSMALLINT>(result.completed.size()));

    SQLCHAR user[64] = {};
    SQLSMALLINT length = 0;
    ASSERT_EQ(SQLGetInfo(connection.get(), SQL_USER_NAME, user, sizeof user, &length), SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(user), "Manager");
    EXPECT_EQ(SQLDisconnect(connection.get()), SQL_SUCCESS);
}

// Keywords match without regard to case, the connection string overrides the
// data source, and a braced value may hold ";" and "}}".
TEST_F(ConnectTest, ConnectionStringOverridesTheDataSource) {
    struct Case {
        std::string connectString;
        std::string completed;
    };
    const TestFiles& files = testFiles();
    const std::vector<Case> cases{
        {std::string("dsn=") + kNoDatabaseDsn + ";dbq=" + files.database.string() +
             ";uid=admin;pwd=",
         "DSN=" + std::string(kNoDatabaseDsn) + ";DBQ=" + files.database.string() +
             ";SystemDB=" + files.workgroup.string() + ";UID=Admin;PWD=;"},
        {std::string("DSN=") + kMainDsn + ";UID=Semi;PWD={se;mi}}colon}",
         completedFor(kMainDsn, "Semi", "{se;mi}}colon}")},
        {std::string("DSN=") + kUserDsn, completedFor(kUserDsn, "Manager", kManagerPassword)},
        // Without a data source the driver names itself.
        {std::string("DRIVER={") + kDriverName + "};DBQ=" + files.database.string() +
             ";SystemDB=" + files.workgroup.string() + ";UID=manager;PWD=secret",
         std::string("DRIVER=") + kDriverName + ";DBQ=" + files.database.string() +
             ";SystemDB=" + files.workgroup.string() + ";UID=Manager;PWD=secret;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connectString);
        Connection fresh(environment);
        const ConnectResult result =
            driverConnect(fresh, c.connectString, 1024, SQL_DRIVER_NOPROMPT);
        ASSERT_EQ(result.rc, SQL_SUCCESS) << firstState(SQL_HANDLE_DBC, fresh.get());
        EXPECT_EQ(result.completed, c.completed);
    }
}

TEST_F(ConnectTest, CompletedStringFollowsTheBufferLengthRules) {
    const std::string full = completedFor(kMainDsn, "Manager", "secret");
    const auto fullLength = static_cast<SQLSMALLINT>(full.size());
    struct Case {
        SQLSMALLINT bufferSize;
        SQLRETURN rc;
        std::string written;
    };
    const std::vector<Case> cases{
        {0, SQL_SUCCESS, ""},  // no buffer: the length only
        {20, SQL_SUCCESS_WITH_INFO, full.substr(0, 19)},
        {fullLength, SQL_SUCCESS_WITH_INFO, full.substr(0, full.size() - 1)},
        {static_cast<SQLSMALLINT>(fullLength + 1), SQL_SUCCESS, full},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bufferSize);
        Connection fresh(environment);
        const ConnectResult result =
            driverConnect(fresh, loginString("Manager", "secret"), c.bufferSize);
        EXPECT_EQ(result.rc, c.rc);
        EXPECT_EQ(result.completed, c.written);
        EXPECT_EQ(result.length, fullLength);
        if (c.rc == SQL_SUCCESS_WITH_INFO) {
            EXPECT_EQ(firstState(SQL_HANDLE_DBC, fresh.get()), "01004");
        }
        // Cutting the string does not undo the connection.
        EXPECT_EQ(SQLDisconnect(fresh.get()), SQL_SUCCESS);
    }
}

TEST_F(ConnectTest, WrongPasswordGives28000ThroughGetDiagRecAndSqlError) {
    const ConnectResult result = driverConnect(connection, loginString("Manager", "Secret"));
    ASSERT_EQ(result.rc, SQL_ERROR);

    const std::vector<Diagnostic> records = diagnostics(SQL_HANDLE_DBC, connection.get());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "28000");
    EXPECT_EQ(records[0].native, static_cast<SQLINTEGER>(engine::ErrorCode::BadLogin));
    EXPECT_NE(records[0].message.find("[TALVERON][ODBC Driver]Not a valid account name or "
                                      "password"),
              std::string::npos)
        << records[0].message;
    // SQLGetDiagRec leaves the record in place.
    EXPECT_EQ(diagnostics(SQL_HANDLE_DBC, connection.get()).size(), 1u);

    SQLCHAR state[6] = {};
    SQLCHAR message[512] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    ASSERT_EQ(SQLError(environment.get(), connection.get(), SQL_NULL_HSTMT, state, &native, message,
                       sizeof message, &length),
              SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(state), "28000");
    EXPECT_EQ(native, static_cast<SQLINTEGER>(engine::ErrorCode::BadLogin));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(message)), records[0].message);
    // SQLError removed the record it returned.
    EXPECT_EQ(SQLError(environment.get(), connection.get(), SQL_NULL_HSTMT, state, &native, message,
                       sizeof message, &length),
              SQL_NO_DATA);
}

TEST_F(ConnectTest, FailedLoginsReportFittingStates) {
    struct Case {
        std::string connectString;
        std::string state;
        SQLINTEGER native;
        std::string text;
    };
    const std::vector<Case> cases{
        {loginString("Nobody", "secret"), "28000", 3029, "Not a valid account name"},
        {loginString("Admin", "", kNoDatabaseDsn), "08001", 0, "DBQ"},
        {loginString("Admin", "", kNoWorkgroupDsn), "08001", 0, "SystemDB"},
        {loginString("Admin", "", kMissingFileDsn), "08001", 3024, "missing.mdb"},
        {loginString("Admin", "", kForeignDsn), "28000", 3350, ""},
        {std::string("DSN=") + kMainDsn + ";PWD={never closed", "08001", 0, "{"},
        // Of a keyword given twice the first value counts.
        {std::string("DSN=") + kUserDsn + ";PWD=wrong;UID=Admin;PWD=", "28000", 3029, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connectString);
        Connection fresh(environment);
        EXPECT_EQ(driverConnect(fresh, c.connectString).rc, SQL_ERROR);
        const std::vector<Diagnostic> records = diagnostics(SQL_HANDLE_DBC, fresh.get());
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records[0].state, c.state);
        EXPECT_EQ(records[0].native, c.native);
        EXPECT_NE(records[0].message.find(c.text), std::string::npos) << records[0].message;
    }
}

// The ODBC 2 calls that a class library of that generation makes.
TEST(Odbc2ConnectTest, Odbc2ApplicationLogsInAndReadsErrorsWithSqlError) {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    ASSERT_EQ(SQLAllocEnv(&environment), SQL_SUCCESS);
    ASSERT_EQ(SQLAllocConnect(environment, &connection), SQL_SUCCESS);
    ASSERT_EQ(SQLSetConnectOption(connection, SQL_ODBC_CURSORS, SQL_CUR_USE_ODBC), SQL_SUCCESS);

    std::string wrong = loginString("Manager", "wrong");
    SQLCHAR completed[512] = {};
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(wrong.data()),
                               SQL_NTS, completed, sizeof completed, &length, SQL_DRIVER_COMPLETE),
              SQL_ERROR);
    SQLCHAR state[6] = {};
    SQLCHAR message[512] = {};
    SQLINTEGER native = 0;
    EXPECT_EQ(SQLError(environment, connection, SQL_NULL_HSTMT, state, &native, message,
                       sizeof message, &length),
              SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(state), "28000");

    std::string right = loginString("Manager", "secret");
    ASSERT_EQ(SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(right.data()),
                               SQL_NTS, completed, sizeof completed, &length, SQL_DRIVER_COMPLETE),
              SQL_SUCCESS);
    EXPECT_EQ(reinterpret_cast<char*>(completed), completedFor(kMainDsn, "Manager", "secret"));

    SQLHSTMT statement = SQL_NULL_HSTMT;
    ASSERT_EQ(SQLAllocStmt(connection, &statement), SQL_SUCCESS);
    SQLCHAR bad[] = "SELECT FROM";
    EXPECT_EQ(SQLExecDirect(statement, bad, SQL_NTS), SQL_ERROR);
    EXPECT_EQ(SQLError(environment, connection, statement, state, &native, message, sizeof message,
                       &length),
              SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(state), "37000");  // ODBC 2's syntax error
    EXPECT_EQ(SQLFreeStmt(statement, SQL_DROP), SQL_SUCCESS);

    EXPECT_EQ(SQLDisconnect(connection), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeConnect(connection), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeEnv(environment), SQL_SUCCESS);
}

TEST_F(ConnectTest, DatabaseIsInUseUntilDisconnect) {
    const TestFiles& files = testFiles();
    const engine::Credentials admin{files.workgroup, "Admin", ""};
    engine::OpenOptions exclusive;
    exclusive.exclusive = true;

    ASSERT_EQ(driverConnect(connection, loginString("Manager", "secret")).rc, SQL_SUCCESS);
    EXPECT_EQ(engine::sessionsOf(files.database).size(), 1u);
    try {
        engine::Database::open(files.database, admin, exclusive);
        ADD_FAILURE() << "an exclusive open succeeded while the ODBC session is open";
    } catch (const engine::Error& error) {
        EXPECT_EQ(error.code(), engine::ErrorCode::InUse);
    }

    ASSERT_EQ(SQLDisconnect(connection.get()), SQL_SUCCESS);
    EXPECT_TRUE(engine::sessionsOf(files.database).empty());
    engine::Database held = engine::Database::open(files.database, admin, exclusive);

    // And the other way round: an exclusive holder refuses the login.
    const ConnectResult refused = driverConnect(connection, loginString("Manager", "secret"));
    EXPECT_EQ(refused.rc, SQL_ERROR);
    const std::vector<Diagnostic> records = diagnostics(SQL_HANDLE_DBC, connection.get());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].state, "08004");
    EXPECT_EQ(records[0].native, static_cast<SQLINTEGER>(engine::ErrorCode::InUse));
}

TEST_F(ConnectTest, SqlConnectTakesTheAccountFromItsArgumentsOrTheDataSource) {
    auto connect = [&](const Connection& target, const char* dsn, const char* user,
                       const char* password) {
        return SQLConnect(target.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(dsn)), SQL_NTS,
                          reinterpret_cast<SQLCHAR*>(const_cast<char*>(user)), SQL_NTS,
                          reinterpret_cast<SQLCHAR*>(const_cast<char*>(password)), SQL_NTS);
    };
    struct Case {
        const char* dsn;
        const char* user;
        const char* password;
        std::string storedUser;  // empty: the login is refused with 28000
    };
    const std::vector<Case> cases{
        {kMainDsn, "manager", "secret", "Manager"},
        {kMainDsn, "Manager", "wrong", ""},
        {kUserDsn, nullptr, nullptr, "Manager"},
        {kUserDsn, "Admin", "", "Admin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dsn) + " " + (c.user ? c.user : "(none)"));
        Connection fresh(environment);
        const SQLRETURN rc = connect(fresh, c.dsn, c.user, c.password);
        if (c.storedUser.empty()) {
            EXPECT_EQ(rc, SQL_ERROR);
            EXPECT_EQ(firstState(SQL_HANDLE_DBC, fresh.get()), "28000");
            continue;
        }
        ASSERT_EQ(rc, SQL_SUCCESS) << firstState(SQL_HANDLE_DBC, fresh.get());
        SQLCHAR user[64] = {};
        SQLGetInfo(fresh.get(), SQL_USER_NAME, user, sizeof user, nullptr);
        EXPECT_EQ(reinterpret_cast<char*>(user), c.storedUser);
    }
}

TEST_F(ConnectTest, ReadOnlyAccessModeOpensTheDatabaseReadOnly) {
    ASSERT_EQ(SQLSetConnectAttr(connection.get(), SQL_ATTR_ACCESS_MODE,
                                reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0),
              SQL_SUCCESS);
    ASSERT_EQ(driverConnect(connection, loginString("Manager", "secret")).rc, SQL_SUCCESS);
    SQLCHAR readOnly[4] = {};
    SQLGetInfo(connection.get(), SQL_DATA_SOURCE_READ_ONLY, readOnly, sizeof readOnly, nullptr);
    EXPECT_STREQ(reinterpret_cast<char*>(readOnly), "Y");

    Statement statement(connection);
    SQLCHAR update[] = "UPDATE Customers SET City = 'Rome' WHERE Id = 1";
    EXPECT_EQ(SQLExecDirect(statement.get(), update, SQL_NTS), SQL_ERROR);
    const std::vector<Diagnostic> records = diagnostics(SQL_HANDLE_STMT, statement.get());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].state, "HY000");
    EXPECT_EQ(records[0].native, static_cast<SQLINTEGER>(engine::ErrorCode::ReadOnly));
}

}  // namespace
}  // namespace talveron::odbc::test
