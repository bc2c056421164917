#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "talveron/engine/Workgroup.h"

namespace talveron::engine {

// Who opens a database: the workgroup file that vouches for the account, and
// the account's name and password.
struct Credentials {
    std::filesystem::path workgroup;
    std::string user;
    std::string password;
};

struct OpenOptions {
    bool exclusive = false;  // no other session may have the database open
    bool readOnly = false;
};

// One session of one database file, registered in the use registry
// ("<base>.ldb" beside the file) for as long as it is open.
class Database {
public:
    // Creates a new database file bound to the workgroup, owned by `owner`.
    // Refused with AlreadyExists when the file exists.
    static void create(const std::filesystem::path& path, const Workgroup& workgroup,
                       const Account& owner);

    // Opens a session. Refuses a missing file (FileNotFound), a file that is not
    // a database of ours (NotADatabase), a damaged one (CorruptDatabase), wrong
    // credentials (BadLogin), a workgroup that is not the bound one
    // (ForeignWorkgroup), an exclusive open while others use it and any open
    // while someone has it exclusively (InUse, naming who), and a file that
    // cannot be written when write access is asked (ReadOnly).
    static Database open(const std::filesystem::path& path, const Credentials& credentials,
                         OpenOptions options = {});

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();  // closes the session and leaves the use registry

    const std::filesystem::path& path() const noexcept;
    const std::string& user() const noexcept;  // the account's stored name
    std::string owner() const;
    std::string workgroupId() const;
    // The locale recorded by the last compaction, in the engine's text form.
    std::string locale() const;
    bool readOnly() const noexcept;
    bool exclusive() const noexcept;

    // The suite's tables (the engine's own metadata is not listed).
    std::vector<std::string> tables() const;

    // Runs one or more SQL statements that return no rows.
    void execute(std::string_view sql);

    // A prepared statement over this session; rows are read as text.
    class Statement {
    public:
        Statement(Statement&&) noexcept;
        Statement& operator=(Statement&&) noexcept;
        ~Statement();
        void bind(int index, std::string_view text);  // 1-based, as text
        void bind(int index, std::int64_t value);
        bool step();  // true while a row is available
        int columnCount() const;
        std::string columnName(int column) const;                 // 0-based
        std::optional<std::string> columnText(int column) const;  // empty for NULL
        std::int64_t changes() const;  // rows changed by the last step of a statement
        void reset();

    private:
        friend class Database;
        struct Impl;
        explicit Statement(std::unique_ptr<Impl> impl);
        std::unique_ptr<Impl> m_impl;
    };
    Statement prepare(std::string_view sql);

private:
    struct Impl;
    explicit Database(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

// The sessions currently registered for a database file, as "user@host (pid)".
std::vector<std::string> sessionsOf(const std::filesystem::path& database);

}  // namespace talveron::engine
