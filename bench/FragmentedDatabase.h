#pragma once

#include <cstdint>
#include <filesystem>

#include "talveron/engine/Database.h"

namespace talveron::bench {

// The workgroup every benchmark database is bound to, created when missing.
std::filesystem::path benchWorkgroup(const std::filesystem::path& cacheFolder);

// A database of about `megabytes` MiB in the cache folder, built once: random
// inserts across three tables with indexes, 40% of the rows deleted and some
// rows resized, so that its pages are fragmented and partly free.
std::filesystem::path fragmentedDatabase(const std::filesystem::path& cacheFolder,
                                         std::int64_t megabytes);

}  // namespace talveron::bench
