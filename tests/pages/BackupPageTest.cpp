// The Make Backup page on real widgets with the real engine and real files:
// the save-file dialog, the backup written as a compacted copy, an earlier
// backup replaced only by a complete new one, the refusals, and the edit
// control and button after every press.

#include <gtest/gtest.h>

#include <cerrno>

#include "BackupPage.h"
#include "support/DaoPageSuite.h"

namespace {

using namespace tarnex::daotest;
using platform::FileEvent;
using platform::FileOperation;
using platform::testing::MessageBoxCall;
using platform::testing::ScriptedDesktop;

class BackupPageTest : public ::testing::Test {
protected:
    // While the page is shown: chooses `path` with "...", runs `between`, then
    // presses "Create Backup" and records the page's state afterwards.
    void ChooseAndCreate(const std::string& path, const std::function<void()>& between = {}) {
        WithPage(page, [&] {
            desktop.AnswerFileDialog(path);
            Click(page, IDC_BROWSE_BACKUP);
            chosenText = TextOf(page, IDC_BACKUP_FILE);
            enabledAfterChoice = Enabled(page, IDC_CREATE_BACKUP);
            if (between) between();
            Click(page, IDC_CREATE_BACKUP);
            Record();
        });
    }
    void Record() {
        pageWindow = page.m_hWnd;
        editAfter = TextOf(page, IDC_BACKUP_FILE);
        enabledAfter = Enabled(page, IDC_CREATE_BACKUP);
    }
    std::string B(const std::string& name = "backup.mdb") const {
        return (files.folder / name).string();
    }
    void ExpectPressedState() {
        EXPECT_EQ(editAfter, "");
        EXPECT_FALSE(enabledAfter);
        EXPECT_TRUE(page.m_strBackupFile.IsEmpty());
    }
    void ExpectOneMessage(const std::string& text, const std::string& caption, UINT type,
                          bool ownedByPage = false) {
        ASSERT_EQ(desktop.messageBoxes.size(), 1u);
        const MessageBoxCall& box = desktop.messageBoxes[0];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.type, type);
        EXPECT_EQ(box.owner, ownedByPage ? pageWindow : nullptr);
    }

    DaoSuiteFiles files;
    ScriptedDesktop desktop;
    LoggedInApp app{files};
    CBackupPage page;
    std::string chosenText;
    bool enabledAfterChoice = false;
    std::string editAfter;
    bool enabledAfter = true;
    HWND pageWindow = nullptr;
};

TEST_F(BackupPageTest, FirstShownEmptyWithTheButtonDisabled) {
    WithPage(page, [&] {
        EXPECT_EQ(TextOf(page, IDC_BACKUP_FILE), "");
        EXPECT_FALSE(Enabled(page, IDC_CREATE_BACKUP));
        EXPECT_TRUE(Enabled(page, IDC_BROWSE_BACKUP));
    });
}

TEST_F(BackupPageTest, SaveDialogAsksForAnAccessFile) {
    WithPage(page, [&] {
        desktop.AnswerFileDialog(B());
        Click(page, IDC_BROWSE_BACKUP);
        // Cancelled: nothing changes.
        desktop.AnswerFileDialog(std::nullopt);
        Click(page, IDC_BROWSE_BACKUP);
        Record();
    });
    ASSERT_EQ(desktop.fileDialogs.size(), 2u);
    const platform::FileDialogRequest& request = desktop.fileDialogs[0].request;
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.title, "Choose backup file name");
    EXPECT_EQ(request.initialFile, "*.mdb");
    EXPECT_EQ(request.defaultExtension, "");
    EXPECT_EQ(request.flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].name, "Microsoft Access Database File (*.mdb)");
    EXPECT_EQ(request.filters[0].pattern, "*.mdb");
    EXPECT_EQ(request.owner, pageWindow);
    EXPECT_EQ(editAfter, B());
    EXPECT_TRUE(enabledAfter);
    EXPECT_EQ(std::string(page.m_strBackupFile), B());
}

