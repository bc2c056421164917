// The DAO object model over real engine files: log-on, the Users walk,
// compaction, and the Errors collection that reports failures.

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "SuiteFiles.h"
#include "platform/dao/dao.h"
#include "talveron/engine/Compaction.h"
#include "talveron/engine/Database.h"
#include "talveron/engine/Workgroup.h"

namespace {

using namespace suitefiles;
using talveron::engine::ErrorCode;

// 8-bit text in a BSTR, freed at the end of the statement's scope.
class Narrow {
public:
    explicit Narrow(const std::string& text) : m_bstr(DaoAllocString(text)) {}
    ~Narrow() { SysFreeString(m_bstr); }
    Narrow(const Narrow&) = delete;
    Narrow& operator=(const Narrow&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};

VARIANT omitted() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT index(short i) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = i;
    return v;
}

struct LastError {
    short count = 0;
    LONG number = 0;
    std::string source;
    std::string description;
};

class Dao : public SuiteTest {
protected:
    Dao() {
        EXPECT_EQ(DaoStartEngine(&m_engine), S_OK);
        setSystemDb(m_workgroup.string());
    }
    ~Dao() override { DaoStopEngine(&m_engine); }

    void setSystemDb(const std::string& path) {
        EXPECT_EQ(m_engine->put_SystemDB(Narrow(path)), S_OK);
    }
    void setDefaultLogin(const std::string& user, const std::string& password) {
        EXPECT_EQ(m_engine->put_DefaultUser(Narrow(user)), S_OK);
        EXPECT_EQ(m_engine->put_DefaultPassword(Narrow(password)), S_OK);
    }

    HRESULT createWorkspace(const std::string& name, const std::string& user,
                            const std::string& password, DAOWorkspacePtr& workspace) {
        return m_engine->CreateWorkspace(Narrow(name), Narrow(user), Narrow(password), omitted(),
                                         &workspace);
    }

    HRESULT compact(const std::filesystem::path& source, const std::filesystem::path& destination) {
        VARIANT locale;
        VariantInit(&locale);
        locale.vt = VT_BSTR;
        locale.bstrVal = DaoAllocString(dbLangGeneral);
        VARIANT options = index(0);
        const HRESULT hr = m_engine->CompactDatabase(
            Narrow(source.string()), Narrow(destination.string()), locale, options, omitted());
        VariantClear(&locale);
        return hr;
    }

    // The last entry of the engine's Errors collection, as a DAO exception reads it.
    LastError lastError() {
        LastError last;
        DAOErrorsPtr errors;
        EXPECT_EQ(m_engine->get_Errors(&errors), S_OK);
        EXPECT_EQ(errors->get_Count(&last.count), S_OK);
        if (last.count == 0) return last;
        DAOErrorPtr error;
        EXPECT_EQ(errors->get_Item(index(static_cast<short>(last.count - 1)), &error), S_OK);
        BSTR text = nullptr;
        EXPECT_EQ(error->get_Number(&last.number), S_OK);
        EXPECT_EQ(error->get_Source(&text), S_OK);
        last.source = DaoString(text);
        SysFreeString(text);
        EXPECT_EQ(error->get_Description(&text), S_OK);
        last.description = DaoString(text);
        SysFreeString(text);
        return last;
    }

