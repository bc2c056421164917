#pragma once

#include <filesystem>
#include <string>

#include "talveron/engine/Compaction.h"

namespace talveron::admin {

// Compacts a database in place: the engine writes a compacted, verified copy
// beside it, and the copy then takes the original's name in one atomic rename,
// so at every moment the name holds either the whole original or the whole
// compacted database. The swap is made under an exclusive session, and is given
// up (the copy removed, the original left as it was) when anyone else opened
// or changed the database in the meantime.
void compactInPlace(const std::filesystem::path& database, const std::string& locale,
                    const engine::Credentials& credentials,
                    const engine::ProgressCallback& progress);

}  // namespace talveron::admin
