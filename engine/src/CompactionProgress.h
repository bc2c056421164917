#pragma once

// Progress reports of a compaction from inside SQLite's work. The caller's
// callback runs on the calling thread only; an exception it throws stops
// SQLite and is rethrown once SQLite has returned.

#include <sqlite3.h>

#include <exception>
#include <functional>

#include "talveron/engine/Compaction.h"

namespace talveron::engine {

class ProgressTracker {
public:
    explicit ProgressTracker(const ProgressCallback& callback) : m_callback(callback) {}
    ProgressTracker(const ProgressTracker&) = delete;
    ProgressTracker& operator=(const ProgressTracker&) = delete;

    // Reports `fraction()` every few thousand steps of `db` until detached.
    void attach(sqlite3* db, std::function<double()> fraction);
    static void detach(sqlite3* db);

    // Passes `fraction` on; small steps are skipped, the end never is.
    void report(double fraction);
    bool failed() const noexcept { return static_cast<bool>(m_error); }
    // Rethrows what the callback threw, if it did.
    void rethrow() const;

private:
    static int tick(void* self);

    const ProgressCallback& m_callback;
    std::function<double()> m_fraction;
    double m_last = -1.0;
    std::exception_ptr m_error;
};

}  // namespace talveron::engine
