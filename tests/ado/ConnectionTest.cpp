// Opening and closing an ADO connection through the Jet OLE DB provider.

#include <gtest/gtest.h>

#include "SuiteFiles.h"
#include "platform/ado/adodb.h"
#include "talveron/engine/Database.h"
#include "talveron/engine/Workgroup.h"

namespace {

using namespace suitefiles;
using talveron::engine::ErrorCode;

// The connection string with each single quote of a path doubled.
std::string connectionString(const std::filesystem::path& database,
                             const std::filesystem::path& workgroup) {
    auto quoted = [](const std::string& path) {
        std::string out = "'";
        for (char c : path) out += c == '\'' ? std::string("''") : std::string(1, c);
        return out + "'";
    };
    return "data source=" + quoted(database.string()) +
           ";jet oledb:system database=" + quoted(workgroup.string()) + ";";
}

class AdoConnection : public SuiteTest {
protected:
    _ConnectionPtr newConnection(const char* provider = "Microsoft.Jet.OLEDB.4.0") {
        _ConnectionPtr connection;
        EXPECT_EQ(connection.CreateInstance(__uuidof(Connection)), S_OK);
        connection->PutProvider(provider);
        connection->PutMode(adModeReadWrite);
        return connection;
    }

    // The engine's own error for opening the database with these credentials.
    talveron::engine::Error engineError(const std::filesystem::path& database,
                                        const std::string& user, const std::string& password) {
        try {
            talveron::engine::Database::open(database, {m_workgroup, user, password});
        } catch (const talveron::engine::Error& e) {
            return e;
        }
        ADD_FAILURE() << "the engine opened the database";
        return talveron::engine::Error(ErrorCode::InvalidArgument, "");
    }
};

TEST_F(AdoConnection, HoldsTheDatabaseFromOpenUntilClose) {
    _ConnectionPtr connection = newConnection();
    EXPECT_EQ(connection->GetState(), adStateClosed);
    connection->Open(connectionString(m_database, m_workgroup).c_str(), "Alice", kAlicePassword, 0);
    EXPECT_EQ(connection->GetState(), adStateOpen);
    EXPECT_TRUE(inUse());
    connection->Close();
    EXPECT_EQ(connection->GetState(), adStateClosed);
    EXPECT_FALSE(inUse());

    // Released while open: the session ends with the object.
    connection->Open(connectionString(m_database, m_workgroup).c_str(), "Admin", kAdminPassword,
                     adConnectUnspecified);
    EXPECT_TRUE(inUse());
    connection = nullptr;
    EXPECT_FALSE(inUse());
}

TEST_F(AdoConnection, OpensAPathHoldingASingleQuoteWrittenDoubled) {
    const auto quoted = path("O'Brien's.mdb");
    auto workgroup = talveron::engine::Workgroup::open(m_workgroup);
    talveron::engine::Database::create(quoted, workgroup,
                                       workgroup.authenticate("Admin", kAdminPassword));
    _ConnectionPtr connection = newConnection();
    connection->Open(connectionString(quoted, m_workgroup).c_str(), "Alice", kAlicePassword, 0);
    EXPECT_FALSE(inUse());
    EXPECT_FALSE(talveron::engine::sessionsOf(quoted).empty());
}

TEST_F(AdoConnection, RefusesWithTheEnginesErrorInformation) {
    struct Case {
        const char* name;
        std::filesystem::path database;
        const char* user;
        const char* password;
        ErrorCode code;
    };
    const Case cases[] = {
        {"wrong password", m_database, "Alice", "not it", ErrorCode::BadLogin},
        {"password case", m_database, "Alice", "ALICE PW", ErrorCode::BadLogin},
        {"unknown user", m_database, "Mallory", kAlicePassword, ErrorCode::BadLogin},
        {"no user ID", m_database, "", "", ErrorCode::BadLogin},
        {"missing file", path("missing.mdb"), "Alice", kAlicePassword, ErrorCode::FileNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        _ConnectionPtr connection = newConnection();
        const auto error = ComErrorOf([&] {
            connection->Open(connectionString(c.database, m_workgroup).c_str(), c.user, c.password,
                             0);
        });
        ASSERT_TRUE(error);
        const auto expected = engineError(c.database, c.user, c.password);
        EXPECT_EQ(error->Error(), ErrorResult(c.code));
        EXPECT_EQ(Text(error->Source()), expected.source());
        EXPECT_EQ(Text(error->Description()), expected.description());
        EXPECT_EQ(connection->GetState(), adStateClosed);
        EXPECT_FALSE(inUse());
    }
}

TEST_F(AdoConnection, RefusesWhatTheProviderCannotUse) {
    struct Case {
        const char* name;
        const char* provider;
        std::string connectionString;
        long number;
    };
    const std::string good = connectionString(m_database, m_workgroup);
    const Case cases[] = {
        {"unknown provider", "SQLOLEDB", good, adErrProviderNotFound},
        {"no provider", "", good, adErrProviderNotFound},
        {"unparsable", "Microsoft.Jet.OLEDB.4.0", "data source='" + m_database.string(),
         adErrInvalidArgument},
        {"quote not doubled", "Microsoft.Jet.OLEDB.4.0",
         "data source='" + path("O'Brien.mdb").string() + "';", adErrInvalidArgument},
        {"no data source", "Microsoft.Jet.OLEDB.4.0",
         "jet oledb:system database='" + m_workgroup.string() + "'", adErrInvalidArgument},
        {"no workgroup", "Microsoft.Jet.OLEDB.4.0", "data source='" + m_database.string() + "'",
         static_cast<long>(ErrorCode::WorkgroupUnusable)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        _ConnectionPtr connection = newConnection(c.provider);
        const auto error = ComErrorOf(
            [&] { connection->Open(c.connectionString.c_str(), "Alice", kAlicePassword, 0); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Error(), ErrorResult(c.number));
        EXPECT_FALSE(!error->Description());
        EXPECT_FALSE(inUse());
    }
}

TEST_F(AdoConnection, ProviderInTheStringAndItsUserIdAreUsed) {
    _ConnectionPtr connection = newConnection("");
    const std::string text = "Provider=microsoft.jet.oledb.4.0;" +
                             connectionString(m_database, m_workgroup) +
                             "User ID=Alice;Password=\"" + kAlicePassword + "\"";
    connection->Open(text.c_str(), "", "", adConnectUnspecified);
    EXPECT_TRUE(inUse());
}

TEST_F(AdoConnection, CloseOrChangesAtTheWrongTimeAreRefused) {
    _ConnectionPtr connection = newConnection();
    auto error = ComErrorOf([&] { connection->Close(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Error(), ErrorResult(adErrObjectClosed));
    EXPECT_EQ(Text(error->Source()), "ADODB.Connection");
    EXPECT_EQ(Text(error->Description()), "Operation is not allowed when the object is closed.");

    connection->Open(connectionString(m_database, m_workgroup).c_str(), "Alice", kAlicePassword, 0);
    error = ComErrorOf([&] { connection->PutProvider("Other"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Error(), ErrorResult(adErrObjectOpen));
    error = ComErrorOf([&] {
        connection->Open(connectionString(m_database, m_workgroup).c_str(), "Alice", kAlicePassword,
                         0);
    });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Error(), ErrorResult(adErrObjectOpen));
    EXPECT_EQ(Text(connection->GetProvider()), "Microsoft.Jet.OLEDB.4.0");
}

}  // namespace
