#pragma once

// argon2id password hashes in libsodium's string form, which records the
// algorithm, its cost and the salt beside the hash.

#include <string>
#include <string_view>

#include "talveron/engine/Workgroup.h"

namespace talveron::engine::passwords {

std::string hash(std::string_view password, HashCost cost);
bool verify(const std::string& storedHash, std::string_view password);

// `bytes` random bytes as lower-case hexadecimal text.
std::string randomHex(std::size_t bytes);

// The names under which a workgroup file records its cost.
std::string_view costName(HashCost cost);
HashCost costFromName(std::string_view name);

}  // namespace talveron::engine::passwords
