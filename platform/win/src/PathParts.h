#pragma once

// The one splitting rule of the C run-time's path splitters: the folder up to
// and with its last "/", the file name up to its last ".", and the extension
// from that "." on. There are no drive letters here.

#include <string_view>

namespace platform::win {

struct PathParts {
    std::string_view dir;
    std::string_view fname;
    std::string_view ext;
};

inline PathParts SplitPathParts(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = file.rfind('.');
    return {slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1),
            dot == std::string_view::npos ? file : file.substr(0, dot),
            dot == std::string_view::npos ? std::string_view{} : file.substr(dot)};
}

}  // namespace platform::win
