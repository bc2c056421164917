#pragma once

#include <sql.h>

#include <exception>
#include <mutex>
#include <new>
#include <string>

#include "Diagnostics.h"
#include "Errors.h"
#include "Handle.h"
#include "talveron/engine/Error.h"

namespace talveron::odbc {

// Runs body() and turns whatever it throws into a diagnostic record and
// SQL_ERROR: no exception leaves the driver.
template <class Body>
SQLRETURN guarded(Diagnostics& diagnostics, Body&& body) noexcept {
    try {
        return body();
    } catch (const DriverError& error) {
        diagnostics.add(error.sqlState(), error.what(), error.nativeError());
    } catch (const engine::Error& error) {
        diagnostics.add(statementStateFor(error.code()), error.description(), error.number());
    } catch (const std::bad_alloc&) {
        diagnostics.add("HY001", "Memory allocation error.");
    } catch (const std::exception& error) {
        diagnostics.add("HY000", error.what());
    } catch (...) {
        diagnostics.add("HY000", "Unexpected failure.");
    }
    return SQL_ERROR;
}

// One ODBC call on a handle of kind T: refuses a handle that is not a live one
// of that kind, clears its diagnostics, runs body(T&) under the driver's lock
// and records the return code. Not for calls that free their handle.
template <class T, class Body>
SQLRETURN callOn(SQLHANDLE handle, Body&& body) noexcept {
    std::lock_guard lock(apiMutex());
    T* target = findHandle<T>(handle);
    if (target == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    Diagnostics& diagnostics = target->diagnostics();
    diagnostics.clear();
    const SQLRETURN result = guarded(diagnostics, [&] { return body(*target); });
    diagnostics.returnCode = result;
    return result;
}

}  // namespace talveron::odbc
