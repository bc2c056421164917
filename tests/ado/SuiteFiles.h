#pragma once
// Real engine files for the ADO and DAO tests: a workgroup with the built-in
// accounts plus "Alice" (in group "Staff") and a database owned by Admin, in a
// temporary folder that is removed afterwards. Also starts COM for the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/com/comdef.h"
#include "talveron/engine/Error.h"

namespace suitefiles {

inline constexpr const char* kAdminPassword = "admin pw";
inline constexpr const char* kAlicePassword = "alice pw";

class SuiteTest : public ::testing::Test {
protected:
    SuiteTest();
    ~SuiteTest() override;

    std::filesystem::path path(const std::string& name) const { return m_folder / name; }
    // Whether the engine counts a session of the database.
    bool inUse() const;

    std::filesystem::path m_folder;
    std::filesystem::path m_workgroup;
    std::filesystem::path m_database;
};

// The HRESULT under which the object model reports engine or object-model error `number`.
HRESULT ErrorResult(talveron::engine::ErrorCode code);
HRESULT ErrorResult(long number);

// The _com_error that `action` raises, if any.
template <class Action>
std::optional<_com_error> ComErrorOf(Action&& action) {
    try {
        action();
    } catch (const _com_error& e) {
        return e;
    }
    return std::nullopt;
}

// The text of a _bstr_t, with "(null)" for a null one.
inline std::string Text(const _bstr_t& text) {
    const char* narrow = text;
    return narrow != nullptr ? narrow : "(null)";
}

}  // namespace suitefiles
