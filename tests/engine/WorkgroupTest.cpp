#include <sys/stat.h>

#include "EngineTestSupport.h"

namespace talveron::engine::test {
namespace {

using Names = std::vector<std::string>;

class WorkgroupTest : public ::testing::Test {
protected:
    WorkgroupTest()
        : workgroup(Workgroup::create(folder / "system.mdw", "Quill Office",
                                      HashCost::MinimalForTestsOnly)),
          admin(workgroup.authenticate("Admin", "")) {}

    Account addClerk() {
        workgroup.addUser(admin, "Clerk", "Secret");
        return workgroup.authenticate("Clerk", "Secret");
    }

    TempFolder folder;
    Workgroup workgroup;
    Account admin;
};

TEST_F(WorkgroupTest, NewWorkgroupHoldsTheBuiltInAccounts) {
    EXPECT_EQ(workgroup.name(), "Quill Office");
    EXPECT_EQ(workgroup.users(), Names{"Admin"});
    EXPECT_EQ(workgroup.groups(), (Names{"Admins", "Users"}));
    EXPECT_EQ(workgroup.usersOfGroup("Admins"), Names{"Admin"});
    EXPECT_EQ(workgroup.usersOfGroup("Users"), Names{"Admin"});
    EXPECT_EQ(workgroup.groupsOfUser("Admin"), (Names{"Admins", "Users"}));
    EXPECT_TRUE(workgroup.isAdministrator(admin));
    EXPECT_EQ(admin.workgroupId(), workgroup.id());

    const Workgroup other =
        Workgroup::create(folder / "other.mdw", "Quill Office", HashCost::MinimalForTestsOnly);
    EXPECT_EQ(workgroup.id().size(), 32u);
    EXPECT_NE(other.id(), workgroup.id()) << "workgroup IDs are random";

    const Workgroup reopened = Workgroup::open(folder / "system.mdw");
    EXPECT_EQ(reopened.id(), workgroup.id());
    EXPECT_EQ(reopened.groups(), workgroup.groups());
}

TEST_F(WorkgroupTest, CreateRefusesAnExistingFileOrMissingFolderAndBadNames) {
    EXPECT_EQ(errorOf([&] { Workgroup::create(folder / "system.mdw", "W"); }),
              ErrorCode::AlreadyExists);
    EXPECT_EQ(errorOf([&] { Workgroup::create(folder / "missing" / "w.mdw", "W"); }),
              ErrorCode::InvalidPath);
    EXPECT_EQ(errorOf([&] { Workgroup::create(folder / "w.mdw", ""); }), ErrorCode::InvalidName);
    EXPECT_EQ(folder.entries(), Names{"system.mdw"}) << "nothing half-made is left";
}

TEST_F(WorkgroupTest, OpenRefusesWhatIsNotAWorkgroup) {
    std::ofstream(folder / "notes.txt") << "not a workgroup";
    const Workgroup& wg = workgroup;
    Database::create(folder / "data.mdb", wg, admin);
    for (const char* name : {"missing.mdw", "notes.txt", "data.mdb"}) {
        std::string description;
        EXPECT_EQ(errorOf([&] { Workgroup::open(folder / name); }, description),
                  ErrorCode::WorkgroupUnusable)
            << name;
        EXPECT_NE(description.find(name), std::string::npos) << description;
    }
}

TEST_F(WorkgroupTest, AccountNamesMatchWithoutCaseAndPasswordsExactly) {
    addClerk();
    EXPECT_EQ(workgroup.authenticate("cLERK", "Secret").name(), "Clerk");
    EXPECT_EQ(workgroup.authenticate("admin", "").name(), "Admin");
    EXPECT_EQ(workgroup.storedName("CLERK"), "Clerk");
    EXPECT_EQ(workgroup.storedName("nobody"), "");
    EXPECT_TRUE(workgroup.isMember("clerk", "users"));

    const std::pair<const char*, const char*> refused[] = {
        {"Clerk", "secret"},  {"Clerk", "Secret "}, {"Clerk", ""},
        {"Nobody", "Secret"}, {"Admins", ""},       {"Admin", "x"},
    };
    for (const auto& [user, password] : refused) {
        EXPECT_EQ(errorOf([&] { workgroup.authenticate(user, password); }), ErrorCode::BadLogin)
            << user << "/" << password;
    }
}

TEST_F(WorkgroupTest, UsersAndGroupsShareOneNamespaceWithoutRegardToCase) {
    addClerk();
    workgroup.addUser(admin, "Émile", "pw");
    workgroup.addGroup(admin, "Sales");
    const std::function<void()> clashes[] = {
        [&] { workgroup.addUser(admin, "CLERK", "x"); },
        [&] { workgroup.addUser(admin, "émile", "x"); },
        [&] { workgroup.addUser(admin, "sales", "x"); },
        [&] { workgroup.addUser(admin, "USERS", "x"); },
        [&] { workgroup.addGroup(admin, "clerk"); },
        [&] { workgroup.addGroup(admin, "admins"); },
    };
    for (const auto& clash : clashes) {
        EXPECT_EQ(errorOf(clash), ErrorCode::AccountExists);
    }
    EXPECT_EQ(workgroup.users(), (Names{"Admin", "Clerk", "Émile"}));
    EXPECT_EQ(workgroup.groups(), (Names{"Admins", "Users", "Sales"}));
}

TEST_F(WorkgroupTest, NamesMustBeShortPrintableText) {
    const std::string twenty(20, 'n');
    std::string twentyAccented;
    for (int i = 0; i < 20; ++i) {
        twentyAccented += "é";
    }
    for (const std::string& good : {twenty, twentyAccented, std::string("Jo Smith")}) {
        EXPECT_EQ(errorOf([&] { workgroup.addUser(admin, good, ""); }), std::nullopt) << good;
    }
    for (const std::string& bad :
         {std::string(), twenty + "n", std::string("tab\there"), std::string("nl\n"),
          std::string("del\x7f"), std::string("bad\xff utf8"), std::string("c1\xc2\x85")}) {
        EXPECT_EQ(errorOf([&] { workgroup.addUser(admin, bad, ""); }), ErrorCode::InvalidName)
            << bad;
        EXPECT_EQ(errorOf([&] { workgroup.addGroup(admin, bad); }), ErrorCode::InvalidName) << bad;
    }
}

TEST_F(WorkgroupTest, MembershipsKeepTheirOrder) {
    for (const char* user : {"Ann", "Bob", "Cy"}) {
        workgroup.addUser(admin, user, "");
    }
    workgroup.addGroup(admin, "Sales");
    workgroup.addMember(admin, "cy", "sales");
    workgroup.addMember(admin, "Ann", "Sales");
    EXPECT_EQ(workgroup.usersOfGroup("Sales"), (Names{"Cy", "Ann"}));
    EXPECT_EQ(workgroup.usersOfGroup("Users"), (Names{"Admin", "Ann", "Bob", "Cy"}));
    EXPECT_EQ(workgroup.groupsOfUser("Ann"), (Names{"Users", "Sales"}));

    EXPECT_EQ(errorOf([&] { workgroup.addMember(admin, "Ann", "Sales"); }),
              ErrorCode::AccountExists);
    EXPECT_EQ(errorOf([&] { workgroup.addMember(admin, "Sales", "Users"); }),
              ErrorCode::ItemNotFound);
    EXPECT_EQ(errorOf([&] { workgroup.addMember(admin, "Ann", "Bob"); }), ErrorCode::ItemNotFound);
    EXPECT_EQ(errorOf([&] { workgroup.removeMember(admin, "Bob", "Sales"); }),
              ErrorCode::ItemNotFound);
    EXPECT_EQ(errorOf([&] { workgroup.usersOfGroup("Nobody"); }), ErrorCode::ItemNotFound);

    workgroup.removeMember(admin, "Cy", "Sales");
    EXPECT_EQ(workgroup.usersOfGroup("Sales"), Names{"Ann"});
    workgroup.removeUser(admin, "ann");
    EXPECT_EQ(workgroup.usersOfGroup("Sales"), Names{});
    EXPECT_EQ(workgroup.users(), (Names{"Admin", "Bob", "Cy"}));
    workgroup.removeGroup(admin, "Sales");
    EXPECT_EQ(workgroup.groups(), (Names{"Admins", "Users"}));
    EXPECT_EQ(errorOf([&] { workgroup.removeUser(admin, "Ann"); }), ErrorCode::ItemNotFound);
}

TEST_F(WorkgroupTest, OnlyAdministratorsAdminister) {
    const Account clerk = addClerk();
    const std::function<void()> actions[] = {
        [&] { workgroup.addUser(clerk, "Dee", ""); },
        [&] { workgroup.addGroup(clerk, "Sales"); },
        [&] { workgroup.addMember(clerk, "Clerk", "Admins"); },
        [&] { workgroup.removeUser(clerk, "Clerk"); },
        [&] { workgroup.resetPassword(clerk, "Admin", "mine"); },
    };
    for (const auto& action : actions) {
        EXPECT_EQ(errorOf(action), ErrorCode::NoPermission);
    }
    EXPECT_FALSE(workgroup.isAdministrator(clerk));

    // An administrator of another workgroup has no say here.
    const Workgroup other =
        Workgroup::create(folder / "other.mdw", "Other", HashCost::MinimalForTestsOnly);
    const Account foreignAdmin = other.authenticate("Admin", "");
    EXPECT_FALSE(workgroup.isAdministrator(foreignAdmin));
    EXPECT_EQ(errorOf([&] { workgroup.addUser(foreignAdmin, "Dee", ""); }),
              ErrorCode::NoPermission);

    workgroup.addMember(admin, "Clerk", "Admins");
    EXPECT_TRUE(workgroup.isAdministrator(clerk));
    workgroup.addUser(clerk, "Dee", "");
    EXPECT_EQ(workgroup.users(), (Names{"Admin", "Clerk", "Dee"}));
}

TEST_F(WorkgroupTest, BuiltInsAndTheLastAdministratorAreKept) {
    addClerk();
    const std::function<void()> refused[] = {
        [&] { workgroup.removeGroup(admin, "Admins"); },
        [&] { workgroup.removeGroup(admin, "users"); },
        [&] { workgroup.removeUser(admin, "Admin"); },
        [&] { workgroup.removeMember(admin, "Clerk", "Users"); },
        [&] { workgroup.removeMember(admin, "Admin", "Admins"); },
    };
    for (const auto& action : refused) {
        EXPECT_EQ(errorOf(action), ErrorCode::OperationNotAllowed);
    }
    EXPECT_EQ(workgroup.usersOfGroup("Admins"), Names{"Admin"});

    // With a second administrator, Admin may leave "Admins"; the other is then
    // the last and stays.
    workgroup.addMember(admin, "Clerk", "Admins");
    workgroup.removeMember(admin, "Admin", "Admins");
    const Account clerk = workgroup.authenticate("Clerk", "Secret");
    EXPECT_EQ(errorOf([&] { workgroup.removeMember(clerk, "Clerk", "Admins"); }),
              ErrorCode::OperationNotAllowed);
    EXPECT_EQ(workgroup.usersOfGroup("Admins"), Names{"Clerk"});
}

TEST_F(WorkgroupTest, PasswordsChangeGivenTheOldOneOrByAnAdministrator) {
    addClerk();
    EXPECT_EQ(errorOf([&] { workgroup.changePassword("Clerk", "wrong", "New"); }),
              ErrorCode::BadLogin);
    EXPECT_EQ(workgroup.authenticate("Clerk", "Secret").name(), "Clerk");

    workgroup.changePassword("clerk", "Secret", "New one");
    EXPECT_EQ(errorOf([&] { workgroup.authenticate("Clerk", "Secret"); }), ErrorCode::BadLogin);
    EXPECT_EQ(Workgroup::open(workgroup.path()).authenticate("Clerk", "New one").name(), "Clerk");

    workgroup.resetPassword(admin, "CLERK", "");
    EXPECT_EQ(workgroup.authenticate("Clerk", "").name(), "Clerk");
    EXPECT_EQ(errorOf([&] { workgroup.resetPassword(admin, "Nobody", "x"); }),
              ErrorCode::ItemNotFound);
}

TEST_F(WorkgroupTest, StoresArgon2HashesAndNeverThePassword) {
    workgroup.addUser(admin, "Clerk", "Plain-Password-42");
    workgroup.changePassword("Admin", "", "Other-Password-77");
    const std::string bytes = readFile(workgroup.path());
    EXPECT_EQ(bytes.find("Plain-Password-42"), std::string::npos);
    EXPECT_EQ(bytes.find("Other-Password-77"), std::string::npos);
    EXPECT_NE(bytes.find("$argon2id$"), std::string::npos);
}

TEST_F(WorkgroupTest, ReadOnlyWorkgroupRefusesWritesButStillLogsIn) {
    addClerk();
    Workgroup readOnly = Workgroup::open(workgroup.path(), true);
    EXPECT_EQ(readOnly.authenticate("Clerk", "Secret").name(), "Clerk");
    std::string description;
    EXPECT_EQ(errorOf([&] { readOnly.changePassword("Clerk", "Secret", "x"); }, description),
              ErrorCode::ReadOnly);
    EXPECT_NE(description.find("system.mdw"), std::string::npos) << description;

    // A file that this process may not write opens for reading on its own.
    ASSERT_EQ(::chmod(workgroup.path().c_str(), 0444), 0);
    const int result = inChild(
        [&] {
            Workgroup file = Workgroup::open(workgroup.path());
            file.authenticate("Clerk", "Secret");
            file.changePassword("Clerk", "Secret", "x");
        },
        true);
    if (result == -3) {
        GTEST_SKIP() << "cannot drop root privileges to test file permissions";
    }
    EXPECT_EQ(result, static_cast<int>(ErrorCode::ReadOnly));
}

}  // namespace
}  // namespace talveron::engine::test
