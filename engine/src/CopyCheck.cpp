#include "CopyCheck.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "Sqlite.h"

namespace talveron::engine {

namespace fs = std::filesystem;

namespace {

constexpr int kStepsBetweenStopChecks = 20000;

std::string quotedIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::vector<std::string> tablesOf(const fs::path& copy) {
    const sqlite::Connection db(copy, SQLITE_OPEN_READONLY);
    std::vector<std::string> tables{"sqlite_schema"};
    sqlite::Statement select(db, "SELECT name FROM sqlite_schema WHERE type = 'table'");
    while (select.step()) {
        tables.push_back(select.text(0));
    }
    return tables;
}

// The tables of the copy, handed out one at a time to the checking threads.
// A check of one table covers its indexes; the file's free list and unused
// pages, which a partial check skips, do not exist in a fresh copy.
class CheckRun {
public:
    CheckRun(const fs::path& copy, std::int64_t mapBytes, ProgressTracker& progress, double from,
             double to)
        : m_copy(copy),
          m_mapBytes(mapBytes),
          m_tables(tablesOf(copy)),
          m_progress(progress),
          m_from(from),
          m_to(to) {}

    // Checks tables until none is left or the run stops. The calling thread
    // reports progress; the helper only watches for a stop.
    void work(bool reportsProgress) noexcept {
        try {
            const sqlite::Connection db(m_copy, SQLITE_OPEN_READONLY);
            db.exec("PRAGMA mmap_size = " + std::to_string(m_mapBytes));
            if (reportsProgress) {
                m_progress.attach(db.get(), [this] {
                    return m_from + (m_to - m_from) * static_cast<double>(m_done.load()) /
                                        static_cast<double>(m_tables.size());
                });
            } else {
                sqlite3_progress_handler(db.get(), kStepsBetweenStopChecks, &stopRequested,
                                         &m_stop);
            }
            for (std::size_t i = m_next++; i < m_tables.size() && !m_stop; i = m_next++) {
                checkTable(db, m_tables[i]);
                ++m_done;
            }
        } catch (const Error& error) {
            if (error.code() == ErrorCode::CorruptDatabase) {
                addProblem(error.description());
            } else {
                fail(std::current_exception());
            }
        } catch (...) {
            fail(std::current_exception());
        }
    }

    std::vector<std::string> result() {
        m_progress.rethrow();
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
        return m_problems;
    }

private:
    static int stopRequested(void* flag) {
        return static_cast<std::atomic<bool>*>(flag)->load() ? 1 : 0;
    }

    void checkTable(const sqlite::Connection& db, const std::string& table) {
        sqlite::Statement check(db, "PRAGMA quick_check(" + quotedIdentifier(table) + ")");
        while (check.step()) {
            if (std::string line = check.text(0); line != "ok") {
                addProblem(std::move(line));
            }
        }
    }

    void addProblem(std::string problem) {
        const std::lock_guard lock(m_mutex);
        m_problems.push_back(std::move(problem));
        m_stop = true;
    }

    void fail(std::exception_ptr failure) {
        const std::lock_guard lock(m_mutex);
        if (!m_failure) {
            m_failure = std::move(failure);
        }
        m_stop = true;
    }

    const fs::path& m_copy;
    const std::int64_t m_mapBytes;
    const std::vector<std::string> m_tables;
    ProgressTracker& m_progress;
    const double m_from;
    const double m_to;
    std::atomic<std::size_t> m_next{0};
    std::atomic<std::size_t> m_done{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_problems;
    std::exception_ptr m_failure;
};

}  // namespace

std::vector<std::string> checkCopy(const fs::path& copy, std::int64_t mapBytes,
                                   ProgressTracker& progress, double from, double to) {
    CheckRun run(copy, mapBytes, progress, from, to);
    std::thread helper;
    try {
        helper = std::thread([&run] { run.work(false); });
    } catch (const std::system_error&) {
        // No second thread: the calling thread checks every table itself.
    }
    run.work(true);
    if (helper.joinable()) {
        helper.join();
    }
    return run.result();
}

}  // namespace talveron::engine
