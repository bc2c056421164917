// The ADOX catalog over an open connection: groups, their users, and password changes.

#include <gtest/gtest.h>

#include <vector>

#include "SuiteFiles.h"
#include "platform/ado/adox.h"
#include "talveron/engine/Workgroup.h"

namespace {

using namespace suitefiles;
using talveron::engine::ErrorCode;
using talveron::engine::Workgroup;

class AdoxCatalog : public SuiteTest {
protected:
    AdoxCatalog() {
        EXPECT_EQ(m_connection.CreateInstance(__uuidof(Connection)), S_OK);
        m_connection->PutProvider("Microsoft.Jet.OLEDB.4.0");
        m_connection->PutMode(adModeReadWrite);
        const std::string text = "data source='" + m_database.string() +
                                 "';jet oledb:system database='" + m_workgroup.string() + "';";
        m_connection->Open(text.c_str(), "Alice", kAlicePassword, 0);
        EXPECT_EQ(m_catalog.CreateInstance(__uuidof(Catalog)), S_OK);
        _variant_t active(static_cast<IDispatch*>(m_connection));
        m_catalog->PutActiveConnection(active);
    }

    _ConnectionPtr m_connection;
    _CatalogPtr m_catalog;
};

TEST_F(AdoxCatalog, WalksGroupsAndTheirUsersInTheEnginesOrder) {
    const Workgroup workgroup = Workgroup::open(m_workgroup, true);
    std::vector<std::string> groups, expectedGroups = workgroup.groups();
    GroupsPtr all = m_catalog->GetGroups();
    for (short g = 0; g < all->GetCount(); ++g) {
        _GroupPtr group = all->GetItem(_variant_t(g));
        groups.push_back(Text(group->GetName()));
        std::vector<std::string> users;
        UsersPtr members = group->GetUsers();
        for (short u = 0; u < members->GetCount(); ++u) {
            users.push_back(Text(members->GetItem(_variant_t(u))->GetName()));
        }
        EXPECT_EQ(users, workgroup.usersOfGroup(groups.back())) << groups.back();
    }
    EXPECT_EQ(groups, expectedGroups);
    EXPECT_EQ(Text(all->GetItem(_variant_t(static_cast<long>(2)))->GetName()), expectedGroups[2]);
    EXPECT_EQ(Text(all->GetItem(_variant_t("staff"))->GetName()), "Staff");
    EXPECT_EQ(m_catalog->GetUsers()->GetCount(), static_cast<long>(workgroup.users().size()));
}

TEST_F(AdoxCatalog, ItemOutOfRangeIsAnError) {
    GroupsPtr all = m_catalog->GetGroups();
    for (const _variant_t& index : {_variant_t(static_cast<short>(all->GetCount())),
                                    _variant_t(static_cast<short>(-1)), _variant_t("Nobody")}) {
        const auto error = ComErrorOf([&] { all->GetItem(index); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Error(), ErrorResult(adErrItemNotFound));
        EXPECT_FALSE(!error->Description());
    }
}

TEST_F(AdoxCatalog, ChangePasswordChecksTheOldOneAndStoresTheNewOne) {
    _UserPtr alice = m_catalog->GetGroups()->GetItem("Staff")->GetUsers()->GetItem(
        _variant_t(static_cast<short>(0)));
    ASSERT_EQ(Text(alice->GetName()), "Alice");

    const auto error = ComErrorOf([&] { alice->ChangePassword("wrong", "new pw"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Error(), ErrorResult(ErrorCode::BadLogin));
    EXPECT_EQ(Text(error->Source()), talveron::engine::Error::kDefaultSource);

    alice->ChangePassword(kAlicePassword, "n\xC3\xA9w pw");
    const Workgroup workgroup = Workgroup::open(m_workgroup, true);
    EXPECT_NO_THROW(workgroup.authenticate("Alice", "n\xC3\xA9w pw"));
    EXPECT_THROW(workgroup.authenticate("Alice", kAlicePassword), talveron::engine::Error);
}

TEST_F(AdoxCatalog, NeedsAnOpenConnection) {
    _CatalogPtr unbound;
    ASSERT_EQ(unbound.CreateInstance(__uuidof(Catalog)), S_OK);
    auto error = ComErrorOf([&] { unbound->GetGroups(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Error(), ErrorResult(adErrInvalidConnection));

    _ConnectionPtr closed;
    ASSERT_EQ(closed.CreateInstance(__uuidof(Connection)), S_OK);
    error = ComErrorOf(
        [&] { unbound->PutActiveConnection(_variant_t(static_cast<IDispatch*>(closed))); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Error(), ErrorResult(adErrInvalidConnection));

    // Objects already handed out stop working once the connection is closed.
    UsersPtr users = m_catalog->GetGroups()->GetItem("Users")->GetUsers();
    m_connection->Close();
    EXPECT_FALSE(inUse());
    error = ComErrorOf([&] { users->GetCount(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Error(), ErrorResult(adErrInvalidConnection));
}

TEST_F(AdoxCatalog, KeepsItsConnectionAliveUntilReleased) {
    m_connection = nullptr;
    EXPECT_TRUE(inUse()) << "the catalog holds a reference to its connection";
    _variant_t active = m_catalog->GetActiveConnection();
    EXPECT_EQ(active.vt, VT_DISPATCH);
    active.Clear();
    m_catalog = nullptr;
    EXPECT_FALSE(inUse());
}

TEST_F(AdoxCatalog, OpensItsOwnConnectionFromAString) {
    _CatalogPtr own;
    ASSERT_EQ(own.CreateInstance(__uuidof(Catalog)), S_OK);
    const std::string text = "Provider=Microsoft.Jet.OLEDB.4.0;data source='" +
                             m_database.string() + "';jet oledb:system database='" +
                             m_workgroup.string() + "';User ID=Admin;Password='" + kAdminPassword +
                             "'";
    own->PutActiveConnection(text.c_str());
    EXPECT_EQ(own->GetGroups()->GetCount(), 3);
}

}  // namespace
