#pragma once

// Verification of a compacted copy with SQLite's quick_check.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "CompactionProgress.h"

namespace talveron::engine {

// Runs quick_check over every table of `copy` with its indexes, on the
// calling thread and a helper thread at once, reading the file through a
// memory map of `mapBytes`. Progress goes from `from` to `to` as tables are
// done. Returns the problems found; none for a sound copy.
std::vector<std::string> checkCopy(const std::filesystem::path& copy, std::int64_t mapBytes,
                                   ProgressTracker& progress, double from, double to);

}  // namespace talveron::engine
