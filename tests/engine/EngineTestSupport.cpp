#include "EngineTestSupport.h"

#include <dirent.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace talveron::engine {
void PrintTo(ErrorCode code, std::ostream* os) {
    *os << "ErrorCode " << static_cast<int>(code);
}
}  // namespace talveron::engine

namespace talveron::engine::test {

namespace {

constexpr int kCannotDropPrivileges = -3;
constexpr uid_t kNobody = 65534;

// Closes every descriptor the child inherited except the standard ones and
// `keep`: the parent's lock files and database connections stay the parent's.
void closeInherited(std::initializer_list<int> keep) {
    std::vector<int> fds;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(dir)) {
            const int fd = std::atoi(entry->d_name);
            if (fd > 2 && fd != ::dirfd(dir) &&
                std::find(keep.begin(), keep.end(), fd) == keep.end()) {
                fds.push_back(fd);
            }
        }
        ::closedir(dir);
    }
    for (const int fd : fds) {
        ::close(fd);
    }
}

// Makes a child running as root "nobody"; false when that fails.
bool becomeUnprivileged() {
    return ::geteuid() != 0 ||
           (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
}

int codeOf(const std::function<void()>& action) {
    try {
        action();
        return 0;
    } catch (const Error& error) {
        return error.number();
    } catch (...) {
        return -1;
    }
}

void writeInt(int fd, int value) {
    (void)!::write(fd, &value, sizeof value);
}

int readInt(int fd, int fallback) {
    int value = fallback;
    return ::read(fd, &value, sizeof value) == sizeof value ? value : fallback;
}

}  // namespace

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "engine-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_path = pattern;
    // Traversable by the unprivileged child of tests that run as root.
    fs::permissions(m_path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(m_path, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }
    fs::remove_all(m_path, ignored);
}

std::vector<std::string> TempFolder::entries(const fs::path& sub) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path / sub)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<ErrorCode> errorOf(const std::function<void()>& action) {
    std::string ignored;
    return errorOf(action, ignored);
}

std::optional<ErrorCode> errorOf(const std::function<void()>& action, std::string& description) {
    try {
        action();
    } catch (const Error& error) {
        description = error.description();
        return error.code();
    }
    return std::nullopt;
}

ChildProcess::ChildProcess(const std::function<void()>& action, bool unprivileged) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(pipeFds[0]);
        closeInherited({pipeFds[1]});
        if (unprivileged && !becomeUnprivileged()) {
            writeInt(pipeFds[1], kCannotDropPrivileges);
            ::_exit(0);
        }
        writeInt(pipeFds[1], codeOf(action));
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    m_fromChild = pipeFds[0];
}

ChildProcess::~ChildProcess() {
    result();
}

int ChildProcess::result() {
    if (m_pid > 0) {
        m_result = readInt(m_fromChild, -2);
        ::close(m_fromChild);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
    return m_result;
}

int inChild(const std::function<void()>& action, bool unprivileged) {
    return ChildProcess(action, unprivileged).result();
}

bool permissionsApply() {
    return ::geteuid() != 0;
}

Suite::Suite(const TempFolder& folder, const std::string& database)
    : workgroupPath(folder / "system.mdw"),
      databasePath(folder / database),
      workgroup(Workgroup::create(workgroupPath, "Test Workgroup", HashCost::MinimalForTestsOnly)) {
    Database::create(databasePath, workgroup, admin());
}

Credentials Suite::as(const std::string& user, const std::string& password) const {
    return Credentials{workgroupPath, user, password};
}

Account Suite::admin() const {
    return workgroup.authenticate("Admin", "");
}

void fillFragmented(Database& database, int rows) {
    const std::string count = std::to_string(rows);
    database.execute(
        "CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT NOT NULL, city TEXT, note BLOB);"
        "CREATE INDEX customers_by_name ON customers (name);"
        "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer INTEGER, amount REAL, memo TEXT);"
        "CREATE INDEX orders_by_customer ON orders (customer, amount);"
        "BEGIN;"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        count +
        ")"
        " INSERT INTO customers SELECT i, printf('name-%08d', (i * 7919) % " +
        count +
        "),"
        " printf('city %d', i % 97), randomblob(100 + i % 300) FROM n;"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        count +
        ")"
        " INSERT INTO orders SELECT i, (i * 31) % " +
        count +
        ", (i % 1000) / 7.0,"
        " printf('%.*c', 50 + i % 150, 'x') FROM n;"
        "DELETE FROM customers WHERE id % 5 IN (1, 3);"
        "DELETE FROM orders WHERE id % 5 IN (0, 2);"
        "UPDATE customers SET note = randomblob(20) WHERE id % 7 = 0;"
        "UPDATE orders SET memo = memo || memo WHERE id % 11 = 0;"
        "COMMIT;");
}

std::vector<std::string> dumpTables(Database& database) {
    std::vector<std::string> rows;
    for (const auto& table : database.tables()) {
        rows.push_back("table " + table);
        auto select = database.prepare("SELECT * FROM \"" + table + "\" ORDER BY rowid");
        while (select.step()) {
            std::string row;
            for (int column = 0; column < select.columnCount(); ++column) {
                row += select.columnText(column).value_or("<null>") + "|";
            }
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

ChildSession::ChildSession(const fs::path& database, const Credentials& credentials,
                           OpenOptions options, bool unprivileged) {
    int toChild[2];
    int fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) {
        throw std::runtime_error("pipe failed");
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        closeInherited({toChild[0], fromChild[1]});
        std::optional<Database> session;
        writeInt(fromChild[1], !unprivileged || becomeUnprivileged() ? codeOf([&] {
                     session.emplace(Database::open(database, credentials, options));
                 })
                                                                     : kCannotDropPrivileges);
        char command = 0;
        (void)!::read(toChild[0], &command, 1);
        if (command != 'x') {
            session.reset();
        }
        ::_exit(0);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    m_toChild = toChild[1];
    m_fromChild = fromChild[0];
    m_openResult = readInt(m_fromChild, -2);
}

ChildSession::~ChildSession() {
    finish();
}

void ChildSession::finish(bool crash) {
    if (m_pid <= 0) {
        return;
    }
    const char command = crash ? 'x' : 'c';
    (void)!::write(m_toChild, &command, 1);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    ::close(m_toChild);
    ::close(m_fromChild);
    m_pid = -1;
}

}  // namespace talveron::engine::test
