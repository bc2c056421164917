#pragma once

#include <sql.h>

#include <mutex>

#include "Diagnostics.h"

namespace talveron::odbc {

enum class HandleKind { Environment, Connection, Statement };

// The common part of the driver's environment, connection and statement
// handles. Every live handle is registered, so a handle an application passes
// in is used only when it is one of ours and still alive.
class Handle {
public:
    explicit Handle(HandleKind kind);
    virtual ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HandleKind kind() const noexcept { return m_kind; }
    Diagnostics& diagnostics() noexcept { return m_diagnostics; }
    // The ODBC version that the application set on its environment.
    virtual SQLINTEGER odbcVersion() const = 0;

    // The value handed to the application for this handle.
    SQLHANDLE odbcHandle() noexcept { return static_cast<SQLHANDLE>(this); }

    // The live handle behind an application's handle, or nullptr.
    static Handle* find(SQLHANDLE handle) noexcept;

private:
    HandleKind m_kind;
    Diagnostics m_diagnostics;
};

// Every entry point holds this lock for its whole run: the driver's handles and
// the engine's sessions are used by one call at a time.
std::mutex& apiMutex();

template <class T>
T* findHandle(SQLHANDLE handle) noexcept {
    Handle* found = Handle::find(handle);
    if (found == nullptr || found->kind() != T::kKind) {
        return nullptr;
    }
    return static_cast<T*>(found);
}

}  // namespace talveron::odbc
