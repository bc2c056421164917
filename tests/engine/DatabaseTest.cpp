#include <sqlite3.h>
#include <sys/stat.h>

#include "EngineTestSupport.h"

namespace talveron::engine::test {
namespace {

using Names = std::vector<std::string>;

class DatabaseTest : public ::testing::Test {
protected:
    TempFolder folder;
    Suite suite{folder};
};

// Writes a plain SQLite file, optionally with the engine's application_id.
void writeSqliteFile(const fs::path& file, const char* pragmas) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, pragmas, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

TEST_F(DatabaseTest, SessionKnowsItsAccountOwnerAndWorkgroup) {
    Database db = Database::open(suite.databasePath, suite.as("admin"));
    EXPECT_EQ(db.user(), "Admin");
    EXPECT_EQ(db.owner(), "Admin");
    EXPECT_EQ(db.workgroupId(), suite.workgroup.id());
    EXPECT_FALSE(db.readOnly());
    EXPECT_FALSE(db.exclusive());
    EXPECT_EQ(db.tables(), Names{});
    EXPECT_EQ(recordedLocale(db).toString(), ";LANGID=0x0409;CP=1252;COUNTRY=0");

    db.execute("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT UNIQUE, age INTEGER)");
    auto insert = db.prepare("INSERT INTO people (name, age) VALUES (?1, ?2)");
    insert.bind(1, "Ann");
    insert.bind(2, std::int64_t{41});
    EXPECT_FALSE(insert.step());
    EXPECT_EQ(insert.changes(), 1);
    db.execute("INSERT INTO people (name) VALUES ('Bob')");

    auto select = db.prepare("SELECT name, age FROM people ORDER BY id");
    EXPECT_EQ(select.columnCount(), 2);
    EXPECT_EQ(select.columnName(1), "age");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.columnText(0), "Ann");
    EXPECT_EQ(select.columnText(1), "41");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.columnText(1), std::nullopt);
    EXPECT_FALSE(select.step());
    EXPECT_EQ(select.changes(), 0);
    EXPECT_EQ(db.tables(), Names{"people"}) << "the engine's own table stays hidden";
}

TEST_F(DatabaseTest, SqlErrorsCarryTheirOwnCodes) {
    Database db = Database::open(suite.databasePath, suite.as("Admin"));
    db.execute("CREATE TABLE t (k TEXT PRIMARY KEY, v INTEGER NOT NULL)");
    db.execute("INSERT INTO t VALUES ('a', 1)");
    EXPECT_EQ(errorOf([&] { db.execute("SELEC 1"); }), ErrorCode::SqlError);
    EXPECT_EQ(errorOf([&] { db.prepare("SELECT * FROM nowhere"); }), ErrorCode::SqlError);
    EXPECT_EQ(errorOf([&] { db.execute("INSERT INTO t VALUES ('a', 2)"); }),
              ErrorCode::DuplicateValue);
    EXPECT_EQ(errorOf([&] { db.execute("INSERT INTO t VALUES ('b', NULL)"); }),
              ErrorCode::ConstraintViolation);
}

TEST_F(DatabaseTest, SessionsCannotTouchWhatTheEngineReliesOn) {
    Database db = Database::open(suite.databasePath, suite.as("Admin"));
    std::ofstream(folder / "other.db") << "";
    const std::string attach = "ATTACH '" + (folder / "other.db").string() + "' AS other";
    for (const std::string& sql : {std::string("DELETE FROM __talveron_meta"),
                                   std::string("UPDATE __TALVERON_META SET value = 'x'"),
                                   std::string("INSERT INTO __talveron_meta VALUES ('k', 'v')"),
                                   std::string("DROP TABLE __talveron_meta"),
                                   std::string("ALTER TABLE __talveron_meta RENAME TO m"),
                                   std::string("PRAGMA application_id = 7"),
                                   std::string("PRAGMA journal_mode = WAL"), attach}) {
        EXPECT_EQ(errorOf([&] { db.execute(sql); }), ErrorCode::NoPermission) << sql;
    }
    EXPECT_EQ(db.workgroupId(), suite.workgroup.id());
    Database again = Database::open(suite.databasePath, suite.as("Admin"));
    EXPECT_EQ(again.owner(), "Admin");
}

