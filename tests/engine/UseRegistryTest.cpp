#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "EngineTestSupport.h"

namespace talveron::engine::test {
namespace {

using Names = std::vector<std::string>;

class UseRegistryTest : public ::testing::Test {
protected:
    fs::path lockFile() const { return folder / "suite.ldb"; }
    std::string me() const {
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        return std::string("Admin@") + host + " (" + std::to_string(::getpid()) + ")";
    }

    TempFolder folder;
    Suite suite{folder};
};

TEST_F(UseRegistryTest, SessionsAreListedAndTheLastOneRemovesTheLockFile) {
    EXPECT_TRUE(sessionsOf(suite.databasePath).empty());
    {
        Database first = Database::open(suite.databasePath, suite.as("admin"));
        EXPECT_TRUE(fs::exists(lockFile()));
        EXPECT_EQ(sessionsOf(suite.databasePath), std::vector<std::string>{me()});
        {
            Database second =
                Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true});
            EXPECT_EQ(sessionsOf(suite.databasePath), (std::vector<std::string>{me(), me()}));
        }
        EXPECT_EQ(sessionsOf(suite.databasePath).size(), 1u);
        EXPECT_TRUE(fs::exists(lockFile()));
    }
    EXPECT_FALSE(fs::exists(lockFile()));
    EXPECT_TRUE(sessionsOf(suite.databasePath).empty());
}

TEST_F(UseRegistryTest, ExclusiveUseIsArbitratedWithinOneProcess) {
    std::string description;
    {
        Database shared = Database::open(suite.databasePath, suite.as("Admin"));
        EXPECT_EQ(
            errorOf(
                [&] { Database::open(suite.databasePath, suite.as("Admin"), {.exclusive = true}); },
                description),
            ErrorCode::InUse);
        EXPECT_NE(description.find(me()), std::string::npos) << description;
    }
    Database exclusive = Database::open(suite.databasePath, suite.as("Admin"), {.exclusive = true});
    EXPECT_TRUE(exclusive.exclusive());
    EXPECT_EQ(errorOf([&] { Database::open(suite.databasePath, suite.as("Admin")); }, description),
              ErrorCode::InUse);
    EXPECT_NE(description.find("exclusively by " + me()), std::string::npos) << description;
}

TEST_F(UseRegistryTest, AnotherProcessSeesTheSession) {
    ChildSession child(suite.databasePath, suite.as("Admin"), {});
    ASSERT_EQ(child.openResult(), 0);
    const std::string who = "(" + std::to_string(child.pid()) + ")";
    const auto sessions = sessionsOf(suite.databasePath);
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_NE(sessions[0].find(who), std::string::npos) << sessions[0];

    std::string description;
    EXPECT_EQ(
        errorOf([&] { Database::open(suite.databasePath, suite.as("Admin"), {.exclusive = true}); },
                description),
        ErrorCode::InUse);
    EXPECT_NE(description.find(who), std::string::npos) << description;
    EXPECT_EQ(errorOf([&] {
                  compact(suite.databasePath, folder / "copy.mdb",
                          ";LANGID=0x0409;CP=1252;COUNTRY=0", 0, suite.as("Admin"));
              }),
              ErrorCode::InUse);
    EXPECT_FALSE(fs::exists(folder / "copy.mdb"));
    { Database shared = Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true}); }

    child.finish();
    EXPECT_FALSE(fs::exists(lockFile()));
    Database::open(suite.databasePath, suite.as("Admin"), {.exclusive = true});
}

TEST_F(UseRegistryTest, ExclusiveSessionOfAnotherProcessKeepsOthersOut) {
    ChildSession child(suite.databasePath, suite.as("Admin"), {.exclusive = true});
    ASSERT_EQ(child.openResult(), 0);
    std::string description;
    EXPECT_EQ(
        errorOf([&] { Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true}); },
                description),
        ErrorCode::InUse);
    EXPECT_NE(description.find("(" + std::to_string(child.pid()) + ")"), std::string::npos)
        << description;
    ChildSession second(suite.databasePath, suite.as("Admin"), {});
    EXPECT_EQ(second.openResult(), static_cast<int>(ErrorCode::InUse));
}

// A reader that may not write the database still registers, so that whoever
// wants the database exclusively sees it.
TEST_F(UseRegistryTest, ReaderWithoutWriteAccessIsSeen) {
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(suite.databasePath.c_str(), 0644), 0);
    std::optional<Database> first(
        Database::open(suite.databasePath, suite.as("Admin"), {.readOnly = true}));
    ChildSession reader(suite.databasePath, suite.as("Admin"), {.readOnly = true}, true);
    if (reader.openResult() == -3) {
        GTEST_SKIP() << "cannot drop root privileges to test file permissions";
    }
    ASSERT_EQ(reader.openResult(), 0);
    EXPECT_EQ(sessionsOf(suite.databasePath).size(), 2u);
    first.reset();
    std::string description;
    EXPECT_EQ(
        errorOf([&] { Database::open(suite.databasePath, suite.as("Admin"), {.exclusive = true}); },
                description),
        ErrorCode::InUse);
    EXPECT_NE(description.find("(" + std::to_string(reader.pid()) + ")"), std::string::npos)
        << description;
}

TEST_F(UseRegistryTest, SessionOfACrashedProcessDoesNotCount) {
    ChildSession child(suite.databasePath, suite.as("Admin"), {});
    ASSERT_EQ(child.openResult(), 0);
    child.finish(true);
    EXPECT_TRUE(fs::exists(lockFile())) << "left behind by the crash";
    EXPECT_TRUE(sessionsOf(suite.databasePath).empty());
    {
        Database exclusive =
            Database::open(suite.databasePath, suite.as("Admin"), {.exclusive = true});
    }
    EXPECT_FALSE(fs::exists(lockFile()));
}

// Sessions of two processes come and go in a tight loop, racing the removal
// of the lock file against its reopening, while this process keeps taking
// exclusive sessions. Each child session marks its presence with a file; an
// exclusive session must never see one.
TEST_F(UseRegistryTest, ExclusiveUseHoldsWhileTheLockFileComesAndGoes) {
    constexpr int kRounds = 150;
    fs::create_directory(folder / "present");
    const auto churn = [&] {
        const fs::path marker = folder / "present" / std::to_string(::getpid());
        for (int round = 0; round < kRounds; ++round) {
            try {
                Database db = Database::open(suite.databasePath, suite.as("Admin"));
                std::ofstream{marker};
                fs::remove(marker);
            } catch (const Error& error) {
                if (error.code() != ErrorCode::InUse) {
                    throw;
                }
            }
        }
    };
    ChildProcess first(churn);
    ChildProcess second(churn);
    int exclusiveSessions = 0;
    for (int round = 0; round < kRounds; ++round) {
        try {
            Database db =
                Database::open(suite.databasePath, suite.as("Admin"), {.exclusive = true});
            ++exclusiveSessions;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            EXPECT_EQ(folder.entries("present"), Names{}) << "another session is open";
        } catch (const Error& error) {
            ASSERT_EQ(error.code(), ErrorCode::InUse) << error.description();
        }
    }
    EXPECT_EQ(first.result(), 0);
    EXPECT_EQ(second.result(), 0);
    EXPECT_GT(exclusiveSessions, 0);
    EXPECT_FALSE(fs::exists(lockFile()));
}

}  // namespace
}  // namespace talveron::engine::test
