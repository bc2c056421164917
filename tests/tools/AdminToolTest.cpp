#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "AdminRunner.h"
#include "talveron/engine/Database.h"
#include "talveron/engine/Error.h"
#include "talveron/engine/Workgroup.h"

namespace talveron::admin::test {
namespace {

namespace fs = std::filesystem;
using engine::Credentials;
using engine::Database;
using engine::Workgroup;

// The key=value pairs of one section of an ini file.
std::map<std::string, std::string> iniSection(const fs::path& file, const std::string& section) {
    std::map<std::string, std::string> values;
    std::ifstream in(file);
    std::string line;
    bool inSection = false;
    const auto trim = [](std::string text) {
        const auto first = text.find_first_not_of(" \t\r");
        const auto last = text.find_last_not_of(" \t\r");
        return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    };
    while (std::getline(in, line)) {
        line = trim(line);
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[" + section + "]";
        } else if (inSection && line.find('=') != std::string::npos) {
            const auto equals = line.find('=');
            values[trim(line.substr(0, equals))] = trim(line.substr(equals + 1));
        }
    }
    return values;
}

// Every table of a database with all its rows as text, in a fixed order.
std::map<std::string, std::vector<std::string>> contentOf(const fs::path& path,
                                                          const Credentials& credentials) {
    Database database = Database::open(path, credentials, {.exclusive = false, .readOnly = true});
    std::map<std::string, std::vector<std::string>> content;
    for (const std::string& table : database.tables()) {
        auto rows = database.prepare("SELECT * FROM \"" + table + "\" ORDER BY 1");
        std::vector<std::string>& lines = content[table];
        while (rows.step()) {
            std::string line;
            for (int column = 0; column < rows.columnCount(); ++column) {
                line += rows.columnText(column).value_or("<null>") + "|";
            }
            lines.push_back(line);
        }
    }
    return content;
}

// A temporary folder holding a fresh demo made by the program.
class DemoFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "talveron-admin-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_demo = m_root / "demo";
        const RunResult demo = run({"demo", m_demo.string()});
        ASSERT_EQ(demo.exitCode, 0) << demo.err;
        m_demoOutput = demo.out;
        m_workgroup = m_demo / "system.mdw";
        m_database = m_demo / "talveron.mdb";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    RunResult run(std::vector<std::string> arguments, const std::string& input = {},
                  const std::vector<std::string>& environment = {}) {
#ifndef TALVERON_TEST_DRIVER_LIBRARY
        // The driver is not part of this build: give the demo a library file to register.
        if (!arguments.empty() && arguments.front() == "demo") {
            const fs::path library = m_root / "libtalveron_odbc.so";
            std::ofstream{library};
            arguments.insert(arguments.end(), {"--driver", library.string()});
        }
#endif
        return runAdmin(m_root, arguments, input, environment);
    }
    // Runs an administrative command as `user` with its password on standard input.
    RunResult runAs(const std::string& user, const std::string& input,
                    std::vector<std::string> arguments) {
        arguments.insert(arguments.end(),
                         {"-w", m_workgroup.string(), "-u", user, "--password-stdin"});
        return run(arguments, input);
    }
    fs::path expectedDriverLibrary() const {
#ifdef TALVERON_TEST_DRIVER_LIBRARY
        return fs::canonical(TALVERON_TEST_DRIVER_LIBRARY);
#else
        return fs::canonical(m_root / "libtalveron_odbc.so");
#endif
    }
    Credentials admin() const {
        return Credentials{m_workgroup, "Admin", "admin"};
    }

    fs::path m_root;
    fs::path m_demo;
    fs::path m_workgroup;
    fs::path m_database;
    std::string m_demoOutput;
};

