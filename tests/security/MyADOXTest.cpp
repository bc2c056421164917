// CMyADOX over the real ADO and ADOX objects and the engine's files, with the
// scripted desktop recording the message boxes.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "CatalogErrorReport.h"
#include "MyADOX.h"
#include "OdbcSuite.h"
#include "ScriptedDesktop.h"
#include "platform/com/testing.h"

namespace {

using platform::testing::ScriptedDesktop;
using tarnex::test::kAdminPassword;
using tarnex::test::kClerkPassword;
using tarnex::test::OdbcSuite;

// CMyADOX with its state in view.
class InspectedADOX : public CMyADOX {
public:
    enum State { Empty, Prepared, Open, CatalogWithoutConnection };
    State GetState() const {
        if (m_pConnection == nullptr)
            return m_pCatalog == nullptr ? Empty : CatalogWithoutConnection;
        return m_pCatalog == nullptr ? Prepared : Open;
    }
    CString Provider() { return static_cast<const char*>(m_pConnection->GetProvider()); }
};

class MyADOXTest : public ::testing::Test {
protected:
    explicit MyADOXTest(const std::string& folderName = "suite") : suite({}, folderName) {
        EXPECT_TRUE(adox.InitCom());
    }
    void TearDown() override { comtest::ResetFailures(); }

    CString Database() const { return suite.database.c_str(); }
    CString Workgroup() const { return suite.workgroup.c_str(); }
    // CreateConnection and SetProvider, as the application does before opening.
    void Prepare() {
        ASSERT_TRUE(adox.CreateConnection());
        ASSERT_TRUE(adox.SetProvider("Microsoft.Jet.OLEDB.4.0"));
    }
    BOOL OpenAs(const CString& user, const CString& password) {
        return adox.OpenCatalog(Database(), Workgroup(), user, password);
    }
    void ExpectReportBox(std::size_t index, const std::string& text) {
        ASSERT_GT(desktop.messageBoxes.size(), index);
        const auto& box = desktop.messageBoxes[index];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, "ADOX Error");
        EXPECT_EQ(box.type, MB_OK);  // OK only, no icon
        EXPECT_EQ(box.owner, nullptr);
    }

    OdbcSuite suite;
    ScriptedDesktop desktop;
    InspectedADOX adox;
};

