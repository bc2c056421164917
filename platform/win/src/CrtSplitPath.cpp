// _splitpath_s over the caller's buffers.

#include "CrtSplitPath.h"
#include "PathParts.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

struct Part {
    char* buffer;
    std::size_t size;
    std::string_view text;
};

}  // namespace

errno_t _splitpath_s(const char* path, char* drive, std::size_t driveNumberOfElements, char* dir,
                     std::size_t dirNumberOfElements, char* fname, std::size_t nameNumberOfElements,
                     char* ext, std::size_t extNumberOfElements) {
    Part parts[] = {{drive, driveNumberOfElements, {}},
                    {dir, dirNumberOfElements, {}},
                    {fname, nameNumberOfElements, {}},
                    {ext, extNumberOfElements, {}}};
    for (const Part& part : parts) {
        if ((part.buffer == nullptr) != (part.size == 0)) return EINVAL;
    }
    if (path == nullptr) return EINVAL;

    const platform::win::PathParts split = platform::win::SplitPathParts(path);
    parts[1].text = split.dir;
    parts[2].text = split.fname;
    parts[3].text = split.ext;

    bool fits = true;
    for (const Part& part : parts) {
        if (part.buffer != nullptr && part.text.size() >= part.size) fits = false;
    }
    for (const Part& part : parts) {
        if (part.buffer == nullptr) continue;
        const std::size_t n = fits ? part.text.size() : 0;
        if (n > 0) std::memcpy(part.buffer, part.text.data(), n);
        part.buffer[n] = '\0';
    }
    return fits ? 0 : ERANGE;
}