TEST_F(DemoFolder, CreatesAccountsDatabaseAndDataSource) {
    const fs::path demo = fs::canonical(m_demo);
    EXPECT_NE(m_demoOutput.find("export ODBCSYSINI=" + demo.string() + "\n"), std::string::npos)
        << m_demoOutput;
    EXPECT_NE(m_demoOutput.find("export ODBCINI=" + (demo / "odbc.ini").string() + "\n"),
              std::string::npos);

    const Workgroup workgroup = Workgroup::open(m_workgroup, /*readOnly=*/true);
    const engine::Account admin = workgroup.authenticate("Admin", "admin");
    const engine::Account clerk = workgroup.authenticate("Clerk", "clerk");
    EXPECT_TRUE(workgroup.isAdministrator(admin));
    EXPECT_FALSE(workgroup.isAdministrator(clerk));
    EXPECT_TRUE(workgroup.isMember("Clerk", "Users"));
    EXPECT_THROW(workgroup.authenticate("Clerk", "admin"), engine::Error);

    {
        Database database = Database::open(m_database, Credentials{m_workgroup, "Clerk", "clerk"});
        EXPECT_EQ(database.owner(), "Admin");
        std::vector<std::string> tables = database.tables();
        std::sort(tables.begin(), tables.end());
        EXPECT_EQ(tables,
                  (std::vector<std::string>{"Customers", "OrderItems", "Orders", "Products"}));
        auto count = database.prepare(
            "SELECT (SELECT count(*) FROM Customers), (SELECT count(*) FROM Orders), "
            "(SELECT count(*) FROM OrderItems), "
            "(SELECT count(*) FROM Orders WHERE Status = 'Cancelled')");
        ASSERT_TRUE(count.step());
        EXPECT_EQ(count.columnText(0), "1000");
        EXPECT_GT(std::stoi(*count.columnText(1)), 1500);
        EXPECT_GT(std::stoi(*count.columnText(2)), 3000);
        EXPECT_EQ(count.columnText(3), "0");  // purged, leaving space to reclaim
    }

    const auto driver = iniSection(m_demo / "odbcinst.ini", "TALVERON ODBC Driver");
    ASSERT_TRUE(driver.count("Driver"));
    EXPECT_EQ(fs::path(driver.at("Driver")), expectedDriverLibrary());
    EXPECT_FALSE(driver.at("Description").empty());
    const auto dataSource = iniSection(m_demo / "odbc.ini", "TALVERON Demo");
    EXPECT_EQ(dataSource.at("Driver"), "TALVERON ODBC Driver");
    EXPECT_FALSE(dataSource.at("Description").empty());
    EXPECT_EQ(dataSource.at("DBQ"), (demo / "talveron.mdb").string());
    EXPECT_EQ(dataSource.at("SystemDB"), (demo / "system.mdw").string());
}

TEST_F(DemoFolder, RefusesAFolderThatHoldsADemoAndKeepsIt) {
    const auto before = fs::file_size(m_database);
    const RunResult again = run({"demo", m_demo.string()});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("already holds"), std::string::npos) << again.err;
    EXPECT_EQ(fs::file_size(m_database), before);
    EXPECT_NO_THROW(Workgroup::open(m_workgroup, true).authenticate("Admin", "admin"));
}

