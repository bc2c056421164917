#pragma once

#include <CLI/CLI.hpp>

#include "talveron/engine/Workgroup.h"

namespace talveron::admin {

// --hash-cost interactive|moderate|minimal-for-tests, the argon2id cost of the
// password hashes a new workgroup writes.
CLI::Option* addHashCostOption(CLI::App& command, engine::HashCost& cost);

}  // namespace talveron::admin
