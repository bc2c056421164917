#include "Sqlite.h"

#include <cerrno>
#include <cstring>

#include "Files.h"

namespace talveron::engine::sqlite {

Error toError(int rc, sqlite3* db, const std::filesystem::path& file) {
    const std::string detail = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const int sysErrno = db != nullptr ? sqlite3_system_errno(db) : 0;
    const std::string name = files::quoted(file);
    switch (rc & 0xff) {
        case SQLITE_READONLY:
            return Error(ErrorCode::ReadOnly,
                         "Cannot update " + name + "; the file or its folder is read-only.");
        case SQLITE_FULL:
            return Error(ErrorCode::DiskFull,
                         "Not enough space on the disk to write " + name + ".");
        case SQLITE_IOERR:
            if (sysErrno == ENOSPC || sysErrno == EDQUOT || sysErrno == EFBIG) {
                return Error(ErrorCode::DiskFull,
                             "Not enough space on the disk to write " + name + ".");
            }
            if (sysErrno == EROFS || sysErrno == EACCES || sysErrno == EPERM) {
                return Error(ErrorCode::ReadOnly,
                             "Cannot update " + name + "; the file or its folder is read-only.");
            }
            return Error(
                ErrorCode::IoError,
                "Disk or system error on " + name + ": " + detail +
                    (sysErrno ? std::string(" (") + std::strerror(sysErrno) + ")" : std::string()));
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return Error(ErrorCode::CorruptDatabase,
                         "The database " + name + " is damaged (" + detail + ").");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Error(ErrorCode::InUse,
                         "Could not use " + name + "; the file is locked by another process.");
        case SQLITE_CANTOPEN:
            if (sysErrno == ENOENT) {
                return Error(ErrorCode::FileNotFound, "Could not find the file " + name + ".");
            }
            if (sysErrno == EACCES || sysErrno == EPERM || sysErrno == EROFS) {
                return Error(
                    ErrorCode::ReadOnly,
                    "Cannot open " + name + " for writing; it or its folder is read-only.");
            }
            return Error(ErrorCode::IoError, "Cannot open " + name + ": " + detail + ".");
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return Error(ErrorCode::NoPermission,
                         "Not permitted on " + name + " (" + detail + ").");
        case SQLITE_CONSTRAINT:
            if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY ||
                rc == SQLITE_CONSTRAINT_ROWID) {
                return Error(ErrorCode::DuplicateValue,
                             "The change would create duplicate values (" + detail + ").");
            }
            return Error(ErrorCode::ConstraintViolation,
                         "The change breaks a constraint (" + detail + ").");
        case SQLITE_INTERRUPT:
            return Error(ErrorCode::Cancelled, "The operation on " + name + " was cancelled.");
        case SQLITE_ERROR:
        case SQLITE_MISMATCH:
        case SQLITE_RANGE:
        case SQLITE_TOOBIG:
        case SQLITE_SCHEMA:
            return Error(ErrorCode::SqlError, detail);
        default:
            return Error(ErrorCode::IoError, "Error on " + name + ": " + detail + ".");
    }
}

void raise(int rc, sqlite3* db, const std::filesystem::path& file) {
    throw toError(rc, db, file);
}

Connection::Connection(const std::filesystem::path& file, int flags, const char* vfs)
    : m_file(file) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags | SQLITE_OPEN_EXRESCODE, vfs);
    m_db.reset(db);
    if (rc != SQLITE_OK) {
        raise(rc);
    }
}

void Connection::exec(std::string_view sql) const {
    const std::string text(sql);
    const int rc = sqlite3_exec(get(), text.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        raise(rc);
    }
}

Statement Connection::prepare(std::string_view sql) const {
    return Statement(*this, sql);
}

std::optional<std::string> Connection::queryText(std::string_view sql) const {
    Statement statement(*this, sql);
    if (!statement.step()) {
        return std::nullopt;
    }
    return statement.columnText(0);
}

std::int64_t Connection::queryInt(std::string_view sql) const {
    Statement statement(*this, sql);
    return statement.step() ? statement.integer(0) : 0;
}

Statement::Statement(const Connection& connection, std::string_view sql)
    : Statement(connection.get(), sql, connection.file()) {}

Statement::Statement(sqlite3* db, std::string_view sql, std::filesystem::path file)
    : m_db(db), m_file(std::move(file)) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    m_stmt.reset(stmt);
    if (rc != SQLITE_OK) {
        raise(rc, db, m_file);
    }
    if (stmt == nullptr) {
        throw Error(ErrorCode::SqlError, "The SQL text holds no statement.");
    }
}

Statement& Statement::bind(int index, std::string_view text) {
    const int rc = sqlite3_bind_text(m_stmt.get(), index, text.data(),
                                     static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        raise(rc, m_db, m_file);
    }
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(m_stmt.get(), index, value);
    if (rc != SQLITE_OK) {
        raise(rc, m_db, m_file);
    }
    return *this;
}

Statement& Statement::bindNull(int index) {
    const int rc = sqlite3_bind_null(m_stmt.get(), index);
    if (rc != SQLITE_OK) {
        raise(rc, m_db, m_file);
    }
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt.get());
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    const Error error = toError(rc, m_db, m_file);
    sqlite3_reset(m_stmt.get());
    throw error;
}

int Statement::tryStep() noexcept {
    return sqlite3_step(m_stmt.get());
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() noexcept {
    sqlite3_reset(m_stmt.get());
    sqlite3_clear_bindings(m_stmt.get());
}

int Statement::columnCount() const noexcept {
    return sqlite3_column_count(m_stmt.get());
}

std::string Statement::columnName(int column) const {
    const char* name = sqlite3_column_name(m_stmt.get(), column);
    return name != nullptr ? name : "";
}

std::optional<std::string> Statement::columnText(int column) const {
    const unsigned char* text = sqlite3_column_text(m_stmt.get(), column);
    if (text == nullptr) {
        return std::nullopt;
    }
    const int size = sqlite3_column_bytes(m_stmt.get(), column);
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
}

std::string Statement::text(int column) const {
    return columnText(column).value_or("");
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(m_stmt.get(), column);
}

}  // namespace talveron::engine::sqlite
