#include "talveron/engine/Compaction.h"

#include <algorithm>

#include "AccountName.h"
#include "CompactionProgress.h"
#include "CopyCheck.h"
#include "DatabaseFile.h"
#include "Files.h"
#include "OpenSession.h"
#include "Sqlite.h"
#include "WriteBehindVfs.h"

namespace talveron::engine {

namespace fs = std::filesystem;

namespace {

// Share of the progress taken by writing the copy; verifying takes the rest.
constexpr double kCopyShare = 0.8;

void requireCompactPermission(const OpenedSession& session, const fs::path& source) {
    if (session.administrator || names::foldCase(session.owner) == names::foldCase(session.user)) {
        return;
    }
    throw Error(ErrorCode::NoPermission, "The account '" + session.user + "' may not compact " +
                                             files::quoted(source) +
                                             ": only its owner or a member of 'Admins' may.");
}

// Writes the compacted copy of the session's database into `copy`. Damage
// read from the source is reported against the source, anything else (a
// full disk above all) against the destination.
void writeCopy(const sqlite::Connection& source, const files::TempFile& copy,
               const fs::path& destination, std::int64_t expectedBytes, ProgressTracker& progress) {
    const writebehind::Target writtenBehind(copy.path());
    sqlite::Statement vacuum(source, "VACUUM INTO ?1");
    vacuum.bind(1, copy.path().string());
    progress.attach(source.get(), [&copy, expectedBytes] {
        const double copied = static_cast<double>(copy.size()) /
                              static_cast<double>(std::max<std::int64_t>(1, expectedBytes));
        return std::min(copied, 1.0) * kCopyShare;
    });
    int rc = vacuum.tryStep();
    ProgressTracker::detach(source.get());
    if (rc == SQLITE_DONE) {
        // SQLite does not hear of a failure of the writes that are still
        // queued when it closes the copy.
        rc = writtenBehind.error();
        if (rc == SQLITE_OK) {
            return;
        }
    }
    progress.rethrow();
    const int primary = rc & 0xff;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) {
        sqlite::raise(rc, source.get(), source.file());
    }
    sqlite::raise(rc, source.get(), destination);
}

// Records the locale in the copy, then checks the copy's structure.
void finishAndVerify(const fs::path& copy, const fs::path& source, const Locale& locale,
                     std::int64_t mapBytes, ProgressTracker& progress) {
    std::vector<std::string> problems;
    try {
        {
            const sqlite::Connection db(copy, SQLITE_OPEN_READWRITE);
            // The copy is a private file until it is verified and published,
            // so it needs no journal; it is flushed to disk once, at the end.
            db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
            dbfile::writeMeta(db, dbfile::kKeyLocale, locale.toString());
            if (dbfile::readMeta(db, dbfile::kKeyWorkgroupId).empty()) {
                problems.push_back("the engine's metadata is missing");
            }
        }
        if (problems.empty()) {
            problems = checkCopy(copy, mapBytes, progress, kCopyShare, 0.99);
        }
    } catch (const Error& error) {
        progress.rethrow();
        if (error.code() != ErrorCode::CorruptDatabase) {
            throw;
        }
        problems.push_back(error.description());
    }
    if (!problems.empty()) {
        std::string list;
        for (const auto& problem : problems) {
            list += (list.empty() ? "" : "; ") + problem;
        }
        throw Error(ErrorCode::CorruptDatabase,
                    "The database " + files::quoted(source) +
                        " is damaged; its compacted copy failed verification (" + list + ").");
    }
}

}  // namespace

void compact(const fs::path& source, const fs::path& destination, std::string_view locale,
             int options, const Credentials& credentials, const ProgressCallback& progress) {
    const Locale collating = Locale::parse(locale);
    if (options != 0) {
        throw Error(
            ErrorCode::InvalidArgument,
            "Invalid argument: compaction options must be 0, not " + std::to_string(options) + ".");
    }
    files::checkNewFileLocation(destination);

    // The source is read through a read-only connection while this process
    // holds it exclusively in its use registry. The copy, which VACUUM INTO
    // opens through the source connection's VFS, is written behind on another
    // thread.
    const OpenedSession session =
        openSession(source, credentials, OpenOptions{.exclusive = true, .readOnly = true},
                    writebehind::vfsName());
    requireCompactPermission(session, source);

    const sqlite::Connection& db = session.db;
    const std::int64_t pageSize = db.queryInt("PRAGMA page_size");
    const std::int64_t pageCount = db.queryInt("PRAGMA page_count");
    const std::int64_t usedBytes = (pageCount - db.queryInt("PRAGMA freelist_count")) * pageSize;
    const std::int64_t fileBytes = pageCount * pageSize;
    // Memory-mapped reads spare a copy of every page. VACUUM INTO writes with
    // the source connection's synchronous setting: off here, as the copy is
    // flushed once, below. The cache keeps its small default size: the copy's
    // connection takes the same size, and a large one slows the copy down.
    db.exec("PRAGMA mmap_size = " + std::to_string(fileBytes) + "; PRAGMA synchronous = OFF");

    ProgressTracker tracker(progress);
    tracker.report(0.0);
    files::TempFile copy(destination);
    {
        const files::BackgroundWriteback writeback(copy);
        writeCopy(db, copy, destination, usedBytes, tracker);
        tracker.report(kCopyShare);
        finishAndVerify(copy.path(), source, collating, fileBytes, tracker);
    }
    // Reported before the copy takes its name, so that a callback that throws
    // here still leaves nothing behind.
    tracker.report(1.0);
    copy.sync();
    copy.publish();
}

}  // namespace talveron::engine
