#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "talveron/engine/Compaction.h"
#include "talveron/engine/Database.h"
#include "talveron/engine/Error.h"
#include "talveron/engine/Workgroup.h"

namespace talveron::engine {
void PrintTo(ErrorCode code, std::ostream* os);
}

namespace talveron::engine::test {

namespace fs = std::filesystem;

// A temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const fs::path& path() const noexcept { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }
    // The names of the entries, sorted.
    std::vector<std::string> entries(const fs::path& sub = {}) const;

private:
    fs::path m_path;
};

// The code of the engine error that `action` throws; nullopt when it throws none.
std::optional<ErrorCode> errorOf(const std::function<void()>& action);
// Same, also returning the description in `description`.
std::optional<ErrorCode> errorOf(const std::function<void()>& action, std::string& description);

// Runs `action` in a forked child and returns the engine error code it threw,
// 0 when it returned normally, -1 for any other exception. With `unprivileged`
// a child running as root first becomes "nobody", so that permission bits
// apply to it.
int inChild(const std::function<void()>& action, bool unprivileged = false);

// A forked child running `action` (see inChild) while the parent goes on.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<void()>& action, bool unprivileged = false);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
    // Waits for the child; its result as inChild returns it.
    int result();

private:
    int m_pid = -1;
    int m_fromChild = -1;
    int m_result = -2;
};

// True when the current process cannot bypass file permissions.
bool permissionsApply();

// A workgroup at the lowest hash cost, a database owned by Admin, and the
// credentials to open it.
struct Suite {
    explicit Suite(const TempFolder& folder, const std::string& database = "suite.mdb");
    Credentials as(const std::string& user, const std::string& password = "") const;
    Account admin() const;

    fs::path workgroupPath;
    fs::path databasePath;
    Workgroup workgroup;
};

// Writes rows to two tables with indexes, then deletes and resizes some, so
// that the file has free pages. Returns nothing; the content is what tests compare.
void fillFragmented(Database& database, int rows);

// Every row of every table of the database, as text, table by table.
std::vector<std::string> dumpTables(Database& database);

std::string readFile(const fs::path& file);

// A child process that opens a database and keeps it open until released;
// `unprivileged` as for inChild.
class ChildSession {
public:
    ChildSession(const fs::path& database, const Credentials& credentials, OpenOptions options,
                 bool unprivileged = false);
    ChildSession(const ChildSession&) = delete;
    ChildSession& operator=(const ChildSession&) = delete;
    ~ChildSession();
    int pid() const noexcept { return m_pid; }
    // The child's result of opening: 0 when the session is open, -3 when it
    // could not give up root's privileges.
    int openResult() const noexcept { return m_openResult; }
    // Ends the child; with `crash` it exits without closing its session.
    void finish(bool crash = false);

private:
    int m_pid = -1;
    int m_toChild = -1;
    int m_fromChild = -1;
    int m_openResult = -1;
};

}  // namespace talveron::engine::test
