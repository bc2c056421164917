#pragma once

// File-system helpers of the engine: errors for errno values, checks of a
// place for a new file, and temporary files published without replacing.

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "talveron/engine/Error.h"

namespace talveron::engine::files {

// A file name for messages: the path in single quotes.
std::string quoted(const std::filesystem::path& file);

// The folder holding `file` ("." for a bare name).
std::filesystem::path folderOf(const std::filesystem::path& file);

// Permission bits for files the engine creates: 0666 less the process umask.
unsigned newFileMode();

// The engine error for errno `err` from `action` (for instance "create") on `file`.
Error errnoError(int err, const std::filesystem::path& file, std::string_view action);

// Throws unless `file` could be created: AlreadyExists when something is there,
// InvalidPath when its folder is missing or not a folder, ReadOnly when the
// folder cannot be written.
void checkNewFileLocation(const std::filesystem::path& file);

// Flushes a folder's entries to disk.
void syncFolder(const std::filesystem::path& folder);

// A file created under a unique hidden name in a folder. Removed when
// destroyed, with any side files SQLite made for it, unless it was published
// under its final name.
class TempFile {
public:
    // Creates an empty file in the folder of `finalName`.
    explicit TempFile(const std::filesystem::path& finalName);
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    const std::filesystem::path& path() const noexcept { return m_path; }
    // The file's current size in bytes.
    std::int64_t size() const noexcept;
    // Starts writing the file's dirty pages to disk without waiting, so that
    // the final flush finds little left to do.
    void startWriteback() const noexcept;
    // Flushes the file's data to disk.
    void sync();
    // Moves the file to `finalName` without ever replacing an existing file
    // (AlreadyExists), then flushes the folder.
    void publish();

private:
    std::filesystem::path m_finalName;
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_published = false;
};

// While it lives, a thread of its own starts the disk writing the file's new
// pages every few milliseconds: the writing overlaps the work that produces
// the file, on another core, and the final flush finds little left to do.
class BackgroundWriteback {
public:
    explicit BackgroundWriteback(const TempFile& file);
    BackgroundWriteback(const BackgroundWriteback&) = delete;
    BackgroundWriteback& operator=(const BackgroundWriteback&) = delete;
    ~BackgroundWriteback();

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace talveron::engine::files
