#pragma once

// RAII wrappers over sqlite3 handles and the mapping of SQLite results to
// engine errors. Internal to the engine.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "talveron/engine/Error.h"

namespace talveron::engine::sqlite {

// The engine error for a failed SQLite call on `file`.
Error toError(int rc, sqlite3* db, const std::filesystem::path& file);
[[noreturn]] void raise(int rc, sqlite3* db, const std::filesystem::path& file);

class Statement;

class Connection {
public:
    Connection() = default;
    // Opens `file` with SQLite open flags, through the named VFS or the
    // default one; extended result codes are on.
    Connection(const std::filesystem::path& file, int flags, const char* vfs = nullptr);

    sqlite3* get() const noexcept { return m_db.get(); }
    explicit operator bool() const noexcept { return m_db != nullptr; }
    const std::filesystem::path& file() const noexcept { return m_file; }

    void exec(std::string_view sql) const;  // statements without rows
    Statement prepare(std::string_view sql) const;
    // The first column of the first row, as text; nullopt when there is no row.
    std::optional<std::string> queryText(std::string_view sql) const;
    std::int64_t queryInt(std::string_view sql) const;
    [[noreturn]] void raise(int rc) const { sqlite::raise(rc, get(), m_file); }
    void close() noexcept { m_db.reset(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Closer> m_db;
    std::filesystem::path m_file;
};

class Statement {
public:
    Statement(const Connection& connection, std::string_view sql);
    Statement(sqlite3* db, std::string_view sql, std::filesystem::path file);

    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    Statement& bindNull(int index);
    bool step();             // true while a row is available
    void run();              // steps to the end
    int tryStep() noexcept;  // one step, returning SQLite's result code
    void reset() noexcept;

    int columnCount() const noexcept;
    std::string columnName(int column) const;
    std::optional<std::string> columnText(int column) const;
    std::string text(int column) const;  // empty for NULL
    std::int64_t integer(int column) const;
    sqlite3* db() const noexcept { return m_db; }
    bool readOnly() const noexcept { return sqlite3_stmt_readonly(m_stmt.get()) != 0; }

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* stmt) const noexcept { sqlite3_finalize(stmt); }
    };
    sqlite3* m_db;
    std::filesystem::path m_file;
    std::unique_ptr<sqlite3_stmt, Finalizer> m_stmt;
};

// Runs `body` in a transaction begun with `begin` (for instance "BEGIN IMMEDIATE"),
// committing on return and rolling back on an exception.
template <typename Body>
void transaction(const Connection& connection, Body&& body,
                 std::string_view begin = "BEGIN IMMEDIATE") {
    connection.exec(begin);
    try {
        body();
        connection.exec("COMMIT");
    } catch (...) {
        sqlite3_exec(connection.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace talveron::engine::sqlite
