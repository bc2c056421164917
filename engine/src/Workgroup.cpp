#include "talveron/engine/Workgroup.h"

#include <unistd.h>

#include <optional>

#include "AccountName.h"
#include "DatabaseFile.h"
#include "Files.h"
#include "PasswordHash.h"
#include "Sqlite.h"

namespace talveron::engine {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxWorkgroupNameLength = 64;
constexpr std::string_view kWorkgroupFormat = "1";

constexpr std::string_view kSchema = R"sql(
CREATE TABLE workgroup (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE accounts (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    name_key TEXT NOT NULL UNIQUE,
    is_group INTEGER NOT NULL CHECK (is_group IN (0, 1)),
    password_hash TEXT,
    CHECK ((is_group = 1) = (password_hash IS NULL))
);
CREATE TABLE memberships (
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    user_id INTEGER NOT NULL REFERENCES accounts (id),
    group_id INTEGER NOT NULL REFERENCES accounts (id),
    UNIQUE (user_id, group_id)
);
CREATE INDEX memberships_by_group ON memberships (group_id, seq);
)sql";

struct AccountRow {
    std::int64_t id = 0;
    std::string name;
    bool isGroup = false;
    std::string passwordHash;
};

Error unusable(const fs::path& path, std::string_view why) {
    return Error(ErrorCode::WorkgroupUnusable,
                 "The workgroup information file " + files::quoted(path) + " " + std::string(why));
}

std::int64_t insertAccount(const sqlite::Connection& db, std::string_view accountName,
                           const std::optional<std::string>& hash) {
    sqlite::Statement insert(db,
                             "INSERT INTO accounts (name, name_key, is_group, password_hash) "
                             "VALUES (?1, ?2, ?3, ?4)");
    insert.bind(1, accountName)
        .bind(2, names::foldCase(accountName))
        .bind(3, std::int64_t{hash ? 0 : 1});
    if (hash) {
        insert.bind(4, *hash);
    } else {
        insert.bindNull(4);
    }
    insert.run();
    return sqlite3_last_insert_rowid(db.get());
}

void insertMembership(const sqlite::Connection& db, std::int64_t userId, std::int64_t groupId) {
    sqlite::Statement insert(db, "INSERT INTO memberships (user_id, group_id) VALUES (?1, ?2)");
    insert.bind(1, userId).bind(2, groupId).run();
}

}  // namespace

struct Workgroup::Impl {
    fs::path path;
    sqlite::Connection db;
    bool writable = false;
    std::string id;
    std::string name;
    HashCost cost = HashCost::Interactive;

    std::optional<AccountRow> find(std::string_view accountName) const {
        sqlite::Statement select(
            db, "SELECT id, name, is_group, password_hash FROM accounts WHERE name_key = ?1");
        select.bind(1, names::foldCase(accountName));
        if (!select.step()) {
            return std::nullopt;
        }
        return AccountRow{select.integer(0), select.text(1), select.integer(2) != 0,
                          select.text(3)};
    }

    AccountRow findUser(std::string_view user) const {
        auto row = find(user);
        if (!row || row->isGroup) {
            throw Error(ErrorCode::ItemNotFound,
                        "There is no user '" + std::string(user) + "' in the workgroup.");
        }
        return *row;
    }

    AccountRow findGroup(std::string_view group) const {
        auto row = find(group);
        if (!row || !row->isGroup) {
            throw Error(ErrorCode::ItemNotFound,
                        "There is no group '" + std::string(group) + "' in the workgroup.");
        }
        return *row;
    }

    std::vector<std::string> names(std::string_view sql, std::int64_t id = 0) const {
        sqlite::Statement select(db, sql);
        if (id != 0) {
            select.bind(1, id);
        }
        std::vector<std::string> out;
        while (select.step()) {
            out.push_back(select.text(0));
        }
        return out;
    }

    bool isMember(std::int64_t userId, std::int64_t groupId) const {
        sqlite::Statement select(db,
                                 "SELECT 1 FROM memberships WHERE user_id = ?1 AND group_id = ?2");
        select.bind(1, userId).bind(2, groupId);
        return select.step();
    }

    std::int64_t memberCount(std::int64_t groupId) const {
        sqlite::Statement select(db, "SELECT count(*) FROM memberships WHERE group_id = ?1");
        select.bind(1, groupId);
        select.step();
        return select.integer(0);
    }