TEST_F(DemoFolder, CompactsForScripts) {
    const auto original = contentOf(m_database, admin());
    const fs::path copy = m_root / "copy.mdb";

    const RunResult compacted =
        runAs("Admin", "admin\n", {"compact", m_database.string(), copy.string()});
    ASSERT_EQ(compacted.exitCode, 0) << compacted.err;
    EXPECT_EQ(compacted.err, "");  // no progress bar when standard error is not a terminal
    EXPECT_LT(fs::file_size(copy), fs::file_size(m_database));
    EXPECT_EQ(contentOf(copy, admin()), original);

    const auto copySize = fs::file_size(copy);
    const RunResult refused =
        runAs("Admin", "admin\n", {"compact", m_database.string(), copy.string()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("error 3204"), std::string::npos) << refused.err;
    EXPECT_EQ(fs::file_size(copy), copySize);

    // Without a destination the database itself is replaced by its compacted copy.
    const auto before = fs::file_size(m_database);
    const RunResult inPlace = runAs("Admin", "admin\n", {"compact", m_database.string()});
    ASSERT_EQ(inPlace.exitCode, 0) << inPlace.err;
    EXPECT_LT(fs::file_size(m_database), before);
    EXPECT_EQ(contentOf(m_database, admin()), original);
    for (const auto& entry : fs::directory_iterator(m_demo)) {
        EXPECT_EQ(entry.path().filename().string().find("compacting"), std::string::npos)
            << "left behind: " << entry.path();
    }

    // Clerk neither owns the database nor belongs to "Admins".
    const fs::path refusedBackup = m_root / "clerk.mdb";
    const RunResult clerk =
        runAs("Clerk", "clerk\n", {"backup", m_database.string(), refusedBackup.string()});
    EXPECT_EQ(clerk.exitCode, 4) << clerk.err;
    EXPECT_FALSE(fs::exists(refusedBackup));

    // A folder as destination receives a backup named after the database.
    const fs::path backups = m_root / "backups";
    fs::create_directories(backups);
    const RunResult backup = runAs("Admin", "admin\n", {"backup", m_database.string(), backups});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    const fs::path written = backup.out.substr(0, backup.out.find('\n'));
    EXPECT_EQ(written.parent_path(), backups);
    EXPECT_EQ(written.filename().string().rfind("talveron-", 0), 0u) << written;
    EXPECT_EQ(contentOf(written, admin()), original);
}

TEST_F(DemoFolder, ExitCodesTellWhatWentWrong) {
    struct Case {
        const char* what;
        std::string user;
        std::string input;
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases{
        {"wrong password", "Admin", "wrong\n", {"user", "list"}, 3, "error 3029"},
        {"unknown account", "Nobody", "admin\n", {"user", "list"}, 3, "error 3029"},
        {"not an administrator",
         "Clerk",
         "clerk\nsecret\n",
         {"user", "add", "Eve"},
         4,
         "error 3033"},
        {"missing database",
         "Admin",
         "admin\n",
         {"compact", (m_root / "none.mdb").string()},
         2,
         "error 3024"},
        {"no password on standard input", "Admin", "", {"user", "list"}, 1, "password"},
        {"unknown command", "Admin", "admin\n", {"frobnicate"}, 1, ""},
        {"empty new password", "Admin", "admin\n\n", {"user", "add", "Eve"}, 1, "empty"},
    };
    for (const Case& c : cases) {
        const RunResult result = runAs(c.user, c.input, c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.what << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.what << ": " << result.err;
    }
    // Without --password-stdin the password is only ever asked for on a terminal.
    const RunResult noTerminal = run({"user", "list", "-w", m_workgroup.string()}, "admin\n");
    EXPECT_EQ(noTerminal.exitCode, 1);
    EXPECT_NE(noTerminal.err.find("--password-stdin"), std::string::npos) << noTerminal.err;
    EXPECT_FALSE(Workgroup::open(m_workgroup, true).isMember("Eve", "Users"));

    const RunResult help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Exit codes:"), std::string::npos);
}

TEST_F(DemoFolder, ManagesUsersGroupsAndPasswords) {
    const auto users = [this] {
        const RunResult list = runAs("Admin", "admin\n", {"user", "list"});
        EXPECT_EQ(list.exitCode, 0) << list.err;
        return list.out;
    };
    EXPECT_EQ(users(), "Admin\nClerk\n");

    ASSERT_EQ(runAs("Admin", "admin\nbob-secret\n", {"user", "add", "Bob"}).exitCode, 0);
    EXPECT_EQ(users(), "Admin\nClerk\nBob\n");
    EXPECT_NO_THROW(Workgroup::open(m_workgroup, true).authenticate("Bob", "bob-secret"));

    ASSERT_EQ(runAs("Admin", "admin\n", {"group", "add", "Clerks"}).exitCode, 0);
    ASSERT_EQ(runAs("Admin", "admin\n", {"membership", "add", "Bob", "Clerks"}).exitCode, 0);
    const RunResult groups = runAs("Bob", "bob-secret\n", {"group", "list", "--member", "Bob"});
    EXPECT_EQ(groups.out, "Users\nClerks\n") << groups.err;

    ASSERT_EQ(runAs("Admin", "admin\nreset-pw\n", {"password", "reset", "Bob"}).exitCode, 0);
    ASSERT_EQ(runAs("Bob", "reset-pw\nown-pw\n", {"password", "change"}).exitCode, 0);
    EXPECT_NO_THROW(Workgroup::open(m_workgroup, true).authenticate("Bob", "own-pw"));

    ASSERT_EQ(runAs("Admin", "admin\n", {"user", "remove", "Bob"}).exitCode, 0);
    EXPECT_EQ(users(), "Admin\nClerk\n");
    EXPECT_EQ(runAs("Admin", "admin\n", {"user", "remove", "Bob"}).exitCode, 2);
}

TEST_F(DemoFolder, BuildsAWorkgroupDatabaseAndDataSourceFromScratch) {
    const fs::path workgroup = m_root / "office.mdw";
    const fs::path database = m_root / "office.mdb";
    const std::vector<std::string> asAdmin{"-w", workgroup.string(), "--password-stdin"};
    const auto command = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), asAdmin.begin(), asAdmin.end());
        return arguments;
    };

    RunResult result =
        run(command({"workgroup", "create", "--hash-cost", "minimal-for-tests"}), "first-pw\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Workgroup::open(workgroup, true).name(), "office");
    result = run(command({"database", "create", database.string(), "--sample-data"}), "first-pw\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    {
        Database opened = Database::open(database, Credentials{workgroup, "admin", "first-pw"});
        EXPECT_EQ(opened.owner(), "Admin");
        EXPECT_EQ(opened.tables().size(), 4u);
    }
    // Creating either again is refused and leaves the files alone.
    EXPECT_EQ(run(command({"workgroup", "create"}), "other-pw\n").exitCode, 2);
    EXPECT_EQ(run(command({"database", "create", database.string()}), "first-pw\n").exitCode, 2);
    EXPECT_NO_THROW(Workgroup::open(workgroup, true).authenticate("Admin", "first-pw"));

    const fs::path odbc = m_root / "odbc";
    fs::create_directories(odbc);
    const std::vector<std::string> odbcFiles{"ODBCSYSINI=" + odbc.string(),
                                             "ODBCINI=" + (odbc / "user.ini").string()};
    result = run(command({"datasource", "add", "Office TALVERON", "--database", database.string(),
                          "--driver", expectedDriverLibrary().string()}),
                 "", odbcFiles);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto dataSource = iniSection(odbc / "user.ini", "Office TALVERON");
    EXPECT_EQ(dataSource.at("DBQ"), fs::canonical(database).string());
    EXPECT_EQ(dataSource.at("SystemDB"), fs::canonical(workgroup).string());
    EXPECT_EQ(iniSection(odbc / "odbcinst.ini", "TALVERON ODBC Driver").at("Driver"),
              expectedDriverLibrary().string());
}

}  // namespace
}  // namespace talveron::admin::test
