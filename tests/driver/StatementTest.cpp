// Statements on a connection through the driver manager.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverTestSupport.h"

namespace talveron::odbc::test {
namespace {

SQLCHAR* sql(const char* text) {
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text));
}

class StatementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(driverConnect(connection, loginString("Manager", "secret")).rc, SQL_SUCCESS);
    }

    Environment environment;
    Connection connection{environment};
};

TEST_F(StatementTest, SelectDescribesColumnsAndReturnsRowsAsText) {
    Statement statement(connection);
    ASSERT_EQ(SQLExecDirect(statement.get(),
                            sql("SELECT Id, Name, City FROM Customers ORDER BY Id"), SQL_NTS),
              SQL_SUCCESS);
    SQLSMALLINT columns = 0;
    ASSERT_EQ(SQLNumResultCols(statement.get(), &columns), SQL_SUCCESS);
    EXPECT_EQ(columns, 3);

    SQLCHAR name[32] = {};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    ASSERT_EQ(SQLDescribeCol(statement.get(), 2, name, sizeof name, &nameLength, &type, &size,
                             nullptr, nullptr),
              SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(name), "Name");
    EXPECT_EQ(type, SQL_VARCHAR);
    EXPECT_EQ(size, kLongNameLength);  // the longest value: what a display needs
    SQLLEN displaySize = 0;
    ASSERT_EQ(SQLColAttribute(statement.get(), 3, SQL_DESC_DISPLAY_SIZE, nullptr, 0, nullptr,
                              &displaySize),
              SQL_SUCCESS);
    EXPECT_EQ(displaySize, 6);  // "London"
    SQLCHAR label[32] = {};
    ASSERT_EQ(
        SQLColAttribute(statement.get(), 3, SQL_DESC_LABEL, label, sizeof label, nullptr, nullptr),
        SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(label), "City");

    std::vector<std::vector<std::string>> rows;
    while (SQLFetch(statement.get()) == SQL_SUCCESS) {
        rows.push_back(
            {textOf(statement.get(), 1), textOf(statement.get(), 2), textOf(statement.get(), 3)});
    }
    const std::vector<std::vector<std::string>> expected{
        {"1", "Ada Lovelace", "London"},
        {"2", "Grace Hopper", "<NULL>"},
        {"3", std::string(kLongNameLength, 'x'), "Paris"}};
    EXPECT_EQ(rows, expected);
    SQLLEN rowCount = 0;
    EXPECT_EQ(SQLRowCount(statement.get(), &rowCount), SQL_SUCCESS);
    EXPECT_EQ(rowCount, 3);
    EXPECT_EQ(SQLCloseCursor(statement.get()), SQL_SUCCESS);
}

TEST_F(StatementTest, GetDataReturnsLongValuesInPartsThenNoData) {
    Statement statement(connection);
    ASSERT_EQ(SQLPrepare(statement.get(), sql("SELECT Name FROM Customers WHERE Id = 3"), SQL_NTS),
              SQL_SUCCESS);
    ASSERT_EQ(SQLExecute(statement.get()), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(statement.get()), SQL_SUCCESS);

    char part[256];
    SQLLEN indicator = 0;
    std::vector<SQLLEN> remaining;
    std::string value;
    SQLRETURN rc = SQL_SUCCESS_WITH_INFO;
    while (rc == SQL_SUCCESS_WITH_INFO) {
        rc = SQLGetData(statement.get(), 1, SQL_C_CHAR, part, sizeof part, &indicator);
        ASSERT_TRUE(SQL_SUCCEEDED(rc));
        if (rc == SQL_SUCCESS_WITH_INFO) {
            EXPECT_EQ(firstState(SQL_HANDLE_STMT, statement.get()), "01004");
        }
        remaining.push_back(indicator);
        value += part;
    }
    EXPECT_EQ(value, std::string(kLongNameLength, 'x'));
    EXPECT_EQ(remaining, (std::vector<SQLLEN>{600, 345, 90}));
    EXPECT_EQ(SQLGetData(statement.get(), 1, SQL_C_CHAR, part, sizeof part, &indicator),
              SQL_NO_DATA);
    EXPECT_EQ(SQLFetch(statement.get()), SQL_NO_DATA);
}

