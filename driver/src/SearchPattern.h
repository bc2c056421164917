#pragma once

#include <string_view>

namespace talveron::odbc {

// Whether a name matches an ODBC search pattern: "%" stands for any run of
// characters, "_" for one character, "\" makes the next character literal.
// Letters match without regard to case, as the engine's names do.
bool matchesPattern(std::string_view pattern, std::string_view name);

// Whether an SQLTables type list ("TABLE", "'TABLE','VIEW'", "%" or empty)
// admits tables.
bool admitsTables(std::string_view typeList);

}  // namespace talveron::odbc
