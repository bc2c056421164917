#include "FragmentedDatabase.h"

#include <fstream>
#include <iostream>
#include <string>

#include "talveron/engine/Database.h"
#include "talveron/engine/Workgroup.h"

namespace talveron::bench {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSchema =
    "CREATE TABLE items (id INTEGER PRIMARY KEY, code TEXT NOT NULL, category INTEGER, "
    "  payload BLOB);"
    "CREATE INDEX items_by_code ON items (code);"
    "CREATE INDEX items_by_category ON items (category, code);"
    "CREATE TABLE events (id INTEGER PRIMARY KEY, item INTEGER, at REAL, body TEXT);"
    "CREATE INDEX events_by_item ON events (item, at);"
    "CREATE TABLE notes (id INTEGER PRIMARY KEY, title TEXT, body BLOB);"
    "CREATE INDEX notes_by_title ON notes (title);";

// One batch of random rows in every table: random keys put them all over the
// tables' and indexes' trees.
constexpr const char* kBatch =
    "BEGIN;"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000)"
    " INSERT OR IGNORE INTO items SELECT abs(random()) % 1000000000000, hex(randomblob(12)),"
    " abs(random()) % 500, randomblob(150 + abs(random()) % 500) FROM n;"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000)"
    " INSERT OR IGNORE INTO events SELECT abs(random()) % 1000000000000,"
    " abs(random()) % 1000000, random() / 1e9, hex(randomblob(40 + abs(random()) % 160)) FROM n;"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)"
    " INSERT OR IGNORE INTO notes SELECT abs(random()) % 1000000000000,"
    " 'note ' || hex(randomblob(6)), randomblob(300 + abs(random()) % 1200) FROM n;"
    "COMMIT;";

constexpr const char* kFragment =
    "BEGIN;"
    "DELETE FROM items WHERE id % 5 < 2;"
    "DELETE FROM events WHERE id % 5 < 2;"
    "DELETE FROM notes WHERE id % 5 < 2;"
    "UPDATE items SET payload = randomblob(40) WHERE id % 9 = 0;"
    "UPDATE events SET body = body || body WHERE id % 11 = 0;"
    "UPDATE notes SET body = randomblob(2000) WHERE id % 13 = 0;"
    "COMMIT;";

}  // namespace

namespace {

bool minimal(engine::HashCost cost) {
    return cost == engine::HashCost::MinimalForTestsOnly;
}

}  // namespace

fs::path benchWorkgroup(const fs::path& cacheFolder, engine::HashCost cost) {
    const fs::path path = cacheFolder / (minimal(cost) ? "bench.mdw" : "bench-interactive.mdw");
    if (!fs::exists(path)) {
        engine::Workgroup::create(path, "Benchmark", cost);
    }
    return path;
}

fs::path fragmentedDatabase(const fs::path& cacheFolder, std::int64_t megabytes,
                            engine::HashCost cost) {
    const fs::path path = cacheFolder / ("fragmented-" + std::to_string(megabytes) + "M" +
                                         (minimal(cost) ? "" : "-interactive") + ".mdb");
    const fs::path ready = fs::path(path).replace_extension(".ready");
    if (fs::exists(path) && fs::exists(ready)) {
        return path;
    }
    fs::remove(path);
    std::cout << "Building " << path << " (once; it stays in the cache folder)..." << std::endl;
    const engine::Workgroup workgroup = engine::Workgroup::open(benchWorkgroup(cacheFolder, cost));
    engine::Database::create(path, workgroup, workgroup.authenticate("Admin", ""));
    {
        engine::Database db = engine::Database::open(path, {workgroup.path(), "Admin", ""});
        db.execute("PRAGMA cache_size = -262144");
        db.execute(kSchema);
        const std::uintmax_t target = static_cast<std::uintmax_t>(megabytes) << 20;
        while (fs::file_size(path) < target) {
            db.execute(kBatch);
        }
        db.execute(kFragment);
    }
    std::ofstream(ready) << "built\n";
    return path;
}

}  // namespace talveron::bench
