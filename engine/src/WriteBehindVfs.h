#pragma once

// A VFS over the default one that writes one chosen file behind SQLite's
// back: writes to it are queued and carried out by a thread of their own,
// adjacent pages in one call, so that the kernel's work of taking the pages in
// runs on another core while SQLite builds the next ones. Every other operation on the file first
// waits for the queue to empty, so SQLite always sees the file as it wrote it. Other files pass
// straight through.

#include <sys/types.h>

#include <filesystem>
#include <memory>

namespace talveron::engine::writebehind {

// The name to open connections with; registered on first use.
const char* vfsName();

// While it lives, the file at `path` (which must exist) is written behind
// when a connection of the VFS opens it.
class Target {
public:
    explicit Target(const std::filesystem::path& path);
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    ~Target();

    // The first SQLite error of a queued write, once the file was closed;
    // SQLITE_OK when every write succeeded.
    int error() const noexcept;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

}  // namespace talveron::engine::writebehind
