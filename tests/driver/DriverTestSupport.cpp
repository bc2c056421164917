#include "DriverTestSupport.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

#include "talveron/engine/Database.h"
#include "talveron/engine/Workgroup.h"

extern char** environ;

namespace talveron::odbc::test {

namespace {

namespace engine = talveron::engine;

TestFiles& files() {
    static TestFiles instance;
    return instance;
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string section(const std::string& name, const std::vector<std::string>& lines) {
    std::string text = "[" + name + "]\nDriver = " + kDriverName + "\n";
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text + "\n";
}

void createDatabase(const TestFiles& f) {
    engine::Workgroup workgroup = engine::Workgroup::create(f.workgroup, "Driver tests",
                                                            engine::HashCost::MinimalForTestsOnly);
    const engine::Account admin = workgroup.authenticate("Admin", "");
    workgroup.addUser(admin, "Manager", kManagerPassword);
    workgroup.addUser(admin, "Semi", kSemiPassword);
    engine::Database::create(f.database, workgroup, admin);
    engine::Workgroup::create(f.foreignWorkgroup, "Elsewhere",
                              engine::HashCost::MinimalForTestsOnly);

    engine::Database database = engine::Database::open(f.database, {f.workgroup, "Admin", ""});
    database.execute(
        "CREATE TABLE Customers (Id INTEGER PRIMARY KEY, Name TEXT, City TEXT);"
        "INSERT INTO Customers VALUES (1, 'Ada Lovelace', 'London');"
        "INSERT INTO Customers VALUES (2, 'Grace Hopper', NULL);"
        "INSERT INTO Customers VALUES (3, '" +
        std::string(kLongNameLength, 'x') + "', 'Paris');");
}

void writeOdbcFiles(const TestFiles& f) {
    const fs::path system = f.folder / "system";
    const fs::path user = f.folder / "user";
    fs::create_directories(system);
    fs::create_directories(user);
    writeFile(f.odbcinstIni, std::string("[") + kDriverName +
                                 "]\nDescription = TALVERON database driver\nDriver = " +
                                 TALVERON_ODBC_DRIVER_PATH + "\n");
    const std::string dbq = "DBQ = " + f.database.string();
    const std::string systemDb = "SystemDB = " + f.workgroup.string();
    writeFile(
        system / "odbc.ini",
        section(kMainDsn, {dbq, systemDb}) + section(kNoDatabaseDsn, {systemDb}) +
            section(kNoWorkgroupDsn, {dbq}) +
            section(kMissingFileDsn, {"DBQ = " + (f.folder / "missing.mdb").string(), systemDb}) +
            section(kForeignDsn, {dbq, "SystemDB = " + f.foreignWorkgroup.string()}));
    // Keywords in the files match without regard to case too.
    writeFile(user / "odbc.ini",
              section(kUserDsn, {"dbq = " + f.database.string(), "SYSTEMDB=" + f.workgroup.string(),
                                 "Uid = Manager", std::string("pwd = ") + kManagerPassword}));
    ::setenv("ODBCSYSINI", system.c_str(), 1);
    ::setenv("ODBCINI", (user / "odbc.ini").c_str(), 1);
}

// Makes the files once per test process and removes them at its end.
class DriverTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        TestFiles& f = files();
        std::string pattern = (fs::temp_directory_path() / "talveron-driver-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        f.folder = pattern;
        f.workgroup = f.folder / "system.mdw";
        f.database = f.folder / "suite.mdb";
        f.foreignWorkgroup = f.folder / "foreign.mdw";
        f.odbcinstIni = f.folder / "system" / "odbcinst.ini";
        createDatabase(f);
        writeOdbcFiles(f);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(files().folder, ignored);
    }
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new DriverTestEnvironment);

}  // namespace

const TestFiles& testFiles() {
    return files();
}

Environment::Environment() {
    if (SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_handle) != SQL_SUCCESS ||
        SQLSetEnvAttr(m_handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                      0) != SQL_SUCCESS) {
        throw std::runtime_error("cannot allocate an ODBC environment");
    }
}

Environment::~Environment() {
    SQLFreeHandle(SQL_HANDLE_ENV, m_handle);
}

Connection::Connection(const Environment& environment) {
    if (SQLAllocHandle(SQL_HANDLE_DBC, environment.get(), &m_handle) != SQL_SUCCESS) {
        throw std::runtime_error("cannot allocate an ODBC connection");
    }
}

