#include "talveron/engine/Compaction.h"

#include <algorithm>
#include <exception>

#include "AccountName.h"
#include "DatabaseFile.h"
#include "Files.h"
#include "OpenSession.h"
#include "Sqlite.h"

namespace talveron::engine {

namespace fs = std::filesystem;

namespace {

// Share of the progress taken by writing the copy; verifying takes the rest.
constexpr double kCopyShare = 0.9;
// Virtual-machine steps between two progress checks.
constexpr int kStepsPerTick = 20000;

// Reports progress while SQLite works, from the growth of the copy. An
// exception of the caller's callback stops SQLite and is rethrown afterwards.
class ProgressTracker {
public:
    ProgressTracker(const ProgressCallback& callback, const files::TempFile& copy,
                    std::int64_t expectedBytes)
        : m_callback(callback), m_copy(copy), m_expectedBytes(std::max<std::int64_t>(1, expectedBytes)) {}

    void attach(sqlite3* db) { sqlite3_progress_handler(db, kStepsPerTick, &tick, this); }
    static void detach(sqlite3* db) { sqlite3_progress_handler(db, 0, nullptr, nullptr); }

    void report(double fraction) {
        if (!m_callback || fraction < m_last + 0.005) {
            return;
        }
        m_last = fraction;
        m_callback(fraction);
    }

    // Rethrows what the callback threw, if it did.
    void rethrow() const {
        if (m_error) {
            std::rethrow_exception(m_error);
        }
    }

private:
    static int tick(void* self) {
        auto& tracker = *static_cast<ProgressTracker*>(self);
        if (!tracker.m_callback) {
            return 0;
        }
        const double copied = static_cast<double>(tracker.m_copy.size()) /
                              static_cast<double>(tracker.m_expectedBytes);
        try {
            tracker.report(std::min(copied, 1.0) * kCopyShare);
            return 0;
        } catch (...) {
            tracker.m_error = std::current_exception();
            return 1;
        }
    }

    const ProgressCallback& m_callback;
    const files::TempFile& m_copy;
    std::int64_t m_expectedBytes;
    double m_last = -1.0;
    std::exception_ptr m_error;
};

void requireCompactPermission(const OpenedSession& session, const fs::path& source) {
    if (session.administrator || names::foldCase(session.owner) == names::foldCase(session.user)) {
        return;
    }
    throw Error(ErrorCode::NoPermission,
                "The account '" + session.user + "' may not compact " + files::quoted(source) +
                    ": only its owner or a member of 'Admins' may.");
}

// Writes the compacted copy of the session's database into `copy`. Damage
// read from the source is reported against the source, anything else (a
// full disk above all) against the destination.
void writeCopy(const sqlite::Connection& source, const fs::path& copyPath,
               const fs::path& destination, ProgressTracker& tracker) {
    sqlite::Statement vacuum(source, "VACUUM INTO ?1");
    vacuum.bind(1, copyPath.string());
    tracker.attach(source.get());
    const int rc = vacuum.tryStep();
    ProgressTracker::detach(source.get());
    if (rc == SQLITE_DONE) {
        return;
    }
    tracker.rethrow();
    const int primary = rc & 0xff;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) {
        sqlite::raise(rc, source.get(), source.file());
    }
    sqlite::raise(rc, source.get(), destination);
}

// Records the locale in the copy and checks the copy's structure.
void finishAndVerify(const fs::path& copyPath, const fs::path& source, const Locale& locale,
                     std::int64_t mapBytes, ProgressTracker& tracker) {
    const sqlite::Connection copy(copyPath, SQLITE_OPEN_READWRITE);
    // The copy is a private file until it is verified and published, so it
    // needs no journal; it is flushed to disk once, at the end.
    copy.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA mmap_size = " +
              std::to_string(mapBytes));
    std::string problems;
    try {
        dbfile::writeMeta(copy, dbfile::kKeyLocale, locale.toString());
        tracker.attach(copy.get());
        sqlite::Statement check(copy, "PRAGMA quick_check");
        while (check.step()) {
            const std::string line = check.text(0);
            if (line != "ok") {
                problems += (problems.empty() ? "" : "; ") + line;
            }
        }
        ProgressTracker::detach(copy.get());
    } catch (const Error& error) {
        tracker.rethrow();
        if (error.code() != ErrorCode::CorruptDatabase) {
            throw;
        }
        problems = error.description();
    }
    if (!problems.empty()) {
        throw Error(ErrorCode::CorruptDatabase,
                    "The database " + files::quoted(source) +
                        " is damaged; its compacted copy failed verification (" + problems + ").");
    }
    if (dbfile::readMeta(copy, dbfile::kKeyWorkgroupId).empty()) {
        throw Error(ErrorCode::CorruptDatabase,
                    "The compacted copy of " + files::quoted(source) + " lost its metadata.");
    }
}

}  // namespace

void compact(const fs::path& source, const fs::path& destination, std::string_view locale,
             int options, const Credentials& credentials, const ProgressCallback& progress) {
    const Locale collating = Locale::parse(locale);
    if (options != 0) {
        throw Error(ErrorCode::InvalidArgument,
                    "Invalid argument: compaction options must be 0, not " +
                        std::to_string(options) + ".");
    }
    files::checkNewFileLocation(destination);

    // The source is read through a read-only connection while this process
    // holds it exclusively in its use registry.
    const OpenedSession session =
        openSession(source, credentials, OpenOptions{.exclusive = true, .readOnly = true});
    requireCompactPermission(session, source);

    const sqlite::Connection& db = session.db;
    const std::int64_t pageSize = db.queryInt("PRAGMA page_size");
    const std::int64_t usedPages =
        db.queryInt("PRAGMA page_count") - db.queryInt("PRAGMA freelist_count");
    const std::int64_t fileBytes = db.queryInt("PRAGMA page_count") * pageSize;
    // Memory-mapped reads spare a copy per page. VACUUM INTO writes with the
    // source connection's synchronous setting; the copy is flushed once, below.
    // The cache stays small: the copy's connection takes the same size, and a
    // large one slows the copy down.
    db.exec("PRAGMA mmap_size = " + std::to_string(fileBytes) + "; PRAGMA synchronous = OFF");

    files::TempFile copy(destination);
    ProgressTracker tracker(progress, copy, usedPages * pageSize);
    tracker.report(0.0);
    writeCopy(db, copy.path(), destination, tracker);
    tracker.report(kCopyShare);
    finishAndVerify(copy.path(), source, collating, fileBytes, tracker);
    copy.sync();
    copy.publish();
    tracker.report(1.0);
}

}  // namespace talveron::engine
