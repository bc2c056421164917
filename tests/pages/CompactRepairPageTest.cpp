// The Compact / Repair page on real widgets with the real engine and real
// files: a compaction in place, every outcome of the file swap produced by a
// real fault, the refusals, the messages with their titles, icons and owners,
// the status line, the wait cursor, DB_SIZE in the profile and the catalog
// that comes back after every run.

#include <gtest/gtest.h>

#include <cerrno>

#include "CompactRepairPage.h"
#include "DaoRun.h"
#include "support/DaoPageSuite.h"

namespace {

using namespace tarnex::daotest;
using platform::FileEvent;
using platform::FileOperation;
using platform::FilePhase;
using platform::testing::MessageBoxCall;
using platform::testing::ScriptedDesktop;

const std::string kStatusPrefix = "Repairing and Compacting Database ";

struct Shown {
    std::string text;
    std::string caption;
    UINT type;
    bool ownedByPage;
};

class CompactRepairPageTest : public ::testing::Test {
protected:
    // Shows the page, clicks "Compact / Repair" and records what happened.
    void ClickCompact() {
        WithPage(page, [&] {
            Click(page, IDC_COMPACT_REPAIR);
            status = TextOf(page, IDC_COMPACT_STATUS);
            pageWindow = page.m_hWnd;
        });
        for (const MessageBoxCall& box : desktop.messageBoxes) {
            shown.push_back({box.text, box.caption, box.type, box.owner == pageWindow});
        }
    }
    std::string T() const { return (files.folder / "temp.mdb").string(); }
    std::string O() const { return (files.folder / "ORGTALVERON.mdb").string(); }
    std::string D() const { return files.database.string(); }

    DaoSuiteFiles files;
    ScriptedDesktop desktop;
    LoggedInApp app{files};
    CCompactRepairPage page;
    std::string status;
    HWND pageWindow = nullptr;
    std::vector<Shown> shown;
};

void ExpectFileError(const Shown& box, const std::string& text) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Database File Error");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(box.ownedByPage);
}

void ExpectDaoError(const Shown& box, const std::string& textStart) {
    EXPECT_EQ(box.text.rfind(textStart, 0), 0u) << box.text;
    EXPECT_EQ(box.caption, "DAO System Error");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(box.ownedByPage);
}

TEST_F(CompactRepairPageTest, CompactsTheDatabaseInPlace) {
    const auto before = fs::file_size(files.database);
    ClickCompact();

    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Database Compacted successfully.");
    EXPECT_EQ(shown[0].caption, "System Information");
    EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(shown[0].ownedByPage);

    EXPECT_TRUE(files.HoldsWholeDatabase(files.database));
    const auto after = fs::file_size(files.database);
    EXPECT_LT(after, before);
    EXPECT_EQ(files.OtherFiles(), std::vector<std::string>{"suite.mdb"});
    EXPECT_EQ(files.ProfileDbSize(), static_cast<int>(after));
    EXPECT_EQ(status, "");
    EXPECT_GE(desktop.waitCursorBegins, 1);
    EXPECT_EQ(desktop.WaitCursorDepth(), 0);
    EXPECT_EQ(files.Sessions(), 1u) << "the catalog was not reopened";
}

TEST_F(CompactRepairPageTest, StatusLineNamesTheDatabaseWhileItWorks) {
    std::string during;
    desktop.onMessageBox = [&](const MessageBoxCall&) {
        during = TextOf(page, IDC_COMPACT_STATUS);
    };
    std::ofstream(files.folder / "ORGTALVERON.mdb") << "in the way";
    ClickCompact();
    EXPECT_EQ(during, kStatusPrefix + D());
    EXPECT_EQ(status, kStatusPrefix + D()) << "a failure keeps the status line";
}

// Each row of the swap's outcomes, produced by a real fault (or, for a
// rename that fails, by the file operations' fault hook).
TEST_F(CompactRepairPageTest, FileAlreadyAtTemporaryPathStopsTheCompaction) {
    std::ofstream(T()) << "left over";
    const std::string dBefore = ReadFile(files.database);
    ClickCompact();
    ASSERT_EQ(shown.size(), 1u);
    ExpectDaoError(shown[0], "The file '" + T() + "' already exists.");
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_EQ(ReadFile(T()), "left over");
    EXPECT_FALSE(fs::exists(O()));
    EXPECT_EQ(files.ProfileDbSize(), -1);
    EXPECT_EQ(desktop.WaitCursorDepth(), 0);
    EXPECT_EQ(files.Sessions(), 1u) << "the catalog is reopened after a failure too";
}

