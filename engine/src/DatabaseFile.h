#pragma once

// The layout of the engine's files: how a database and a workgroup file are
// recognised, and the metadata table of a database.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Sqlite.h"

namespace talveron::engine::dbfile {

// SQLite application_id values ("TVDB" and "TVWG").
inline constexpr std::int32_t kDatabaseApplicationId = 0x54564442;
inline constexpr std::int32_t kWorkgroupApplicationId = 0x54565747;

// The engine's own table in a database; hidden from the table list and
// protected from the sessions' SQL.
inline constexpr std::string_view kMetaTable = "__talveron_meta";
inline constexpr std::string_view kFormatVersion = "1";

// Metadata keys.
inline constexpr std::string_view kKeyFormat = "format";
inline constexpr std::string_view kKeyWorkgroupId = "workgroup_id";
inline constexpr std::string_view kKeyOwner = "owner";
inline constexpr std::string_view kKeyLocale = "locale";

// The application_id of an SQLite file; nullopt when the file is not an
// SQLite database at all. Throws FileNotFound for a missing file and
// InvalidPath when the path names a folder.
std::optional<std::int32_t> applicationIdOf(const std::filesystem::path& file);

// Opens a database file of this engine, checking that it is one: FileNotFound,
// NotADatabase, CorruptDatabase, and ReadOnly when `writable` is asked and the
// file or its folder cannot be written. `vfs` names the SQLite VFS to use.
sqlite::Connection openDatabase(const std::filesystem::path& file, bool writable,
                                const char* vfs = nullptr);

std::string readMeta(const sqlite::Connection& db, std::string_view key);
void writeMeta(const sqlite::Connection& db, std::string_view key, std::string_view value);

// Creates the engine's schema in an empty SQLite file.
void createSchema(const sqlite::Connection& db, std::string_view workgroupId,
                  std::string_view owner, std::string_view locale);

}  // namespace talveron::engine::dbfile