TEST_F(BackupPageTest, WritesACompactedCopyAndClearsTheChoice) {
    const std::string dBefore = ReadFile(files.database);
    ChooseAndCreate(B());
    EXPECT_EQ(chosenText, B());
    EXPECT_TRUE(enabledAfterChoice);
    ExpectOneMessage("Database Backed Up Successfully!", "System Information", MB_OK, true);
    EXPECT_TRUE(files.HoldsWholeDatabase(B()));
    EXPECT_LT(fs::file_size(B()), fs::file_size(files.database));
    EXPECT_EQ(ReadFile(files.database), dBefore);
    EXPECT_EQ(files.OtherFiles(), (std::vector<std::string>{"backup.mdb", "suite.mdb"}));
    ExpectPressedState();
    EXPECT_EQ(desktop.WaitCursorDepth(), 0);
    EXPECT_GE(desktop.waitCursorBegins, 1);
    EXPECT_EQ(files.Sessions(), 1u) << "the catalog was not reopened";
}

TEST_F(BackupPageTest, ReplacesAnEarlierBackup) {
    std::ofstream(B()) << "earlier backup";
    ChooseAndCreate(B());
    ExpectOneMessage("Database Backed Up Successfully!", "System Information", MB_OK, true);
    EXPECT_TRUE(files.HoldsWholeDatabase(B()));
    EXPECT_EQ(files.OtherFiles(), (std::vector<std::string>{"backup.mdb", "suite.mdb"}));
}

TEST_F(BackupPageTest, BackupThatCannotBeRemovedIsKept) {
    std::ofstream(B()) << "earlier backup";
    fs::permissions(B(), fs::perms::owner_read);  // read-only: the platform keeps it
    ChooseAndCreate(B());
    ExpectOneMessage("Failed to remove backup file!", "Database File Error", MB_OK | MB_ICONERROR);
    EXPECT_EQ(ReadFile(B()), "earlier backup");
    EXPECT_EQ(files.OtherFiles(), (std::vector<std::string>{"backup.mdb", "suite.mdb"}));
    ExpectPressedState();
    EXPECT_EQ(desktop.WaitCursorDepth(), 0);
}

TEST_F(BackupPageTest, FolderThatForbidsRemovingKeepsTheBackup) {
    if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop the superuser";
    fs::create_directory(files.folder / "locked");
    const std::string b = (files.folder / "locked" / "backup.mdb").string();
    std::ofstream(b) << "earlier backup";
    fs::permissions(files.folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    ChooseAndCreate(b);
    fs::permissions(files.folder / "locked", fs::perms::owner_all);
    ExpectOneMessage("Failed to remove backup file!", "Database File Error", MB_OK | MB_ICONERROR);
    EXPECT_EQ(ReadFile(b), "earlier backup");
}

TEST_F(BackupPageTest, FailedCopyKeepsTheEarlierBackup) {
    std::ofstream(B()) << "earlier backup";
    app.DisconnectCatalog();
    OtherSession other(files.database, files.workgroup);
    ASSERT_TRUE(other.IsOpen());
    ChooseAndCreate(B());
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].caption, "DAO System Error");
    EXPECT_EQ(desktop.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(desktop.messageBoxes[0].owner, nullptr);
    EXPECT_EQ(ReadFile(B()), "earlier backup");
    EXPECT_EQ(files.OtherFiles(), (std::vector<std::string>{"backup.mdb", "suite.mdb"}));
    ExpectPressedState();
}

TEST_F(BackupPageTest, FailedReplaceKeepsTheEarlierBackupAndLeavesNoCopy) {
    std::ofstream(B()) << "earlier backup";
    FileFaults faults(
        [](const FileEvent& e) { return e.operation == FileOperation::Replace ? EBUSY : 0; });
    ChooseAndCreate(B());
    ExpectOneMessage("Failed to remove backup file!", "Database File Error", MB_OK | MB_ICONERROR);
    EXPECT_EQ(ReadFile(B()), "earlier backup");
    EXPECT_EQ(files.OtherFiles(), (std::vector<std::string>{"backup.mdb", "suite.mdb"}));
}

TEST_F(BackupPageTest, TextTypedAfterTheChoiceDoesNotCount) {
    ChooseAndCreate(B(), [&] { Type(page, IDC_BACKUP_FILE, B("typed.mdb")); });
    ExpectOneMessage("Database Backed Up Successfully!", "System Information", MB_OK, true);
    EXPECT_TRUE(files.HoldsWholeDatabase(B()));
    EXPECT_FALSE(fs::exists(B("typed.mdb")));
    ExpectPressedState();
}

