#pragma once

// Opening a session of a database: the file checks, the log-in against the
// bound workgroup and the registration in the use registry. Shared by
// Database::open and compaction.

#include <filesystem>
#include <optional>
#include <string>

#include "Sqlite.h"
#include "UseRegistry.h"
#include "talveron/engine/Database.h"

namespace talveron::engine {

struct OpenedSession {
    // Declared first so that it is destroyed last: the connection is closed
    // before the session leaves the use registry.
    std::optional<registry::Session> registration;
    sqlite::Connection db;
    std::string user;  // the account's stored name
    bool administrator = false;
    std::string owner;
    std::string workgroupId;
};

// `vfs` names the SQLite VFS of the session's connection (the default when null).
OpenedSession openSession(const std::filesystem::path& path, const Credentials& credentials,
                          OpenOptions options, const char* vfs = nullptr);

}  // namespace talveron::engine
