#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace talveron::engine {

// Cost of the argon2id password hashes written by a workgroup. The cost is
// stored in every hash, so a workgroup keeps verifying hashes of any cost.
enum class HashCost {
    Interactive,          // one pass over 46 MiB: the default
    Moderate,             // libsodium's moderate limits
    MinimalForTestsOnly,  // the smallest cost libsodium accepts: tests and the demo only
};

// An account that proved its password to one workgroup. Only Workgroup makes
// these; administrative operations take one to say who acts.
class Account {
public:
    const std::string& name() const noexcept { return m_name; }  // the stored spelling
    const std::string& workgroupId() const noexcept { return m_workgroupId; }

private:
    friend class Workgroup;
    Account(std::string name, std::string workgroupId)
        : m_name(std::move(name)), m_workgroupId(std::move(workgroupId)) {}
    std::string m_name;
    std::string m_workgroupId;
};

// A workgroup information file: users and groups in one namespace of account
// names (unique without regard to case, kept in their created case), ordered
// memberships and argon2id password hashes. Built-ins: user "Admin" (empty
// password, member of "Admins" and "Users"), groups "Admins" and "Users";
// every user belongs to "Users".
class Workgroup {
public:
    static constexpr std::string_view kAdminUser = "Admin";
    static constexpr std::string_view kAdminsGroup = "Admins";
    static constexpr std::string_view kUsersGroup = "Users";
    static constexpr std::size_t kMaxNameLength = 20;

    // Creates a new file (refused when one exists) with a random workgroup ID.
    static Workgroup create(const std::filesystem::path& path, std::string_view workgroupName,
                            HashCost cost = HashCost::Interactive);
    // Opens an existing file (WorkgroupUnusable when it is missing or not a
    // workgroup file); readOnly opens it without write access. A file or
    // folder that cannot be written opens for reading too, so that logging in
    // still works; a change then fails with ReadOnly.
    static Workgroup open(const std::filesystem::path& path, bool readOnly = false);

    Workgroup(Workgroup&&) noexcept;
    Workgroup& operator=(Workgroup&&) noexcept;
    ~Workgroup();

    const std::filesystem::path& path() const noexcept;
    std::string id() const;
    std::string name() const;

    // Account names match without regard to case, passwords exactly.
    // Throws Error(BadLogin) for an unknown user or a wrong password.
    Account authenticate(std::string_view user, std::string_view password) const;

    // Each list is in a stable order: users and groups by creation, the users
    // of a group in the order they joined it.
    std::vector<std::string> users() const;
    std::vector<std::string> groups() const;
    std::vector<std::string> usersOfGroup(std::string_view group) const;
    std::vector<std::string> groupsOfUser(std::string_view user) const;
    bool isMember(std::string_view user, std::string_view group) const;
    bool isAdministrator(const Account& account) const;  // member of "Admins"
    // The stored spelling of an account name, or empty when there is none.
    std::string storedName(std::string_view name) const;

    // Administrative operations; the acting account must belong to "Admins".
    void addUser(const Account& actor, std::string_view name, std::string_view password);
    void removeUser(const Account& actor, std::string_view name);
    void addGroup(const Account& actor, std::string_view name);
    void removeGroup(const Account& actor, std::string_view name);
    void addMember(const Account& actor, std::string_view user, std::string_view group);
    void removeMember(const Account& actor, std::string_view user, std::string_view group);
    void resetPassword(const Account& actor, std::string_view user, std::string_view newPassword);

    // A user's own change, given the current password.
    void changePassword(std::string_view user, std::string_view oldPassword,
                        std::string_view newPassword);

private:
    struct Impl;
    explicit Workgroup(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace talveron::engine
