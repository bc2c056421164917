#pragma once

#include <stdexcept>
#include <string>

namespace talveron::engine {

// Error numbers follow the numbering that callers of the suite's engine rely on.
enum class ErrorCode : int {
    InvalidArgument = 3001,      // a malformed argument (locale, option, name)
    DiskFull = 3026,             // not enough space on the disk
    ReadOnly = 3027,             // database or workgroup file cannot be written
    WorkgroupUnusable = 3028,    // workgroup file missing, unreadable or not a workgroup file
    BadLogin = 3029,             // not a valid account name or password
    NoPermission = 3033,         // the account lacks the permission for the operation
    FileNotFound = 3024,         // a named file does not exist
    IoError = 3043,              // disk or operating-system error
    InvalidPath = 3044,          // a path that cannot name a file (missing folder, empty)
    InUse = 3045,                // the file is in use by another session
    CorruptDatabase = 3049,      // the file is a damaged database
    AlreadyExists = 3204,        // the destination exists
    ItemNotFound = 3265,         // account, group or membership not found
    NotADatabase = 3343,         // the file is not a database of this engine
    ForeignWorkgroup = 3350,     // database bound to another workgroup
    AccountExists = 3390,        // an account of that name exists
    InvalidName = 3125,          // an account or group name that is not valid
    DuplicateValue = 3022,       // a row would duplicate a unique key
    OperationNotAllowed = 3032,  // the operation is refused (built-in account, last administrator)
    Cancelled = 3059,            // the caller's progress callback stopped the operation
    SqlError = 3075,             // SQL text that cannot run (syntax, unknown table or column)
    ConstraintViolation = 3317,  // a row breaks a constraint other than a unique key
};

// The one exception type of the engine: a code, a description for a person,
// and the component that raised it.
class Error : public std::runtime_error {
public:
    Error(ErrorCode code, std::string description, std::string source = kDefaultSource);

    ErrorCode code() const noexcept { return m_code; }
    int number() const noexcept { return static_cast<int>(m_code); }
    const std::string& description() const noexcept { return m_description; }
    const std::string& source() const noexcept { return m_source; }

    static constexpr const char* kDefaultSource = "TALVERON Database Engine";

private:
    ErrorCode m_code;
    std::string m_description;
    std::string m_source;
};

}  // namespace talveron::engine
