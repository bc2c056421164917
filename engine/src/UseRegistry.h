#pragma once

// The use registry of a database: "<base>.ldb" beside the file. Every session
// holds an open-file-description lock on one slot of it that records user,
// host and process; shared sessions hold a read lock on the gate byte and an
// exclusive session a write lock, so the operating system itself arbitrates,
// also between two sessions of one process. The last session to leave
// removes the file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talveron::engine::registry {

std::filesystem::path lockFileOf(const std::filesystem::path& database);

class Session {
public:
    // Registers a session of `user`. Throws InUse naming who has the database
    // open when the mode is refused, and ReadOnly when the lock file cannot be
    // written; with `mayGoUnregistered` an unwritable folder yields nullopt.
    static std::optional<Session> enter(const std::filesystem::path& database,
                                        std::string_view user, bool exclusive,
                                        bool mayGoUnregistered);

    Session(Session&& other) noexcept;
    Session& operator=(Session&& other) noexcept;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

private:
    Session(int fd, std::filesystem::path lockFile, long slot);
    void leave() noexcept;

    int m_fd = -1;
    std::filesystem::path m_lockFile;
    long m_slot = -1;
};

// The sessions registered for a database, as "user@host (pid)".
std::vector<std::string> sessionsOf(const std::filesystem::path& database);

}  // namespace talveron::engine::registry
