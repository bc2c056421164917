#pragma once

// Account and group names: validation and the case-insensitive key under
// which names are unique.

#include <string>
#include <string_view>

namespace talveron::engine::names {

// Throws Error(InvalidName) for an empty name, one longer than `maxLength`
// characters, one that is not valid UTF-8 or that holds a control character.
// `what` names the kind of name in the message ("account", "workgroup").
void validate(std::string_view name, std::size_t maxLength, std::string_view what);

// The key that compares equal for names differing only in letter case.
std::string foldCase(std::string_view name);

}  // namespace talveron::engine::names