Connection::~Connection() {
    SQLDisconnect(m_handle);
    SQLFreeHandle(SQL_HANDLE_DBC, m_handle);
}

Statement::Statement(const Connection& connection) {
    if (SQLAllocHandle(SQL_HANDLE_STMT, connection.get(), &m_handle) != SQL_SUCCESS) {
        throw std::runtime_error("cannot allocate an ODBC statement");
    }
}

Statement::~Statement() {
    SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
}

std::vector<Diagnostic> diagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<Diagnostic> records;
    for (SQLSMALLINT number = 1;; ++number) {
        SQLCHAR state[6] = {};
        SQLCHAR message[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, number, state, &native, message,
                                         sizeof message, &length))) {
            return records;
        }
        records.push_back(
            Diagnostic{reinterpret_cast<char*>(state), native, reinterpret_cast<char*>(message)});
    }
}

std::string firstState(SQLSMALLINT handleType, SQLHANDLE handle) {
    const auto records = diagnostics(handleType, handle);
    return records.empty() ? std::string() : records.front().state;
}

ConnectResult driverConnect(const Connection& connection, std::string_view connectString,
                            SQLSMALLINT bufferSize, SQLUSMALLINT completion) {
    ConnectResult result;
    std::string input(connectString);
    std::vector<SQLCHAR> buffer(static_cast<std::size_t>(bufferSize) + 1, '#');
    result.rc = SQLDriverConnect(
        connection.get(), nullptr, reinterpret_cast<SQLCHAR*>(input.data()), SQL_NTS,
        bufferSize > 0 ? buffer.data() : nullptr, bufferSize, &result.length, completion);
    if (bufferSize > 0 && SQL_SUCCEEDED(result.rc)) {
        result.completed = reinterpret_cast<const char*>(buffer.data());
    }
    return result;
}

ConnectResult managerLogin(const Connection& connection, std::string_view user,
                           std::string_view password) {
    if (SQLSetConnectAttr(connection.get(), SQL_ATTR_ODBC_CURSORS,
                          reinterpret_cast<SQLPOINTER>(SQL_CUR_USE_ODBC),
                          SQL_IS_INTEGER) != SQL_SUCCESS) {
        throw std::runtime_error("cannot request the cursor library");
    }
    return driverConnect(connection, loginString(user, password));
}

std::string loginString(std::string_view user, std::string_view password,
                        std::string_view dataSource) {
    return "UID=" + std::string(user) + ";PWD=" + std::string(password) +
           ";DSN=" + std::string(dataSource);
}

std::string completedFor(std::string_view dataSource, std::string_view storedUser,
                         std::string_view password) {
    return "DSN=" + std::string(dataSource) + ";DBQ=" + testFiles().database.string() +
           ";SystemDB=" + testFiles().workgroup.string() + ";UID=" + std::string(storedUser) +
           ";PWD=" + std::string(password) + ";";
}

std::string textOf(SQLHSTMT statement, SQLUSMALLINT column) {
    std::string text;
    char buffer[64];
    SQLLEN indicator = 0;
    while (true) {
        const SQLRETURN rc =
            SQLGetData(statement, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) {
            return text;
        }
        if (!SQL_SUCCEEDED(rc)) {
            throw std::runtime_error("SQLGetData failed: " +
                                     firstState(SQL_HANDLE_STMT, statement));
        }
        if (indicator == SQL_NULL_DATA) {
            return "<NULL>";
        }
        text += buffer;
        if (rc == SQL_SUCCESS) {
            return text;
        }
    }
}

ProcessResult runProcess(const std::vector<std::string>& arguments, const std::string& input,
                         const std::vector<std::string>& environment) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        variables[text.substr(0, text.find('='))] = text;
    }
    for (const std::string& text : environment) {
        variables[text.substr(0, text.find('='))] = text;
    }
    std::vector<char*> envp;
    for (auto& [name, text] : variables) {
        envp.push_back(text.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (std::string& argument : args) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    int toChild[2];
    int fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) {
        throw std::runtime_error("cannot make pipes");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, toChild[1]);
    posix_spawn_file_actions_addclose(&actions, fromChild[0]);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (spawned != 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        throw std::runtime_error("cannot start " + arguments.front());
    }
    (void)!::write(toChild[1], input.data(), input.size());
    ::close(toChild[1]);

    ProcessResult result;
    char chunk[4096];
    for (ssize_t got; (got = ::read(fromChild[0], chunk, sizeof chunk)) > 0;) {
        result.output.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fromChild[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace talveron::odbc::test
