// The file-fault hook that tests install.

#include "FileFaults.h"

#include <utility>

namespace platform {

namespace {

FileFaultHook& InstalledHook() {
    static FileFaultHook hook;
    return hook;
}

}  // namespace

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
    return std::exchange(InstalledHook(), std::move(hook));
}

int CheckFileFault(FileOperation operation, FilePhase phase, const char* path, const char* target) {
    const FileFaultHook& hook = InstalledHook();
    if (!hook) return 0;
    const int answer = hook(FileEvent{operation, phase, path ? path : "", target ? target : ""});
    return phase == FilePhase::Before ? answer : 0;
}

const char* FileOperationName(FileOperation operation) {
    switch (operation) {
        case FileOperation::Rename:
            return "rename";
        case FileOperation::Replace:
            return "replace";
        case FileOperation::Remove:
            return "remove";
        case FileOperation::DeleteCheck:
            return "delete-check";
        case FileOperation::Compact:
            return "compact";
        case FileOperation::ProfileWrite:
            return "profile-write";
    }
    return "?";
}

}  // namespace platform
