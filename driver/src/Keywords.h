#pragma once

#include <string_view>

namespace talveron::odbc::keyword {

// Connection string keywords, spelt as the completed connection string writes
// them (programs may compare them with regard to case).
constexpr std::string_view kDataSource = "DSN";
constexpr std::string_view kDriver = "DRIVER";
constexpr std::string_view kDatabase = "DBQ";
constexpr std::string_view kSystemDb = "SystemDB";
constexpr std::string_view kUserId = "UID";
constexpr std::string_view kPassword = "PWD";

}  // namespace talveron::odbc::keyword
