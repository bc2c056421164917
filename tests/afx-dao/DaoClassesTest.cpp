// The class library's DAO classes over real engine files: the engine's start
// and shut-down, workspaces with their Users walk, compaction, and the
// exceptions that carry the engine's error information.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "FileFaults.h"
#include "SuiteFiles.h"
#include "afxdao.h"
#include "talveron/engine/Database.h"

namespace {

using namespace suitefiles;
namespace engine = talveron::engine;

// Sets an engine text property as the program does: narrow text in a BSTR.
void PutText(HRESULT (DAODBEngine::*put)(BSTR), const std::string& text) {
    BSTR bstr = DaoAllocString(text);
    DAO_CHECK((AfxDaoGetEngine()->*put)(bstr));
    SysFreeString(bstr);
}

std::string SystemDb() {
    BSTR bstr = nullptr;
    DAO_CHECK(AfxDaoGetEngine()->get_SystemDB(&bstr));
    std::string text = DaoString(bstr);
    SysFreeString(bstr);
    return text;
}

short WorkspaceCount() {
    DAOWorkspacesPtr workspaces;
    DAO_CHECK(AfxDaoGetEngine()->get_Workspaces(&workspaces));
    short count = -1;
    DAO_CHECK(workspaces->get_Count(&count));
    return count;
}

// The DAO exception that `action` raises; its code, source and description.
struct Raised {
    bool raised = false;
    bool hasInfo = false;
    LONG code = 0;
    std::string source;
    std::string description;
    std::string message;
};

template <class Action>
Raised DaoErrorOf(Action&& action) {
    Raised r;
    try {
        action();
    } catch (CDaoException* e) {
        r.raised = true;
        r.hasInfo = e->m_pErrorInfo != nullptr;
        if (r.hasInfo) {
            r.code = e->m_pErrorInfo->m_lErrorCode;
            r.source = e->m_pErrorInfo->m_strSource.GetString();
            r.description = e->m_pErrorInfo->m_strDescription.GetString();
        }
        char text[512];
        e->GetErrorMessage(text, sizeof(text));
        r.message = text;
        e->Delete();
    }
    return r;
}

std::vector<std::vector<std::string>> Rows(const std::filesystem::path& database) {
    auto db = engine::Database::open(
        database, {database.parent_path() / "secure.mdw", "Admin", kAdminPassword});
    auto statement = db.prepare("SELECT id, name FROM Parts ORDER BY id");
    std::vector<std::vector<std::string>> rows;
    while (statement.step()) rows.push_back({*statement.columnText(0), *statement.columnText(1)});
    return rows;
}

class DaoClasses : public SuiteTest {
protected:
    DaoClasses() {
        PutText(&DAODBEngine::put_SystemDB, m_workgroup.string());
        PutText(&DAODBEngine::put_DefaultUser, "Admin");
        PutText(&DAODBEngine::put_DefaultPassword, kAdminPassword);
    }
    ~DaoClasses() override {
        platform::SetFileFaultHook({});
        AfxDaoTerm();
    }

    void fillDatabase() {
        auto db = engine::Database::open(m_database, {m_workgroup, "Admin", kAdminPassword});
        db.execute("CREATE TABLE Parts (id INTEGER PRIMARY KEY, name TEXT)");
        std::string rows = "BEGIN;";
        for (int i = 0; i < 200; ++i) {
            rows += "INSERT INTO Parts (name) VALUES ('part " + std::to_string(i) + " " +
                    std::string(400, 'x') + "');";
        }
        db.execute(rows + "COMMIT;");
        db.execute("DELETE FROM Parts WHERE id % 3 <> 0");
    }