TEST_F(BackupPageTest, EmptyNameAsksForAChoice) {
    WithPage(page, [&] {
        desktop.AnswerFileDialog(B());
        Click(page, IDC_BROWSE_BACKUP);
        Type(page, IDC_BACKUP_FILE, "");
        page.UpdateData(TRUE);  // as when the user leaves the page
        Click(page, IDC_CREATE_BACKUP);
        Record();
    });
    ExpectOneMessage("Please choose a filename first.", "System Information",
                     MB_OK | MB_ICONINFORMATION);
    EXPECT_TRUE(enabledAfter) << "nothing else happens";
    EXPECT_FALSE(fs::exists(B()));
}

TEST_F(BackupPageTest, RefusesTheDatabaseItsLockFileAndTheWorkgroupInAnySpelling) {
    const fs::path link = files.folder / "link.mdb";
    fs::create_symlink(files.database, link);
    const std::string database = ReadFile(files.database);
    const std::string workgroup = ReadFile(files.workgroup);
    for (const std::string& b :
         {files.database.string(), (files.folder / "." / "suite.mdb").string(), link.string(),
          (files.folder / ".." / files.folder.filename() / "secure.mdw").string(),
          (files.folder / "suite.ldb").string()}) {
        SCOPED_TRACE(b);
        desktop.messageBoxes.clear();
        ChooseAndCreate(b);
        ExpectOneMessage("The backup file cannot be the database or its workgroup file.",
                         "Database File Error", MB_OK | MB_ICONERROR);
        ExpectPressedState();
        EXPECT_EQ(ReadFile(files.database), database);
        EXPECT_EQ(ReadFile(files.workgroup), workgroup);
        EXPECT_EQ(files.Sessions(), 1u) << "the catalog was touched";
    }
}

TEST_F(BackupPageTest, EmptySessionAccountOrOtherCaseWritesNothing) {
    struct Case {
        const char* user;
        const char* password;
    };
    for (const Case& c :
         {Case{"", kDaoAdminPassword}, Case{"Admin", ""}, Case{"ADMIN", kDaoAdminPassword}}) {
        SCOPED_TRACE(std::string(c.user) + "/" + c.password);
        desktop.messageBoxes.clear();
        app.m_strUserId = c.user;
        app.m_strPassword = c.password;
        ChooseAndCreate(B());
        EXPECT_TRUE(desktop.messageBoxes.empty());
        EXPECT_FALSE(fs::exists(B()));
        ExpectPressedState();
        EXPECT_EQ(files.Sessions(), 1u);
    }
}

TEST_F(BackupPageTest, EngineRefusalBeforeTheCopyKeepsTheChoice) {
    app.m_strPassword = "not the password";  // the workspace's log-on is refused
    ChooseAndCreate(B());
    ASSERT_EQ(desktop.messageBoxes.size(), 2u);
    EXPECT_EQ(desktop.messageBoxes[0].caption, "ADOX Error");
    EXPECT_EQ(desktop.messageBoxes[1].text.rfind("Not a valid account name or password", 0), 0u);
    // The exception left the button handler: B and the button stay as they were.
    EXPECT_EQ(editAfter, B());
    EXPECT_TRUE(enabledAfter);
    EXPECT_FALSE(fs::exists(B()));
}

TEST_F(BackupPageTest, SecondPressIsKeptOutWhileAMessageIsUp) {
    int boxes = 0;
    desktop.onMessageBox = [&](const MessageBoxCall&) {
        if (boxes++ == 0) {
            page.m_strBackupFile = B("second.mdb").c_str();
            Click(page, IDC_CREATE_BACKUP);
            Click(page, IDC_BROWSE_BACKUP);
        }
    };
    ChooseAndCreate(B());
    ExpectOneMessage("Database Backed Up Successfully!", "System Information", MB_OK, true);
    EXPECT_FALSE(fs::exists(B("second.mdb")));
    EXPECT_EQ(desktop.fileDialogs.size(), 1u);
}

}  // namespace
