#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "EngineTestSupport.h"

namespace talveron::engine::test {
namespace {

using Names = std::vector<std::string>;

constexpr const char* kLocale = ";LANGID=0x0409;CP=1252;COUNTRY=0";

class CompactionTest : public ::testing::Test {
protected:
    CompactionTest() {
        fs::create_directory(folder / "out");
        Database db = Database::open(suite.databasePath, suite.as("Admin"));
        fillFragmented(db, 3000);
    }

    void compactTo(const fs::path& destination, const Credentials& credentials,
                   const char* locale = kLocale, const ProgressCallback& progress = {}) {
        compact(suite.databasePath, destination, locale, 0, credentials, progress);
    }

    TempFolder folder;
    Suite suite{folder};
};

TEST_F(CompactionTest, CopyHoldsTheSameRowsInASmallerFileAndTheSourceIsUntouched) {
    const std::string sourceBytes = readFile(suite.databasePath);
    std::vector<double> fractions;
    compactTo(folder / "out" / "copy.mdb", suite.as("admin"), ";langid=0x0407;CP=1252;COUNTRY=0",
              [&](double fraction) { fractions.push_back(fraction); });

    EXPECT_EQ(readFile(suite.databasePath), sourceBytes);
    EXPECT_LT(fs::file_size(folder / "out" / "copy.mdb"), sourceBytes.size());
    EXPECT_EQ(folder.entries("out"), Names{"copy.mdb"}) << "no temporary file is left";
    EXPECT_FALSE(fs::exists(folder / "suite.ldb")) << "the exclusive registration ended";

    Database source = Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true});
    Database copy = Database::open(folder / "out" / "copy.mdb", suite.as("Admin"));
    EXPECT_EQ(copy.tables(), (Names{"customers", "orders"}));
    EXPECT_EQ(dumpTables(copy), dumpTables(source));
    EXPECT_EQ(copy.owner(), "Admin");
    EXPECT_EQ(copy.workgroupId(), suite.workgroup.id());
    EXPECT_EQ(recordedLocale(copy).toString(), ";LANGID=0x0407;CP=1252;COUNTRY=0");
    EXPECT_EQ(recordedLocale(copy).languageId, 0x0407u);
    EXPECT_EQ(recordedLocale(source).languageId, 0x0409u);

    ASSERT_FALSE(fractions.empty());
    EXPECT_EQ(fractions.front(), 0.0);
    EXPECT_EQ(fractions.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
}

TEST_F(CompactionTest, OwnerOrAdministratorOnly) {
    suite.workgroup.addUser(suite.admin(), "Clerk", "pw");
    suite.workgroup.addUser(suite.admin(), "Owner", "pw");
    Database::create(folder / "owned.mdb", suite.workgroup,
                     suite.workgroup.authenticate("Owner", "pw"));

    EXPECT_EQ(errorOf([&] { compactTo(folder / "out" / "a.mdb", suite.as("Clerk", "pw")); }),
              ErrorCode::NoPermission);
    compact(folder / "owned.mdb", folder / "out" / "b.mdb", kLocale, 0, suite.as("owner", "pw"));
    suite.workgroup.addMember(suite.admin(), "Clerk", "Admins");
    compactTo(folder / "out" / "c.mdb", suite.as("Clerk", "pw"));
    EXPECT_EQ(folder.entries("out"), (Names{"b.mdb", "c.mdb"}));
}

// Each refusal leaves the destination folder as it was.
TEST_F(CompactionTest, RefusalsLeaveNothingBehind) {
    std::ofstream(folder / "out" / "taken.mdb") << "keep me";
    const Workgroup foreign =
        Workgroup::create(folder / "foreign.mdw", "Other", HashCost::MinimalForTestsOnly);
    struct Case {
        const char* what;
        std::function<void()> action;
        ErrorCode expected;
    };
    const Case cases[] = {
        {"destination exists", [&] { compactTo(folder / "out" / "taken.mdb", suite.as("Admin")); },
         ErrorCode::AlreadyExists},
        {"destination is the source", [&] { compactTo(suite.databasePath, suite.as("Admin")); },
         ErrorCode::AlreadyExists},
        {"missing folder", [&] { compactTo(folder / "out" / "none" / "x.mdb", suite.as("Admin")); },
         ErrorCode::InvalidPath},
        {"locale of another form",
         [&] { compactTo(folder / "out" / "x.mdb", suite.as("Admin"), "LANGID=0x0409"); },
         ErrorCode::InvalidArgument},
        {"empty locale", [&] { compactTo(folder / "out" / "x.mdb", suite.as("Admin"), ""); },
         ErrorCode::InvalidArgument},
        {"options",
         [&] {
             compact(suite.databasePath, folder / "out" / "x.mdb", kLocale, 1, suite.as("Admin"));
         },
         ErrorCode::InvalidArgument},
        {"wrong password", [&] { compactTo(folder / "out" / "x.mdb", suite.as("Admin", "x")); },
         ErrorCode::BadLogin},
        {"foreign workgroup",
         [&] {
             compactTo(folder / "out" / "x.mdb", {foreign.path(), "Admin", ""});
         },
         ErrorCode::ForeignWorkgroup},
        {"missing source",
         [&] {
             compact(folder / "none.mdb", folder / "out" / "x.mdb", kLocale, 0, suite.as("Admin"));
         },
         ErrorCode::FileNotFound},
        {"source in use",
         [&] {
             Database open =
                 Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true});
             compactTo(folder / "out" / "x.mdb", suite.as("Admin"));
         },
         ErrorCode::InUse},
        {"progress callback fails at the end",
         [&] {
             compactTo(folder / "out" / "x.mdb", suite.as("Admin"), kLocale, [](double fraction) {
                 if (fraction == 1.0) {
                     throw Error(ErrorCode::Cancelled, "stopped");
                 }
             });
         },
         ErrorCode::Cancelled},
        {"progress callback fails",
         [&] {
             compactTo(folder / "out" / "x.mdb", suite.as("Admin"), kLocale, [](double fraction) {
                 if (fraction > 0.0) {
                     throw Error(ErrorCode::Cancelled, "stopped");
                 }
             });
         },
         ErrorCode::Cancelled},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorOf(c.action), c.expected) << c.what;
        EXPECT_EQ(folder.entries("out"), Names{"taken.mdb"}) << c.what;
    }
    EXPECT_EQ(readFile(folder / "out" / "taken.mdb"), "keep me");
    EXPECT_FALSE(fs::exists(folder / "suite.ldb"));
}

