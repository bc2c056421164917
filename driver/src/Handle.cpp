#include "Handle.h"

#include <unordered_set>

namespace talveron::odbc {

namespace {

// Guarded by apiMutex(), like every other use of the handles.
std::unordered_set<const void*>& liveHandles() {
    static std::unordered_set<const void*> handles;
    return handles;
}

}  // namespace

Handle::Handle(HandleKind kind) : m_kind(kind) {
    liveHandles().insert(static_cast<const void*>(this));
}

Handle::~Handle() {
    liveHandles().erase(static_cast<const void*>(this));
}

Handle* Handle::find(SQLHANDLE handle) noexcept {
    if (handle == nullptr || !liveHandles().contains(handle)) {
        return nullptr;
    }
    return static_cast<Handle*>(handle);
}

std::mutex& apiMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace talveron::odbc