// The cursor library serves SQLFetch from columns it binds in the driver.
TEST(CursorLibraryTest, BoundColumnsAreFetchedThroughTheCursorLibrary) {
    Environment environment;
    Connection connection(environment);
    ASSERT_EQ(managerLogin(connection, "Manager", "secret").rc, SQL_SUCCESS);
    // The driver's cursors only move forward; static ones are the cursor library's.
    SQLUINTEGER scrolling = 0;
    ASSERT_EQ(
        SQLGetInfo(connection.get(), SQL_SCROLL_OPTIONS, &scrolling, sizeof scrolling, nullptr),
        SQL_SUCCESS);
    EXPECT_NE(scrolling & SQL_SO_STATIC, 0u);

    {  // the statement goes before the disconnect, as the cursor library needs
        Statement statement(connection);
        ASSERT_EQ(SQLExecDirect(statement.get(), sql("SELECT Id, City FROM Customers ORDER BY Id"),
                                SQL_NTS),
                  SQL_SUCCESS)
            << firstState(SQL_HANDLE_STMT, statement.get());
        SQLINTEGER id = 0;
        char city[16] = {};
        SQLLEN idIndicator = 0;
        SQLLEN cityIndicator = 0;
        ASSERT_EQ(SQLBindCol(statement.get(), 1, SQL_C_SLONG, &id, 0, &idIndicator), SQL_SUCCESS);
        ASSERT_EQ(SQLBindCol(statement.get(), 2, SQL_C_CHAR, city, sizeof city, &cityIndicator),
                  SQL_SUCCESS);
        std::vector<std::string> fetched;
        while (SQLFetch(statement.get()) == SQL_SUCCESS) {
            fetched.push_back(std::to_string(id) + ":" +
                              (cityIndicator == SQL_NULL_DATA ? std::string("<NULL>") : city));
        }
        EXPECT_EQ(fetched, (std::vector<std::string>{"1:London", "2:<NULL>", "3:Paris"}));
    }
    EXPECT_EQ(SQLDisconnect(connection.get()), SQL_SUCCESS);
}

TEST_F(StatementTest, StatementErrorsCarryStateAndEngineNumber) {
    Statement statement(connection);
    ASSERT_EQ(SQLExecDirect(statement.get(), sql("SELECT * FROM NoSuchTable"), SQL_NTS), SQL_ERROR);
    const std::vector<Diagnostic> records = diagnostics(SQL_HANDLE_STMT, statement.get());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "42000");
    EXPECT_EQ(records[0].native, 3075);
    EXPECT_NE(records[0].message.find("NoSuchTable"), std::string::npos) << records[0].message;

    SQLINTEGER count = 0;
    ASSERT_EQ(
        SQLGetDiagField(SQL_HANDLE_STMT, statement.get(), 0, SQL_DIAG_NUMBER, &count, 0, nullptr),
        SQL_SUCCESS);
    EXPECT_EQ(count, 1);
    SQLCHAR state[6] = {};
    SQLSMALLINT length = 0;
    ASSERT_EQ(SQLGetDiagField(SQL_HANDLE_STMT, statement.get(), 1, SQL_DIAG_SQLSTATE, state,
                              sizeof state, &length),
              SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(state), "42000");
}

TEST_F(StatementTest, BadRequestsOnAResultAreRefused) {
    Statement statement(connection);
    ASSERT_EQ(SQLExecDirect(statement.get(), sql("SELECT Name, City FROM Customers WHERE Id = 1"),
                            SQL_NTS),
              SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(statement.get()), SQL_SUCCESS);
    char buffer[32];
    SQLLEN indicator = 0;
    SQLINTEGER number = 0;
    struct Case {
        SQLUSMALLINT column;
        SQLSMALLINT type;
        SQLPOINTER target;
        std::string state;
    };
    const std::vector<Case> cases{
        {3, SQL_C_CHAR, buffer, "07009"},       // no such column
        {1, SQL_C_TYPE_DATE, buffer, "HY003"},  // a C type the driver does not write
        {1, SQL_C_SLONG, &number, "22018"},     // "Ada Lovelace" is not a number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(
            SQLGetData(statement.get(), c.column, c.type, c.target, sizeof buffer, &indicator),
            SQL_ERROR);
        EXPECT_EQ(firstState(SQL_HANDLE_STMT, statement.get()), c.state);
    }
}

TEST_F(StatementTest, UpdateReportsTheRowsItChanged) {
    Statement statement(connection);
    ASSERT_EQ(SQLExecDirect(statement.get(), sql("UPDATE Customers SET City = City WHERE Id <= 2"),
                            SQL_NTS),
              SQL_SUCCESS);
    SQLSMALLINT columns = -1;
    EXPECT_EQ(SQLNumResultCols(statement.get(), &columns), SQL_SUCCESS);
    EXPECT_EQ(columns, 0);
    SQLLEN rowCount = 0;
    EXPECT_EQ(SQLRowCount(statement.get(), &rowCount), SQL_SUCCESS);
    EXPECT_EQ(rowCount, 2);
}

TEST_F(StatementTest, TablesListsTheSuiteTables) {
    Statement statement(connection);
    ASSERT_EQ(SQLTables(statement.get(), nullptr, 0, nullptr, 0, sql("cust%"), SQL_NTS, nullptr, 0),
              SQL_SUCCESS);
    std::vector<std::string> tables;
    while (SQLFetch(statement.get()) == SQL_SUCCESS) {
        tables.push_back(textOf(statement.get(), 3) + " " + textOf(statement.get(), 4));
    }
    EXPECT_EQ(tables, std::vector<std::string>{"Customers TABLE"});
}

}  // namespace
}  // namespace talveron::odbc::test
