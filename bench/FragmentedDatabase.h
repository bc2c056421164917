#pragma once

#include <cstdint>
#include <filesystem>

#include "talveron/engine/Workgroup.h"

namespace talveron::bench {

// The workgroup of the benchmark databases, created when missing. The timed
// runs use the lowest hash cost, so that the log-in's argon2id check does not
// blur the comparison; one run with the default cost shows its share.
std::filesystem::path benchWorkgroup(const std::filesystem::path& cacheFolder,
                                     engine::HashCost cost);

// A database of about `megabytes` MiB in the cache folder, bound to the bench
// workgroup of that cost and built once: random inserts across three tables
// with indexes, 40% of the rows deleted and some rows resized, so that its
// pages are fragmented and partly free.
std::filesystem::path fragmentedDatabase(const std::filesystem::path& cacheFolder,
                                         std::int64_t megabytes, engine::HashCost cost);

}  // namespace talveron::bench
