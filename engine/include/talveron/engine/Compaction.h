#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "talveron/engine/Database.h"

namespace talveron::engine {

// A collating locale in the engine's form: ";LANGID=0x0409;CP=1252;COUNTRY=0".
struct Locale {
    unsigned languageId = 0x0409;
    unsigned codePage = 1252;
    unsigned country = 0;

    // Throws Error(InvalidArgument) for anything but that form.
    static Locale parse(std::string_view text);
    std::string toString() const;
};

// Called with the fraction done, from 0.0 to 1.0, while a compaction runs.
using ProgressCallback = std::function<void(double fraction)>;

// Writes a compacted copy of `source` to `destination`, which must not exist,
// on behalf of `credentials` (authenticated against the source's workgroup;
// only the database's owner or a member of "Admins" may compact). Needs
// exclusive use of the source and leaves it untouched. The copy is verified
// and made durable before this returns; on any failure nothing is left under
// the destination's name. `options` is reserved and must be 0. The locale is
// recorded in the copy.
void compact(const std::filesystem::path& source, const std::filesystem::path& destination,
             std::string_view locale, int options, const Credentials& credentials,
             const ProgressCallback& progress = {});

// The locale recorded in a database by its last compaction, or the default.
Locale recordedLocale(const Database& database);

}  // namespace talveron::engine