TEST_F(MyADOXTest, LoginChangeAndCloseWalkTheStates) {
    EXPECT_EQ(adox.GetState(), InspectedADOX::Empty);
    Prepare();
    EXPECT_EQ(adox.GetState(), InspectedADOX::Prepared);

    ASSERT_TRUE(OpenAs("Clerk", kClerkPassword));
    EXPECT_EQ(adox.GetState(), InspectedADOX::Open);
    EXPECT_EQ(suite.Sessions(), 1u);

    EXPECT_EQ(adox.ChangeUserPassword("Clerk", kClerkPassword, "new clerk"), 1);
    EXPECT_EQ(adox.GetState(), InspectedADOX::Open);
    EXPECT_TRUE(suite.Accepts("Clerk", "new clerk"));
    EXPECT_FALSE(suite.Accepts("Clerk", kClerkPassword));

    adox.CloseCatalog();
    EXPECT_EQ(adox.GetState(), InspectedADOX::Empty);
    EXPECT_EQ(suite.Sessions(), 0u);
    EXPECT_EQ(adox.ChangeUserPassword("Clerk", "new clerk", "x"), -1);

    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].text, "Password Changes Successfully!");
    EXPECT_EQ(desktop.messageBoxes[0].caption, "System Message");
    EXPECT_EQ(desktop.messageBoxes[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(desktop.messageBoxes[0].owner, nullptr);
}

TEST_F(MyADOXTest, NothingHeldMeansFalseAndNoMessage) {
    EXPECT_FALSE(adox.SetProvider("jet"));
    EXPECT_FALSE(OpenAs("Admin", kAdminPassword));
    EXPECT_EQ(adox.ChangeUserPassword("Admin", kAdminPassword, "x"), -1);
    adox.CloseCatalog();
    EXPECT_EQ(adox.GetState(), InspectedADOX::Empty);
    EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(MyADOXTest, ProviderShortForm) {
    ASSERT_TRUE(adox.CreateConnection());
    const struct {
        const char* given;
        const char* set;
    } cases[] = {
        {"jet", "Microsoft.Jet.OLEDB.4.0"},
        {"JET", "Microsoft.Jet.OLEDB.4.0"},
        {"Jet", "Microsoft.Jet.OLEDB.4.0"},
        {"Microsoft.Jet.OLEDB.4.0", "Microsoft.Jet.OLEDB.4.0"},
        {"jet4", "jet4"},
        {"Other.Provider", "Other.Provider"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(adox.SetProvider(c.given));
        EXPECT_EQ(adox.Provider(), c.set) << c.given;
    }
}

TEST_F(MyADOXTest, ARefusedLoginIsReportedAndReleasesBoth) {
    Prepare();
    EXPECT_FALSE(OpenAs("Admin", "wrong"));
    EXPECT_EQ(adox.GetState(), InspectedADOX::Empty);
    EXPECT_EQ(suite.Sessions(), 0u);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    // The provider's source and description, in the report's layout.
    const std::string& text = desktop.messageBoxes[0].text;
    EXPECT_EQ(text.rfind("Source :  ", 0), 0u) << text;
    EXPECT_NE(text.find(" \ndescription : "), std::string::npos) << text;
    EXPECT_EQ(text.find("(null)"), std::string::npos) << text;
    ExpectReportBox(0, text);
}

TEST_F(MyADOXTest, AMissingPathDoesNotReachTheProvider) {
    Prepare();
    EXPECT_FALSE(adox.OpenCatalog(Database(), "", "Admin", kAdminPassword));
    EXPECT_FALSE(adox.OpenCatalog("", Workgroup(), "Admin", kAdminPassword));
    EXPECT_EQ(adox.GetState(), InspectedADOX::Prepared);
    EXPECT_TRUE(desktop.messageBoxes.empty());

    // Closing the connection that never opened is an error of the connection,
    // shown in the report; both are released all the same.
    adox.CloseCatalog();
    EXPECT_EQ(adox.GetState(), InspectedADOX::Empty);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].caption, "ADOX Error");
}

TEST_F(MyADOXTest, AnErrorWithoutErrorInformationShowsNull) {
    Prepare();
    // The connection opens; creating the catalog object then fails.
    comtest::FailNextCoCreateInstance(E_OUTOFMEMORY);
    EXPECT_FALSE(OpenAs("Admin", kAdminPassword));
    ExpectReportBox(0, "Source :  (null) \ndescription : (null)");
    EXPECT_EQ(adox.GetState(), InspectedADOX::Empty);
    EXPECT_EQ(suite.Sessions(), 0u);
}

TEST_F(MyADOXTest, CreateConnectionRaisesItsFailureAndClosesFirst) {
    Prepare();
    ASSERT_TRUE(OpenAs("Admin", kAdminPassword));

    // A new connection object replaces the open one, which is closed first.
    ASSERT_TRUE(adox.CreateConnection());
    EXPECT_EQ(adox.GetState(), InspectedADOX::Prepared);
    EXPECT_EQ(suite.Sessions(), 0u);

    // A failed creation leaves nothing held, the open connection closed.
    ASSERT_TRUE(adox.SetProvider("jet"));
    ASSERT_TRUE(OpenAs("Admin", kAdminPassword));
    comtest::FailNextCoCreateInstance(REGDB_E_CLASSNOTREG);
    try {
        adox.CreateConnection();
        ADD_FAILURE() << "no error raised";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), REGDB_E_CLASSNOTREG);
    }
    EXPECT_EQ(adox.GetState(), InspectedADOX::Empty);
    EXPECT_EQ(suite.Sessions(), 0u);
    EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(MyADOXTest, PasswordChangeFindsOnlyTheExactNameThroughItsFirstGroup) {
    Prepare();
    ASSERT_TRUE(OpenAs("Admin", kAdminPassword));

    // Letter case matters for the search; unknown names are not found either.
    EXPECT_EQ(adox.ChangeUserPassword("admin", kAdminPassword, "other"), 0);
    EXPECT_EQ(adox.ChangeUserPassword("Nobody", kAdminPassword, "other"), 0);
    EXPECT_TRUE(desktop.messageBoxes.empty());
    EXPECT_TRUE(suite.Accepts("Admin", kAdminPassword));

    // Admin is in "Admins" and "Users": changed once, through the first.
    EXPECT_EQ(adox.ChangeUserPassword("Admin", kAdminPassword, "changed"), 1);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].text, "Password Changes Successfully!");
    EXPECT_TRUE(suite.Accepts("Admin", "changed"));
}