TEST_F(CompactRepairPageTest, FileAlreadyAtSetAsidePathKeepsTheCopyAtTemporaryPath) {
    std::ofstream(O()) << "earlier";
    const std::string dBefore = ReadFile(files.database);
    ClickCompact();
    ASSERT_EQ(shown.size(), 1u);
    ExpectFileError(shown[0], "Failed renaming talveron.mdb file");
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_TRUE(files.HoldsWholeDatabase(T()));
    EXPECT_EQ(ReadFile(O()), "earlier");
    EXPECT_EQ(files.Sessions(), 1u);
}

TEST_F(CompactRepairPageTest, FailedSwapPutsTheOriginalBack) {
    const std::string dBefore = ReadFile(files.database);
    FileFaults faults([&](const FileEvent& e) {
        return e.operation == FileOperation::Rename && e.path == T() ? EACCES : 0;
    });
    ClickCompact();
    ASSERT_EQ(shown.size(), 1u);
    ExpectFileError(shown[0], "Failed renaming new talveron.mdb file\nRestoring original");
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_TRUE(files.HoldsWholeDatabase(T()));
    EXPECT_FALSE(fs::exists(O()));
}

TEST_F(CompactRepairPageTest, FailedRestoreLeavesTheOriginalSetAside) {
    const std::string dBefore = ReadFile(files.database);
    FileFaults faults([&](const FileEvent& e) {
        const bool intoDatabase = e.operation == FileOperation::Rename && e.target == D();
        return intoDatabase ? EACCES : 0;
    });
    ClickCompact();
    ASSERT_EQ(shown.size(), 3u);
    ExpectFileError(shown[0], "Failed renaming new talveron.mdb file\nRestoring original");
    ExpectFileError(shown[1], "Restore original talveron.mbd failed!");
    // With no database at D the catalog cannot come back, and says so.
    EXPECT_EQ(shown[2].caption, "ADOX Error") << shown[2].text;
    EXPECT_FALSE(fs::exists(files.database));
    EXPECT_TRUE(files.HoldsWholeDatabase(T()));
    EXPECT_EQ(ReadFile(O()), dBefore);
    EXPECT_EQ(desktop.WaitCursorDepth(), 0);
}

TEST_F(CompactRepairPageTest, SetAsideFileThatCannotBeDeletedStays) {
    // A read-only database is parked read-only, and the platform does not
    // delete a read-only file.
    fs::permissions(files.database, fs::perms::owner_read | fs::perms::group_read);
    const std::string dBefore = ReadFile(files.database);
    ClickCompact();
    ASSERT_EQ(shown.size(), 1u);
    ExpectFileError(shown[0], "Failed removing temporary mdb file\n" + O());
    EXPECT_TRUE(files.HoldsWholeDatabase(files.database));
    EXPECT_NE(ReadFile(files.database), dBefore) << "D holds the compacted database";
    EXPECT_FALSE(fs::exists(T()));
    EXPECT_EQ(ReadFile(O()), dBefore);
    EXPECT_EQ(files.ProfileDbSize(), -1) << "DB_SIZE keeps its old value";
    EXPECT_EQ(files.Sessions(), 1u);
}