    DAODBEnginePtr m_engine;
};

TEST_F(Dao, EngineNeedsComOnTheThread) {
    HRESULT hr = S_OK;
    std::thread([&] {
        DAODBEngine* engine = nullptr;
        hr = DaoStartEngine(&engine);
        DaoStopEngine(&engine);
    }).join();
    EXPECT_EQ(hr, CO_E_NOTINITIALIZED);
}

TEST_F(Dao, WorkspaceLogsOnAndWalksTheWorkgroupsUsers) {
    DAOWorkspacePtr workspace;
    ASSERT_EQ(createWorkspace("Temp Workspace", "alice", kAlicePassword, workspace), S_OK);
    BSTR text = nullptr;
    ASSERT_EQ(workspace->get_UserName(&text), S_OK);
    EXPECT_EQ(DaoString(text), "Alice") << "the account's stored name";
    SysFreeString(text);

    DAOWorkspacesPtr workspaces;
    ASSERT_EQ(m_engine->get_Workspaces(&workspaces), S_OK);
    ASSERT_EQ(workspaces->Append(workspace), S_OK);
    short count = 0;
    EXPECT_EQ(workspaces->get_Count(&count), S_OK);
    EXPECT_EQ(count, 1);

    DAOUsersPtr users;
    ASSERT_EQ(workspace->get_Users(&users), S_OK);
    ASSERT_EQ(users->get_Count(&count), S_OK);
    std::vector<std::string> names;
    for (short i = 0; i < count; ++i) {
        DAOUserPtr user;
        ASSERT_EQ(users->get_Item(index(i), &user), S_OK);
        ASSERT_EQ(user->get_Name(&text), S_OK);
        names.push_back(DaoString(text));
        SysFreeString(text);
    }
    EXPECT_EQ(names, talveron::engine::Workgroup::open(m_workgroup, true).users());
    DAOUserPtr beyond;
    EXPECT_EQ(users->get_Item(index(count), &beyond), ErrorResult(E_DAO_ItemNotFound));
    EXPECT_EQ(lastError().number, E_DAO_ItemNotFound);

    ASSERT_EQ(workspace->Close(), S_OK);
    EXPECT_EQ(workspaces->get_Count(&count), S_OK);
    EXPECT_EQ(count, 0) << "a closed workspace leaves the collection";
    DAOUsersPtr afterClose;
    EXPECT_EQ(workspace->get_Users(&afterClose), ErrorResult(E_DAO_ObjectInvalid));
}

TEST_F(Dao, WorkspaceRefusalsReachTheErrorsCollection) {
    DAOWorkspacePtr workspace;
    EXPECT_EQ(createWorkspace("W", "Alice", "wrong", workspace), ErrorResult(ErrorCode::BadLogin));
    EXPECT_FALSE(workspace);
    LastError last = lastError();
    EXPECT_EQ(last.count, 1);
    EXPECT_EQ(last.number, static_cast<LONG>(ErrorCode::BadLogin));
    EXPECT_EQ(last.source, talveron::engine::Error::kDefaultSource);
    EXPECT_FALSE(last.description.empty());

    DAOWorkspacePtr first, second;
    ASSERT_EQ(createWorkspace("Temp Workspace", "Admin", kAdminPassword, first), S_OK);
    ASSERT_EQ(createWorkspace("temp workspace", "Alice", kAlicePassword, second), S_OK);
    DAOWorkspacesPtr workspaces;
    ASSERT_EQ(m_engine->get_Workspaces(&workspaces), S_OK);
    ASSERT_EQ(workspaces->Append(first), S_OK);
    EXPECT_EQ(workspaces->Append(second), ErrorResult(E_DAO_ObjectAlreadyInCollection));
    last = lastError();
    EXPECT_EQ(last.count, 1) << "only the last failure is listed";
    EXPECT_EQ(last.number, E_DAO_ObjectAlreadyInCollection);

    VARIANT odbc = index(static_cast<short>(dbUseODBC));
    EXPECT_EQ(m_engine->CreateWorkspace(Narrow("W"), Narrow("Alice"), Narrow(kAlicePassword), odbc,
                                        &workspace),
              ErrorResult(E_DAO_InvalidArgument));

    setSystemDb("");
    EXPECT_EQ(createWorkspace("W", "Alice", kAlicePassword, workspace),
              ErrorResult(ErrorCode::WorkgroupUnusable));
    EXPECT_EQ(lastError().number, static_cast<LONG>(ErrorCode::WorkgroupUnusable));
}

TEST_F(Dao, CompactDatabaseWritesAVerifiedCopyAsTheDefaultUser) {
    setDefaultLogin("Admin", kAdminPassword);
    const auto copy = path("temp.mdb");
    ASSERT_EQ(compact(m_database, copy), S_OK);
    EXPECT_TRUE(std::filesystem::exists(m_database));
    auto database = talveron::engine::Database::open(copy, {m_workgroup, "Admin", kAdminPassword});
    EXPECT_EQ(talveron::engine::recordedLocale(database).toString(),
              talveron::engine::Locale::parse(dbLangGeneral).toString());
}

TEST_F(Dao, CompactDatabaseFailuresCarryTheEngineErrorNumber) {
    setDefaultLogin("Admin", kAdminPassword);
    const auto existing = path("existing.mdb");
    std::ofstream(existing) << "keep me";

    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::filesystem::path destination;
        ErrorCode code;
    };
    std::optional<talveron::engine::Database> session;
    const Case cases[] = {
        {"existing destination", [] {}, existing, ErrorCode::AlreadyExists},
        {"in use",
         [&] {
             session.emplace(talveron::engine::Database::open(
                 m_database, {m_workgroup, "Alice", kAlicePassword}));
         },
         path("t1.mdb"), ErrorCode::InUse},
        {"wrong default password",
         [&] {
             session.reset();
             setDefaultLogin("Admin", "wrong");
         },
         path("t2.mdb"), ErrorCode::BadLogin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        EXPECT_EQ(compact(m_database, c.destination), ErrorResult(c.code));
        const LastError last = lastError();
        EXPECT_EQ(last.count, 1);
        EXPECT_EQ(last.number, static_cast<LONG>(c.code));
        EXPECT_EQ(last.source, talveron::engine::Error::kDefaultSource);
        EXPECT_FALSE(last.description.empty());
    }
    std::ifstream kept(existing);
    std::string content;
    std::getline(kept, content);
    EXPECT_EQ(content, "keep me");
    EXPECT_FALSE(std::filesystem::exists(path("t1.mdb")));
}

}  // namespace