    void requireWritable() const {
        if (!writable) {
            throw Error(ErrorCode::ReadOnly, "Cannot update the workgroup information file " +
                                                 files::quoted(path) + "; it is read-only.");
        }
    }

    // Checks the actor and runs `body` in a write transaction.
    template <typename Body>
    void administer(const Account& actor, Body&& body) {
        requireWritable();
        sqlite::transaction(db, [&] {
            const auto row = find(actor.name());
            const auto admins = find(Workgroup::kAdminsGroup);
            if (actor.workgroupId() != id || !row || row->isGroup || !admins ||
                !isMember(row->id, admins->id)) {
                throw Error(ErrorCode::NoPermission,
                            "The account '" + actor.name() +
                                "' has no permission to administer the workgroup; only members "
                                "of '" +
                                std::string(Workgroup::kAdminsGroup) + "' have.");
            }
            body();
        });
    }

    void requireUnused(std::string_view accountName) const {
        if (auto row = find(accountName)) {
            throw Error(ErrorCode::AccountExists,
                        "The account name '" + row->name + "' already exists.");
        }
    }

    void setPassword(std::int64_t userId, const std::string& hash) const {
        sqlite::Statement update(db, "UPDATE accounts SET password_hash = ?2 WHERE id = ?1");
        update.bind(1, userId).bind(2, hash).run();
    }

    // Refuses to leave the "Admins" group without a member.
    void keepAnAdministrator(std::int64_t userId) const {
        const AccountRow admins = findGroup(Workgroup::kAdminsGroup);
        if (isMember(userId, admins.id) && memberCount(admins.id) <= 1) {
            throw Error(ErrorCode::OperationNotAllowed,
                        "The group '" + admins.name +
                            "' must keep at least one member; add another administrator first.");
        }
    }
};

