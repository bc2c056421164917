// Moves, deletes, attributes and identities of files with the platform's
// semantics, over the Linux calls that give them: renameat2 without replacing
// (or link and unlink where a file system cannot), rename for an atomic
// replace, and a copy through a temporary file across file systems.

#include "FileOperations.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "FileFaults.h"

namespace {

using platform::CheckFileFault;
using platform::FileOperation;
using platform::FilePhase;

DWORD ErrorFromErrno(int err) {
    switch (err) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return ERROR_PATH_NOT_FOUND;
        case EEXIST:
        case ENOTEMPTY:
            return ERROR_ALREADY_EXISTS;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EBUSY:
            return ERROR_ACCESS_DENIED;
        default:
            return ERROR_INVALID_PARAMETER;
    }
}

// The folder holding `path`: "." for a bare name.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Flushes a folder's entries to disk; best effort, as the move has happened.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The immutable and append-only flags of a file system object (0 when they
// cannot be read).
bool HasProtectedFlags(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    const bool got = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    return got && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0;
}

bool IsReadOnly(const char* path, const struct stat& st) {
    if (S_ISLNK(st.st_mode)) return false;  // a link itself has no such attribute
    return (st.st_mode & 0222) == 0 || HasProtectedFlags(path);
}

// Moves `from` to `to` without replacing anything: the errno value, 0 on success.
int MoveNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != ENOTSUP) return err;
    // The file system cannot rename without replacing: a hard link fails just
    // the same when the name is taken.
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP) return errno;
    // No hard links either (a folder, or a file system without links): the
    // best that is left is a check just before the rename.
    struct stat st {};
    if (::lstat(to, &st) == 0) return EEXIST;
    return ::rename(from, to) == 0 ? 0 : errno;
}

// Copies the regular file `from` into a new temporary file in the folder of
// `to` and puts it under `to` (replacing or not), then removes `from`.
int CopyAcross(const char* from, const char* to, bool replace) {
    struct stat st {};
    if (::stat(from, &st) != 0) return errno;
    if (!S_ISREG(st.st_mode)) return EXDEV;
    const int in = ::open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    std::string pattern = FolderOf(to) + "/." + NameOf(to) + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int out = ::mkostemp(name.data(), O_CLOEXEC);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return err;
    }
    int err = 0;
    off_t offset = 0;
    while (offset < st.st_size) {
        const ssize_t n =
            ::sendfile(out, in, &offset, static_cast<std::size_t>(st.st_size - offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err = n < 0 ? errno : EIO;
            break;
        }
    }
    if (err == 0 && ::fchmod(out, st.st_mode & 07777) != 0) err = errno;
    if (err == 0 && ::fsync(out) != 0) err = errno;
    ::close(in);
    if (::close(out) != 0 && err == 0) err = errno;
    if (err == 0) {
        err =
            replace ? (::rename(name.data(), to) == 0 ? 0 : errno) : MoveNoReplace(name.data(), to);
    }
    if (err != 0) {
        ::unlink(name.data());
        return err;
    }
    // As on the platform, a source that cannot be removed stays where it was.
    ::unlink(from);
    return 0;
}

// The move behind rename and MoveFileExA: the errno value, 0 on success.
int Move(const char* from, const char* to, DWORD flags) {
    if (from == nullptr || to == nullptr || *from == '\0' || *to == '\0') return ENOENT;
    const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
    const FileOperation operation = replace ? FileOperation::Replace : FileOperation::Rename;
    if (const int injected = CheckFileFault(operation, FilePhase::Before, from, to)) {
        return injected;
    }
    int err = 0;
    if (replace) {
        struct stat st {};
        if (::lstat(to, &st) == 0 && (S_ISDIR(st.st_mode) || IsReadOnly(to, st))) return EACCES;
        err = ::rename(from, to) == 0 ? 0 : errno;
    } else {
        err = MoveNoReplace(from, to);
    }
    if (err == EXDEV && (flags & MOVEFILE_COPY_ALLOWED) != 0) err = CopyAcross(from, to, replace);
    if (err != 0) return err;
    if ((flags & MOVEFILE_WRITE_THROUGH) != 0) {
        const std::string target = FolderOf(to);
        const std::string source = FolderOf(from);
        SyncFolder(target);
        if (source != target) SyncFolder(source);
    }
    CheckFileFault(operation, FilePhase::After, from, to);
    return 0;
}

}  // namespace

int _trename(const char* oldname, const char* newname) {
    const int err = Move(oldname, newname, MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
    if (err == 0) return 0;
    errno = err;
    return -1;
}

int _tremove(const char* path) {
    int err = path == nullptr || *path == '\0' ? ENOENT : 0;
    if (err == 0) err = CheckFileFault(FileOperation::Remove, FilePhase::Before, path);
    struct stat st {};
    if (err == 0 && ::lstat(path, &st) != 0) err = errno;
    if (err == 0 && (S_ISDIR(st.st_mode) || IsReadOnly(path, st))) err = EACCES;
    if (err == 0 && ::unlink(path) != 0) err = errno;
    if (err != 0) {
        errno = err;
        return -1;
    }
    SyncFolder(FolderOf(path));
    CheckFileFault(FileOperation::Remove, FilePhase::After, path);
    return 0;
}

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    struct stat st {};
    if (lpFileName == nullptr || ::stat(lpFileName, &st) != 0) {
        SetLastError(ErrorFromErrno(lpFileName == nullptr ? ENOENT : errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (IsReadOnly(lpFileName, st)) attributes |= FILE_ATTRIBUTE_READONLY;
    const std::string name = NameOf(lpFileName);
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    const int err = Move(lpExistingFileName, lpNewFileName, dwFlags);
    SetLastError(ErrorFromErrno(err));
    return err == 0 ? TRUE : FALSE;
}

BOOL GetFileIdA(LPCSTR lpFileName, FILE_ID_INFO* lpFileId) {
    struct stat st {};
    if (lpFileName == nullptr || lpFileId == nullptr || ::stat(lpFileName, &st) != 0) {
        SetLastError(lpFileName && lpFileId ? ErrorFromErrno(errno) : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpFileId->VolumeSerialNumber = static_cast<ULONGLONG>(st.st_dev);
    lpFileId->FileId = static_cast<ULONGLONG>(st.st_ino);
    return TRUE;
}

BOOL CanDeleteFileA(LPCSTR lpFileName) {
    if (lpFileName == nullptr || *lpFileName == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (const int injected =
            CheckFileFault(FileOperation::DeleteCheck, FilePhase::Before, lpFileName)) {
        SetLastError(ErrorFromErrno(injected));
        return FALSE;
    }
    struct stat st {};
    if (::lstat(lpFileName, &st) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    const std::string folder = FolderOf(lpFileName);
    struct stat folderStat {};
    bool allowed = !S_ISDIR(st.st_mode) && !IsReadOnly(lpFileName, st) &&
                   ::stat(folder.c_str(), &folderStat) == 0 &&
                   ::access(folder.c_str(), W_OK | X_OK) == 0;
    // In a folder with the sticky bit only the file's or the folder's owner
    // (or the superuser) may remove an entry.
    const uid_t me = ::geteuid();
    if (allowed && (folderStat.st_mode & S_ISVTX) != 0 && me != 0 && me != st.st_uid &&
        me != folderStat.st_uid) {
        allowed = false;
    }
    SetLastError(allowed ? ERROR_SUCCESS : ERROR_ACCESS_DENIED);
    CheckFileFault(FileOperation::DeleteCheck, FilePhase::After, lpFileName);
    return allowed ? TRUE : FALSE;
}
