#pragma once

#include <sql.h>
#include <sqlext.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace talveron::odbc::test {

namespace fs = std::filesystem;

// Data sources written once per test process, before the first ODBC call
// (the driver manager keeps what it read of the ini files).
inline constexpr const char* kMainDsn = "TALVERON Main";  // system: DBQ and SystemDB
inline constexpr const char* kUserDsn = "talveron_user";  // user: also UID and PWD of Manager
inline constexpr const char* kNoDatabaseDsn = "TALVERON NoDbq";
inline constexpr const char* kNoWorkgroupDsn = "TALVERON NoSystemDb";
inline constexpr const char* kMissingFileDsn = "TALVERON Missing";
inline constexpr const char* kForeignDsn = "TALVERON Foreign";  // another workgroup
inline constexpr const char* kDriverName = "TALVERON";

// Accounts of the workgroup: Admin (empty password), Manager and Semi.
inline constexpr const char* kManagerPassword = "secret";
inline constexpr const char* kSemiPassword = "se;mi}colon";

// The files behind the data sources. The database holds the table Customers
// (Id, Name, City) with three rows: (1, "Ada Lovelace", "London"),
// (2, "Grace Hopper", NULL) and (3, a name of kLongNameLength "x", "Paris").
struct TestFiles {
    fs::path folder;
    fs::path workgroup;
    fs::path database;
    fs::path foreignWorkgroup;
    fs::path odbcinstIni;  // $ODBCSYSINI/odbcinst.ini
};
inline constexpr std::size_t kLongNameLength = 600;

const TestFiles& testFiles();

// ODBC handles from the driver manager, freed on destruction.
class Environment {
public:
    Environment();
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    SQLHENV get() const noexcept { return m_handle; }

private:
    SQLHENV m_handle = SQL_NULL_HENV;
};

class Connection {
public:
    explicit Connection(const Environment& environment);
    ~Connection();  // disconnects when connected
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    SQLHDBC get() const noexcept { return m_handle; }

private:
    SQLHDBC m_handle = SQL_NULL_HDBC;
};

class Statement {
public:
    explicit Statement(const Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    SQLHSTMT get() const noexcept { return m_handle; }

private:
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

struct Diagnostic {
    std::string state;
    SQLINTEGER native = 0;
    std::string message;
};

// The diagnostic records of a handle, read with SQLGetDiagRec.
std::vector<Diagnostic> diagnostics(SQLSMALLINT handleType, SQLHANDLE handle);
// The first record's SQLSTATE, or "" when there is none.
std::string firstState(SQLSMALLINT handleType, SQLHANDLE handle);

struct ConnectResult {
    SQLRETURN rc = SQL_ERROR;
    std::string completed;  // what the driver wrote into the buffer
    SQLSMALLINT length = -1;
};

// SQLDriverConnect through the driver manager with an output buffer of
// `bufferSize` bytes (none when 0).
ConnectResult driverConnect(const Connection& connection, std::string_view connectString,
                            SQLSMALLINT bufferSize = 1024,
                            SQLUSMALLINT completion = SQL_DRIVER_COMPLETE);

// The manager's login: the cursor library requested, then SQLDriverConnect
// with completion and loginString(user, password).
ConnectResult managerLogin(const Connection& connection, std::string_view user,
                           std::string_view password);

// The connect string the manager sends for a login.
std::string loginString(std::string_view user, std::string_view password,
                        std::string_view dataSource = kMainDsn);

// The completed connect string expected for the main data source.
std::string completedFor(std::string_view dataSource, std::string_view storedUser,
                         std::string_view password);

// A column of the current row as text; "<NULL>" for NULL.
std::string textOf(SQLHSTMT statement, SQLUSMALLINT column);

struct ProcessResult {
    int exitCode = -1;
    std::string output;  // standard output and error
};

// Runs a program with `input` on its standard input; `environment` adds
// NAME=value entries to the test's own.
ProcessResult runProcess(const std::vector<std::string>& arguments, const std::string& input,
                         const std::vector<std::string>& environment);

}  // namespace talveron::odbc::test