Workgroup::Workgroup(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
Workgroup::Workgroup(Workgroup&&) noexcept = default;
Workgroup& Workgroup::operator=(Workgroup&&) noexcept = default;
Workgroup::~Workgroup() = default;

Workgroup Workgroup::create(const fs::path& path, std::string_view workgroupName, HashCost cost) {
    names::validate(workgroupName, kMaxWorkgroupNameLength, "workgroup");
    files::checkNewFileLocation(path);
    // Hash before the file exists: the slow part runs outside any lock.
    const std::string adminHash = passwords::hash("", cost);
    {
        // Built in a hidden file and moved into place, so that no one ever
        // opens a half-made workgroup.
        files::TempFile temp(path);
        {
            sqlite::Connection db(temp.path(), SQLITE_OPEN_READWRITE);
            sqlite::transaction(db, [&] {
                db.exec("PRAGMA application_id = " +
                        std::to_string(dbfile::kWorkgroupApplicationId));
                db.exec(kSchema);
                sqlite::Statement info(db, "INSERT INTO workgroup (key, value) VALUES (?1, ?2)");
                const std::pair<std::string_view, std::string> entries[] = {
                    {"format", std::string(kWorkgroupFormat)},
                    {"name", std::string(workgroupName)},
                    {"id", passwords::randomHex(16)},
                    {"hash_cost", std::string(passwords::costName(cost))},
                };
                for (const auto& [key, value] : entries) {
                    info.bind(1, key).bind(2, value).run();
                    info.reset();
                }
                const std::int64_t admins = insertAccount(db, kAdminsGroup, std::nullopt);
                const std::int64_t users = insertAccount(db, kUsersGroup, std::nullopt);
                const std::int64_t admin = insertAccount(db, kAdminUser, adminHash);
                insertMembership(db, admin, admins);
                insertMembership(db, admin, users);
            });
        }
        temp.sync();
        temp.publish();
    }
    return open(path);
}

Workgroup Workgroup::open(const fs::path& path, bool readOnly) {
    if (path.empty()) {
        throw Error(ErrorCode::WorkgroupUnusable, "No workgroup information file was given.");
    }
    std::optional<std::int32_t> applicationId;
    try {
        applicationId = dbfile::applicationIdOf(path);
    } catch (const Error& error) {
        throw unusable(path, error.code() == ErrorCode::FileNotFound
                                 ? "is missing."
                                 : "cannot be read: " + error.description());
    }
    if (applicationId != dbfile::kWorkgroupApplicationId) {
        throw unusable(path, "is not a workgroup information file.");
    }
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    // Without write access to the file and its folder the workgroup opens for
    // reading only, so that a log-in still works; writes then fail with ReadOnly.
    impl->writable = !readOnly && ::access(path.c_str(), W_OK) == 0 &&
                     ::access(files::folderOf(path).c_str(), W_OK | X_OK) == 0;
    try {
        impl->db =
            sqlite::Connection(path, impl->writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
        if (impl->writable && sqlite3_db_readonly(impl->db.get(), "main") == 1) {
            impl->writable = false;
        }
        sqlite3_busy_timeout(impl->db.get(), 5000);
        sqlite::Statement info(impl->db, "SELECT key, value FROM workgroup");
        while (info.step()) {
            const std::string key = info.text(0);
            if (key == "id") {
                impl->id = info.text(1);
            } else if (key == "name") {
                impl->name = info.text(1);
            } else if (key == "hash_cost") {
                impl->cost = passwords::costFromName(info.text(1));
            }
        }
    } catch (const Error& error) {
        throw unusable(path, "cannot be used: " + error.description());
    }
    if (impl->id.empty()) {
        throw unusable(path, "has no workgroup ID.");
    }
    return Workgroup(std::move(impl));
}

const fs::path& Workgroup::path() const noexcept {
    return m_impl->path;
}
std::string Workgroup::id() const {
    return m_impl->id;
}
std::string Workgroup::name() const {
    return m_impl->name;
}

Account Workgroup::authenticate(std::string_view user, std::string_view password) const {
    const auto row = m_impl->find(user);
    if (!row || row->isGroup) {
        // Spend the time of a real check, so that the answer's delay does not
        // tell whether the account exists.
        if (const auto admin = m_impl->find(kAdminUser); admin && !admin->isGroup) {
            passwords::verify(admin->passwordHash, password);
        }
    } else if (passwords::verify(row->passwordHash, password)) {
        return Account(row->name, m_impl->id);
    }
    throw Error(ErrorCode::BadLogin, "Not a valid account name or password for the workgroup " +
                                         files::quoted(m_impl->path) + ".");
}

std::vector<std::string> Workgroup::users() const {
    return m_impl->names("SELECT name FROM accounts WHERE is_group = 0 ORDER BY id");
}

std::vector<std::string> Workgroup::groups() const {
    return m_impl->names("SELECT name FROM accounts WHERE is_group = 1 ORDER BY id");
}

std::vector<std::string> Workgroup::usersOfGroup(std::string_view group) const {
    return m_impl->names(
        "SELECT a.name FROM memberships m JOIN accounts a ON a.id = m.user_id "
        "WHERE m.group_id = ?1 ORDER BY m.seq",
        m_impl->findGroup(group).id);
}

std::vector<std::string> Workgroup::groupsOfUser(std::string_view user) const {
    return m_impl->names(
        "SELECT a.name FROM memberships m JOIN accounts a ON a.id = m.group_id "
        "WHERE m.user_id = ?1 ORDER BY m.seq",
        m_impl->findUser(user).id);
}

bool Workgroup::isMember(std::string_view user, std::string_view group) const {
    const auto userRow = m_impl->find(user);
    const auto groupRow = m_impl->find(group);
    return userRow && !userRow->isGroup && groupRow && groupRow->isGroup &&
           m_impl->isMember(userRow->id, groupRow->id);
}

bool Workgroup::isAdministrator(const Account& account) const {
    return account.workgroupId() == m_impl->id && isMember(account.name(), kAdminsGroup);
}

std::string Workgroup::storedName(std::string_view name) const {
    const auto row = m_impl->find(name);
    return row ? row->name : std::string();
}

void Workgroup::addUser(const Account& actor, std::string_view name, std::string_view password) {
    names::validate(name, kMaxNameLength, "account");
    const std::string hash = passwords::hash(password, m_impl->cost);
    m_impl->administer(actor, [&] {
        m_impl->requireUnused(name);
        const std::int64_t user = insertAccount(m_impl->db, name, hash);
        insertMembership(m_impl->db, user, m_impl->findGroup(kUsersGroup).id);
    });
}

void Workgroup::removeUser(const Account& actor, std::string_view name) {
    m_impl->administer(actor, [&] {
        const AccountRow user = m_impl->findUser(name);
        if (names::foldCase(user.name) == names::foldCase(kAdminUser)) {
            throw Error(ErrorCode::OperationNotAllowed,
                        "The built-in user '" + user.name + "' cannot be removed.");
        }
        m_impl->keepAnAdministrator(user.id);
        sqlite::Statement drop(m_impl->db, "DELETE FROM memberships WHERE user_id = ?1");
        drop.bind(1, user.id).run();
        sqlite::Statement remove(m_impl->db, "DELETE FROM accounts WHERE id = ?1");
        remove.bind(1, user.id).run();
    });
}

void Workgroup::addGroup(const Account& actor, std::string_view name) {
    names::validate(name, kMaxNameLength, "group");
    m_impl->administer(actor, [&] {
        m_impl->requireUnused(name);
        insertAccount(m_impl->db, name, std::nullopt);
    });
}

void Workgroup::removeGroup(const Account& actor, std::string_view name) {
    m_impl->administer(actor, [&] {
        const AccountRow group = m_impl->findGroup(name);
        const std::string key = names::foldCase(group.name);
        if (key == names::foldCase(kAdminsGroup) || key == names::foldCase(kUsersGroup)) {
            throw Error(ErrorCode::OperationNotAllowed,
                        "The built-in group '" + group.name + "' cannot be removed.");
        }
        sqlite::Statement drop(m_impl->db, "DELETE FROM memberships WHERE group_id = ?1");
        drop.bind(1, group.id).run();
        sqlite::Statement remove(m_impl->db, "DELETE FROM accounts WHERE id = ?1");
        remove.bind(1, group.id).run();
    });
}

void Workgroup::addMember(const Account& actor, std::string_view user, std::string_view group) {
    m_impl->administer(actor, [&] {
        const AccountRow userRow = m_impl->findUser(user);
        const AccountRow groupRow = m_impl->findGroup(group);
        if (m_impl->isMember(userRow.id, groupRow.id)) {
            throw Error(ErrorCode::AccountExists, "The user '" + userRow.name +
                                                      "' already belongs to the group '" +
                                                      groupRow.name + "'.");
        }
        insertMembership(m_impl->db, userRow.id, groupRow.id);
    });
}

void Workgroup::removeMember(const Account& actor, std::string_view user, std::string_view group) {
    m_impl->administer(actor, [&] {
        const AccountRow userRow = m_impl->findUser(user);
        const AccountRow groupRow = m_impl->findGroup(group);
        if (!m_impl->isMember(userRow.id, groupRow.id)) {
            throw Error(ErrorCode::ItemNotFound, "The user '" + userRow.name +
                                                     "' does not belong to the group '" +
                                                     groupRow.name + "'.");
        }
        if (names::foldCase(groupRow.name) == names::foldCase(kUsersGroup)) {
            throw Error(ErrorCode::OperationNotAllowed,
                        "Every user belongs to the group '" + groupRow.name + "'.");
        }
        if (names::foldCase(groupRow.name) == names::foldCase(kAdminsGroup)) {
            m_impl->keepAnAdministrator(userRow.id);
        }
        sqlite::Statement remove(m_impl->db,
                                 "DELETE FROM memberships WHERE user_id = ?1 AND group_id = ?2");
        remove.bind(1, userRow.id).bind(2, groupRow.id).run();
    });
}

void Workgroup::resetPassword(const Account& actor, std::string_view user,
                              std::string_view newPassword) {
    const std::string hash = passwords::hash(newPassword, m_impl->cost);
    m_impl->administer(actor, [&] { m_impl->setPassword(m_impl->findUser(user).id, hash); });
}

void Workgroup::changePassword(std::string_view user, std::string_view oldPassword,
                               std::string_view newPassword) {
    const Account account = authenticate(user, oldPassword);
    m_impl->requireWritable();
    const std::string hash = passwords::hash(newPassword, m_impl->cost);
    sqlite::transaction(m_impl->db, [&] {
        // The account is looked up again inside the transaction: it may have
        // been removed meanwhile.
        m_impl->setPassword(m_impl->findUser(account.name()).id, hash);
    });
}

}  // namespace talveron::engine
