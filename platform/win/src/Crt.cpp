// Path splitting and the multibyte string helpers of the C run-time.

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "CrtCompat.h"
#include "PathParts.h"

namespace {

void CopyPart(char* out, std::size_t capacity, std::string_view part) {
    if (!out) return;
    std::size_t n = std::min(part.size(), capacity - 1);
    if (n > 0) std::memcpy(out, part.data(), n);
    out[n] = '\0';
}

}  // namespace

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    const platform::win::PathParts parts = platform::win::SplitPathParts(path ? path : "");
    CopyPart(drive, _MAX_DRIVE, {});
    CopyPart(dir, _MAX_DIR, parts.dir);
    CopyPart(fname, _MAX_FNAME, parts.fname);
    CopyPart(ext, _MAX_EXT, parts.ext);
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext) {
    std::string out;
    if (drive) out += drive;
    if (dir && *dir) {
        out += dir;
        if (out.back() != '/') out += '/';
    }
    if (fname) out += fname;
    if (ext && *ext) {
        if (*ext != '.') out += '.';
        out += ext;
    }
    CopyPart(path, _MAX_PATH, out);
}

unsigned char* _mbsrchr(const unsigned char* str, unsigned int c) {
    return reinterpret_cast<unsigned char*>(
        const_cast<char*>(std::strrchr(reinterpret_cast<const char*>(str), static_cast<int>(c))));
}

unsigned char* _mbschr(const unsigned char* str, unsigned int c) {
    return reinterpret_cast<unsigned char*>(
        const_cast<char*>(std::strchr(reinterpret_cast<const char*>(str), static_cast<int>(c))));
}

int _mbscmp(const unsigned char* a, const unsigned char* b) {
    int r = std::strcmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int _access(const char* path, int mode) {
    int how = F_OK;
    if (mode & 2) how |= W_OK;
    if (mode & 4) how |= R_OK;
    if (how != F_OK) how &= ~F_OK;
    return ::access(path, how) == 0 ? 0 : -1;
}

int _unlink(const char* path) {
    return ::unlink(path) == 0 ? 0 : -1;
}

int _stricmp(const char* a, const char* b) {
    return ::strcasecmp(a, b);
}
