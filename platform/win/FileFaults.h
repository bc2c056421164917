#pragma once

// A seam for tests of code that must not lose files: the platform's file
// operations (FileOperations.h), the DAO compaction and any other operation
// that announces itself here ask an installed hook before they act and tell
// it when they are done. The hook can make an operation fail with an errno
// value of its choice, or end the process at that point. Nothing installs a
// hook outside tests.

#include <functional>
#include <string>

namespace platform {

enum class FileOperation {
    Rename,        // a move that never replaces (rename, MoveFileExA without REPLACE_EXISTING)
    Replace,       // a move over an existing file (MoveFileExA with REPLACE_EXISTING)
    Remove,        // a delete (remove)
    DeleteCheck,   // the test whether a file could be deleted (CanDeleteFileA)
    Compact,       // the database engine writing a compacted copy
    ProfileWrite,  // a write to a profile (INI) file
};

enum class FilePhase { Before, After };

struct FileEvent {
    FileOperation operation;
    FilePhase phase;
    std::string path;    // the file acted on (for a move or a compaction: the source)
    std::string target;  // the destination of a move or a compaction, else empty
};

// Answers an event: 0 lets the operation go on; an errno value makes it fail
// with that error (asked only in the phase Before).
using FileFaultHook = std::function<int(const FileEvent&)>;

// Installs `hook` (an empty one removes it) and returns the previous hook.
FileFaultHook SetFileFaultHook(FileFaultHook hook);

// Tells the hook, if one is installed, of an event; its answer, or 0.
int CheckFileFault(FileOperation operation, FilePhase phase, const char* path,
                   const char* target = nullptr);

// A readable name of an operation, for test output.
const char* FileOperationName(FileOperation operation);

}  // namespace platform
