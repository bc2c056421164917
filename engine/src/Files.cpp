#include "Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace talveron::engine::files {

namespace fs = std::filesystem;

std::string quoted(const fs::path& file) {
    return "'" + file.string() + "'";
}

fs::path folderOf(const fs::path& file) {
    fs::path folder = file.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

namespace {

// The umask is read from /proc rather than set and restored, which would race
// with other threads creating files.
unsigned processUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<unsigned>(std::stoul(line.substr(6), nullptr, 8));
        }
    }
    return 022;
}

}  // namespace

unsigned newFileMode() {
    static const unsigned mode = 0666u & ~processUmask();
    return mode;
}

Error errnoError(int err, const fs::path& file, std::string_view action) {
    const std::string name = quoted(file);
    const std::string reason = std::strerror(err);
    const std::string verb(action);
    switch (err) {
        case ENOENT:
            return Error(ErrorCode::FileNotFound, "Could not find the file " + name + ".");
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return Error(ErrorCode::InvalidPath, name + " is not a valid path (" + reason + ").");
        case EACCES:
        case EPERM:
        case EROFS:
            return Error(ErrorCode::ReadOnly, "Cannot " + verb + " " + name +
                                                  "; the file or its folder is read-only (" +
                                                  reason + ").");
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return Error(ErrorCode::DiskFull, "Not enough space on the disk to " + verb + " " +
                                                  name + " (" + reason + ").");
        case EEXIST:
            return Error(ErrorCode::AlreadyExists, "The file " + name + " already exists.");
        default:
            return Error(ErrorCode::IoError, "Cannot " + verb + " " + name + ": " + reason + ".");
    }
}

void checkNewFileLocation(const fs::path& file) {
    if (file.empty() || !file.has_filename()) {
        throw Error(ErrorCode::InvalidPath, quoted(file) + " is not a valid file name.");
    }
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0) {
        throw Error(ErrorCode::AlreadyExists, "The file " + quoted(file) + " already exists.");
    }
    const fs::path folder = folderOf(file);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        throw Error(ErrorCode::InvalidPath, quoted(file) + " is not a valid path: the folder " +
                                                quoted(folder) + " does not exist.");
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        throw errnoError(errno, folder, "write in");
    }
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        throw errnoError(errno, folder, "open");
    }
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (rc != 0 && err != EINVAL) {
        throw errnoError(err, folder, "flush");
    }
}

TempFile::TempFile(const fs::path& finalName) : m_finalName(finalName) {
    const std::string pattern =
        (folderOf(finalName) / ("." + finalName.filename().string() + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        throw errnoError(errno, folderOf(finalName), "create a file in");
    }
    m_path = name.data();
    ::fchmod(m_fd, newFileMode());
}

TempFile::~TempFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_published) {
        ::unlink(m_path.c_str());
        // SQLite may leave its side files of the copy behind after a failure.
        for (const char* suffix : {"-journal", "-wal", "-shm"}) {
            ::unlink((m_path.string() + suffix).c_str());
        }
    }
}

std::int64_t TempFile::size() const noexcept {
    struct stat st {};
    return ::fstat(m_fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : 0;
}

void TempFile::startWriteback() const noexcept {
    ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

void TempFile::sync() {
    if (::fdatasync(m_fd) != 0) {
        throw errnoError(errno, m_path, "flush");
    }
}

void TempFile::publish() {
    if (::renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, m_finalName.c_str(), RENAME_NOREPLACE) !=
        0) {
        const int err = errno;
        if (err != EINVAL && err != ENOSYS && err != ENOTSUP) {
            throw errnoError(err, m_finalName, "create");
        }
        // The file system cannot rename without replacing: a hard link fails
        // just the same when the name is taken.
        if (::link(m_path.c_str(), m_finalName.c_str()) != 0) {
            throw errnoError(errno, m_finalName, "create");
        }
        ::unlink(m_path.c_str());
    }
    m_published = true;
    try {
        syncFolder(folderOf(m_finalName));
    } catch (...) {
        // A failure is reported with nothing left under the final name.
        ::unlink(m_finalName.c_str());
        throw;
    }
}

BackgroundWriteback::BackgroundWriteback(const TempFile& file) {
    try {
        m_thread = std::thread([this, &file] {
            std::unique_lock lock(m_mutex);
            while (!m_stop) {
                file.startWriteback();
                m_wake.wait_for(lock, std::chrono::milliseconds(25));
            }
        });
    } catch (const std::system_error&) {
        // Without the thread the final flush does all the writing.
    }
}

BackgroundWriteback::~BackgroundWriteback() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace talveron::engine::files