TEST_F(DatabaseTest, OpenRefusesEachFaultWithItsOwnError) {
    std::ofstream(folder / "text.mdb") << "just some text that is long enough to fill a header "
                                          "of one hundred bytes, which a database file has.....";
    std::ofstream(folder / "empty.mdb") << "";
    writeSqliteFile(folder / "plain.mdb", "CREATE TABLE t (x)");
    writeSqliteFile(folder / "nometa.mdb",
                    "PRAGMA application_id = 1414939714; CREATE TABLE t (x)");
    fs::create_directory(folder / "folder.mdb");
    const Workgroup foreign =
        Workgroup::create(folder / "foreign.mdw", "Other", HashCost::MinimalForTestsOnly);

    struct Case {
        const char* what;
        fs::path database;
        Credentials credentials;
        ErrorCode expected;
        const char* named;
    };
    const Case cases[] = {
        {"missing file", folder / "missing.mdb", suite.as("Admin"), ErrorCode::FileNotFound,
         "missing.mdb"},
        {"missing folder", folder / "nowhere" / "x.mdb", suite.as("Admin"), ErrorCode::FileNotFound,
         "x.mdb"},
        {"folder", folder / "folder.mdb", suite.as("Admin"), ErrorCode::InvalidPath, "folder.mdb"},
        {"text file", folder / "text.mdb", suite.as("Admin"), ErrorCode::NotADatabase, "text.mdb"},
        {"empty file", folder / "empty.mdb", suite.as("Admin"), ErrorCode::NotADatabase,
         "empty.mdb"},
        {"foreign SQLite file", folder / "plain.mdb", suite.as("Admin"), ErrorCode::NotADatabase,
         "plain.mdb"},
        {"no metadata", folder / "nometa.mdb", suite.as("Admin"), ErrorCode::NotADatabase,
         "nometa.mdb"},
        {"wrong password", suite.databasePath, suite.as("Admin", "x"), ErrorCode::BadLogin, ""},
        {"unknown user", suite.databasePath, suite.as("Nobody"), ErrorCode::BadLogin, ""},
        {"foreign workgroup",
         suite.databasePath,
         {foreign.path(), "Admin", ""},
         ErrorCode::ForeignWorkgroup,
         "suite.mdb"},
        {"missing workgroup",
         suite.databasePath,
         {folder / "none.mdw", "Admin", ""},
         ErrorCode::WorkgroupUnusable,
         "none.mdw"},
    };
    for (const Case& c : cases) {
        std::string description;
        EXPECT_EQ(errorOf([&] { Database::open(c.database, c.credentials); }, description),
                  c.expected)
            << c.what;
        EXPECT_NE(description.find(c.named), std::string::npos) << c.what << ": " << description;
    }
    EXPECT_FALSE(fs::exists(folder / "plain.ldb")) << "no lock file beside a foreign file";
}

TEST_F(DatabaseTest, DamagedFileIsReportedAsCorrupt) {
    {
        Database db = Database::open(suite.databasePath, suite.as("Admin"));
        fillFragmented(db, 2000);
    }
    // Overwrite the middle of the file, keeping the header and schema intact.
    const auto size = fs::file_size(suite.databasePath);
    {
        std::fstream file(suite.databasePath, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(size / 2));
        const std::string garbage(64 * 1024, '\xAB');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    Database db = Database::open(suite.databasePath, suite.as("Admin"));
    std::string description;
    EXPECT_EQ(errorOf([&] { dumpTables(db); }, description), ErrorCode::CorruptDatabase);
    EXPECT_NE(description.find("suite.mdb"), std::string::npos) << description;
}

TEST_F(DatabaseTest, CreateRefusesAnExistingFileAndAForeignOwner) {
    EXPECT_EQ(
        errorOf([&] { Database::create(suite.databasePath, suite.workgroup, suite.admin()); }),
        ErrorCode::AlreadyExists);
    const Workgroup foreign =
        Workgroup::create(folder / "foreign.mdw", "Other", HashCost::MinimalForTestsOnly);
    EXPECT_EQ(errorOf([&] {
                  Database::create(folder / "new.mdb", suite.workgroup,
                                   foreign.authenticate("Admin", ""));
              }),
              ErrorCode::ForeignWorkgroup);
    EXPECT_EQ(errorOf([&] {
                  Database::create(folder / "missing" / "new.mdb", suite.workgroup, suite.admin());
              }),
              ErrorCode::InvalidPath);
    EXPECT_EQ(folder.entries(), (Names{"foreign.mdw", "suite.mdb", "system.mdw"}));
}

TEST_F(DatabaseTest, ReadOnlyAccess) {
    {
        Database db = Database::open(suite.databasePath, suite.as("Admin"));
        db.execute("CREATE TABLE t (x)");
    }
    Database reader = Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true});
    EXPECT_TRUE(reader.readOnly());
    std::string description;
    EXPECT_EQ(errorOf([&] { reader.execute("INSERT INTO t VALUES (1)"); }, description),
              ErrorCode::ReadOnly);
    EXPECT_NE(description.find("suite.mdb"), std::string::npos) << description;

    // A file this process may not write: refused for writing, fine for reading.
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(suite.databasePath.c_str(), 0444), 0);
    const int forWriting =
        inChild([&] { Database::open(suite.databasePath, suite.as("Admin")); }, true);
    if (forWriting == -3) {
        GTEST_SKIP() << "cannot drop root privileges to test file permissions";
    }
    EXPECT_EQ(forWriting, static_cast<int>(ErrorCode::ReadOnly));
    EXPECT_EQ(
        inChild([&] { Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true}); },
                true),
        0);
}

}  // namespace
}  // namespace talveron::engine::test