    CWinApp m_app;
};

TEST_F(DaoClasses, EngineStartsOnceAndExitInstanceShutsItDown) {
    DAODBEngine* engine = AfxDaoGetEngine();
    EXPECT_EQ(AfxDaoGetEngine(), engine);
    EXPECT_EQ(m_app.m_lpfnDaoTerm, &AfxDaoTerm);

    // Text properties travel as narrow (UTF-8) text.
    const std::string path = (m_folder / "Gruppe \xc3\xa4\xc3\xb6.mdw").string();
    PutText(&DAODBEngine::put_SystemDB, path);
    EXPECT_EQ(SystemDb(), path);

    // Restarting gives a fresh engine without the old settings.
    AfxDaoTerm();
    AfxDaoInit();
    EXPECT_EQ(SystemDb(), "");

    engine = AfxDaoGetEngine();
    engine->AddRef();
    EXPECT_EQ(m_app.ExitInstance(), 0);
    EXPECT_EQ(m_app.m_lpfnDaoTerm, nullptr);
    EXPECT_EQ(engine->Release(), 0u) << "the engine outlived ExitInstance";
}

TEST_F(DaoClasses, WorkspaceLogsOnAndListsTheWorkgroupUsers) {
    CDaoWorkspace workspace;
    workspace.Create("Temp Workspace", "alice", kAlicePassword);
    workspace.Append();
    EXPECT_TRUE(workspace.IsOpen());
    EXPECT_EQ(std::string(workspace.GetName()), "Temp Workspace");
    EXPECT_EQ(std::string(workspace.GetUserName()), "Alice");
    EXPECT_EQ(WorkspaceCount(), 1);

    DAOUsersPtr users;
    DAO_CHECK(workspace.m_pDAOWorkspace->get_Users(&users));
    short count = 0;
    DAO_CHECK(users->get_Count(&count));
    std::vector<std::string> names;
    for (short i = 0; i < count; ++i) {
        DAOUserPtr user;
        DAO_CHECK(users->get_Item(_variant_t(i), &user));
        BSTR name = nullptr;
        DAO_CHECK(user->get_Name(&name));
        names.push_back(DaoString(name));
        SysFreeString(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Admin", "Alice"}));

    workspace.Close();
    EXPECT_FALSE(workspace.IsOpen());
    EXPECT_EQ(workspace.m_pDAOWorkspace, nullptr);
    EXPECT_EQ(WorkspaceCount(), 0);
    workspace.Close();  // closing again does nothing
}

TEST_F(DaoClasses, DestroyingAnOpenWorkspaceClosesIt) {
    {
        CDaoWorkspace workspace;
        workspace.Create("Temp Workspace", "Admin", kAdminPassword);
        workspace.Append();
        EXPECT_EQ(WorkspaceCount(), 1);
    }
    EXPECT_EQ(WorkspaceCount(), 0);
    // A workspace never appended is closed as well.
    CDaoWorkspace unappended;
    unappended.Create("Temp Workspace", "Admin", kAdminPassword);
    EXPECT_EQ(WorkspaceCount(), 0);
}

TEST_F(DaoClasses, FailuresCarryTheEngineError) {
    CDaoWorkspace workspace;
    Raised badLogin = DaoErrorOf([&] { workspace.Create("Temp Workspace", "Admin", "wrong"); });
    ASSERT_TRUE(badLogin.raised);
    ASSERT_TRUE(badLogin.hasInfo);
    EXPECT_EQ(badLogin.code, 3029);
    EXPECT_FALSE(badLogin.source.empty());
    EXPECT_FALSE(badLogin.description.empty());
    EXPECT_EQ(badLogin.message, badLogin.description);
    EXPECT_FALSE(workspace.IsOpen());
    IErrorInfo* left = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &left), S_FALSE) << "the thread's error information was left";

    workspace.Create("Temp Workspace", "Admin", kAdminPassword);
    workspace.Append();
    CDaoWorkspace twin;
    twin.Create("temp workspace", "Admin", kAdminPassword);
    Raised duplicate = DaoErrorOf([&] { twin.Append(); });
    EXPECT_EQ(duplicate.code, 3367);
    EXPECT_EQ(WorkspaceCount(), 1);
}

TEST_F(DaoClasses, ResultCheckRaisesByKind) {
    EXPECT_NO_THROW(DAO_CHECK(S_OK));
    EXPECT_NO_THROW(DAO_CHECK(S_FALSE));
    try {
        DAO_CHECK(E_OUTOFMEMORY);
        ADD_FAILURE() << "nothing raised";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    // The engine's last error (a bad log-on) does not describe this failure,
    // so the exception carries no error information, only its result.
    CDaoWorkspace workspace;
    DaoErrorOf([&] { workspace.Create("W", "Admin", "wrong"); });
    Raised unrelated = DaoErrorOf([] { DAO_CHECK(E_FAIL); });
    ASSERT_TRUE(unrelated.raised);
    EXPECT_FALSE(unrelated.hasInfo);
    EXPECT_EQ(unrelated.message, "A DAO error occurred (0x80004005).");
}

TEST_F(DaoClasses, CompactionWritesAVerifiedCopy) {
    fillDatabase();
    const auto copy = m_folder / "copy.mdb";
    CDaoWorkspace::CompactDatabase(m_database.c_str(), copy.c_str(), dbLangGeneral, 0);
    EXPECT_EQ(Rows(copy), Rows(m_database));
    EXPECT_LT(std::filesystem::file_size(copy), std::filesystem::file_size(m_database));

    // The destination is never replaced.
    const auto before = std::filesystem::file_size(copy);
    EXPECT_EQ(DaoErrorOf([&] {
                  CDaoWorkspace::CompactDatabase(m_database.c_str(), copy.c_str(), dbLangGeneral, 0,
                                                 nullptr);
              }).code,
              3204);
    EXPECT_EQ(std::filesystem::file_size(copy), before);

    // The engine's databases have no database password.
    const auto other = m_folder / "other.mdb";
    EXPECT_EQ(DaoErrorOf([&] {
                  CDaoWorkspace::CompactDatabase(m_database.c_str(), other.c_str(), dbLangGeneral,
                                                 0, "secret");
              }).code,
              3001);
    EXPECT_FALSE(std::filesystem::exists(other));
}

TEST_F(DaoClasses, CompactionNeedsExclusiveUse) {
    auto session = engine::Database::open(m_database, {m_workgroup, "Alice", kAlicePassword});
    const auto copy = m_folder / "copy.mdb";
    Raised inUse =
        DaoErrorOf([&] { CDaoWorkspace::CompactDatabase(m_database.c_str(), copy.c_str()); });
    EXPECT_EQ(inUse.code, 3045);
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST_F(DaoClasses, FaultHookFailsACompactionAsTheEngineWould) {
    const auto copy = m_folder / "copy.mdb";
    std::vector<std::string> phases;
    platform::SetFileFaultHook([&](const platform::FileEvent& e) {
        phases.push_back(e.phase == platform::FilePhase::Before ? "before" : "after");
        EXPECT_EQ(e.operation, platform::FileOperation::Compact);
        EXPECT_EQ(e.path, m_database.string());
        EXPECT_EQ(e.target, copy.string());
        return phases.size() == 1 ? EROFS : 0;
    });
    Raised readOnly =
        DaoErrorOf([&] { CDaoWorkspace::CompactDatabase(m_database.c_str(), copy.c_str()); });
    EXPECT_EQ(readOnly.code, 3027);
    EXPECT_FALSE(std::filesystem::exists(copy));
    CDaoWorkspace::CompactDatabase(m_database.c_str(), copy.c_str());
    EXPECT_EQ(phases, (std::vector<std::string>{"before", "before", "after"}));
}

}  // namespace
