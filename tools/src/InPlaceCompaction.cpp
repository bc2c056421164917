#include "InPlaceCompaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ExitCode.h"
#include "talveron/engine/Error.h"

namespace talveron::admin {

namespace {

namespace fs = std::filesystem;

// What tells that a file was replaced or written since it was last looked at.
struct FileIdentity {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified;

    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

FileIdentity identityOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        throw CommandError(ExitCode::SystemError,
                           "cannot examine " + path.string() + ": " + std::strerror(errno));
    }
    return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

// A name beside `database` that does not exist yet, with the database's extension.
fs::path freeSiblingName(const fs::path& database) {
    for (int attempt = 0;; ++attempt) {
        fs::path candidate =
            database.parent_path() /
            ("." + database.stem().string() + ".compacting-" + std::to_string(::getpid()) + "-" +
             std::to_string(attempt) + database.extension().string());
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error))) {
            return candidate;
        }
    }
}

// Makes a rename in `folder` durable.
void syncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0 || ::fsync(descriptor) != 0) {
        const int error = errno;
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        throw CommandError(ExitCode::SystemError, "cannot flush the folder " + folder.string() +
                                                      ": " + std::strerror(error));
    }
    ::close(descriptor);
}

}  // namespace

void compactInPlace(const fs::path& database, const std::string& locale,
                    const engine::Credentials& credentials,
                    const engine::ProgressCallback& progress) {
    std::error_code error;
    const fs::path target = fs::canonical(database, error);
    if (error) {
        throw engine::Error(engine::ErrorCode::FileNotFound,
                            "Could not find file '" + database.string() + "': " + error.message(),
                            "talveron-admin");
    }
    const FileIdentity before = identityOf(target);
    const fs::path copy = freeSiblingName(target);
    engine::compact(target, copy, locale, 0, credentials, progress);
    try {
        engine::OpenOptions keepOthersOut;
        keepOthersOut.exclusive = true;
        keepOthersOut.readOnly = true;
        const engine::Database guard = engine::Database::open(target, credentials, keepOthersOut);
        if (!(identityOf(target) == before)) {
            throw CommandError(
                ExitCode::SystemError,
                target.string() + " changed while it was being compacted; it was left as it is");
        }
        fs::permissions(copy, fs::status(target).permissions());
        if (::rename(copy.c_str(), target.c_str()) != 0) {
            throw CommandError(ExitCode::SystemError, "cannot put the compacted copy in place of " +
                                                          target.string() + ": " +
                                                          std::strerror(errno));
        }
        syncFolder(target.parent_path());
    } catch (...) {
        fs::remove(copy, error);
        throw;
    }
}

}  // namespace talveron::admin
