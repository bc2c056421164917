#include "talveron/engine/Database.h"

#include <strings.h>

#include "DatabaseFile.h"
#include "Files.h"
#include "OpenSession.h"
#include "Sqlite.h"
#include "UseRegistry.h"
#include "talveron/engine/Compaction.h"

namespace talveron::engine {

namespace fs = std::filesystem;

namespace {

bool namesMeta(const char* table) {
    return table != nullptr && ::strcasecmp(table, dbfile::kMetaTable.data()) == 0;
}

// Keeps a session's SQL away from what the engine relies on: its metadata
// table, the file's identity and journal, and other database files (which
// would bypass their own log-in and use registry).
int authorize(void*, int action, const char* first, const char* second, const char*, const char*) {
    switch (action) {
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
        case SQLITE_DROP_TABLE:
        case SQLITE_DROP_TEMP_TABLE:
            return namesMeta(first) ? SQLITE_DENY : SQLITE_OK;
        case SQLITE_ALTER_TABLE:
        case SQLITE_CREATE_INDEX:
        case SQLITE_CREATE_TRIGGER:
        case SQLITE_DROP_INDEX:
        case SQLITE_DROP_TRIGGER:
            return namesMeta(second) ? SQLITE_DENY : SQLITE_OK;
        case SQLITE_ATTACH:
        case SQLITE_DETACH:
            return SQLITE_DENY;
        case SQLITE_PRAGMA: {
            if (second == nullptr || first == nullptr) {
                return SQLITE_OK;  // reading a setting
            }
            for (const char* guarded : {"application_id", "journal_mode", "locking_mode",
                                        "writable_schema", "schema_version"}) {
                if (::strcasecmp(first, guarded) == 0) {
                    return SQLITE_DENY;
                }
            }
            return SQLITE_OK;
        }
        default:
            return SQLITE_OK;
    }
}

}  // namespace

struct Database::Impl {
    fs::path path;
    OpenedSession session;
    bool readOnly = false;
    bool exclusive = false;
};

struct Database::Statement::Impl {
    sqlite::Statement statement;
    std::int64_t changes = 0;
};

void Database::create(const fs::path& path, const Workgroup& workgroup, const Account& owner) {
    if (owner.workgroupId() != workgroup.id()) {
        throw Error(ErrorCode::ForeignWorkgroup, "The owner '" + owner.name() +
                                                     "' does not belong to the workgroup " +
                                                     files::quoted(workgroup.path()) + ".");
    }
    if (registry::lockFileOf(path) == path) {
        throw Error(ErrorCode::InvalidPath, files::quoted(path) +
                                                " cannot be a database: its extension is the "
                                                "lock file's.");
    }
    files::checkNewFileLocation(path);
    files::TempFile temp(path);
    {
        const sqlite::Connection db(temp.path(), SQLITE_OPEN_READWRITE);
        dbfile::createSchema(db, workgroup.id(), owner.name(), Locale{}.toString());
    }
    temp.sync();
    temp.publish();
}

Database Database::open(const fs::path& path, const Credentials& credentials, OpenOptions options) {
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->session = openSession(path, credentials, options);
    impl->readOnly = options.readOnly;
    impl->exclusive = options.exclusive;
    sqlite3_set_authorizer(impl->session.db.get(), authorize, nullptr);
    return Database(std::move(impl));
}

Database::Database(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

const fs::path& Database::path() const noexcept {
    return m_impl->path;
}
const std::string& Database::user() const noexcept {
    return m_impl->session.user;
}
std::string Database::owner() const {
    return m_impl->session.owner;
}
std::string Database::workgroupId() const {
    return m_impl->session.workgroupId;
}
std::string Database::locale() const {
    return dbfile::readMeta(m_impl->session.db, dbfile::kKeyLocale);
}
bool Database::readOnly() const noexcept {
    return m_impl->readOnly;
}
bool Database::exclusive() const noexcept {
    return m_impl->exclusive;
}

std::vector<std::string> Database::tables() const {
    sqlite::Statement select(m_impl->session.db,
                             "SELECT name FROM sqlite_schema WHERE type = 'table' "
                             "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND name <> ?1 "
                             "ORDER BY name");
    select.bind(1, dbfile::kMetaTable);
    std::vector<std::string> names;
    while (select.step()) {
        names.push_back(select.text(0));
    }
    return names;
}

void Database::execute(std::string_view sql) {
    m_impl->session.db.exec(sql);
}

Database::Statement Database::prepare(std::string_view sql) {
    return Statement(std::make_unique<Statement::Impl>(
        Statement::Impl{sqlite::Statement(m_impl->session.db, sql), 0}));
}

Database::Statement::Statement(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
Database::Statement::Statement(Statement&&) noexcept = default;
Database::Statement& Database::Statement::operator=(Statement&&) noexcept = default;
Database::Statement::~Statement() = default;

void Database::Statement::bind(int index, std::string_view text) {
    m_impl->statement.bind(index, text);
}

void Database::Statement::bind(int index, std::int64_t value) {
    m_impl->statement.bind(index, value);
}

bool Database::Statement::step() {
    if (m_impl->statement.step()) {
        return true;
    }
    m_impl->changes = m_impl->statement.readOnly() ? 0 : sqlite3_changes64(m_impl->statement.db());
    return false;
}

int Database::Statement::columnCount() const {
    return m_impl->statement.columnCount();
}

std::string Database::Statement::columnName(int column) const {
    return m_impl->statement.columnName(column);
}

std::optional<std::string> Database::Statement::columnText(int column) const {
    return m_impl->statement.columnText(column);
}

std::int64_t Database::Statement::changes() const {
    return m_impl->changes;
}

void Database::Statement::reset() {
    m_impl->statement.reset();
}

std::vector<std::string> sessionsOf(const fs::path& database) {
    return registry::sessionsOf(database);
}

}  // namespace talveron::engine