TEST_F(MyADOXTest, AWrongOldPasswordIsReportedAndKeepsTheCatalog) {
    Prepare();
    ASSERT_TRUE(OpenAs("Admin", kAdminPassword));
    EXPECT_EQ(adox.ChangeUserPassword("Clerk", "not clerk's", "new"), 0);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].caption, "ADOX Error");
    EXPECT_EQ(desktop.messageBoxes[0].text.rfind("Source :  ", 0), 0u);
    EXPECT_EQ(adox.GetState(), InspectedADOX::Open);
    EXPECT_TRUE(suite.Accepts("Clerk", kClerkPassword));
}

TEST_F(MyADOXTest, DestructionClosesTheOpenConnection) {
    {
        InspectedADOX other;
        ASSERT_TRUE(other.InitCom());
        ASSERT_TRUE(other.CreateConnection());
        ASSERT_TRUE(other.SetProvider("jet"));
        ASSERT_TRUE(other.OpenCatalog(Database(), Workgroup(), "Admin", kAdminPassword));
        EXPECT_EQ(suite.Sessions(), 1u);
    }
    EXPECT_EQ(suite.Sessions(), 0u);
    EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(MyADOXTest, ConnectionStringOfPlainPaths) {
    EXPECT_EQ(CMyADOX::BuildConnectionString("/data/main.mdb", "/data/secure.mdw"),
              "data source='/data/main.mdb';jet oledb:system database='/data/secure.mdw';");
    EXPECT_EQ(CMyADOX::BuildConnectionString("/a b/x;y.mdb", "/c\"d/w.mdw"),
              "data source='/a b/x;y.mdb';jet oledb:system database='/c\"d/w.mdw';");
    // A quote of the path itself is written twice, as the provider reads it.
    EXPECT_EQ(CMyADOX::BuildConnectionString("/Bob's/main.mdb", "/Bob's/secure.mdw"),
              "data source='/Bob''s/main.mdb';jet oledb:system database='/Bob''s/secure.mdw';");
}

class QuotedFolderTest : public MyADOXTest {
protected:
    QuotedFolderTest() : MyADOXTest("Bob's files") {}
};

TEST_F(QuotedFolderTest, FilesInAFolderWithAQuoteOpen) {
    Prepare();
    EXPECT_TRUE(OpenAs("Admin", kAdminPassword));
    EXPECT_EQ(adox.GetState(), InspectedADOX::Open);
    EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST(CatalogErrorReportTest, LongTextsAreShownWhole) {
    ScriptedDesktop desktop;
    const std::string source(300, 's');
    const std::string description = std::string(400, 'd') + " end";
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    IErrorInfo* info = nullptr;
    ReportComError(E_FAIL, __uuidof(IUnknown), source, description);
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    {
        const _com_error error(E_FAIL, info);
        ReportCatalogError(error);
    }
    CoUninitialize();
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].text,
              "Source :  " + source + " \ndescription : " + description);
}

TEST(MyADOXComTest, InitComStartsComUntilDestruction) {
    // On a thread of its own, so that only this object starts COM there.
    std::thread([] {
        {
            CMyADOX adox;
            EXPECT_TRUE(adox.InitCom());
            _ConnectionPtr connection;
            EXPECT_EQ(connection.CreateInstance(__uuidof(Connection)), S_OK);
        }
        _ConnectionPtr connection;
        EXPECT_EQ(connection.CreateInstance(__uuidof(Connection)), CO_E_NOTINITIALIZED);
    }).join();
}

TEST(MyADOXComTest, AFailedStartEndsNothing) {
    std::thread([] {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        {
            CMyADOX adox;
            comtest::FailNextCoInitialize(E_OUTOFMEMORY);
            EXPECT_FALSE(adox.InitCom());
        }
        // COM started by the thread itself still runs.
        _ConnectionPtr connection;
        EXPECT_EQ(connection.CreateInstance(__uuidof(Connection)), S_OK);
        connection = nullptr;
        CoUninitialize();
    }).join();
}

}  // namespace
