#include "UseRegistry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include "Files.h"
#include "talveron/engine/Error.h"

namespace talveron::engine::registry {

namespace fs = std::filesystem;

namespace {

// Layout: byte 0 is the gate; slot i occupies kSlotSize bytes from
// kSlotSize * (i + 1) and holds "user\thost\tpid\tmode" padded with NULs.
constexpr off_t kSlotSize = 256;
constexpr long kMaxSlots = 4096;
constexpr int kAttempts = 200;

off_t slotOffset(long slot) {
    return kSlotSize * (slot + 1);
}

// Takes a lock without waiting; false when another description holds a
// conflicting one.
bool tryLock(int fd, short type, off_t start, off_t length) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
        return true;
    }
    if (errno == EAGAIN || errno == EACCES) {
        return false;
    }
    throw Error(ErrorCode::IoError,
                std::string("Cannot lock the use registry: ") + std::strerror(errno) + ".");
}

// The lock of another description that conflicts with a write lock on the
// range; l_type is F_UNLCK when there is none.
struct flock conflicting(int fd, off_t start, off_t length) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    if (::fcntl(fd, F_OFD_GETLK, &lock) != 0) {
        lock.l_type = F_UNLCK;
    }
    return lock;
}

std::string describeSlot(const std::string& record) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = record.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(record.substr(start, tab - start));
    }
    fields.push_back(record.substr(start));
    if (fields.size() < 3 || fields[0].empty()) {
        return {};
    }
    return fields[0] + "@" + fields[1] + " (" + fields[2] + ")";
}

std::vector<std::string> lockedSlots(int fd) {
    std::vector<std::string> sessions;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return sessions;
    }
    for (long slot = 0; slot < kMaxSlots && slotOffset(slot) < st.st_size; ++slot) {
        if (conflicting(fd, slotOffset(slot), kSlotSize).l_type == F_UNLCK) {
            continue;
        }
        std::string record(static_cast<std::size_t>(kSlotSize), '\0');
        const ssize_t got = ::pread(fd, record.data(), record.size(), slotOffset(slot));
        if (got <= 0) {
            continue;
        }
        record.resize(std::strlen(record.c_str()));
        if (std::string who = describeSlot(record); !who.empty()) {
            sessions.push_back(std::move(who));
        }
    }
    return sessions;
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items) {
        out += (out.empty() ? "" : ", ") + item;
    }
    return out;
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return "localhost";
    }
    return name;
}

// True while the lock file at `path` is the one open as `fd`: a session that
// left last may have removed it between our open and our lock.
bool stillCurrent(int fd, const fs::path& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_ino == named.st_ino && open.st_dev == named.st_dev;
}

// Whoever may read the database may register in its lock file: a reader
// must be seen by those who want the database exclusively.
unsigned lockFileMode(const fs::path& database) {
    struct stat st {};
    if (::stat(database.c_str(), &st) == 0) {
        const unsigned readable = st.st_mode & 0444;
        return readable | (readable >> 1);
    }
    return files::newFileMode();
}

// Opens the lock file, creating it when missing.
int openLockFile(const fs::path& lockFile, const fs::path& database) {
    const unsigned mode = lockFileMode(database);
    const int created = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (created >= 0) {
        ::fchmod(created, mode);
        return created;
    }
    if (errno != EEXIST) {
        return -1;
    }
    return ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
}

}  // namespace

fs::path lockFileOf(const fs::path& database) {
    fs::path lockFile = database;
    lockFile.replace_extension(".ldb");
    return lockFile;
}

