#include "CompactionProgress.h"

namespace talveron::engine {

namespace {

// Virtual-machine steps between two reports.
constexpr int kStepsPerTick = 20000;

}  // namespace

void ProgressTracker::attach(sqlite3* db, std::function<double()> fraction) {
    if (!m_callback) {
        return;
    }
    m_fraction = std::move(fraction);
    sqlite3_progress_handler(db, kStepsPerTick, &tick, this);
}

void ProgressTracker::detach(sqlite3* db) {
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
}

void ProgressTracker::report(double fraction) {
    if (!m_callback || (fraction < m_last + 0.005 && fraction < 1.0)) {
        return;
    }
    m_last = fraction;
    m_callback(fraction);
}

void ProgressTracker::rethrow() const {
    if (m_error) {
        std::rethrow_exception(m_error);
    }
}

int ProgressTracker::tick(void* self) {
    auto& tracker = *static_cast<ProgressTracker*>(self);
    try {
        tracker.report(tracker.m_fraction());
        return 0;
    } catch (...) {
        tracker.m_error = std::current_exception();
        return 1;
    }
}

}  // namespace talveron::engine