TEST_F(CompactRepairPageTest, ReadOnlyFolderShowsTheReadOnlyHint) {
    // Permission bits do not stop the superuser; the fault hook stands in.
    const bool superuser = ::geteuid() == 0;
    FileFaults faults([superuser](const FileEvent& e) {
        return e.operation == FileOperation::Compact && superuser ? EACCES : 0;
    });
    if (!superuser) fs::permissions(files.folder, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string dBefore = ReadFile(files.database);
    ClickCompact();
    fs::permissions(files.folder, fs::perms::owner_all);
    ASSERT_FALSE(shown.empty());
    ExpectDaoError(shown[0], "");
    EXPECT_TRUE(shown[0].text.ends_with("\n\nMake sure your talveron.mdw file is not read-only."))
        << shown[0].text;
    // In a folder that is really read-only the catalog cannot register its
    // session again either, and says so.
    ASSERT_EQ(shown.size(), superuser ? 1u : 2u);
    if (!superuser) {
        EXPECT_EQ(shown[1].caption, "ADOX Error") << shown[1].text;
    }
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_FALSE(fs::exists(T()));
}

TEST_F(CompactRepairPageTest, DatabaseInUseElsewhereIsLeftAlone) {
    const std::string dBefore = ReadFile(files.database);
    app.DisconnectCatalog();
    {
        OtherSession other(files.database, files.workgroup);
        ASSERT_TRUE(other.IsOpen());
        ClickCompact();
    }
    ASSERT_EQ(shown.size(), 1u);
    ExpectDaoError(shown[0], "");
    EXPECT_EQ(shown[0].text.find("Make sure"), std::string::npos);
    EXPECT_NE(shown[0].text.find("in use"), std::string::npos) << shown[0].text;
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_EQ(files.OtherFiles(), std::vector<std::string>{"suite.mdb"});
}

TEST_F(CompactRepairPageTest, EmptySessionAccountDoesNothing) {
    for (bool emptyUser : {true, false}) {
        SCOPED_TRACE(emptyUser ? "user ID" : "password");
        desktop.messageBoxes.clear();
        const std::string user = emptyUser ? "" : "Admin";
        const std::string password = emptyUser ? kDaoAdminPassword : "";
        app.m_strUserId = user.c_str();
        app.m_strPassword = password.c_str();
        const std::string dBefore = ReadFile(files.database);
        ClickCompact();
        EXPECT_TRUE(desktop.messageBoxes.empty());
        EXPECT_EQ(ReadFile(files.database), dBefore);
        EXPECT_EQ(desktop.waitCursorBegins, 0);
        EXPECT_EQ(files.Sessions(), 1u) << "the catalog was closed";
        // The engine was restarted with the workgroup all the same.
        BSTR systemDb = nullptr;
        ASSERT_EQ(AfxDaoGetEngine()->get_SystemDB(&systemDb), S_OK);
        EXPECT_EQ(DaoString(systemDb), files.workgroup.string());
        SysFreeString(systemDb);
    }
}

TEST_F(CompactRepairPageTest, UserIdInAnotherCaseFindsNoAccount) {
    app.m_strUserId = "admin";  // the workgroup logs it on; the walk compares exactly
    const std::string dBefore = ReadFile(files.database);
    ClickCompact();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_EQ(files.OtherFiles(), std::vector<std::string>{"suite.mdb"});
    EXPECT_EQ(files.Sessions(), 1u);
    ASSERT_TRUE(DaoEngineSetup(&app));
    EXPECT_EQ(page.CompactRepair(), TRUE) << "the walk runs to its end";
}

TEST_F(CompactRepairPageTest, DatabaseWithoutFolderUsesTheCurrentOne) {
    const fs::path here = fs::current_path();
    fs::current_path(files.folder);
    app.m_strDatabase = "suite.mdb";
    std::ofstream("ORGTALVERON.mdb") << "earlier";  // shows where O is looked for
    ClickCompact();
    fs::current_path(here);
    ASSERT_EQ(shown.size(), 1u);
    ExpectFileError(shown[0], "Failed renaming talveron.mdb file");
    EXPECT_TRUE(files.HoldsWholeDatabase(files.folder / "temp.mdb"));
    EXPECT_TRUE(files.HoldsWholeDatabase(files.database));
}

TEST_F(CompactRepairPageTest, SecondClickIsKeptOutWhileAMessageIsUp) {
    int nested = 0;
    desktop.onMessageBox = [&](const MessageBoxCall&) {
        if (nested++ == 0) Click(page, IDC_COMPACT_REPAIR);
    };
    ClickCompact();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Database Compacted successfully.");
    EXPECT_TRUE(files.HoldsWholeDatabase(files.database));
}

TEST_F(CompactRepairPageTest, EngineRefusalBeforeTheCompactionIsReportedByThePlatform) {
    app.m_strPassword = "not the password";  // the workspace's log-on is refused
    const std::string dBefore = ReadFile(files.database);
    ClickCompact();
    // The run still ends as usual: the catalog is asked to reopen (and, with
    // this password, says it cannot); then the platform reports the refusal.
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "ADOX Error");
    EXPECT_EQ(shown[1].text.rfind("Not a valid account name or password", 0), 0u) << shown[1].text;
    EXPECT_EQ(shown[1].type & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_EQ(files.OtherFiles(), std::vector<std::string>{"suite.mdb"});
    EXPECT_EQ(desktop.waitCursorBegins, 0);
    EXPECT_EQ(status, "");
}

TEST(DaoErrorMessage, ShowsTheExceptionsOwnMessageWithoutEngineErrors) {
    ScriptedDesktop desktop;
    auto* noErrors = new CDaoException;
    noErrors->m_scode = E_FAIL;
    ShowDaoErrorMessage(noErrors);
    noErrors->Delete();
    auto* file = new CFileException(CFileException::diskFull, -1, "/data/suite.mdb");
    ShowDaoErrorMessage(file);
    file->Delete();
    ASSERT_EQ(desktop.messageBoxes.size(), 2u);
    EXPECT_EQ(desktop.messageBoxes[0].text, "A DAO error occurred (0x80004005).");
    EXPECT_EQ(desktop.messageBoxes[1].text, "The disk is full while accessing /data/suite.mdb.");
    for (const auto& box : desktop.messageBoxes) {
        EXPECT_EQ(box.caption, "DAO System Error");
        EXPECT_EQ(box.owner, nullptr);
    }
}

}  // namespace
