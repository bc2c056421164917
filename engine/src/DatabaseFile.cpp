#include "DatabaseFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "Files.h"

namespace talveron::engine::dbfile {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHeaderSize = 100;
constexpr std::size_t kApplicationIdOffset = 68;
constexpr char kSqliteMagic[] = "SQLite format 3";  // followed by a NUL in the file

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const noexcept { return m_fd; }

private:
    int m_fd;
};

std::string metaTableName() {
    return std::string(kMetaTable);
}

}  // namespace

std::optional<std::int32_t> applicationIdOf(const fs::path& file) {
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int err = errno;
        if (err == EACCES || err == EPERM) {
            throw Error(ErrorCode::NoPermission,
                        "You do not have permission to read " + files::quoted(file) + ".");
        }
        throw files::errnoError(err, file, "open");
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        throw files::errnoError(errno, file, "examine");
    }
    if (S_ISDIR(st.st_mode)) {
        throw Error(ErrorCode::InvalidPath, files::quoted(file) + " is a folder, not a file.");
    }
    std::array<unsigned char, kHeaderSize> header{};
    const ssize_t got = ::pread(fd.get(), header.data(), header.size(), 0);
    if (got < 0) {
        throw files::errnoError(errno, file, "read");
    }
    if (static_cast<std::size_t>(got) < header.size() ||
        std::memcmp(header.data(), kSqliteMagic, sizeof kSqliteMagic) != 0) {
        return std::nullopt;
    }
    const unsigned char* id = header.data() + kApplicationIdOffset;
    const std::uint32_t value = (std::uint32_t{id[0]} << 24) | (std::uint32_t{id[1]} << 16) |
                                (std::uint32_t{id[2]} << 8) | std::uint32_t{id[3]};
    return static_cast<std::int32_t>(value);
}

sqlite::Connection openDatabase(const fs::path& file, bool writable, const char* vfs) {
    const auto applicationId = applicationIdOf(file);
    if (!applicationId || *applicationId != kDatabaseApplicationId) {
        throw Error(ErrorCode::NotADatabase, "Unrecognized database format " + files::quoted(file) +
                                                 ": the file is not a database of this engine.");
    }
    if (writable && (::access(file.c_str(), W_OK) != 0 ||
                     ::access(files::folderOf(file).c_str(), W_OK | X_OK) != 0)) {
        throw Error(ErrorCode::ReadOnly, "Cannot open " + files::quoted(file) +
                                             " for writing; the file or its folder is read-only.");
    }
    sqlite::Connection db(file, writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, vfs);
    if (writable && sqlite3_db_readonly(db.get(), "main") == 1) {
        throw Error(ErrorCode::ReadOnly,
                    "Cannot open " + files::quoted(file) + " for writing; the file is read-only.");
    }
    sqlite3_busy_timeout(db.get(), 5000);
    sqlite::Statement hasMeta(
        db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?1");
    hasMeta.bind(1, kMetaTable);
    if (!hasMeta.step() || hasMeta.integer(0) != 1 || readMeta(db, kKeyFormat).empty()) {
        throw Error(ErrorCode::NotADatabase, "Unrecognized database format " + files::quoted(file) +
                                                 ": the engine's metadata is missing.");
    }
    return db;
}

std::string readMeta(const sqlite::Connection& db, std::string_view key) {
    sqlite::Statement select(db, "SELECT value FROM \"" + metaTableName() + "\" WHERE key = ?1");
    select.bind(1, key);
    return select.step() ? select.text(0) : std::string();
}

void writeMeta(const sqlite::Connection& db, std::string_view key, std::string_view value) {
    sqlite::Statement upsert(db, "INSERT INTO \"" + metaTableName() +
                                     "\" (key, value) VALUES (?1, ?2) "
                                     "ON CONFLICT (key) DO UPDATE SET value = excluded.value");
    upsert.bind(1, key).bind(2, value).run();
}

void createSchema(const sqlite::Connection& db, std::string_view workgroupId,
                  std::string_view owner, std::string_view locale) {
    sqlite::transaction(db, [&] {
        db.exec("PRAGMA application_id = " + std::to_string(kDatabaseApplicationId));
        db.exec("CREATE TABLE \"" + metaTableName() +
                "\" (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID");
        writeMeta(db, kKeyFormat, kFormatVersion);
        writeMeta(db, kKeyWorkgroupId, workgroupId);
        writeMeta(db, kKeyOwner, owner);
        writeMeta(db, kKeyLocale, locale);
    });
}

}  // namespace talveron::engine::dbfile
