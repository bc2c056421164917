#include "SuiteFiles.h"

#include <cstdlib>

#include "talveron/engine/Database.h"
#include "talveron/engine/Workgroup.h"

namespace suitefiles {

using namespace talveron::engine;

SuiteTest::SuiteTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "platform-db-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_folder = pattern;
    m_workgroup = m_folder / "secure.mdw";
    m_database = m_folder / "suite.mdb";

    Workgroup workgroup = Workgroup::create(m_workgroup, "Suite", HashCost::MinimalForTestsOnly);
    workgroup.changePassword("Admin", "", kAdminPassword);
    const Account admin = workgroup.authenticate("Admin", kAdminPassword);
    workgroup.addGroup(admin, "Staff");
    workgroup.addUser(admin, "Alice", kAlicePassword);
    workgroup.addMember(admin, "Alice", "Staff");
    Database::create(m_database, workgroup, admin);

    EXPECT_EQ(CoInitialize(nullptr), S_OK);
}

SuiteTest::~SuiteTest() {
    CoUninitialize();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

bool SuiteTest::inUse() const {
    return !sessionsOf(m_database).empty();
}

HRESULT ErrorResult(long number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
}
HRESULT ErrorResult(ErrorCode code) {
    return ErrorResult(static_cast<long>(code));
}

}  // namespace suitefiles
