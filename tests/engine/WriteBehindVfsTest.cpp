#include <sqlite3.h>

#include "EngineTestSupport.h"
#include "WriteBehindVfs.h"

namespace talveron::engine::test {
namespace {

std::string queryText(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr), SQLITE_OK) << sql;
    std::string text;
    if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0) != nullptr) {
        text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    sqlite3_finalize(stmt);
    return text;
}

// With a cache of a few pages SQLite keeps reading back pages it wrote a
// moment ago, many of them still queued: it must always get what it wrote.
TEST(WriteBehindVfsTest, PagesReadBackAreThoseWritten) {
    TempFolder folder;
    const fs::path file = folder / "behind.db";
    std::ofstream{file};
    {
        const writebehind::Target target(file);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, writebehind::vfsName()),
                  SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "PRAGMA cache_size = 5;"
                               "CREATE TABLE t (k INTEGER PRIMARY KEY, v BLOB);"
                               "CREATE INDEX t_v ON t (v);"
                               "BEGIN;"
                               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                               "  WHERE i < 20000)"
                               " INSERT INTO t SELECT (i * 7919) % 1000003, randomblob(40 + i % 90)"
                               " FROM n;"
                               "COMMIT;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(db);
        EXPECT_EQ(queryText(db, "SELECT count(*) FROM t"), "20000");
        sqlite3_close(db);
        EXPECT_EQ(target.error(), SQLITE_OK);
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(queryText(db, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(queryText(db, "SELECT count(*) FROM t"), "20000");
    sqlite3_close(db);
}

}  // namespace
}  // namespace talveron::engine::test