TEST_F(CompactionTest, DamagedSourceIsRefusedWithoutACopy) {
    const auto size = fs::file_size(suite.databasePath);
    {
        std::fstream file(suite.databasePath, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(size / 3));
        const std::string garbage(16 * 4096, '\x5A');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    std::string description;
    EXPECT_EQ(
        errorOf([&] { compactTo(folder / "out" / "copy.mdb", suite.as("Admin")); }, description),
        ErrorCode::CorruptDatabase);
    EXPECT_NE(description.find("suite.mdb"), std::string::npos) << description;
    EXPECT_EQ(folder.entries("out"), Names{});
}

// Rows that break their table's NOT NULL rule copy without complaint; the
// check of the copy finds them.
TEST_F(CompactionTest, CopyThatFailsVerificationIsNotKept) {
    {
        Database db = Database::open(suite.databasePath, suite.as("Admin"));
        db.execute("CREATE TABLE t (x TEXT); INSERT INTO t VALUES (NULL)");
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(suite.databasePath.c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "PRAGMA writable_schema = ON;"
                           "UPDATE sqlite_schema SET sql = 'CREATE TABLE t (x TEXT NOT NULL)' "
                           "WHERE name = 't'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    std::string description;
    EXPECT_EQ(
        errorOf([&] { compactTo(folder / "out" / "copy.mdb", suite.as("Admin")); }, description),
        ErrorCode::CorruptDatabase);
    EXPECT_NE(description.find("verification"), std::string::npos) << description;
    EXPECT_EQ(folder.entries("out"), Names{});
}

TEST_F(CompactionTest, ReadOnlyDestinationFolderIsRefused) {
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);  // the source's lock file goes here
    ASSERT_EQ(::chmod((folder / "out").c_str(), 0555), 0);
    const int result =
        inChild([&] { compactTo(folder / "out" / "copy.mdb", suite.as("Admin")); }, true);
    if (result == -3) {
        GTEST_SKIP() << "cannot drop root privileges to test folder permissions";
    }
    EXPECT_EQ(result, static_cast<int>(ErrorCode::ReadOnly));
    EXPECT_EQ(folder.entries("out"), Names{});
}

TEST_F(CompactionTest, SourceFolderThatCannotHoldTheLockFileIsRefused) {
    ASSERT_EQ(::chmod((folder / "out").c_str(), 0777), 0);
    const int result =
        inChild([&] { compactTo(folder / "out" / "copy.mdb", suite.as("Admin")); }, true);
    if (result == -3) {
        GTEST_SKIP() << "cannot drop root privileges to test folder permissions";
    }
    EXPECT_EQ(result, static_cast<int>(ErrorCode::ReadOnly));
    EXPECT_EQ(folder.entries("out"), Names{});
}

// A file-size limit makes writes fail as a full disk does.
TEST_F(CompactionTest, FullDiskIsReportedAndTheCopyRemoved) {
    const int result = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        compactTo(folder / "out" / "copy.mdb", suite.as("Admin"));
    });
    EXPECT_EQ(result, static_cast<int>(ErrorCode::DiskFull));
    EXPECT_EQ(folder.entries("out"), Names{});
    EXPECT_FALSE(fs::exists(folder / "suite.ldb"));
}

}  // namespace
}  // namespace talveron::engine::test