std::optional<Session> Session::enter(const fs::path& database, std::string_view user,
                                      bool exclusive, bool mayGoUnregistered) {
    const fs::path lockFile = lockFileOf(database);
    if (lockFile == database) {
        throw Error(ErrorCode::InvalidPath, files::quoted(database) +
                                                " cannot be a database: its extension is the "
                                                "lock file's.");
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = openLockFile(lockFile, database);
        if (fd < 0) {
            const int err = errno;
            if (err == ENOENT) {
                continue;  // removed by a leaving session between two calls
            }
            if (mayGoUnregistered && (err == EACCES || err == EPERM || err == EROFS)) {
                return std::nullopt;
            }
            throw files::errnoError(err, lockFile, "write the lock file");
        }
        Session session(fd, lockFile, -1);
        if (!tryLock(fd, exclusive ? F_WRLCK : F_RDLCK, 0, 1)) {
            const struct flock holder = conflicting(fd, 0, 1);
            if (holder.l_type == F_UNLCK || holder.l_len == 0) {
                // Released meanwhile, or a leaving session holds the whole
                // file while it removes it: try again in a moment.
                session.m_lockFile.clear();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            const std::vector<std::string> who = lockedSlots(fd);
            const std::string holders = who.empty() ? "another session" : joined(who);
            const std::string name = files::quoted(database);
            session.m_lockFile.clear();
            throw Error(
                ErrorCode::InUse,
                holder.l_type == F_WRLCK
                    ? "Could not use " + name + "; it is opened exclusively by " + holders + "."
                    : "Could not use " + name + " exclusively; it is already in use by " + holders +
                          ".");
        }
        if (!stillCurrent(fd, lockFile)) {
            session.m_lockFile.clear();
            continue;
        }
        for (long slot = 0; slot < kMaxSlots; ++slot) {
            if (!tryLock(fd, F_WRLCK, slotOffset(slot), kSlotSize)) {
                continue;
            }
            session.m_slot = slot;
            std::string record = std::string(user) + "\t" + hostName() + "\t" +
                                 std::to_string(::getpid()) + "\t" +
                                 (exclusive ? "exclusive" : "shared");
            record.resize(static_cast<std::size_t>(kSlotSize), '\0');
            if (::pwrite(fd, record.data(), record.size(), slotOffset(slot)) !=
                static_cast<ssize_t>(record.size())) {
                throw files::errnoError(errno, lockFile, "write the lock file");
            }
            return session;
        }
        throw Error(ErrorCode::InUse, "Could not use " + files::quoted(database) +
                                          "; too many sessions have it open.");
    }
    throw Error(ErrorCode::InUse, "Could not use " + files::quoted(database) + "; its lock file " +
                                      files::quoted(lockFile) + " keeps changing.");
}

Session::Session(int fd, fs::path lockFile, long slot)
    : m_fd(fd), m_lockFile(std::move(lockFile)), m_slot(slot) {}

Session::Session(Session&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_lockFile(std::move(other.m_lockFile)),
      m_slot(std::exchange(other.m_slot, -1)) {}

Session& Session::operator=(Session&& other) noexcept {
    if (this != &other) {
        leave();
        m_fd = std::exchange(other.m_fd, -1);
        m_lockFile = std::move(other.m_lockFile);
        m_slot = std::exchange(other.m_slot, -1);
    }
    return *this;
}

Session::~Session() {
    leave();
}

void Session::leave() noexcept {
    if (m_fd < 0) {
        return;
    }
    if (m_slot >= 0) {
        const std::string blank(static_cast<std::size_t>(kSlotSize), '\0');
        (void)!::pwrite(m_fd, blank.data(), blank.size(), slotOffset(m_slot));
    }
    // A lock on the whole file succeeds only when no other session holds any
    // part of it: this one is the last, and removes the file while still
    // holding the lock, so that a newcomer who opened it meanwhile notices.
    try {
        if (!m_lockFile.empty() && tryLock(m_fd, F_WRLCK, 0, 0)) {
            ::unlink(m_lockFile.c_str());
        }
    } catch (const Error&) {
        // Leaving the file behind does no harm: nobody holds a lock in it.
    }
    ::close(m_fd);
    m_fd = -1;
}

std::vector<std::string> sessionsOf(const fs::path& database) {
    const int fd = ::open(lockFileOf(database).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::vector<std::string> sessions = lockedSlots(fd);
    ::close(fd);
    return sessions;
}

}  // namespace talveron::engine::registry
