// File lookup, module path, delete and move.

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "WinBase.h"

namespace {

struct FindHandle {
    std::string directory;  // with trailing "/" or empty for the current one
    std::string pattern;
    DIR* dir = nullptr;  // null for a single, plain path
    ~FindHandle() {
        if (dir) closedir(dir);
    }
};

DWORD ErrnoToError(int e) {
    switch (e) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
            return ERROR_ACCESS_DENIED;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        default:
            return ERROR_INVALID_PARAMETER;
    }
}

FILETIME ToFileTime(const timespec& ts) {
    // 100-ns intervals since 1601-01-01.
    constexpr unsigned long long kEpochDiff = 11644473600ULL;
    unsigned long long t = (static_cast<unsigned long long>(ts.tv_sec) + kEpochDiff) * 10000000ULL +
                           static_cast<unsigned long long>(ts.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(t & 0xFFFFFFFFu), static_cast<DWORD>(t >> 32)};
}

bool Fill(const std::string& path, const std::string& name, LPWIN32_FIND_DATAA data) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    std::memset(data, 0, sizeof(*data));
    data->dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (::access(path.c_str(), W_OK) != 0) data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    if (!name.empty() && name[0] == '.') data->dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
    if (data->dwFileAttributes == 0) data->dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    auto size = static_cast<unsigned long long>(st.st_size);
    data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->ftLastWriteTime = ToFileTime(st.st_mtim);
    data->ftLastAccessTime = ToFileTime(st.st_atim);
    data->ftCreationTime = ToFileTime(st.st_ctim);
    std::strncpy(data->cFileName, name.c_str(), MAX_PATH - 1);
    return true;
}

bool NextMatch(FindHandle& h, LPWIN32_FIND_DATAA data) {
    while (dirent* e = readdir(h.dir)) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || fnmatch(h.pattern.c_str(), name.c_str(), 0) != 0)
            continue;
        if (Fill(h.directory + name, name, data)) return true;
    }
    return false;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA data) {
    if (!lpFileName || !*lpFileName || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string path = lpFileName;
    std::size_t slash = path.rfind('/');
    auto h = std::make_unique<FindHandle>();
    h->directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    h->pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (h->pattern.find_first_of("*?") == std::string::npos) {
        if (!Fill(path, h->pattern, data)) {
            SetLastError(ErrnoToError(errno));
            return INVALID_HANDLE_VALUE;
        }
        return h.release();
    }
    h->dir = opendir(h->directory.empty() ? "." : h->directory.c_str());
    if (!h->dir) {
        SetLastError(ErrnoToError(errno));
        return INVALID_HANDLE_VALUE;
    }
    if (!NextMatch(*h, data)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return h.release();
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA data) {
    if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto* h = static_cast<FindHandle*>(hFindFile);
    if (!h->dir || !NextMatch(*h, data)) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
    if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete static_cast<FindHandle*>(hFindFile);
    return TRUE;
}

DWORD GetModuleFileNameA(HMODULE, LPSTR lpFilename, DWORD nSize) {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n < 0 || !lpFilename || nSize == 0) {
        SetLastError(n < 0 ? ErrnoToError(errno) : ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    auto len = static_cast<DWORD>(n);
    if (len >= nSize) {  // truncated, as the platform does: nSize-1 characters and a zero
        std::memcpy(lpFilename, buffer, nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, buffer, len);
    lpFilename[len] = '\0';
    return len;
}

HMODULE GetModuleHandleA(LPCSTR) {
    static int self;
    return reinterpret_cast<HMODULE>(&self);
}

BOOL DeleteFileA(LPCSTR lpFileName) {
    if (::unlink(lpFileName) != 0) {
        SetLastError(ErrnoToError(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL MoveFileA(LPCSTR from, LPCSTR to) {
    // Fails when the target exists, as the platform's move does.
    if (::access(to, F_OK) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (std::rename(from, to) != 0) {
        SetLastError(ErrnoToError(errno));
        return FALSE;
    }
    return TRUE;
}
